// SPDX-License-Identifier: MIT
// The host's two kinds of message box, through the dialog service (so a script answers them
// and a headless run prints them): a notice with an OK button, and a yes/no question.
// UI thread only.
#pragma once
#include "platform/DialogService.h"

class QWidget;

void Tell(QWidget* parent, const QString& caption, const QString& text, TMsgIcon icon);
TMsgResult Ask(QWidget* parent, const QString& caption, const QString& text, TMsgIcon icon, TMsgResult defaultButton);
// A question whose safe answer is 否: true only for 是.
bool AskYes(QWidget* parent, const QString& caption, const QString& text);
