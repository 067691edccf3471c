// SPDX-License-Identifier: MIT
// Puts the idle lock on the host window: the idle time from [Login] IdleLockMinutes, the
// passwords checked against the database's accounts (counted, lock-out applies), and a
// switch of user that gives the new user his role's rights and a fresh editor made by
// `createForm`. UI thread only.
#pragma once
#include "shell/HostMainForm.h"
#include <functional>

class TConfigStore;
class TIdleLock;

// The lock is a child of the window. `log` gets the configuration warning, if any.
TIdleLock* InstallIdleLock(THostMainForm& window, TConfigStore& config,
                           std::function<bool(QWidget* parent, TLoadedForm* form, QString* error)> createForm,
                           const std::function<void(const QString& line)>& log);
