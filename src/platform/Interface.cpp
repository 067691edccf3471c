// SPDX-License-Identifier: MIT
#include "Interface.h"

QString TGUID::toString() const
{
    QString s = QStringLiteral("{%1-%2-%3-").arg(D1, 8, 16, QLatin1Char('0'))
                    .arg(D2, 4, 16, QLatin1Char('0'))
                    .arg(D3, 4, 16, QLatin1Char('0'));
    for (int i = 0; i < 8; ++i) {
        if (i == 2) s += QLatin1Char('-');
        s += QStringLiteral("%1").arg(D4[static_cast<size_t>(i)], 2, 16, QLatin1Char('0'));
    }
    s += QLatin1Char('}');
    return s.toUpper();
}

bool Supports(IInterface* obj, const TGUID& iid, void** intf)
{
    if (intf) *intf = nullptr;
    if (!obj || !intf) return false;
    return obj->QueryInterface(iid, intf) == S_OK && *intf != nullptr;
}

void RaiseIntfCastError(const TGUID& iid)
{
    throw EIntfCastError(QStringLiteral("Interface not supported: %1").arg(iid.toString()));
}
