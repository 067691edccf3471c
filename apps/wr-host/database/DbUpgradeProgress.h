// SPDX-License-Identifier: MIT
// The one-time work of a database upgrade the host runs at start (the demo database takes
// the newer scripts when a newer version first opens it): each piece is logged with what it
// is and how long it took, and on a screen a progress window says what the start waits for,
// kept painting while SQLite builds an index over a million reports. Headless runs only log.
// UI thread only; lives for the upgrade.
#pragma once
#include "platform/SqliteDatabase.h"
#include <functional>
#include <memory>

class QProgressDialog;

class TDbUpgradeProgress {
public:
    using TLog = std::function<void(const QString& line)>;
    TDbUpgradeProgress(TLog log, bool onScreen);
    ~TDbUpgradeProgress();
    TDbUpgradeProgress(const TDbUpgradeProgress&) = delete;
    TDbUpgradeProgress& operator=(const TDbUpgradeProgress&) = delete;

    // For UpgradeSqliteDatabase.
    TSqliteUpgradeProgress Callback();
    void On(const TSqliteUpgradeWork& work);

private:
    TLog m_log;
    bool m_onScreen;
    std::unique_ptr<QProgressDialog> m_window;
};
