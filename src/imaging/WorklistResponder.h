// SPDX-License-Identifier: MIT
#pragma once
// The seam between the DICOM service (association handling, C-STORE, C-ECHO) and the
// Modality Worklist answer. The service owns the network side: it receives a C-FIND request
// on the Modality Worklist Information Model - FIND presentation context, calls Find() on the
// association's own thread, sends each match as a Pending response, checks for a C-CANCEL
// between responses (and stops with Cancel status when one arrives) and ends with
// `finalStatus`. The responder owns the database side and never touches the network.
#include <QString>
#include <memory>
#include <vector>

class DcmDataset;

namespace wr::imaging {

struct TWorklistResult
{
    // Identifiers to send, in order, each as a Pending response (0xFF00, or 0xFF01 when a
    // requested optional key is not supported).
    std::vector<std::unique_ptr<DcmDataset>> matches;
    bool optionalKeysUnsupported = false;
    // The final response's status: 0x0000 success, 0xB000-range warnings, 0xA700/0xA900/0xC000
    // failures (then `matches` is empty), as the responder decides.
    unsigned short finalStatus = 0x0000;
    QString errorComment;  // sent as Error Comment with a failure status; also logged
};

class IWorklistResponder
{
public:
    virtual ~IWorklistResponder() = default;
    // Thread-safe: several associations may call it at once. Must return in bounded time
    // (a database that is down is a failure status, never a hang).
    virtual TWorklistResult Find(const DcmDataset& query, const QString& callingAet) = 0;
};

}  // namespace wr::imaging
