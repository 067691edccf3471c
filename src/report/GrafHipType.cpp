// SPDX-License-Identifier: MIT
#include "GrafHipType.h"
#include <optional>

namespace {

// An angle as a doctor types it: full-width digits and signs (NFKC folds them to ASCII), a
// degree sign or 度 after the number, a decimal comma.
std::optional<double> Angle(const QString& text)
{
    QString t = text.normalized(QString::NormalizationForm_KC).trimmed();
    for (const QString& unit : {QStringLiteral("°"), QStringLiteral("º"), QStringLiteral("˚"), QStringLiteral("度")}) {
        if (t.endsWith(unit)) {
            t.chop(unit.size());
            t = t.trimmed();
            break;
        }
    }
    if (t.count(QLatin1Char(',')) == 1 && !t.contains(QLatin1Char('.'))) t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = t.toDouble(&ok);  // C locale: '.' only, no thousands groups
    if (!ok || !(v > 0.0) || v >= 180.0) return std::nullopt;
    return v;
}

}  // namespace

QString GrafHipType(const QString& alpha, const QString& beta)
{
    const auto a = Angle(alpha);
    if (!a) return {};
    // β only splits Ia from Ib and IIc from D; elsewhere α alone decides.
    const auto b = Angle(beta);
    if (*a >= 60.0) {
        if (!b) return QStringLiteral("I");
        return *b <= 55.0 ? QStringLiteral("Ia") : QStringLiteral("Ib");
    }
    if (*a >= 50.0) return QStringLiteral("II");
    if (*a >= 43.0) {
        if (!b) return {};
        return *b <= 77.0 ? QStringLiteral("IIc") : QStringLiteral("D");
    }
    return QStringLiteral("III/IV");
}
