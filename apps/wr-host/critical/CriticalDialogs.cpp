// SPDX-License-Identifier: MIT
#include "critical/CriticalDialogs.h"
#include "platform/Database.h"
#include <QCheckBox>
#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QTableWidget>
#include <QTextStream>
#include <QVBoxLayout>

QString PickCriticalItem(QWidget* parent, const QList<TCriticalItem>& items)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("criticalPickDialog"));
    d.setWindowTitle(QStringLiteral("选择危急值"));
    auto* layout = new QVBoxLayout(&d);
    auto* list = new QListWidget(&d);
    list->setObjectName(QStringLiteral("lstCriticalItems"));
    QString category;
    for (const TCriticalItem& item : items) {
        if (item.category != category && !item.category.isEmpty()) {
            auto* heading = new QListWidgetItem(item.category, list);
            heading->setFlags(Qt::NoItemFlags);
            QFont f = heading->font();
            f.setBold(true);
            heading->setFont(f);
        }
        category = item.category;
        new QListWidgetItem(item.text, list);
    }
    list->setMinimumSize(460, 320);
    layout->addWidget(list);
    auto* free = new QLineEdit(&d);
    free->setObjectName(QStringLiteral("edtCriticalFree"));
    free->setPlaceholderText(QStringLiteral("或输入其他危急值"));
    layout->addWidget(free);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("btnCriticalPickOk"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCriticalPickCancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    layout->addWidget(buttons);
    if (d.exec() != QDialog::Accepted) return {};
    if (!free->text().trimmed().isEmpty()) return free->text().trimmed();
    return list->currentItem() ? list->currentItem()->text() : QString();
}

bool AskCriticalNotice(QWidget* parent, const QString& toldBy, TCriticalNoticeInput* notice)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("criticalTellDialog"));
    d.setWindowTitle(QStringLiteral("通知危急值"));
    auto* form = new QFormLayout(&d);
    auto edit = [&](const char* name, const QString& label) {
        auto* e = new QLineEdit(&d);
        e->setObjectName(QLatin1String(name));
        form->addRow(label, e);
        return e;
    };
    QLineEdit* name = edit("edtReceiverName", QStringLiteral("接收人"));
    QLineEdit* dept = edit("edtReceiverDept", QStringLiteral("科室"));
    QLineEdit* phone = edit("edtReceiverPhone", QStringLiteral("电话或通知方式"));
    auto* readBack = new QCheckBox(QStringLiteral("接收人已复读，内容无误（复读确认）"), &d);
    readBack->setObjectName(QStringLiteral("chkReadBack"));
    form->addRow(QString(), readBack);
    auto* who = new QLabel(QStringLiteral("通知人：%1；时间以数据库时间为准").arg(toldBy), &d);
    who->setObjectName(QStringLiteral("lblToldBy"));
    form->addRow(QString(), who);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("btnCriticalTellOk"));
    ok->setText(QStringLiteral("记录通知"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("btnCriticalTellCancel"));
    const auto update = [&] {
        ok->setEnabled(readBack->isChecked() && !name->text().trimmed().isEmpty() && !dept->text().trimmed().isEmpty()
                       && !phone->text().trimmed().isEmpty());
    };
    for (QLineEdit* e : {name, dept, phone}) QObject::connect(e, &QLineEdit::textChanged, &d, update);
    QObject::connect(readBack, &QCheckBox::toggled, &d, update);
    update();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    form->addRow(buttons);
    if (d.exec() != QDialog::Accepted) return false;
    notice->receiverName = name->text().trimmed();
    notice->receiverDept = dept->text().trimmed();
    notice->receiverPhone = phone->text().trimmed();
    notice->readBack = readBack->isChecked();
    return true;
}

void ShowCriticalRegister(QWidget* parent, TDbConnection& conn)
{
    QDialog d(parent);
    d.setObjectName(QStringLiteral("criticalRegisterWindow"));
    d.setWindowTitle(QStringLiteral("危急值登记"));
    auto* layout = new QVBoxLayout(&d);
    auto* bar = new QHBoxLayout;
    auto* from = new QDateEdit(QDate::currentDate().addDays(-30), &d);
    from->setObjectName(QStringLiteral("dteRegisterFrom"));
    auto* to = new QDateEdit(QDate::currentDate(), &d);
    to->setObjectName(QStringLiteral("dteRegisterTo"));
    for (QDateEdit* e : {from, to}) {
        e->setCalendarPopup(true);
        e->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    auto* query = new QPushButton(QStringLiteral("查询"), &d);
    query->setObjectName(QStringLiteral("btnRegisterQuery"));
    auto* csv = new QPushButton(QStringLiteral("导出CSV"), &d);
    csv->setObjectName(QStringLiteral("btnRegisterCsv"));
    bar->addWidget(new QLabel(QStringLiteral("从"), &d));
    bar->addWidget(from);
    bar->addWidget(new QLabel(QStringLiteral("到"), &d));
    bar->addWidget(to);
    bar->addWidget(query);
    bar->addStretch();
    bar->addWidget(csv);
    layout->addLayout(bar);
    auto* table = new QTableWidget(&d);
    table->setObjectName(QStringLiteral("tblRegister"));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setMinimumSize(900, 360);
    layout->addWidget(table);
    auto* share = new QLabel(&d);
    share->setObjectName(QStringLiteral("lblRegisterShare"));
    layout->addWidget(share);
    TCriticalRegister reg;
    const auto run = [&] {
        try {
            reg = ReadCriticalRegister(conn, from->date(), to->date());
        } catch (const Exception& e) {
            share->setText(QStringLiteral("读取危急值登记失败：%1").arg(e.Message()));
            return;
        }
        QString text;
        QTextStream out(&text);
        WriteCriticalRegister(reg, out, false);
        out.flush();
        QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList header = lines.takeFirst().split(QLatin1Char('\t'));
        const QString summary = lines.isEmpty() ? QString() : lines.takeLast();
        table->clear();
        table->setColumnCount(header.size());
        table->setHorizontalHeaderLabels(header);
        table->setRowCount(lines.size());
        for (int r = 0; r < lines.size(); ++r) {
            const QStringList cells = lines[r].split(QLatin1Char('\t'));
            const bool untold = reg.rows.value(r).notice.id == 0;
            for (int c = 0; c < cells.size(); ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                if (untold) item->setForeground(QColor(0xC0, 0, 0));
                table->setItem(r, c, item);
            }
        }
        table->resizeColumnsToContents();
        share->setText(summary);
    };
    QObject::connect(query, &QPushButton::clicked, &d, run);
    QObject::connect(csv, &QPushButton::clicked, &d, [&] {
        const QString file = QFileDialog::getSaveFileName(&d, QStringLiteral("导出危急值登记"), QStringLiteral("危急值登记.csv"),
                                                          QStringLiteral("CSV (*.csv)"));
        if (file.isEmpty()) return;
        QString text;
        QTextStream out(&text);
        WriteCriticalRegister(reg, out, true);
        out.flush();
        QSaveFile f(file);
        if (!f.open(QIODevice::WriteOnly) || f.write("\xEF\xBB\xBF") < 0 || f.write(text.toUtf8()) < 0 || !f.commit())
            share->setText(QStringLiteral("不能写入 %1：%2").arg(file, f.errorString()));
    });
    run();
    d.exec();
}
