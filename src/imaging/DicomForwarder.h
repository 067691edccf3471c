// SPDX-License-Identifier: MIT
// Sends every stored instance of this store to the department's archive ([Dicom] ForwardTo)
// with C-STORE, and prunes the local store: an instance is archived only when the archive
// answered success (or a warning), which the index records; a failed attempt is retried
// after a pause that doubles each time (5 s up to 10 min). The state lives in the index, so a
// restart resumes with whatever was not archived. A local file is deleted only for an
// archived instance, KeepDays after it was archived; never for one the archive did not
// acknowledge.
//
// Pass() runs on the caller's thread; Run() is wr-dicomd's archive thread. Its database
// connection is its own.
#pragma once
#include "DicomIndexer.h"
#include "DicomLog.h"
#include "DicomSettings.h"
#include <QDateTime>
#include <QHash>
#include <atomic>

namespace wr::imaging {

class TDicomStore;

class TDicomForwarder
{
public:
    TDicomForwarder(TDicomSettings settings, TDicomStore& store, QString storeName, TDbOpenFn open, TDicomLogFn log);

    struct TPassResult { int archived = 0, failed = 0, removed = 0; bool databaseDown = false; };
    // One round: sends what is due, then prunes what is past KeepDays.
    TPassResult Pass();
    // Rounds every `intervalMs` until `stop`.
    void Run(const std::atomic<bool>& stop, int intervalMs = 2000);

private:
    struct TRetry { int attempts = 0; QDateTime nextAt; };
    bool EnsureConnection();

    TDicomSettings m_settings;
    TDicomStore& m_store;
    QString m_storeName;
    TDbOpenFn m_open;
    TDicomLogFn m_log;
    std::unique_ptr<TDbConnection> m_db;
    QHash<QString, TRetry> m_retry;
};

// Sends one file to `target` with C-STORE; the DIMSE status in `status`. False and `error`
// when no association or no answer came.
bool SendDicomFile(const QString& path, const QString& sopClassUid, const QString& transferSyntaxUid,
                   const QString& callingAeTitle, const TForwardTarget& target, unsigned short* status, QString* error);

}  // namespace wr::imaging
