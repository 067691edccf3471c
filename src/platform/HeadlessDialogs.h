// SPDX-License-Identifier: MIT
// Message boxes where nobody can answer them: screenshot and PDF runs, and any run on a
// platform without a screen (offscreen, minimal). A modal box there would wait for ever, so
// every box is printed as one line, `message box "caption": text`, and answered at once:
// a box with only OK is acknowledged; a question is answered as closed (neither Yes nor No,
// so nothing is decided for the user) and counted, so the caller can fail on it.
// UI thread only; install it with SetDialogService for the run.
#pragma once
#include "DialogService.h"
#include "PlatformExport.h"
#include <functional>

class WR_PLATFORM_EXPORT THeadlessDialogService final : public IDialogService {
public:
    using TPrintFn = std::function<void(const QString& line)>;
    // `print` receives each box's line (null: the line goes to stderr).
    explicit THeadlessDialogService(TPrintFn print = {});

    TMsgResult MessageBox(const TMessageRequest& request) override;

    int BoxesShown() const { return m_boxes; }
    int QuestionsUnanswered() const { return m_questions; }

    // The printed line of a box: line breaks are written as \n so one box is one line.
    static QString Describe(const TMessageRequest& request);
    // True when the running GUI platform has no screen a person could look at.
    static bool PlatformIsHeadless();

private:
    TPrintFn m_print;
    int m_boxes = 0;
    int m_questions = 0;
};
