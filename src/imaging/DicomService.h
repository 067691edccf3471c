// SPDX-License-Identifier: MIT
// The DICOM service of wr-dicomd: one listening thread that accepts associations and serves
// each on a thread of its own (several machines may send at once), answering C-ECHO, C-STORE
// of the accepted classes (DicomAcceptance.h) and, when a worklist responder is set, Modality
// Worklist C-FIND on the same port.
//
// A C-STORE is written straight to a file in the store's incoming/ folder (a 500 MB loop
// never sits in memory), checked (readable header, the instance the request names, an
// accepted class and transfer syntax), committed (DicomStore.h) and only then acknowledged:
// every success status sent means the instance is on disk and queued for the index. The
// index itself is written by the indexer, never by an association's thread.
//
// Logs one line per association (who, outcome, counts) and per instance (status sent).
#pragma once
#include "DicomLog.h"
#include "DicomSettings.h"
#include <QString>
#include <atomic>
#include <functional>
#include <memory>

namespace wr::imaging {

class IWorklistResponder;
class TDicomStore;

class TDicomService
{
public:
    TDicomService(TDicomSettings settings, TDicomStore& store, TDicomLogFn log);
    ~TDicomService();
    TDicomService(const TDicomService&) = delete;
    TDicomService& operator=(const TDicomService&) = delete;

    // Answers Modality Worklist C-FIND with `responder` (set before Start; not owned, must
    // outlive the service). Without one, worklist queries are refused at negotiation.
    void SetWorklistResponder(IWorklistResponder* responder);
    // Called on an association's thread after each instance was committed to the store.
    void SetStoredCallback(std::function<void(const QString& sopInstanceUid)> stored);

    // Opens the port and starts listening. False and `error` when the port cannot be opened
    // (in use, no permission).
    bool Start(QString* error);
    // Stops accepting, lets running associations finish (bounded by the DIMSE timeout) and
    // returns when every thread is gone. Safe from any thread but a signal handler.
    void Stop();
    bool Running() const;

    struct TCounters { int associations = 0, stored = 0, alreadyStored = 0, refused = 0; };
    TCounters Counters() const;

    class TImpl;

private:
    std::unique_ptr<TImpl> m;
};

}  // namespace wr::imaging
