// SPDX-License-Identifier: MIT
// Every message box of the system goes through one replaceable service, so that tests and
// the host's script mode answer boxes without a person. UI thread only.
#pragma once
#include "PlatformExport.h"
#include <QString>

class QWidget;

enum class TMsgButtons { Ok, YesNo, OkCancel };
enum class TMsgIcon { None, Information, Warning, Error, Question };
enum class TMsgResult { Ok, Cancel, Yes, No, Closed };

struct TMessageRequest {
    QWidget* parent = nullptr;
    QString text;
    QString caption;
    TMsgButtons buttons = TMsgButtons::Ok;
    TMsgIcon icon = TMsgIcon::None;
    TMsgResult defaultButton = TMsgResult::Ok;
    bool stayOnTop = false;
};

class WR_PLATFORM_EXPORT IDialogService {
public:
    virtual ~IDialogService() = default;
    // Shows the box modally and returns the button pressed, or Closed when it was dismissed.
    virtual TMsgResult MessageBox(const TMessageRequest& request) = 0;
};

// The service in force; a QMessageBox-based one unless SetDialogService replaced it.
WR_PLATFORM_EXPORT IDialogService& Dialogs();
// Replaces the service (not owned); null restores the default. Returns the previous one.
WR_PLATFORM_EXPORT IDialogService* SetDialogService(IDialogService* service);

// The simple modal box with one OK button.
WR_PLATFORM_EXPORT void ShowMessage(const QString& text, QWidget* parent = nullptr);
