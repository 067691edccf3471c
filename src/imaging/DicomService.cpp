// SPDX-License-Identifier: MIT
#include "DicomService.h"
#include "DicomAcceptance.h"
#include "DicomCodecs.h"
#include "DicomHeader.h"
#include "DicomStore.h"
#include "WorklistResponder.h"
#include <QFile>
#include <list>
#include <mutex>
#include <thread>
#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcuid.h>
#include <dcmtk/dcmnet/diutil.h>
#include <dcmtk/dcmnet/scpthrd.h>

namespace wr::imaging {

namespace {

constexpr long kMaxPdu = 65536;

OFList<OFString> ToOfList(const QStringList& list)
{
    OFList<OFString> out;
    for (const QString& s : list) out.push_back(OFString(s.toLatin1().constData()));
    return out;
}

QString Hex(unsigned short status) { return QStringLiteral("0x%1").arg(status, 4, 16, QLatin1Char('0')).toUpper().replace(QLatin1String("0X"), QLatin1String("0x")); }

QString Latin(const char* s) { return QString::fromLatin1(s).trimmed(); }

} // namespace

class TDicomService::TImpl
{
public:
    TImpl(TDicomSettings s, TDicomStore& st, TDicomLogFn l) : settings(std::move(s)), store(st), log(std::move(l)) {}

    void Listen();
    void ReapFinished(bool all);
    size_t Busy();

    TDicomSettings settings;
    TDicomStore& store;
    TDicomLogFn log;
    IWorklistResponder* responder = nullptr;
    std::function<void(const QString&)> stored;
    DcmSharedSCPConfig config;

    T_ASC_Network* network = nullptr;
    std::thread listener;
    std::atomic<bool> stop{false};
    std::atomic<bool> running{false};

    struct TWorker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    std::mutex workersMutex;
    std::list<TWorker> workers;

    std::atomic<int> associations{0}, storedCount{0}, alreadyStored{0}, refused{0};
};

namespace {

// One association, served on its own thread.
class TAssociation final : public DcmThreadSCP
{
public:
    explicit TAssociation(TDicomService::TImpl& service) : m_s(service) {}

protected:
    OFBool checkCalledAETitleAccepted(const OFString& calledAE) override
    {
        if (Latin(calledAE.c_str()) == m_s.settings.aeTitle) return OFTrue;
        m_s.log(QStringLiteral("association from %1 (%2) refused: called AE title \"%3\" is not %4")
                    .arg(Latin(getPeerAETitle().c_str()), Latin(getPeerIP().c_str()), Latin(calledAE.c_str()),
                         m_s.settings.aeTitle));
        return OFFalse;
    }

    OFBool checkCallingAETitleAccepted(const OFString& callingAE) override
    {
        const QString calling = Latin(callingAE.c_str());
        if (m_s.settings.callingAeTitles.isEmpty() || m_s.settings.callingAeTitles.contains(calling)) return OFTrue;
        m_s.log(QStringLiteral("association from %1 (%2) refused: calling AE title not in [Dicom] CallingAETitles")
                    .arg(calling, Latin(getPeerIP().c_str())));
        return OFFalse;
    }

    void notifyAssociationAcknowledge() override
    {
        ++m_s.associations;
        m_peer = QStringLiteral("%1 (%2)").arg(Latin(getPeerAETitle().c_str()), Latin(getPeerIP().c_str()));
        m_accepted = true;
        m_s.log(QStringLiteral("association from %1 accepted").arg(m_peer));
    }

    void notifyAbortRequest() override { m_aborted = true; }

    void refuseAssociation(const DcmRefuseReasonType reason) override
    {
        // AE titles were logged where they were checked.
        if (reason == DCMSCP_NO_PRESENTATION_CONTEXTS)
            m_s.log(QStringLiteral("association from %1 (%2) refused: none of the SOP classes and transfer syntaxes it "
                                   "proposed is accepted")
                        .arg(Latin(getPeerAETitle().c_str()), Latin(getPeerIP().c_str())));
        else if (reason != DCMSCP_CALLED_AE_TITLE_NOT_RECOGNIZED && reason != DCMSCP_CALLING_AE_TITLE_NOT_RECOGNIZED)
            m_s.log(QStringLiteral("association from %1 (%2) refused (reason %3)")
                        .arg(Latin(getPeerAETitle().c_str()), Latin(getPeerIP().c_str()))
                        .arg(static_cast<int>(reason)));
        DcmThreadSCP::refuseAssociation(reason);
    }

    void notifyAssociationTermination() override
    {
        if (!m_accepted) return;
        m_s.log(QStringLiteral("association from %1 %2: %3 stored, %4 already stored, %5 refused")
                    .arg(m_peer, m_aborted ? QStringLiteral("aborted by the peer") : QStringLiteral("ended"))
                    .arg(m_stored)
                    .arg(m_already)
                    .arg(m_refused));
    }

    OFCondition handleIncomingCommand(T_DIMSE_Message* msg, const DcmPresentationContextInfo& info) override
    {
        if (msg->CommandField == DIMSE_C_STORE_RQ) return HandleStore(msg->msg.CStoreRQ, info.presentationContextID);
        if (msg->CommandField == DIMSE_C_FIND_RQ && m_s.responder
            && Latin(msg->msg.CFindRQ.AffectedSOPClassUID) == QLatin1String(UID_FINDModalityWorklistInformationModel))
            return HandleFind(msg->msg.CFindRQ, info.presentationContextID);
        return DcmThreadSCP::handleIncomingCommand(msg, info);
    }

private:
    OFCondition HandleStore(T_DIMSE_C_StoreRQ& req, T_ASC_PresentationContextID presId)
    {
        const QString sopUid = Latin(req.AffectedSOPInstanceUID);
        const QString sopClass = Latin(req.AffectedSOPClassUID);
        // A disk about to fill up would break the transfer half-way (DCMTK then aborts the
        // association); below the margin the data set is read and dropped, and the sender told
        // "out of resources", so it knows to try again later.
        const qint64 free = m_s.store.FreeBytes();
        if (free >= 0 && free < qint64(m_s.settings.minFreeMb) * 1024 * 1024) {
            const OFCondition drained = receiveSTORERequest(req, presId, OFString("/dev/null"));
            if (drained.bad()) return drained;
            ++m_refused;
            ++m_s.refused;
            const OFCondition sent = sendSTOREResponse(presId, req, StoreOutOfResources);
            m_s.log(QStringLiteral("C-STORE %1 from %2: status %3, not stored: the store's disk has %4 MB free, under "
                                   "[Dicom] MinFreeMB=%5")
                        .arg(sopUid, m_peer, Hex(StoreOutOfResources))
                        .arg(free / (1024 * 1024))
                        .arg(m_s.settings.minFreeMb));
            return sent;
        }
        const QString temporary = m_s.store.NewTemporaryPath();
        const OFCondition received = receiveSTORERequest(req, presId, OFString(QFile::encodeName(temporary).constData()));
        if (received.bad()) {
            QFile::remove(temporary);
            m_s.log(QStringLiteral("C-STORE %1 from %2: transfer failed (%3); nothing stored, no status sent")
                        .arg(sopUid, m_peer, Latin(received.text())));
            return received;
        }
        unsigned short status = StoreSuccess;
        QString outcome;
        TDicomHeader header;
        QString error;
        if (!TDicomStore::IsValidUid(sopUid)) {
            status = StoreCannotUnderstand;
            outcome = QStringLiteral("refused, the SOP Instance UID is not a valid UID");
        } else if (!ReadDicomHeader(temporary, &header, &error)) {
            status = StoreCannotUnderstand;
            outcome = QStringLiteral("refused, %1").arg(error);
        } else if (header.sopInstanceUid != sopUid || header.sopClassUid != sopClass) {
            status = StoreDataSetMismatch;
            outcome = QStringLiteral("refused, the data set is %1 of class %2, not the instance requested")
                          .arg(header.sopInstanceUid, header.sopClassUid);
        } else if (!IsAcceptedSopClass(sopClass)) {
            status = StoreSopClassNotSupported;
            outcome = QStringLiteral("refused, class %1 is not accepted").arg(sopClass);
        } else if (!IsAcceptedTransferSyntax(header.transferSyntaxUid)) {
            status = StoreCannotUnderstand;
            outcome = QStringLiteral("refused, transfer syntax %1 is not accepted").arg(header.transferSyntaxUid);
        } else {
            switch (m_s.store.Commit(temporary, sopUid, &error)) {
            case TDicomStore::TCommit::Stored:
                outcome = QStringLiteral("stored");
                ++m_stored;
                ++m_s.storedCount;
                if (m_s.stored) m_s.stored(sopUid);
                break;
            case TDicomStore::TCommit::AlreadyStored:
                outcome = QStringLiteral("already stored, kept once");
                ++m_already;
                ++m_s.alreadyStored;
                break;
            case TDicomStore::TCommit::Failed:
                status = StoreOutOfResources;
                outcome = QStringLiteral("not stored: %1").arg(error);
                break;
            }
        }
        if (status != StoreSuccess) {
            QFile::remove(temporary);
            ++m_refused;
            ++m_s.refused;
        }
        const OFCondition sent = sendSTOREResponse(presId, req, status);
        m_s.log(QStringLiteral("C-STORE %1 from %2: status %3, %4%5")
                    .arg(sopUid, m_peer, Hex(status), outcome,
                         sent.bad() ? QStringLiteral(" (the response could not be sent: %1)").arg(Latin(sent.text()))
                                    : QString()));
        return sent;
    }

    OFCondition HandleFind(T_DIMSE_C_FindRQ& req, T_ASC_PresentationContextID presId)
    {
        DcmDataset* raw = nullptr;
        OFCondition cond = receiveFINDRequest(req, presId, raw);
        std::unique_ptr<DcmDataset> query(raw);
        if (cond.bad() || !query) return cond.bad() ? cond : EC_IllegalParameter;
        const OFString sopClass = req.AffectedSOPClassUID;
        TWorklistResult result = m_s.responder->Find(*query, Latin(getPeerAETitle().c_str()));
        int sentCount = 0;
        unsigned short finalStatus = result.finalStatus;
        for (auto& match : result.matches) {
            if (checkForCANCEL(presId, req.MessageID) == EC_Normal) {
                finalStatus = STATUS_FIND_Cancel_MatchingTerminatedDueToCancelRequest;
                break;
            }
            cond = sendFINDResponse(presId, req.MessageID, sopClass, match.get(),
                                    result.optionalKeysUnsupported ? STATUS_FIND_Pending_WarningUnsupportedOptionalKeys
                                                                   : STATUS_FIND_Pending_MatchesAreContinuing);
            if (cond.bad()) return cond;
            ++sentCount;
        }
        std::unique_ptr<DcmDataset> detail;
        if (!result.errorComment.isEmpty() && finalStatus != STATUS_Success) {
            detail = std::make_unique<DcmDataset>();
            detail->putAndInsertString(DCM_ErrorComment, result.errorComment.left(64).toLatin1().constData());
        }
        cond = sendFINDResponse(presId, req.MessageID, sopClass, nullptr, finalStatus, detail.get());
        m_s.log(QStringLiteral("C-FIND worklist from %1: %2 match(es) sent, final status %3%4")
                    .arg(m_peer)
                    .arg(sentCount)
                    .arg(Hex(finalStatus))
                    .arg(result.errorComment.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(result.errorComment)));
        return cond;
    }

    TDicomService::TImpl& m_s;
    QString m_peer = QStringLiteral("?");
    bool m_accepted = false, m_aborted = false;
    int m_stored = 0, m_already = 0, m_refused = 0;
};

} // namespace

size_t TDicomService::TImpl::Busy()
{
    std::lock_guard lock(workersMutex);
    size_t n = 0;
    for (const TWorker& w : workers) n += w.done->load() ? 0 : 1;
    return n;
}

void TDicomService::TImpl::ReapFinished(bool all)
{
    std::list<TWorker> finished;
    {
        std::lock_guard lock(workersMutex);
        for (auto it = workers.begin(); it != workers.end();) {
            if (all || it->done->load()) {
                finished.push_back(std::move(*it));
                it = workers.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (TWorker& w : finished) w.thread.join();
}

void TDicomService::TImpl::Listen()
{
    while (!stop) {
        ReapFinished(false);
        T_ASC_Association* assoc = nullptr;
        // A short timeout, so that the stop flag is seen within a second.
        const OFCondition cond = ASC_receiveAssociation(network, &assoc, kMaxPdu, nullptr, nullptr, OFFalse, DUL_NOBLOCK, 1);
        if (cond.bad()) {
            if (assoc) {
                ASC_dropAssociation(assoc);
                ASC_destroyAssociation(&assoc);
            }
            if (cond != DUL_NOASSOCIATIONREQUEST)
                log(QStringLiteral("association request not understood: %1").arg(Latin(cond.text())));
            continue;
        }
        if (Busy() >= static_cast<size_t>(settings.maxAssociations)) {
            log(QStringLiteral("association from %1 refused: %2 associations are running already (MaxAssociations)")
                    .arg(Latin(assoc->params->DULparams.callingAPTitle))
                    .arg(settings.maxAssociations));
            T_ASC_RejectParameters reject = {ASC_RESULT_REJECTEDTRANSIENT, ASC_SOURCE_SERVICEPROVIDER_PRESENTATION_RELATED,
                                             ASC_REASON_SP_PRES_LOCALLIMITEXCEEDED};
            ASC_rejectAssociation(assoc, &reject);
            ASC_dropAssociation(assoc);
            ASC_destroyAssociation(&assoc);
            continue;
        }
        auto done = std::make_shared<std::atomic<bool>>(false);
        std::lock_guard lock(workersMutex);
        workers.push_back({std::thread([this, assoc, done] {
                               TAssociation scp(*this);
                               scp.setSharedConfig(config);
                               scp.run(assoc);  // negotiates, serves, drops and frees the association
                               done->store(true);
                           }),
                           done});
    }
}

TDicomService::TDicomService(TDicomSettings settings, TDicomStore& store, TDicomLogFn log)
    : m(std::make_unique<TImpl>(std::move(settings), store, std::move(log)))
{
}

TDicomService::~TDicomService() { Stop(); }

void TDicomService::SetWorklistResponder(IWorklistResponder* responder) { m->responder = responder; }

void TDicomService::SetStoredCallback(std::function<void(const QString&)> stored) { m->stored = std::move(stored); }

bool TDicomService::Start(QString* error)
{
    RegisterDicomCodecs();
    DcmSCPConfig cfg;
    cfg.setAETitle(m->settings.aeTitle.toLatin1().constData());
    cfg.setRespondWithCalledAETitle(OFTrue);
    cfg.setMaxReceivePDULength(kMaxPdu);
    cfg.setDIMSEBlockingMode(DIMSE_NONBLOCKING);
    cfg.setDIMSETimeout(30);
    cfg.setACSETimeout(30);
    cfg.setHostLookupEnabled(OFFalse);
    const OFList<OFString> uncompressed =
        ToOfList({QString::fromLatin1(UID_LittleEndianExplicitTransferSyntax), QString::fromLatin1(UID_LittleEndianImplicitTransferSyntax)});
    cfg.addPresentationContext(UID_VerificationSOPClass, uncompressed);
    const OFList<OFString> syntaxes = ToOfList(AcceptedTransferSyntaxes());
    for (const QString& sopClass : AcceptedSopClasses()) cfg.addPresentationContext(sopClass.toLatin1().constData(), syntaxes);
    if (m->responder) cfg.addPresentationContext(UID_FINDModalityWorklistInformationModel, uncompressed);
    m->config = DcmSharedSCPConfig(cfg);

    const OFCondition cond = ASC_initializeNetwork(NET_ACCEPTOR, m->settings.port, 30, &m->network);
    if (cond.bad()) {
        if (error)
            *error = QStringLiteral("cannot listen on port %1 (%2): is another receiver running on it?")
                         .arg(m->settings.port)
                         .arg(Latin(cond.text()));
        m->network = nullptr;
        return false;
    }
    m->stop = false;
    m->running = true;
    m->listener = std::thread([this] { m->Listen(); });
    m->log(QStringLiteral("listening on port %1 as %2%3")
               .arg(m->settings.port)
               .arg(m->settings.aeTitle, m->responder ? QStringLiteral(" (storage, verification, worklist)")
                                                      : QStringLiteral(" (storage, verification)")));
    return true;
}

void TDicomService::Stop()
{
    if (!m->running) return;
    m->stop = true;
    if (m->listener.joinable()) m->listener.join();
    m->ReapFinished(true);
    if (m->network) ASC_dropNetwork(&m->network);
    m->running = false;
}

bool TDicomService::Running() const { return m->running; }

TDicomService::TCounters TDicomService::Counters() const
{
    return {m->associations.load(), m->storedCount.load(), m->alreadyStored.load(), m->refused.load()};
}

}  // namespace wr::imaging
