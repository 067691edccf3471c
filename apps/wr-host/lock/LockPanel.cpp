// SPDX-License-Identifier: MIT
#include "lock/LockPanel.h"
#include <QFormLayout>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* PasswordField(const char* name, QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setEchoMode(QLineEdit::Password);
    // No input method: a composing window would show the typed characters.
    e->setAttribute(Qt::WA_InputMethodEnabled, false);
    e->setMaxLength(256);
    return e;
}
} // namespace

TLockPanel::TLockPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("lockPanel"));
    setAutoFillBackground(true);

    auto* box = new QFrame(this);
    box->setObjectName(QStringLiteral("lockBox"));
    box->setFrameShape(QFrame::StyledPanel);
    box->setMaximumWidth(460);
    auto* title = new QLabel(QStringLiteral("屏幕已锁定"), box);
    title->setObjectName(QStringLiteral("lockTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    m_user = new QLabel(box);
    m_user->setObjectName(QStringLiteral("lockUser"));
    m_user->setTextFormat(Qt::PlainText);
    m_user->setAlignment(Qt::AlignCenter);
    m_user->setWordWrap(true);

    m_password = PasswordField("lockPassword", box);
    m_unlock = new QPushButton(QStringLiteral("解锁"), box);
    m_unlock->setObjectName(QStringLiteral("lockUnlock"));
    m_unlock->setDefault(true);
    auto* unlockForm = new QFormLayout;
    unlockForm->addRow(QStringLiteral("密码："), m_password);
    unlockForm->addRow(QString(), m_unlock);

    m_message = new QLabel(box);
    m_message->setObjectName(QStringLiteral("lockMessage"));
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_message->setAlignment(Qt::AlignCenter);

    auto* other = new QGroupBox(QStringLiteral("其他用户登录（当前用户没有保存的修改留作其草稿，不会显示给新用户）"), box);
    other->setObjectName(QStringLiteral("lockSwitchBox"));
    m_switchCode = new QLineEdit(other);
    m_switchCode->setObjectName(QStringLiteral("lockSwitchUserCode"));
    m_switchCode->setMaxLength(64);
    m_switchPassword = PasswordField("lockSwitchPassword", other);
    m_switch = new QPushButton(QStringLiteral("切换用户"), other);
    m_switch->setObjectName(QStringLiteral("lockSwitchUser"));
    auto* switchForm = new QFormLayout(other);
    switchForm->addRow(QStringLiteral("用户名："), m_switchCode);
    switchForm->addRow(QStringLiteral("密码："), m_switchPassword);
    switchForm->addRow(QString(), m_switch);

    auto* inner = new QVBoxLayout(box);
    inner->setContentsMargins(24, 20, 24, 20);
    inner->setSpacing(12);
    inner->addWidget(title);
    inner->addWidget(m_user);
    inner->addLayout(unlockForm);
    inner->addWidget(m_message);
    inner->addSpacing(8);
    inner->addWidget(other);

    auto* outer = new QVBoxLayout(this);
    outer->addStretch(1);
    outer->addWidget(box, 0, Qt::AlignHCenter);
    outer->addStretch(2);

    const auto unlock = [this] {
        const QString password = m_password->text();
        m_password->clear();
        emit unlockRequested(password);
    };
    const auto switchUser = [this] {
        const QString code = m_switchCode->text().trimmed();
        const QString password = m_switchPassword->text();
        m_switchPassword->clear();
        emit switchRequested(code, password);
    };
    connect(m_unlock, &QPushButton::clicked, this, unlock);
    connect(m_password, &QLineEdit::returnPressed, this, unlock);
    connect(m_switch, &QPushButton::clicked, this, switchUser);
    connect(m_switchPassword, &QLineEdit::returnPressed, this, switchUser);
    connect(m_switchCode, &QLineEdit::returnPressed, m_switchPassword, [this] { m_switchPassword->setFocus(); });
}

void TLockPanel::SetUser(const QString& shownName)
{
    m_user->setText(QStringLiteral("当前用户：%1。请输入密码解锁。").arg(shownName));
}

void TLockPanel::ShowMessage(const QString& text, bool problem)
{
    m_message->setStyleSheet(problem ? QStringLiteral("color: #b00000;") : QString());
    m_message->setText(text);
}

void TLockPanel::Reset()
{
    m_password->clear();
    m_switchCode->clear();
    m_switchPassword->clear();
    m_message->clear();
    m_password->setFocus(Qt::OtherFocusReason);
}
