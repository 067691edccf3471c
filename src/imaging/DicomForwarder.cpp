// SPDX-License-Identifier: MIT
#include "DicomForwarder.h"
#include "DicomHeader.h"
#include "DicomIndex.h"
#include "DicomStore.h"
#include <QFile>
#include <QFileInfo>
#include <chrono>
#include <thread>
#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcuid.h>
#include <dcmtk/dcmnet/scu.h>

namespace wr::imaging {

namespace {

QString Latin(const char* s) { return QString::fromLatin1(s).trimmed(); }

// 5 s, 10 s, 20 s ... up to 10 minutes.
int RetryPauseSeconds(int attempts) { return std::min(600, 5 << std::min(attempts - 1, 7)); }

} // namespace

bool SendDicomFile(const QString& path, const QString& sopClassUid, const QString& transferSyntaxUid,
                   const QString& callingAeTitle, const TForwardTarget& target, unsigned short* status, QString* error)
{
    DcmSCU scu;
    scu.setAETitle(callingAeTitle.toLatin1().constData());
    scu.setPeerAETitle(target.aeTitle.toLatin1().constData());
    scu.setPeerHostName(target.host.toLatin1().constData());
    scu.setPeerPort(static_cast<Uint16>(target.port));
    scu.setACSETimeout(10);
    scu.setConnectionTimeout(10);
    scu.setDIMSEBlockingMode(DIMSE_NONBLOCKING);
    scu.setDIMSETimeout(60);
    scu.setMaxReceivePDULength(65536);
    OFList<OFString> syntaxes;
    syntaxes.push_back(transferSyntaxUid.toLatin1().constData());
    scu.addPresentationContext(sopClassUid.toLatin1().constData(), syntaxes);
    OFCondition cond = scu.initNetwork();
    if (cond.good()) cond = scu.negotiateAssociation();
    if (cond.bad()) {
        if (error) *error = QStringLiteral("no association with %1@%2:%3: %4").arg(target.aeTitle, target.host).arg(target.port).arg(Latin(cond.text()));
        return false;
    }
    const T_ASC_PresentationContextID presId =
        scu.findPresentationContextID(sopClassUid.toLatin1().constData(), transferSyntaxUid.toLatin1().constData());
    if (presId == 0) {
        scu.releaseAssociation();
        if (error) *error = QStringLiteral("the archive accepts neither class %1 nor transfer syntax %2").arg(sopClassUid, transferSyntaxUid);
        return false;
    }
    Uint16 rsp = 0;
    cond = scu.sendSTORERequest(presId, OFFilename(QFile::encodeName(path).constData()), nullptr, rsp);
    if (cond.bad()) {
        scu.abortAssociation();
        if (error) *error = QStringLiteral("C-STORE to the archive failed: %1").arg(Latin(cond.text()));
        return false;
    }
    scu.releaseAssociation();
    *status = rsp;
    return true;
}

TDicomForwarder::TDicomForwarder(TDicomSettings settings, TDicomStore& store, QString storeName, TDbOpenFn open,
                                 TDicomLogFn log)
    : m_settings(std::move(settings)), m_store(store), m_storeName(std::move(storeName)), m_open(std::move(open)),
      m_log(std::move(log))
{
}

bool TDicomForwarder::EnsureConnection()
{
    if (m_db) return true;
    try {
        m_db = m_open();
    } catch (const EDatabaseError&) {
        m_db.reset();  // the indexer reports the database's state; no second line here
    }
    return m_db != nullptr;
}

TDicomForwarder::TPassResult TDicomForwarder::Pass()
{
    TPassResult r;
    if (!EnsureConnection()) {
        r.databaseDown = true;
        return r;
    }
    try {
        TDicomIndex index(*m_db);
        if (m_settings.forwardTo.IsSet()) {
            const QDateTime now = QDateTime::currentDateTimeUtc();
            for (const TDicomInstance& inst : index.PendingForward(m_storeName, 200)) {
                TRetry& retry = m_retry[inst.sopInstanceUid];
                if (retry.nextAt.isValid() && retry.nextAt > now) continue;
                const QString path = m_store.PathFor(inst.sopInstanceUid);
                TDicomHeader header;
                QString error;
                unsigned short status = 0xFFFF;
                bool ok = ReadDicomHeader(path, &header, &error)
                    && SendDicomFile(path, header.sopClassUid, header.transferSyntaxUid, m_settings.aeTitle,
                                     m_settings.forwardTo, &status, &error);
                // Success and the warnings (0xB000, 0xB006, 0xB007) mean the archive holds it.
                if (ok && status != 0x0000 && (status & 0xF000) != 0xB000) {
                    ok = false;
                    error = QStringLiteral("the archive answered status 0x%1").arg(status, 4, 16, QLatin1Char('0'));
                }
                if (ok) {
                    index.RecordForward(inst.sopInstanceUid, true, QString());
                    m_retry.remove(inst.sopInstanceUid);
                    ++r.archived;
                    m_log(QStringLiteral("archived %1 to %2: status 0x%3")
                              .arg(inst.sopInstanceUid, m_settings.forwardTo.aeTitle)
                              .arg(status, 4, 16, QLatin1Char('0')));
                } else {
                    ++retry.attempts;
                    const int pause = RetryPauseSeconds(retry.attempts);
                    retry.nextAt = now.addSecs(pause);
                    index.RecordForward(inst.sopInstanceUid, false, error);
                    ++r.failed;
                    m_log(QStringLiteral("archive %1: %2; trying again in %3 s").arg(inst.sopInstanceUid, error).arg(pause));
                }
            }
        }
        for (const TDicomInstance& inst : index.Prunable(m_storeName, m_settings.keepDays, 200)) {
            QString error;
            if (!m_store.RemoveStored(inst.sopInstanceUid, &error)) {
                m_log(QStringLiteral("prune %1: %2").arg(inst.sopInstanceUid, error));
                continue;
            }
            index.MarkRemoved(inst.sopInstanceUid);
            ++r.removed;
            m_log(QStringLiteral("removed the local copy of %1, archived %2")
                      .arg(inst.sopInstanceUid, inst.archivedAt.toString(Qt::ISODate)));
        }
    } catch (const EDatabaseError& e) {
        m_log(QStringLiteral("archive: database error: %1").arg(e.Message()));
        m_db.reset();
        r.databaseDown = true;
    }
    return r;
}

void TDicomForwarder::Run(const std::atomic<bool>& stop, int intervalMs)
{
    while (!stop) {
        Pass();
        for (int waited = 0; waited < intervalMs && !stop; waited += 100)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    m_db.reset();  // on the thread that opened it
}

}  // namespace wr::imaging
