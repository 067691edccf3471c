// SPDX-License-Identifier: MIT
// What a running script has queued for the boxes and pickers that its commands will open,
// and the problems the host noticed while a command ran (a question with no answer, a
// picker with no scripted choice). The script runner owns it; the main form and the
// scripted dialog service only read and append. UI thread only.
#pragma once
#include "hostdata/PickerKind.h"
#include "platform/DialogService.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct TScriptPick {
    TPickerKind kind;
    QString value;
    int line = 0;
};

struct TScriptSession {
    // For the next question boxes and choice windows, in order, as the script wrote them:
    // "yes", "no", "ok", "cancel", "close", or a choice's id ("save", "discard", ...).
    QStringList answers;
    QList<TScriptPick> picks;    // for the next picker windows, in order
    QStringList errors;          // noticed during the current command
    // Writes one line of the script's output (stdout).
    std::function<void(const QString&)> print;
    // The logged-in user's password for `answer password` (read when asked, never kept).
    std::function<std::optional<QString>()> loginPassword;

    void Print(const QString& line) const
    {
        if (print) print(line);
    }
};

// Message boxes for script mode: every box is printed; questions and choice windows take the
// next scripted answer, and one with none (or with an answer that does not fit it) is
// answered "closed" / its escape choice and recorded as an error. A password question takes
// `answer password` (the log-in's own password) or `answer wrong-password`; the password is
// never printed.
class TScriptDialogService final : public IDialogService {
public:
    explicit TScriptDialogService(TScriptSession& session) : m_session(session) {}
    TMsgResult MessageBox(const TMessageRequest& request) override;
    int Choose(const TChoiceRequest& request) override;
    std::optional<QString> AskPassword(const TPasswordRequest& request) override;

    static QString ResultName(TMsgResult r);

private:
    TScriptSession& m_session;
};
