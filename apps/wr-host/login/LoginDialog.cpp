// SPDX-License-Identifier: MIT
#include "login/LoginDialog.h"
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

QString PasswordRefusalText(const TLoginResult& r)
{
    if (r.outcome != TLoginOutcome::WrongPassword && r.outcome != TLoginOutcome::UnknownUser) return LoginRefusalText(r);
    return r.failuresLeft > 0 ? QStringLiteral("密码错误，还可以再试 %1 次。").arg(r.failuresLeft) : QStringLiteral("密码错误。");
}

QString LoginRefusalText(const TLoginResult& r)
{
    switch (r.outcome) {
    case TLoginOutcome::Ok: return {};
    case TLoginOutcome::WrongPassword:
    case TLoginOutcome::UnknownUser:
        // The tries left, as the lock panel says them (the database answers an unknown user
        // like a known one, so this gives away nothing).
        return r.failuresLeft > 0
            ? QStringLiteral("用户名或密码错误，还可以再试 %1 次。连续输错 %2 次将锁定 %3 分钟。")
                  .arg(r.failuresLeft).arg(TUserAccounts::kMaxFailures).arg(TUserAccounts::kLockMinutes)
            : QStringLiteral("用户名或密码错误。连续输错 %1 次将锁定 %2 分钟。")
                  .arg(TUserAccounts::kMaxFailures).arg(TUserAccounts::kLockMinutes);
    case TLoginOutcome::LockedOut:
        return r.lockedUntil.isValid()
            ? QStringLiteral("密码输错次数过多，该用户已被锁定，请于 %1 后再试。").arg(r.lockedUntil.toString(QStringLiteral("HH:mm:ss")))
            : QStringLiteral("密码输错次数过多，该用户已被锁定，请稍后再试。");
    case TLoginOutcome::Disabled: return QStringLiteral("该用户已被停用，请联系管理员。");
    case TLoginOutcome::NotAvailable: return QStringLiteral("数据库中没有用户账户，无法登录，请管理员升级数据库。");
    case TLoginOutcome::DatabaseError:
        return QStringLiteral("无法登录，数据库出错：%1").arg(r.message);
    }
    return QStringLiteral("无法登录。");
}

namespace {
QLineEdit* PasswordEdit(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setEchoMode(QLineEdit::Password);
    return e;
}

// Overwrites a held password before it is released.
void Wipe(QString& s)
{
    s.fill(QLatin1Char(' '));
    s.clear();
}
} // namespace

TLoginDialog::TLoginDialog(TCheck check, TChange change, const QString& presetUserCode, QWidget* parent)
    : QDialog(parent), m_check(std::move(check)), m_change(std::move(change))
{
    setObjectName(QStringLiteral("loginDialog"));
    setWindowTitle(QStringLiteral("登录 — 超声检查报告"));
    setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    m_pages = new QStackedWidget(this);
    m_pages->setObjectName(QStringLiteral("loginPages"));

    auto* loginPage = new QWidget(m_pages);
    loginPage->setObjectName(QStringLiteral("loginPage"));
    auto* loginForm = new QFormLayout(loginPage);
    m_userCode = new QLineEdit(presetUserCode, loginPage);
    m_userCode->setObjectName(QStringLiteral("loginUserCode"));
    m_password = PasswordEdit("loginPassword", loginPage);
    loginForm->addRow(QStringLiteral("用户名："), m_userCode);
    loginForm->addRow(QStringLiteral("密码："), m_password);
    m_pages->addWidget(loginPage);

    auto* changePage = new QWidget(m_pages);
    changePage->setObjectName(QStringLiteral("loginChangePage"));
    auto* changeForm = new QFormLayout(changePage);
    m_newPassword = PasswordEdit("loginNewPassword", changePage);
    m_repeatPassword = PasswordEdit("loginRepeatPassword", changePage);
    changeForm->addRow(QStringLiteral("新密码："), m_newPassword);
    changeForm->addRow(QStringLiteral("确认新密码："), m_repeatPassword);
    // On its own page, so it is seen only when a change is due (a button box shows every
    // button it holds).
    m_changeOk = new QPushButton(QStringLiteral("修改密码并登录"), changePage);
    m_changeOk->setObjectName(QStringLiteral("loginChangeOk"));
    changeForm->addRow(QString(), m_changeOk);
    m_pages->addWidget(changePage);
    layout->addWidget(m_pages);

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("loginMessage"));
    m_message->setWordWrap(true);
    m_message->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(m_message);

    auto* buttons = new QDialogButtonBox(this);
    m_ok = buttons->addButton(QStringLiteral("登录"), QDialogButtonBox::ActionRole);
    m_ok->setObjectName(QStringLiteral("loginOk"));
    m_ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("loginCancel"));
    layout->addWidget(buttons);
    connect(m_ok, &QPushButton::clicked, this, &TLoginDialog::TryLogIn);
    connect(m_changeOk, &QPushButton::clicked, this, &TLoginDialog::TryChange);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    (presetUserCode.isEmpty() ? m_userCode : m_password)->setFocus();
}

TLoginDialog::~TLoginDialog() { Wipe(m_oldPassword); }

void TLoginDialog::ShowMessage(const QString& text) { m_message->setText(text); }

void TLoginDialog::TryLogIn()
{
    const QString code = m_userCode->text().trimmed();
    if (code.isEmpty()) {
        ShowMessage(QStringLiteral("请输入用户名。"));
        m_userCode->setFocus();
        return;
    }
    QString password = m_password->text();
    m_password->clear();
    if (password.isEmpty()) {
        ShowMessage(QStringLiteral("请输入密码。"));
        m_password->setFocus();
        return;
    }
    const TLoginResult r = m_check(code, password);
    if (r.outcome != TLoginOutcome::Ok) {
        Wipe(password);
        ShowMessage(LoginRefusalText(r));
        m_password->setFocus();
        return;
    }
    m_result = r;
    if (!r.account.mustChangePassword) {
        Wipe(password);
        accept();
        return;
    }
    // The old password proves the change; it is kept only until the new one is set.
    m_oldPassword = password;
    Wipe(password);
    m_userCode->setReadOnly(true);
    m_pages->setCurrentIndex(1);
    m_ok->setEnabled(false);
    m_ok->setDefault(false);
    m_changeOk->setDefault(true);
    ShowMessage(QStringLiteral("首次登录或密码已被重置，请设置新密码（至少 %1 个字符）。").arg(TUserAccounts::kMinPasswordLength));
    m_newPassword->setFocus();
}

void TLoginDialog::TryChange()
{
    QString fresh = m_newPassword->text();
    QString repeat = m_repeatPassword->text();
    m_newPassword->clear();
    m_repeatPassword->clear();
    if (fresh != repeat) {
        Wipe(fresh);
        Wipe(repeat);
        ShowMessage(QStringLiteral("两次输入的新密码不一致，请重新输入。"));
        m_newPassword->setFocus();
        return;
    }
    const QString reason = m_change(m_result.account.userCode, m_oldPassword, fresh);
    Wipe(fresh);
    Wipe(repeat);
    if (!reason.isEmpty()) {
        ShowMessage(reason);
        m_newPassword->setFocus();
        return;
    }
    Wipe(m_oldPassword);
    m_result.account.mustChangePassword = false;
    accept();
}
