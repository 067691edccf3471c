// SPDX-License-Identifier: MIT
// Which of the host's operations the logged-in user may perform. Every check of the host
// goes through HostPermissions::Allowed, so the source of the answers (today the
// [Permissions] section of the workstation's configuration, later roles kept in the
// database) changes in one place.
//
// An operation is named by its Chinese name, which is also its key in [Permissions]: a
// value of 0 (or false) refuses it; an absent key allows it, as a stand-alone workstation
// allows everything unless told otherwise. Pure values, any thread.
#pragma once
#include <QString>
#include <functional>
#include <optional>

enum class THostOperation {
    SignReport,          // 审核报告: mark a report final with the user as review doctor
    WithdrawSignature,   // 撤销审核: take a final report back to not reviewed
    EditSignedReport,    // 修改已审核报告: unlock a final report for editing
    PrintReport,         // 打印报告: print and print preview
    ExportPdf,           // 导出PDF: write a report as a PDF file
};

// The key of the operation in [Permissions], e.g. "修改已审核报告".
QString OperationName(THostOperation op);

class HostPermissions {
public:
    // The stored setting of an operation by name: nothing when the key is absent, else its
    // value as text ("0", "1", "true", "false", ...).
    using TLookup = std::function<std::optional<QString>(const QString& operationName)>;

    HostPermissions() = default;
    explicit HostPermissions(TLookup lookup) : m_lookup(std::move(lookup)) {}

    // The one rule: absent allows; empty, 0, false, no or off refuses; any other value allows.
    bool Allowed(const QString& operationName) const;
    bool Allowed(THostOperation op) const { return Allowed(OperationName(op)); }

private:
    TLookup m_lookup;
};
