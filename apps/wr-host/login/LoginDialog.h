// SPDX-License-Identifier: MIT
// The Chinese log-in dialog of an interactive start: user code and password, checked by a
// function the host gives (TUserAccounts::LogIn), with the refusal shown in the dialog and
// the password field emptied for the next try. A user who must change the password at this
// first log-in gets a second page (new password twice) before the dialog is accepted.
//
// Controls: loginUserCode, loginPassword, loginMessage, loginOk, loginCancel; on the change
// page loginNewPassword, loginRepeatPassword, loginChangeOk. The typed passwords are cleared
// from the fields as soon as they were used. UI thread only.
#pragma once
#include "hostdata/UserAccounts.h"
#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;

// The text the dialog (and a headless run's error) shows for a refused log-in. A wrong
// password and an unknown user read the same, so user codes cannot be probed.
QString LoginRefusalText(const TLoginResult& result);
// The same where the user is fixed and only the password was typed (confirming who signs):
// "密码错误" and the tries left.
QString PasswordRefusalText(const TLoginResult& result);

class TLoginDialog final : public QDialog {
    Q_OBJECT
public:
    using TCheck = std::function<TLoginResult(const QString& userCode, const QString& password)>;
    // Empty on success, else the reason in Chinese.
    using TChange = std::function<QString(const QString& userCode, const QString& oldPassword, const QString& newPassword)>;

    TLoginDialog(TCheck check, TChange change, const QString& presetUserCode, QWidget* parent = nullptr);
    ~TLoginDialog() override;

    // The successful log-in once the dialog was accepted.
    const TLoginResult& Result() const { return m_result; }

private:
    void TryLogIn();
    void TryChange();
    void ShowMessage(const QString& text);

    TCheck m_check;
    TChange m_change;
    TLoginResult m_result;
    QString m_oldPassword;  // held only between the log-in and the forced change
    QStackedWidget* m_pages = nullptr;
    QLineEdit* m_userCode = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_newPassword = nullptr;
    QLineEdit* m_repeatPassword = nullptr;
    QLabel* m_message = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_changeOk = nullptr;
};
