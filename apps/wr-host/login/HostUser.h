// SPDX-License-Identifier: MIT
// The logged-in user as the host knows him: who he is and what his role grants. Plain data,
// copied freely; the editor session holds the current one.
#pragma once
#include <QSet>
#include <QString>

// The logged-in user, as the database's account says (login/HostLogin.h).
struct THostLogin {
    QString userName, userCode, deptCode;
    int roleId = 0;
    QString roleCode{};        // WrRole.RoleCode
    QSet<QString> granted{};   // the operations the role grants (HostPermissions)
    bool hasRole = false;      // false: no account behind it (tests of parts only): local rule alone
};
