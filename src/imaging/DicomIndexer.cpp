// SPDX-License-Identifier: MIT
#include "DicomIndexer.h"
#include "DicomDecode.h"
#include "DicomHeader.h"
#include "DicomIndex.h"
#include "DicomStore.h"
#include <QFileInfo>
#include <chrono>

namespace wr::imaging {

TDicomIndexer::TDicomIndexer(TDicomStore& store, QString storeName, TDbOpenFn open, TDicomLogFn log)
    : m_store(store), m_storeName(std::move(storeName)), m_open(std::move(open)), m_log(std::move(log))
{
}

bool TDicomIndexer::EnsureConnection()
{
    if (m_db) return true;
    try {
        m_db = m_open();
        if (m_db && !TDicomIndex(*m_db).HasSchema()) {
            if (!m_reportedDown)
                m_log(QStringLiteral("error: the database has no image index (table DicomInstance); run the upgrade "
                                     "scripts 023-dicom-images.sql, procedures.sql and grants.sql"));
            m_reportedDown = true;
            m_db.reset();
            return false;
        }
    } catch (const EDatabaseError& e) {
        if (!m_reportedDown)
            m_log(QStringLiteral("database unavailable, instances wait in the store's queue: %1").arg(e.Message()));
        m_reportedDown = true;
        m_db.reset();
        return false;
    }
    if (m_reportedDown) m_log(QStringLiteral("database available again, indexing what waited"));
    m_reportedDown = false;
    return m_db != nullptr;
}

TDicomIndexer::TDrainResult TDicomIndexer::Drain()
{
    TDrainResult r;
    const QStringList queued = m_store.Queued();
    if (queued.isEmpty()) return r;
    if (!EnsureConnection()) {
        r.databaseDown = true;
        r.waiting = static_cast<int>(queued.size());
        return r;
    }
    for (qsizetype i = 0; i < queued.size(); ++i) {
        const QString& uid = queued.at(i);
        const QString path = m_store.PathFor(uid);
        // A receiver may be between writing the marker and renaming the file into place: only
        // the store can tell that from a marker a kill left behind.
        if (!QFileInfo::exists(path) && m_store.DropMarkerWithoutFile(uid)) {
            ++r.dropped;
            continue;
        }
        const QFileInfo file(path);
        TDicomHeader header;
        QString error;
        if (!ReadDicomHeader(path, &header, &error)) {
            // The receiver checked the header before storing; a file that no longer reads was
            // damaged on disk. It stays queued and stored, for someone to look at; said once.
            if (!m_unreadable.contains(uid))
                m_log(QStringLiteral("index %1: the stored file cannot be read, left in the queue: %2").arg(uid, error));
            m_unreadable.insert(uid);
            continue;
        }
        QString thumbError;
        const QByteArray thumbnail = MakeThumbnailJpeg(path, &thumbError);
        if (thumbnail.isEmpty()) m_log(QStringLiteral("index %1: no thumbnail: %2").arg(uid, thumbError));
        try {
            TDicomIndex(*m_db).IndexInstance(header, file.size(), m_storeName, path, thumbnail, m_forwardPending);
        } catch (const EDatabaseError& e) {
            m_log(QStringLiteral("index %1: database error, the instance waits in the queue: %2").arg(uid, e.Message()));
            m_db.reset();
            m_reportedDown = true;
            r.databaseDown = true;
            r.waiting = static_cast<int>(queued.size() - i);
            return r;
        }
        m_store.Dequeue(uid);
        ++r.indexed;
        m_log(QStringLiteral("indexed %1 (accession \"%2\", %3 frame(s), %4x%5)")
                  .arg(uid, header.accessionNumber)
                  .arg(header.frames)
                  .arg(header.width)
                  .arg(header.height));
    }
    return r;
}

void TDicomIndexer::Notify()
{
    {
        std::lock_guard lock(m_mutex);
        m_notified = true;
    }
    m_wake.notify_one();
}

void TDicomIndexer::Run(const std::atomic<bool>& stop)
{
    int pauseMs = 1000;
    while (!stop) {
        const TDrainResult r = Drain();
        pauseMs = r.databaseDown ? std::min(pauseMs * 2, 30000) : 1000;
        std::unique_lock lock(m_mutex);
        // A database that is down is not woken for every new instance: they queue meanwhile.
        m_wake.wait_for(lock, std::chrono::milliseconds(pauseMs),
                        [&] { return stop.load() || (m_notified && !r.databaseDown); });
        m_notified = false;
    }
    // What arrived last is indexed before leaving, when the database lets us; the connection
    // belongs to this thread and is closed on it.
    Drain();
    m_db.reset();
}

}  // namespace wr::imaging
