// SPDX-License-Identifier: MIT
#include "AssistRules.h"
#include <QDir>
#include <algorithm>

const TAssistRules* TAssistLibrary::System(const QString& id) const
{
    for (const auto& s : systems)
        if (s.id == id) return &s;
    return nullptr;
}

QList<const TAssistRules*> TAssistLibrary::ForOrgan(const QString& organ) const
{
    QList<const TAssistRules*> out;
    for (const auto& s : systems)
        if (s.organ == organ) out << &s;
    return out;
}

QStringList TAssistLibrary::Organs() const
{
    QStringList out;
    for (const auto& s : systems)
        if (!out.contains(s.organ)) out << s.organ;
    return out;
}

QString TAssistLibrary::OrganForItems(const QString& itemNames) const
{
    for (const auto& s : systems)
        for (const QString& w : s.items)
            if (itemNames.contains(w, Qt::CaseInsensitive)) return s.organ;
    return {};
}

namespace {

// Why two systems of one organ cannot share a nodule's answers, or empty.
QString Clash(const TAssistRules& a, const TAssistRules& b)
{
    for (const auto& fa : a.features) {
        const TAssistFeature* fb = b.Feature(fa.key);
        if (!fb) continue;
        bool same = fa.kind == fb->kind && fa.options.size() == fb->options.size() && fa.unit == fb->unit;
        for (int i = 0; same && i < fa.options.size(); ++i) same = fb->Option(fa.options[i].id) != nullptr;
        if (!same) return QStringLiteral("feature '%1' differs from the one of system %2").arg(fa.key, b.id);
    }
    return {};
}

} // namespace

TAssistLibrary LoadAssistLibrary(const QStringList& folders)
{
    TAssistLibrary lib;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.rules")}, QDir::Files, QDir::Name)) {
            try {
                TAssistRules r = LoadAssistRulesFile(dir.filePath(name));
                r.file = dir.filePath(name);
                lib.systems.removeIf([&](const TAssistRules& s) { return s.id == r.id; });
                lib.systems << r;
            } catch (const EAssistRuleError& e) {
                lib.errors << QString::fromStdString(e.what());
            }
        }
    }
    // In load order, so a site's system that clashes is the one left out.
    for (int i = 1; i < lib.systems.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (lib.systems[j].organ != lib.systems[i].organ) continue;
            if (const QString why = Clash(lib.systems[i], lib.systems[j]); !why.isEmpty()) {
                lib.errors << QStringLiteral("%1: %2").arg(lib.systems[i].file, why);
                lib.systems.removeAt(i--);
                break;
            }
        }
    }
    std::stable_sort(lib.systems.begin(), lib.systems.end(), [](const TAssistRules& a, const TAssistRules& b) {
        return a.order != b.order ? a.order < b.order : a.id < b.id;
    });
    return lib;
}
