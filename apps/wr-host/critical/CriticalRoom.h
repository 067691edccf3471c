// SPDX-License-Identifier: MIT
// Critical values (危急值) in the host: picking items into the report's critical-value field
// (edt_weiJiZhi) from the site's list (hostdata/CriticalValues.h, critical-items.txt beside
// the check rules; free text allowed), telling the clinician (通知危急值: the person told, the
// way, 复读确认 required; the time is the database's), and the register (危急值登记: every
// notice with its minutes, and the share told within 10 minutes). Actions actionCriticalPick,
// actionCriticalTell, actionCriticalRegister in menu menuCritical (not the tool bar); script commands
// `critical pick TEXT`, `critical tell NAME DEPT PHONE readback` (refused without readback)
// and `critical register FROM TO` (prints the register).
//
// A notice is recorded for the report as saved (pending edits are saved first); nothing is
// signed here, and a refused notice leaves the report unsigned. UI thread only.
#pragma once
#include <QList>

class IHostContext;
struct TScriptCommandShape;

QList<TScriptCommandShape> CriticalScriptCommands();
void InstallCriticalRoom(IHostContext& host);
