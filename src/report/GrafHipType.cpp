// SPDX-License-Identifier: MIT
#include "GrafHipType.h"
#include <optional>

namespace {

std::optional<double> Angle(const QString& text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);  // C locale: '.' only, no thousands groups
    if (!ok || !(v > 0.0) || v >= 180.0) return std::nullopt;
    return v;
}

}  // namespace

QString GrafHipType(const QString& alpha, const QString& beta)
{
    const auto a = Angle(alpha);
    const auto b = Angle(beta);
    if (!a || !b) return {};
    if (*a >= 60.0) return *b <= 55.0 ? QStringLiteral("Ia") : QStringLiteral("Ib");
    if (*a >= 50.0) return QStringLiteral("II");
    if (*a >= 43.0) return *b <= 77.0 ? QStringLiteral("IIc") : QStringLiteral("D");
    return QStringLiteral("III/IV");
}
