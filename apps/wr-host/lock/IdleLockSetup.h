// SPDX-License-Identifier: MIT
// The lock room's entry: puts the idle lock on the host window with the idle time from
// [Login] IdleLockMinutes (a bad value is logged), the passwords checked against the
// database's accounts (counted, lock-out applies), and a switch of user that gives the new
// user his role's rights and a fresh editor (the session's createForm). Adds the script
// commands lock-screen, unlock-screen [wrong] and switch-user FILE (LockScript.cpp), and
// keeps a script from reaching anything but the lock panel while the screen is locked.
// UI thread only.
#pragma once
#include <QList>

class IHostContext;
class TIdleLock;

TIdleLock* InstallIdleLock(IHostContext& host);
void InstallLockRoom(IHostContext& host);
QList<struct TScriptCommandShape> LockScriptCommands();
