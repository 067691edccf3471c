// SPDX-License-Identifier: MIT
#include "shell/ReportHeader.h"
#include "hostdata/HostQueries.h"
#include "platform/Database.h"
#include "platform/Exception.h"
#include <QAbstractButton>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

TReportHeader::TReportHeader(QWidget* window, QWidget* formHost, QStatusBar* status, std::function<bool()> changed)
    : QObject(window), m_window(window), m_changed(std::move(changed))
{
    m_header = new QLabel(formHost);
    m_header->setObjectName(QStringLiteral("patientHeader"));
    m_header->setTextFormat(Qt::PlainText);
    m_header->setContentsMargins(8, 4, 8, 4);
    QFont f = m_header->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    m_header->setFont(f);
    m_header->setStyleSheet(QStringLiteral("background: #eef3fa; border-bottom: 1px solid #b8c8e0;"));
    m_header->hide();
    if (auto* layout = qobject_cast<QVBoxLayout*>(formHost->layout())) layout->insertWidget(0, m_header);
    m_changedLabel = new QLabel(status);
    m_changedLabel->setObjectName(QStringLiteral("reportChanged"));
    m_changedLabel->setStyleSheet(QStringLiteral("color: #b00000; font-weight: bold;"));
    status->addPermanentWidget(m_changedLabel);
}

QString TReportHeader::HeaderText(const QString& name, const QString& sex, const QString& age, const QString& accnu,
                                  const QString& items)
{
    QStringList parts;
    if (!name.trimmed().isEmpty()) parts << name.trimmed();
    if (!sex.trimmed().isEmpty()) parts << sex.trimmed();
    if (!age.trimmed().isEmpty()) parts << age.trimmed();
    if (!accnu.trimmed().isEmpty()) parts << QStringLiteral("检查号 %1").arg(accnu.trimmed());
    if (!items.trimmed().isEmpty()) parts << items.trimmed();
    return parts.join(QStringLiteral("　"));
}

void TReportHeader::ShowReport(TDbConnection& conn, const QString& ruid)
{
    TReportHeading h;
    try {
        h = ReadReportHeading(conn, ruid);
    } catch (const Exception&) {
        // The header is a courtesy: a database that cannot say more shows the report all the same.
    }
    m_header->setText(HeaderText(h.patientName, h.sex, h.age, h.accnu, h.items));
    m_header->setVisible(!m_header->text().isEmpty());
    Refresh();
}

void TReportHeader::Watch(QWidget* form)
{
    const auto schedule = [this] { Schedule(); };
    for (auto* e : form->findChildren<QTextEdit*>()) connect(e, &QTextEdit::textChanged, this, schedule);
    for (auto* e : form->findChildren<QPlainTextEdit*>()) connect(e, &QPlainTextEdit::textChanged, this, schedule);
    for (auto* e : form->findChildren<QLineEdit*>()) connect(e, &QLineEdit::textChanged, this, schedule);
    for (auto* e : form->findChildren<QComboBox*>()) connect(e, &QComboBox::currentTextChanged, this, schedule);
    for (auto* e : form->findChildren<QDateTimeEdit*>()) connect(e, &QDateTimeEdit::dateTimeChanged, this, schedule);
    for (auto* e : form->findChildren<QAbstractButton*>()) connect(e, &QAbstractButton::toggled, this, schedule);
}

void TReportHeader::Schedule()
{
    // One check per burst of changes (a template paste changes many things at once).
    if (m_scheduled) return;
    m_scheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_scheduled = false;
        Refresh();
    });
}

void TReportHeader::Refresh()
{
    const bool changed = m_changed && m_changed();
    m_window->setWindowModified(changed);
    m_changedLabel->setText(changed ? QStringLiteral("已修改") : QString());
}
