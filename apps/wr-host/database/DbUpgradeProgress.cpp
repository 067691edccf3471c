// SPDX-License-Identifier: MIT
#include "database/DbUpgradeProgress.h"
#include <QCoreApplication>
#include <QProgressDialog>

TDbUpgradeProgress::TDbUpgradeProgress(TLog log, bool onScreen) : m_log(std::move(log)), m_onScreen(onScreen) {}

TDbUpgradeProgress::~TDbUpgradeProgress() = default;

TSqliteUpgradeProgress TDbUpgradeProgress::Callback()
{
    return [this](const TSqliteUpgradeWork& work) { On(work); };
}

void TDbUpgradeProgress::On(const TSqliteUpgradeWork& work)
{
    using P = TSqliteUpgradeWork::TPhase;
    if (work.phase == P::Started) {
        m_log(QStringLiteral("database upgrade (%1), one-time work: building %2").arg(work.script, work.what));
        if (m_onScreen) {
            if (!m_window) {
                // No cancel: a half-built index is rolled back and built again at the next start.
                m_window = std::make_unique<QProgressDialog>();
                m_window->setObjectName(QStringLiteral("databaseUpgradeProgress"));
                m_window->setWindowTitle(QStringLiteral("升级数据库"));
                m_window->setCancelButton(nullptr);
                m_window->setRange(0, 0);  // how long an index takes is not known in advance
                m_window->setMinimumDuration(0);
            }
            m_window->setLabelText(QStringLiteral("新版本第一次打开这个数据库，正在建立索引（只做一次）：\n%1").arg(work.what));
            m_window->show();
        }
    } else if (work.phase == P::Finished) {
        m_log(QStringLiteral("database upgrade (%1): %2 built in %3 s").arg(work.script, work.what).arg(work.elapsedMs / 1000.0, 0, 'f', 1));
    }
    if (m_window) {
        m_window->setValue(0);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}
