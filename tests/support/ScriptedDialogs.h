// SPDX-License-Identifier: MIT
// A dialog service for tests: answers message boxes from a queue (Ok when empty) and
// records every request. Installs itself for its lifetime.
#pragma once
#include "platform/DialogService.h"
#include <QList>

class TScriptedDialogs final : public IDialogService {
public:
    TScriptedDialogs() : m_previous(SetDialogService(this)) {}
    ~TScriptedDialogs() override { SetDialogService(m_previous); }
    TScriptedDialogs(const TScriptedDialogs&) = delete;
    TScriptedDialogs& operator=(const TScriptedDialogs&) = delete;

    QList<TMessageRequest> shown;
    QList<TMsgResult> answers;

    TMsgResult MessageBox(const TMessageRequest& request) override
    {
        shown.append(request);
        if (!answers.isEmpty()) return answers.takeFirst();
        return request.buttons == TMsgButtons::YesNo ? TMsgResult::Closed : TMsgResult::Ok;
    }

private:
    IDialogService* m_previous;
};
