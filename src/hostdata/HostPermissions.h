// SPDX-License-Identifier: MIT
// Which of the host's operations the logged-in user may perform. Every check of the host
// goes through HostPermissions::Allowed. Two sources meet here: what the user's role grants
// in the database, and the [Permissions] section of the workstation's configuration, which
// can only take a right away (the user can edit that file, so it must never grant one).
//
// An operation is named by its Chinese name, which is also its key in [Permissions] and its
// WrRolePermission.Operation: a value of 0 (or false) refuses it; an absent key leaves the
// role's answer. Pure values, any thread.
#pragma once
#include <QSet>
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
    // Only the local rule (no role known: every operation the lookup does not refuse).
    explicit HostPermissions(TLookup lookup) : m_lookup(std::move(lookup)) {}
    // The role's grants, narrowed by the local rule.
    HostPermissions(QSet<QString> granted, TLookup lookup) : m_granted(std::move(granted)), m_hasRole(true), m_lookup(std::move(lookup)) {}

    // The one rule: an operation the role does not grant is refused; then, locally, absent
    // allows; empty, 0, false, no or off refuses; any other value allows.
    bool Allowed(const QString& operationName) const;
    bool Allowed(THostOperation op) const { return Allowed(OperationName(op)); }

private:
    bool LocallyAllowed(const QString& operationName) const;

    QSet<QString> m_granted;
    bool m_hasRole = false;
    TLookup m_lookup;
};
