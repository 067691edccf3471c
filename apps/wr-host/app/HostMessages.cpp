// SPDX-License-Identifier: MIT
#include "app/HostMessages.h"

void Tell(QWidget* parent, const QString& caption, const QString& text, TMsgIcon icon)
{
    TMessageRequest box;
    box.parent = parent;
    box.caption = caption;
    box.text = text;
    box.icon = icon;
    Dialogs().MessageBox(box);
}

TMsgResult Ask(QWidget* parent, const QString& caption, const QString& text, TMsgIcon icon, TMsgResult defaultButton)
{
    TMessageRequest q;
    q.parent = parent;
    q.caption = caption;
    q.text = text;
    q.buttons = TMsgButtons::YesNo;
    q.icon = icon;
    q.defaultButton = defaultButton;
    return Dialogs().MessageBox(q);
}

bool AskYes(QWidget* parent, const QString& caption, const QString& text)
{
    return Ask(parent, caption, text, TMsgIcon::Question, TMsgResult::No) == TMsgResult::Yes;
}
