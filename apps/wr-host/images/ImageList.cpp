// SPDX-License-Identifier: MIT
#include "images/ImageList.h"
#include "platform/Database.h"
#include <QTimer>
#include <algorithm>

using wr::imaging::TDicomIndex;

TImageLists ReadImageLists(TDbConnection& conn, const QString& accnu, bool thumbnails, int unmatchedLimit)
{
    TImageLists out;
    out.accnu = accnu;
    try {
        TDicomIndex index(conn);
        if (!index.HasSchema()) {
            out.error = QStringLiteral("the database has no image index (upgrade 023 not run)");
            return out;
        }
        if (!accnu.isEmpty()) out.exam = index.ListExam(accnu);
        out.unmatched = index.ListUnmatched(unmatchedLimit);
        if (thumbnails)
            for (const auto& i : out.exam) out.thumbnails.insert(i.sopInstanceUid, index.Thumbnail(i.sopInstanceUid));
    } catch (const Exception& e) {
        out.error = e.Message();
    }
    return out;
}

// Lives on the poller's thread: owns the connection, answers ticks.
class TImagePoller::TWorker : public QObject {
public:
    TWorker(QString target, TImagePoller* owner) : m_target(std::move(target)), m_owner(owner) {}

    void Poll(const QString& accnu, bool force)
    {
        struct TDone {
            std::atomic<bool>& busy;
            ~TDone() { busy = false; }
        } done{m_owner->m_busy};
        if (!force && m_skip > 0) {
            --m_skip;
            return;
        }
        try {
            if (!m_conn) m_conn = OpenDatabase(m_target);
            // A change of the exam's images or of the unmatched ones changes the signature.
            const QString signature = accnu + QLatin1Char('|') + wr::imaging::TDicomIndex(*m_conn).ChangeSignature();
            m_failures = 0;
            if (!force && signature == m_signature) return;
            m_signature = signature;
            Deliver(ReadImageLists(*m_conn, accnu, true));
        } catch (const Exception& e) {
            // Down or not an index: said once, tried again on a fresh connection after a pause
            // that grows to half a minute.
            m_conn.reset();
            m_failures = std::min(m_failures + 1, 5);
            m_skip = (1 << m_failures) - 1;
            if (m_signature != QLatin1String("!")) {
                m_signature = QStringLiteral("!");
                TImageLists failed;
                failed.accnu = accnu;
                failed.error = e.Message();
                Deliver(failed);
            }
        }
    }

    void Stop() { m_conn.reset(); }

private:
    void Deliver(const TImageLists& lists)
    {
        TImagePoller* owner = m_owner;
        QMetaObject::invokeMethod(owner, [owner, lists] { owner->m_changed(lists); }, Qt::QueuedConnection);
    }

    QString m_target;
    TImagePoller* m_owner;
    std::unique_ptr<TDbConnection> m_conn;
    QString m_signature;
    int m_failures = 0, m_skip = 0;
};

TImagePoller::TImagePoller(QString target, std::function<void(const TImageLists&)> changed, QObject* parent)
    : QObject(parent), m_changed(std::move(changed))
{
    m_worker = new TWorker(std::move(target), this);
    m_worker->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("image-poller"));
    m_thread.start(QThread::LowPriority);
    auto* timer = new QTimer(this);
    timer->setInterval(1000);
    connect(timer, &QTimer::timeout, this, &TImagePoller::Tick);
    timer->start();
}

TImagePoller::~TImagePoller()
{
    TWorker* w = m_worker;
    QMetaObject::invokeMethod(w, [w] { w->Stop(); }, Qt::BlockingQueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void TImagePoller::Follow(const QString& accnu)
{
    setProperty("accnu", accnu);
    Refresh();
}

void TImagePoller::Refresh()
{
    TWorker* w = m_worker;
    const QString accnu = property("accnu").toString();
    m_busy = true;
    QMetaObject::invokeMethod(w, [w, accnu] { w->Poll(accnu, true); }, Qt::QueuedConnection);
}

void TImagePoller::Tick()
{
    if (m_busy.exchange(true)) return;
    TWorker* w = m_worker;
    const QString accnu = property("accnu").toString();
    QMetaObject::invokeMethod(w, [w, accnu] { w->Poll(accnu, false); }, Qt::QueuedConnection);
}
