// SPDX-License-Identifier: MIT
// Takes the instances the store has queued (DicomStore.h) and writes them into the index:
// header, thumbnail, file. It alone writes the index for the receiver, on its own database
// connection (opened through `open`, reopened after a failure). A database that is down
// leaves the queue as it is; the next pass indexes what waited. Nothing is dropped but a
// marker whose file does not exist (a transfer killed before it counted).
//
// Drain() runs on the caller's thread; Run() is the loop of wr-dicomd's indexing thread.
#pragma once
#include "DicomLog.h"
#include "platform/Database.h"
#include <QSet>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>

namespace wr::imaging {

class TDicomStore;

using TDbOpenFn = std::function<std::unique_ptr<TDbConnection>()>;

class TDicomIndexer
{
public:
    TDicomIndexer(TDicomStore& store, QString storeName, TDbOpenFn open, TDicomLogFn log);

    // Instances get ForwardState "waiting for the archive" when an archive is configured.
    void SetForwardPending(bool pending) { m_forwardPending = pending; }

    struct TDrainResult { int indexed = 0, dropped = 0, waiting = 0; bool databaseDown = false; };
    // Indexes everything queued now. Stops at the first database failure (databaseDown).
    TDrainResult Drain();

    // Wakes Run() at once (a new instance was queued).
    void Notify();
    // Drains until `stop`, waking on Notify() or every second; after a database failure waits
    // a little longer each time, up to 30 s. Drains once more before returning.
    void Run(const std::atomic<bool>& stop);

    const QString& StoreName() const { return m_storeName; }

private:
    bool EnsureConnection();

    TDicomStore& m_store;
    QString m_storeName;
    TDbOpenFn m_open;
    TDicomLogFn m_log;
    std::unique_ptr<TDbConnection> m_db;
    bool m_forwardPending = false;
    bool m_reportedDown = false;
    QSet<QString> m_unreadable;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_notified = false;
};

}  // namespace wr::imaging
