// SPDX-License-Identifier: MIT
// The script room's own commands: what a script does to controls as a user would (set,
// check, click, focus), what it reads back (expect, dump, screenshot), the answers it queues
// for boxes, the configuration, pauses and output.
#include "app/ConfigStore.h"
#include "app/HostContext.h"
#include "app/Screenshot.h"
#include "editor/EditorSession.h"
#include "script/ControlAccess.h"
#include "script/ScriptCommands.h"
#include "script/ScriptRunner.h"
#include "sign/SignChecksGate.h"
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>
#include <QTreeWidget>

namespace {

bool OneOf(const QString& v, std::initializer_list<const char*> allowed)
{
    for (const char* a : allowed)
        if (v == QLatin1String(a)) return true;
    return false;
}

QString CheckCheck(const TScriptCommand& c)
{
    if (c.args.isEmpty()) return {};   // the checks before signing
    if (c.args.size() != 2) return QStringLiteral("check takes no words (the checks before signing) or NAME on|off");
    if (!OneOf(c.args.at(1), {"on", "off"})) return QStringLiteral("check needs 'on' or 'off', not '%1'").arg(c.args.at(1));
    return {};
}

// A message box's button, or the id of a choice window's choice.
QString CheckAnswer(const TScriptCommand& c)
{
    if (!OneOf(c.args.at(0), {"yes", "no", "close", "ok", "cancel", "save", "discard", "keep-mine", "take-theirs", "password",
                              "wrong-password", "fix", "override"}))
        return QStringLiteral("answer needs yes, no, close, ok, cancel, save, discard, keep-mine, take-theirs, password, "
                              "wrong-password, fix or override REASON, not '%1'")
            .arg(c.args.at(0));
    if (c.hasText && c.args.at(0) != QLatin1String("override")) return QStringLiteral("only 'answer override' takes a text (the reason)");
    return {};
}

QString CheckWait(const TScriptCommand& c)
{
    bool ok = false;
    const int ms = c.args.at(0).toInt(&ok);
    if (!ok || ms < 0 || ms > 600000) return QStringLiteral("wait needs milliseconds (0 to 600000), not '%1'").arg(c.args.at(0));
    return {};
}

QString CheckConfig(const TScriptCommand& c)
{
    if (c.args.at(0) == QLatin1String("get")) {
        if (c.hasText) return QStringLiteral("config get takes a section and a key only");
    } else if (c.args.at(0) != QLatin1String("set")) {
        return QStringLiteral("config needs 'get' or 'set', not '%1'").arg(c.args.at(0));
    }
    return {};
}

QObject* Control(IHostContext& host, const QString& name, QString* error)
{
    QObject* o = FindControl(host.Window(), name);
    if (!o) *error = QStringLiteral("no control named '%1'").arg(name);
    return o;
}

bool Expect(IHostContext& host, const TScriptCommand& c, QString* error)
{
    // "name" compares the text, "name.property" one of the other states.
    QString name = c.args.at(0);
    QString property;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        property = name.mid(dot + 1);
        name.truncate(dot);
    }
    QObject* o = Control(host, name, error);
    if (!o) return false;
    QString actual;
    if (!ControlProperty(o, host.Window(), property, &actual, error)) return false;
    if (actual == c.text) return true;
    *error = QStringLiteral("%1 is \"%2\", expected \"%3\"").arg(c.args.at(0), actual, c.text);
    return false;
}

bool Dump(IHostContext& host, TScriptSession& out, const TScriptCommand& c, QString* error)
{
    const QByteArray json = DumpJson(host);
    if (!c.hasText) {
        out.Print(QString::fromUtf8(json));
        return true;
    }
    const QString path = QFileInfo(c.text).absoluteFilePath();
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(json) != json.size() || !f.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}

bool Config(IHostContext& host, TScriptSession& out, const TScriptCommand& c, QString* error)
{
    const QString& section = c.args.at(1);
    const QString& key = c.args.at(2);
    if (c.args.at(0) == QLatin1String("get")) {
        out.Print(host.Config().ReadString(section, key));
        return true;
    }
    if (!host.Config().WriteString(section, key, c.text)) {
        *error = QStringLiteral("cannot write [%1] %2 to %3").arg(section, key, host.Config().FileName());
        return false;
    }
    return true;
}

bool Wait(const TScriptCommand& c)
{
    // The window runs meanwhile (timers fire, the editor writes its draft), as it does while
    // a person pauses.
    QEventLoop loop;
    QTimer::singleShot(c.args.at(0).toInt(), &loop, &QEventLoop::quit);
    loop.exec();
    return true;
}

} // namespace

QByteArray DumpJson(IHostContext& host)
{
    QJsonObject root;
    if (QWidget* cover = host.Cover()) {
        // Locked: only what the screen shows, the lock panel.
        root[QStringLiteral("locked")] = true;
        root[QStringLiteral("controls")] = DumpControls(cover);
        return QJsonDocument(root).toJson(QJsonDocument::Indented);
    }
    TEditorSession& session = host.Session();
    root[QStringLiteral("locked")] = false;
    root[QStringLiteral("report")] = session.CurrentRuid();
    root[QStringLiteral("edited")] = session.IsEdited();
    root[QStringLiteral("status")] = host.StatusText();
    root[QStringLiteral("controls")] = session.FormWidget() ? DumpControls(session.FormWidget()) : QJsonObject();
    // The work list's row of the open report as the doctor sees it, column by column.
    if (auto* list = host.Window() ? host.Window()->findChild<QTreeWidget*>(QStringLiteral("worklist")) : nullptr) {
        QStringList cells;
        if (const QTreeWidgetItem* item = list->currentItem())
            for (int c = 0; c < item->columnCount(); ++c) cells << item->text(c);
        root[QStringLiteral("worklistRow")] = cells.join(QLatin1Char('\t'));
    }
    // The key images of the open report ("key N<TAB>UID<TAB>frame"), as the images panel has them.
    if (const QWidget* images = host.Window() ? host.Window()->findChild<QWidget*>(QStringLiteral("Panel_images")) : nullptr)
        root[QStringLiteral("keyImages")] = QJsonArray::fromStringList(images->property("keyImages").toStringList());
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

QList<TScriptCommandShape> ScriptRoomCommands()
{
    return {
        {"set", 1, 1, true, false},        {"check", 0, 2, false, false, CheckCheck},
        {"click", 1, 1, false, false},     {"focus", 1, 1, false, false},
        {"answer", 1, 1, true, false, CheckAnswer},
        {"dump", 0, 0, true, false},       {"config", 3, 3, true, false, CheckConfig},
        {"expect", 1, 1, true, false},     {"screenshot", 0, 0, true, true},
        {"wait", 1, 1, false, false, CheckWait},
        {"echo", 0, 0, true, false},
    };
}

void InstallScriptRoom(IHostContext& host)
{
    TScriptCommands& t = host.ScriptCommands();
    IHostContext* h = &host;
    const auto out = [h]() -> TScriptSession& { return *h->Script(); };
    t.Handle("set", [h](const TScriptCommand& c, QString* e) {
        QObject* o = Control(*h, c.args.at(0), e);
        return o && SetControlText(o, c.text, e);
    });
    t.Handle("check", [h, out](const TScriptCommand& c, QString* e) {
        if (c.args.isEmpty()) return PrintSignChecks(*h, out(), e);
        QObject* o = Control(*h, c.args.at(0), e);
        return o && SetControlChecked(o, c.args.at(1) == QLatin1String("on"), e);
    });
    t.Handle("click", [h](const TScriptCommand& c, QString* e) {
        QObject* o = Control(*h, c.args.at(0), e);
        return o && ClickControl(o, e);
    });
    t.Handle("focus", [h](const TScriptCommand& c, QString* e) {
        QObject* o = Control(*h, c.args.at(0), e);
        return o && FocusControl(o, e);
    });
    t.Handle("answer", [out](const TScriptCommand& c, QString*) {
        out().answers << (c.hasText ? c.args.at(0) + QLatin1Char(' ') + c.text : c.args.at(0));
        return true;
    });
    t.Handle("dump", [h, out](const TScriptCommand& c, QString* e) { return Dump(*h, out(), c, e); });
    t.Handle("config", [h, out](const TScriptCommand& c, QString* e) { return Config(*h, out(), c, e); });
    t.Handle("expect", [h](const TScriptCommand& c, QString* e) { return Expect(*h, c, e); });
    t.Handle("screenshot", [h](const TScriptCommand& c, QString* e) { return SaveWindowPng(h->Window(), c.text, e); });
    t.Handle("wait", [](const TScriptCommand& c, QString*) { return Wait(c); });
    t.Handle("echo", [out](const TScriptCommand& c, QString*) {
        out().Print(c.text);
        return true;
    });
}
