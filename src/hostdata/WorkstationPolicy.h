// SPDX-License-Identifier: MIT
// The workstation's policy: the idle lock time ([Login] IdleLockMinutes) and the rights a
// workstation takes away ([Permissions]), set by the administrator in a system-wide file the
// user cannot edit, /etc/writereport/policy.ini. The user's own configuration can only make
// them stricter: a shorter lock time, fewer rights; never a longer time, never the lock off
// where the policy sets a time, never a right the policy refuses.
//
// The environment variable WRITEREPORT_POLICY_FILE names one more policy file (tests, a site
// that keeps it elsewhere). It is read as well as the system file, never instead of it, so
// naming one can only add strictness: of two lock times the shorter counts, a right refused in
// either file is refused. A policy file that is absent sets nothing.
//
// Pure values once loaded; any thread.
#pragma once
#include "hostdata/HostPermissions.h"
#include <QString>
#include <QStringList>
#include <optional>

class TWorkstationPolicy {
public:
    static constexpr double kDefaultIdleMinutes = 10;
    static constexpr const char* kFileVariable = "WRITEREPORT_POLICY_FILE";
    static QString SystemFile();

    // The system file and the one the environment names. Unreadable files are named in
    // *warnings and set nothing.
    static TWorkstationPolicy Load(QStringList* warnings = nullptr);
    // These files only (tests).
    explicit TWorkstationPolicy(const QStringList& files, QStringList* warnings = nullptr);
    TWorkstationPolicy() = default;

    const QStringList& Files() const { return m_files; }
    // The shortest positive lock time the policy files set; nothing when none sets one
    // (0 in a policy file sets none).
    std::optional<double> IdleLockMinutes() const { return m_idleMinutes; }

    // The idle time in milliseconds for the user's [Login] IdleLockMinutes text: empty gives the
    // policy's time or the default, 0 turns the lock off (only without a policy time), a
    // fraction is allowed (0.5 is 30 s; at least 1 s, at most a day). A value that is not a
    // number, or one the policy does not allow, is replaced and explained in *warning.
    int IdleLockMs(const QString& userText, QString* warning = nullptr) const;

    // The user's [Permissions] lookup narrowed by the policy's: a right the policy refuses is
    // refused whatever the user's file says; otherwise the user's file decides as before.
    HostPermissions::TLookup Narrow(HostPermissions::TLookup user) const;

private:
    QStringList m_files;
    std::optional<double> m_idleMinutes;
    // The policy's [Permissions] values by operation name, stricter file first.
    QList<QPair<QString, QString>> m_permissions;
};
