// SPDX-License-Identifier: MIT
// What a locked host window shows instead of the report: who locked it, a password field to
// unlock as that user, and a user code and password for another user to log in instead.
// Every control carries its objectName (lockPanel, lockTitle, lockUser, lockPassword,
// lockUnlock, lockMessage, lockSwitchUserCode, lockSwitchPassword, lockSwitchUser).
//
// The panel checks nothing itself: it hands the typed texts to its owner (TIdleLock) through
// the two signals and clears the password fields right after, so a password stays in a
// widget no longer than one attempt. UI thread only.
#pragma once
#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

class TLockPanel final : public QWidget {
    Q_OBJECT
public:
    explicit TLockPanel(QWidget* parent);

    // The user whose password unlocks, e.g. "张医生（D001）".
    void SetUser(const QString& shownName);
    // A line under the fields; `problem` shows it in red.
    void ShowMessage(const QString& text, bool problem);
    // Empties every field and puts the focus into the password field.
    void Reset();

    QLineEdit* PasswordEdit() const { return m_password; }
    QLineEdit* SwitchCodeEdit() const { return m_switchCode; }
    QLineEdit* SwitchPasswordEdit() const { return m_switchPassword; }
    QPushButton* UnlockButton() const { return m_unlock; }
    QPushButton* SwitchButton() const { return m_switch; }

signals:
    // The texts are handed over once; the fields are already empty when these arrive.
    void unlockRequested(const QString& password);
    void switchRequested(const QString& userCode, const QString& password);

private:
    QLabel* m_user = nullptr;
    QLabel* m_message = nullptr;
    QLineEdit* m_password = nullptr;
    QLineEdit* m_switchCode = nullptr;
    QLineEdit* m_switchPassword = nullptr;
    QPushButton* m_unlock = nullptr;
    QPushButton* m_switch = nullptr;
};
