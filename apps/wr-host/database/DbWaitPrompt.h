// SPDX-License-Identifier: MIT
// What the user sees while the database is locked by another program: a wait cursor at once,
// a window that keeps painting, and after 2 seconds the question whether to keep waiting or
// give up (asked again every 30 seconds of further waiting). Giving up fails the statement
// that waited, so a save fails as any failed save does and the edited text stays in the
// editor. The question goes through the dialog service, so scripts and tests answer it.
// Installs itself as the platform's wait handler for its lifetime. UI thread only.
#pragma once
#include "platform/DbWait.h"
#include <QObject>

class QTimer;
class QWidget;

class TDbWaitPrompt final : public QObject {
public:
    static constexpr int kFirstQuestionMs = 2000;
    static constexpr int kNextQuestionMs = 30000;

    explicit TDbWaitPrompt(QWidget* window);
    ~TDbWaitPrompt() override;

    // One call of the wait handler; false gives up.
    bool OnWait(int waitedMs);
    // How many times the question was asked (for the status line and tests).
    int Questions() const { return m_questions; }

private:
    void EndCursor();

    QWidget* m_window;
    TDbWaitHandler m_previous;
    QTimer* m_idle = nullptr;   // notices that a wait has ended
    bool m_cursor = false;
    bool m_asking = false;
    int m_lastMs = -1;
    int m_nextQuestionMs = kFirstQuestionMs;
    int m_questions = 0;
};
