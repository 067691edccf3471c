// SPDX-License-Identifier: MIT
// Every message box of the system goes through one replaceable service, so that tests and
// the host's script mode answer boxes without a person. UI thread only.
#pragma once
#include "PlatformExport.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

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
    // Texts of the Yes and No buttons where the standard ones would not say what they do
    // (e.g. "恢复草稿(&R)", "放弃草稿(&D)"); empty: the standard texts.
    QString yesText;
    QString noText;
    // Two versions side by side, as in TChoiceRequest with markDifferences: a window shows
    // `windowText` (else `text`) above them; headless answers print `text` alone.
    QStringList compareColumns;
    QList<QStringList> compareRows;
    QString windowText;
};

// A decision among named choices, with an optional table that puts versions side by side
// (e.g. the sections of two versions of a report).
struct TChoiceRequest {
    QWidget* parent = nullptr;
    QString caption;
    QString text;
    QStringList columns;        // headers of the table; no table when empty
    QList<QStringList> rows;    // its rows, one text per column
    QStringList choiceIds;      // stable names of the choices, for scripts: "keep-mine", ...
    QStringList choiceTexts;    // the buttons' texts, same order
    int defaultChoice = 0;      // index of the default button
    int escapeChoice = -1;      // what closing the window means (-1: closed, no choice)
    // Columns 1 and 2 are two versions of the row's text: their changed characters are
    // highlighted and only the changed places shown, with a way to see the whole texts.
    bool markDifferences = false;
};

// A password asked of the person at the keyboard (confirming who signs, unlocking). The
// answer is handed back once and never kept by the service.
struct TPasswordRequest {
    QWidget* parent = nullptr;
    QString caption;
    QString text;               // what it is for and whose password, e.g. "审核报告需要再次输入密码。"
    QString userCode;           // shown read-only when not empty
};

class WR_PLATFORM_EXPORT IDialogService {
public:
    virtual ~IDialogService() = default;
    // Shows the box modally and returns the button pressed, or Closed when it was dismissed.
    virtual TMsgResult MessageBox(const TMessageRequest& request) = 0;
    // Shows the choice modally and returns the index chosen, or escapeChoice when the window
    // was closed. This default shows a window, except on a platform without a screen, where
    // nobody could answer: there it answers escapeChoice at once.
    virtual int Choose(const TChoiceRequest& request);
    // Asks for a password; nothing when the question was cancelled. This default shows a
    // dialog (objectNames passwordDialog, passwordText, passwordUser, passwordEdit,
    // passwordOk, passwordCancel), except on a platform without a screen, where it answers
    // nothing at once.
    virtual std::optional<QString> AskPassword(const TPasswordRequest& request);
};

// The service in force; a QMessageBox-based one unless SetDialogService replaced it.
WR_PLATFORM_EXPORT IDialogService& Dialogs();
// Replaces the service (not owned); null restores the default. Returns the previous one.
WR_PLATFORM_EXPORT IDialogService* SetDialogService(IDialogService* service);

// The simple modal box with one OK button.
WR_PLATFORM_EXPORT void ShowMessage(const QString& text, QWidget* parent = nullptr);
