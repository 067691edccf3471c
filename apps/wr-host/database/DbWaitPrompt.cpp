// SPDX-License-Identifier: MIT
#include "database/DbWaitPrompt.h"
#include "app/HostMessages.h"
#include "platform/DialogService.h"
#include <QApplication>
#include <QTimer>
#include <QWidget>

TDbWaitPrompt::TDbWaitPrompt(QWidget* window) : m_window(window)
{
    m_idle = new QTimer(this);
    m_idle->setInterval(200);
    // The handler is not told when a wait ends: a wait whose handler has not been called for
    // a while is over.
    connect(m_idle, &QTimer::timeout, this, [this] { EndCursor(); });
    m_previous = SetDbWaitHandler([this](int ms) { return OnWait(ms); });
}

TDbWaitPrompt::~TDbWaitPrompt()
{
    SetDbWaitHandler(std::move(m_previous));
    EndCursor();
}

void TDbWaitPrompt::EndCursor()
{
    m_idle->stop();
    m_lastMs = -1;
    if (m_cursor) QApplication::restoreOverrideCursor();
    m_cursor = false;
}

bool TDbWaitPrompt::OnWait(int waitedMs)
{
    if (m_asking) return true;  // a statement run while the question is shown waits on
    if (waitedMs < m_lastMs || m_lastMs < 0) m_nextQuestionMs = kFirstQuestionMs;  // a new wait
    m_lastMs = waitedMs;
    if (!m_cursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_cursor = true;
    }
    m_idle->start();
    // Keep the window painted; input waits until the statement is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    if (waitedMs < m_nextQuestionMs) return true;

    const QString text = QStringLiteral("数据库正被其他工作站或程序占用，已等待 %1 秒。\r\n\r\n"
                                        "是：继续等待\r\n否：放弃这次操作（编辑的内容仍保留在编辑器中，可以稍后再保存）")
                             .arg(waitedMs / 1000);
    ++m_questions;
    m_asking = true;
    QApplication::restoreOverrideCursor();  // the question takes the ordinary cursor
    const TMsgResult answer = Ask(m_window, QStringLiteral("等待数据库"), text, TMsgIcon::Question, TMsgResult::Yes);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_asking = false;
    if (answer != TMsgResult::Yes) {
        EndCursor();
        return false;
    }
    m_nextQuestionMs = waitedMs + kNextQuestionMs;
    return true;
}
