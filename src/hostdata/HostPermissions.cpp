// SPDX-License-Identifier: MIT
#include "HostPermissions.h"

QString OperationName(THostOperation op)
{
    switch (op) {
    case THostOperation::SignReport: return QStringLiteral("审核报告");
    case THostOperation::WithdrawSignature: return QStringLiteral("撤销审核");
    case THostOperation::EditSignedReport: return QStringLiteral("修改已审核报告");
    case THostOperation::PrintReport: return QStringLiteral("打印报告");
    case THostOperation::ExportPdf: return QStringLiteral("导出PDF");
    }
    return {};
}

bool HostPermissions::Allowed(const QString& operationName) const
{
    if (m_hasRole && !m_granted.contains(operationName)) return false;
    return LocallyAllowed(operationName);
}

bool HostPermissions::LocallyAllowed(const QString& operationName) const
{
    if (!m_lookup) return true;
    const std::optional<QString> value = m_lookup(operationName);
    if (!value) return true;
    const QString v = value->trimmed().toLower();
    // A key that is there but empty reads as 0 wherever the configuration is read as a number.
    if (v.isEmpty()) return false;
    // A number counts by its value, so "00" refuses like "0" (Get_UserOperateQuXian reads
    // the same key as an integer).
    bool isNumber = false;
    const long long n = v.toLongLong(&isNumber);
    if (isNumber) return n != 0;
    return !(v == QLatin1String("false") || v == QLatin1String("no") || v == QLatin1String("off"));
}
