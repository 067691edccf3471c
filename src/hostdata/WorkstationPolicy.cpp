// SPDX-License-Identifier: MIT
#include "WorkstationPolicy.h"
#include "platform/Exception.h"
#include "platform/IniFile.h"
#include <QFileInfo>
#include <algorithm>
#include <cmath>

namespace {
const QString kLogin = QStringLiteral("Login");
const QString kIdleKey = QStringLiteral("IdleLockMinutes");
const QString kPermissions = QStringLiteral("Permissions");
constexpr int kMinIdleMs = 1000;
constexpr double kMaxMinutes = 24 * 60;

// Minutes from a configuration text: nothing for an empty text or one that is no number.
std::optional<double> Minutes(const QString& text, bool* malformed)
{
    *malformed = false;
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v) || v < 0) {
        *malformed = true;
        return std::nullopt;
    }
    return std::min(v, kMaxMinutes);
}

int ToMs(double minutes)
{
    if (minutes == 0) return 0;
    return std::max(kMinIdleMs, static_cast<int>(std::lround(minutes * 60000.0)));
}
} // namespace

QString TWorkstationPolicy::SystemFile() { return QStringLiteral("/etc/writereport/policy.ini"); }

TWorkstationPolicy TWorkstationPolicy::Load(QStringList* warnings)
{
    QStringList files{SystemFile()};
    const QString extra = qEnvironmentVariable(kFileVariable);
    if (!extra.isEmpty() && QFileInfo(extra).absoluteFilePath() != QFileInfo(SystemFile()).absoluteFilePath()) files << extra;
    return TWorkstationPolicy(files, warnings);
}

TWorkstationPolicy::TWorkstationPolicy(const QStringList& files, QStringList* warnings)
{
    for (const QString& file : files) {
        if (!QFileInfo::exists(file)) continue;
        try {
            const TIniFile ini(file);
            bool malformed = false;
            const QString text = ini.ReadString(kLogin, kIdleKey, QString());
            const std::optional<double> minutes = Minutes(text, &malformed);
            if (malformed && warnings)
                *warnings << QStringLiteral("%1: [Login] IdleLockMinutes=%2 is not a number of minutes; ignored").arg(file, text);
            if (minutes && *minutes > 0) m_idleMinutes = m_idleMinutes ? std::min(*m_idleMinutes, *minutes) : *minutes;
            for (const QString& key : ini.ReadSection(kPermissions)) {
                const QString value = ini.ReadString(kPermissions, key, QString());
                // A refusal goes first, so it is what Narrow finds for the name.
                if (HostPermissions([&](const QString&) { return std::optional<QString>(value); }).Allowed(key))
                    m_permissions.append({key, value});
                else
                    m_permissions.prepend({key, value});
            }
            m_files << file;
        } catch (const Exception& e) {
            if (warnings) *warnings << QStringLiteral("cannot read the workstation policy %1: %2").arg(file, e.Message());
        }
    }
}

int TWorkstationPolicy::IdleLockMs(const QString& userText, QString* warning) const
{
    bool malformed = false;
    const std::optional<double> user = Minutes(userText, &malformed);
    const double fallback = m_idleMinutes.value_or(kDefaultIdleMinutes);
    if (malformed) {
        if (warning)
            *warning = QStringLiteral("[Login] IdleLockMinutes=%1 is not a number of minutes; the screen locks after %2 minutes")
                           .arg(userText.trimmed()).arg(fallback);
        return ToMs(fallback);
    }
    if (!user) return ToMs(fallback);
    if (m_idleMinutes && (*user == 0 || *user > *m_idleMinutes)) {
        if (warning)
            *warning = QStringLiteral("[Login] IdleLockMinutes=%1 is not allowed by the workstation policy (%2); the screen "
                                      "locks after %3 minutes")
                           .arg(userText.trimmed(), m_files.join(QStringLiteral(", ")))
                           .arg(*m_idleMinutes);
        return ToMs(*m_idleMinutes);
    }
    return ToMs(*user);
}

HostPermissions::TLookup TWorkstationPolicy::Narrow(HostPermissions::TLookup user) const
{
    return [policy = m_permissions, user = std::move(user)](const QString& name) -> std::optional<QString> {
        std::optional<QString> set;
        for (const auto& [key, value] : policy) {
            if (key.compare(name, Qt::CaseInsensitive) != 0) continue;
            set = value;
            break;
        }
        // The policy's refusal stands; its grant is no more than the absence of a refusal.
        if (set && !HostPermissions([&](const QString&) { return set; }).Allowed(name)) return set;
        if (user) return user(name);
        return std::nullopt;
    };
}
