// SPDX-License-Identifier: MIT
#include "PrintSettings.h"

namespace {

bool PageSizeByName(const QString& name, QPageSize* size)
{
    static const struct {
        const char* name;
        QPageSize::PageSizeId id;
    } kSizes[] = {{"A4", QPageSize::A4}, {"A5", QPageSize::A5}, {"B5", QPageSize::B5},
                  {"Letter", QPageSize::Letter}, {"Legal", QPageSize::Legal}};
    for (const auto& s : kSizes) {
        if (name.compare(QLatin1String(s.name), Qt::CaseInsensitive) == 0) {
            *size = QPageSize(s.id);
            return true;
        }
    }
    return false;
}

// A number within [low, high], or nothing.
bool NumberIn(const QString& text, double low, double high, double* value)
{
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || v < low || v > high) return false;
    *value = v;
    return true;
}

} // namespace

TPrintSettings PrintSettingsFrom(const std::function<QString(const QString& key)>& read, QStringList* warnings)
{
    TPrintSettings s;
    auto value = [&](const char* key) { return read(QLatin1String(key)).trimmed(); };
    auto warn = [&](const QString& w) {
        if (warnings) *warnings << w;
    };
    s.hospitalName = value("HospitalName");
    if (const QString v = value("Department"); !v.isEmpty()) s.department = v;
    if (const QString v = value("Title"); !v.isEmpty()) s.title = v;
    s.logoFile = value("Logo");
    if (const QString v = value("PageSize"); !v.isEmpty() && !PageSizeByName(v, &s.pageSize))
        warn(QStringLiteral("[Print] PageSize=%1 is not one of A4, A5, B5, Letter, Legal; using A4").arg(v));
    if (const QString v = value("FontFamily"); !v.isEmpty()) s.fontFamily = v;
    if (const QString v = value("FontSize"); !v.isEmpty() && !NumberIn(v, 6, 24, &s.fontSize))
        warn(QStringLiteral("[Print] FontSize=%1 is not a size from 6 to 24 points; using %2").arg(v).arg(s.fontSize));
    if (const QString v = value("MarginMm"); !v.isEmpty() && !NumberIn(v, 5, 40, &s.marginMm))
        warn(QStringLiteral("[Print] MarginMm=%1 is not from 5 to 40 mm; using %2").arg(v).arg(s.marginMm));
    return s;
}
