// SPDX-License-Identifier: MIT
#include "critical/CriticalRoom.h"
#include "app/HostContext.h"
#include "app/InstallLayout.h"
#include "critical/CriticalDialogs.h"
#include "editor/EditorSession.h"
#include "editor/ReportTask.h"
#include "hostdata/CriticalValues.h"
#include "hostdata/SignCheckReport.h"
#include "script/ControlAccess.h"
#include "script/ScriptCommands.h"
#include "script/ScriptSession.h"
#include <QAction>
#include <QDate>
#include <QMenu>
#include <QWidget>

#ifndef WR_HOST_SOURCE_CHECKS_DIR
#define WR_HOST_SOURCE_CHECKS_DIR ""
#endif

namespace {

const char kCaption[] = "危急值";

QList<TCriticalItem> SiteItems(IHostContext& host)
{
    const QString path = FindCheckDataFile(QString::fromLatin1(kCriticalItemsFile),
                                           CheckDataFolders(InstalledChecksFolder(), QStringLiteral(WR_HOST_SOURCE_CHECKS_DIR)));
    try {
        if (!path.isEmpty()) return LoadCriticalItems(path);
        host.Log(QStringLiteral("wr-host critical"), QStringLiteral("no %1 found: free text only").arg(QLatin1String(kCriticalItemsFile)));
    } catch (const Exception& e) {
        host.Log(QStringLiteral("wr-host critical"), e.Message());
    }
    return {};
}

// Adds `item` to the report's critical-value field as typing would: the field must be open
// for editing.
bool Pick(IHostContext& host, const QString& item, QString* error)
{
    QString ruid;
    if (!TaskOpenRuid(host, &ruid, error)) return false;
    QObject* field = FindControl(host.Window(), QStringLiteral("edt_weiJiZhi"));
    if (!field) return TaskFail(host, QString::fromUtf8(kCaption), QStringLiteral("报告中没有危急值一栏（edt_weiJiZhi）。"), error);
    const QString current = field->property("text").toString();
    if (!SetControlText(field, AddCriticalItem(current, item), error))
        return TaskFail(host, QString::fromUtf8(kCaption), QStringLiteral("不能填写危急值：%1").arg(*error), error);
    host.Notify(QStringLiteral("危急值：%1。保存后请通知临床并记录复读确认。").arg(field->property("text").toString()));
    return true;
}

bool Tell(IHostContext& host, TCriticalNoticeInput notice, QString* error)
{
    const QString what = QStringLiteral("通知危急值");
    if (!TaskOpenRuid(host, &notice.ruid, error)) return false;
    // The notice is of the value as saved: what the register and the printout show.
    if (!host.Session().EnsureSaved(what, error)) return false;
    TPrintRecord record;
    if (!TaskLoadRecord(host, notice.ruid, &record, error)) return false;
    if (!HasCriticalValue(record.weiJiValue))
        return TaskFail(host, what, QStringLiteral("报告没有危急值，不需要通知。"), error);
    if (!notice.readBack) return TaskFail(host, what, QStringLiteral("接收人须复读确认危急值，才能记录通知。"), error);
    try {
        const TCriticalNotice n = RecordCriticalNotice(host.Db(), notice, TaskSigner(host));
        host.Log(QStringLiteral("wr-host critical"), QStringLiteral("notice %1 of report %2 to %3 (%4) by %5")
                                                         .arg(n.id).arg(notice.ruid, n.receiverName, n.receiverDept, n.toldByCode));
        host.Notify(QStringLiteral("危急值已通知并记入登记：%1").arg(CriticalNoticeText(n)));
    } catch (const Exception& e) {
        return TaskFail(host, what, e.Message(), error);
    }
    host.Session().Reopen(true);
    // The work list reads the row again as after a save, so it is no longer marked as
    // waiting for its notice (nothing of the report itself changed).
    emit host.Session().reportSaved(notice.ruid, false);
    host.UpdateActions();
    return true;
}

bool ReportDates(const TScriptCommand& c, QDate* from, QDate* to, QString* error)
{
    const QStringList w = c.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (w.size() == 2) {
        *from = QDate::fromString(w[0], Qt::ISODate);
        *to = QDate::fromString(w[1], Qt::ISODate);
    }
    if (w.size() != 2 || !from->isValid() || !to->isValid() || *from > *to) {
        *error = QStringLiteral("critical register needs FROM TO as yyyy-MM-dd, FROM not after TO");
        return false;
    }
    return true;
}

QString CheckCritical(const TScriptCommand& c)
{
    const QString what = c.args.at(0);
    const QStringList w = c.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (what == QLatin1String("pick")) return c.text.trimmed().isEmpty() ? QStringLiteral("critical pick needs the item") : QString();
    if (what == QLatin1String("tell"))
        return w.size() == 3 || (w.size() == 4 && w[3] == QLatin1String("readback"))
                   ? QString()
                   : QStringLiteral("critical tell needs NAME DEPT PHONE and then readback");
    if (what == QLatin1String("register")) return w.size() == 2 ? QString() : QStringLiteral("critical register needs FROM TO");
    return QStringLiteral("critical needs pick, tell or register, not '%1'").arg(what);
}

} // namespace

QList<TScriptCommandShape> CriticalScriptCommands() { return {{"critical", 1, 1, true, true, CheckCritical}}; }

void InstallCriticalRoom(IHostContext& host)
{
    IHostContext* h = &host;
    host.AddMenu("menuCritical", QStringLiteral("危急值(&C)"));
    // In the menu only: the tool bar is full, and a wider one narrows the report beside it.
    QMenu* menu = host.Window()->findChild<QMenu*>(QStringLiteral("menuCritical"));
    const auto add = [h, menu](const char* id, const QString& text, std::function<void()> run) {
        auto* a = new QAction(text, h->Window());
        a->setObjectName(QLatin1String(id));
        QObject::connect(a, &QAction::triggered, h->Window(), run);
        if (menu) menu->addAction(a);
        h->Window()->addAction(a);
    };
    add("actionCriticalPick", QStringLiteral("填写危急值…"), [h] {
        QString e, ruid;
        if (!TaskOpenRuid(*h, &ruid, &e)) return;
        const QString item = PickCriticalItem(h->Window(), SiteItems(*h));
        if (!item.isEmpty()) Pick(*h, item, &e);
    });
    add("actionCriticalTell", QStringLiteral("通知危急值…"), [h] {
        QString e, ruid;
        TCriticalNoticeInput n;
        if (!TaskOpenRuid(*h, &ruid, &e)) return;
        if (AskCriticalNotice(h->Window(), TaskSigner(*h).name, &n)) Tell(*h, n, &e);
    });
    add("actionCriticalRegister", QStringLiteral("危急值登记…"), [h] { ShowCriticalRegister(h->Window(), h->Db()); });
    host.ScriptCommands().Handle("critical", [h](const TScriptCommand& c, QString* error) {
        const QString what = c.args.at(0);
        if (what == QLatin1String("pick")) return Pick(*h, c.text.trimmed(), error);
        if (what == QLatin1String("register")) {
            QDate from, to;
            if (!ReportDates(c, &from, &to, error)) return false;
            try {
                QString text;
                QTextStream out(&text);
                WriteCriticalRegister(ReadCriticalRegister(h->Db(), from, to), out, false);
                out.flush();
                for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
                    if (TScriptSession* s = h->Script()) s->Print(QStringLiteral("critical: ") + line);
                return true;
            } catch (const Exception& e) {
                *error = e.Message();
                return false;
            }
        }
        const QStringList w = c.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        TCriticalNoticeInput n;
        n.receiverName = w.value(0);
        n.receiverDept = w.value(1);
        n.receiverPhone = w.value(2);
        n.readBack = w.value(3) == QLatin1String("readback");
        return Tell(*h, n, error);
    });
}
