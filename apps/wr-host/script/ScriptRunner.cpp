// SPDX-License-Identifier: MIT
#include "script/ScriptRunner.h"
#include "app/ConfigStore.h"
#include "script/ControlAccess.h"
#include "shell/HostMainForm.h"
#include "app/Screenshot.h"
#include "print/ReportActions.h"
#include "history/HistoryWindow.h"
#include "lock/IdleLock.h"
#include "lock/LockPanel.h"
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStatusBar>
#include <cstdio>

namespace {
void PrintErr(const QString& line)
{
    const QByteArray b = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stderr);
    std::fflush(stderr);
}
} // namespace

TScriptRunner::TScriptRunner(THostMainForm& host, TConfigStore& config, TScriptSession& session)
    : m_host(host), m_config(config), m_session(session)
{
}

int TScriptRunner::Run(const QList<TScriptCommand>& commands, const QString& scriptName)
{
    for (const TScriptCommand& c : commands) {
        m_session.errors.clear();
        QString error;
        // Only the script's pauses count as idle time for the screen lock.
        auto* idleLock = c.name == QLatin1String("wait") ? nullptr : m_host.findChild<TIdleLock*>();
        if (idleLock) idleLock->Hold();
        bool ok = Execute(c, &error);
        if (idleLock) idleLock->Release();
        // Signals queued by the command (layout, deferred handlers) run before it counts as done.
        QApplication::processEvents();
        if (ok && !m_session.errors.isEmpty()) {
            ok = false;
            error = m_session.errors.join(QLatin1String("; "));
        }
        if (!ok) {
            PrintErr(QStringLiteral("%1:%2: %3: %4").arg(scriptName).arg(c.line).arg(c.name, error));
            return 1;
        }
    }
    QStringList leftovers;
    if (!m_session.answers.isEmpty())
        leftovers << QStringLiteral("%1 queued answer(s) were never asked for").arg(m_session.answers.size());
    if (!m_session.picks.isEmpty())
        leftovers << QStringLiteral("%1 queued pick(s) were never used (first: line %2)")
                         .arg(m_session.picks.size()).arg(m_session.picks.constFirst().line);
    if (!leftovers.isEmpty()) {
        PrintErr(QStringLiteral("%1: end: %2").arg(scriptName, leftovers.join(QLatin1String("; "))));
        return 1;
    }
    m_session.Print(QStringLiteral("script finished: %1 command(s)").arg(commands.size()));
    return 0;
}

QByteArray TScriptRunner::DumpJson()
{
    QJsonObject root;
    if (auto* idleLock = m_host.findChild<TIdleLock*>(); idleLock && idleLock->IsLocked()) {
        // Locked: only what the screen shows, the lock panel.
        root[QStringLiteral("locked")] = true;
        root[QStringLiteral("controls")] = DumpControls(idleLock->Panel());
        return QJsonDocument(root).toJson(QJsonDocument::Indented);
    }
    root[QStringLiteral("locked")] = false;
    root[QStringLiteral("report")] = m_host.CurrentRuid();
    root[QStringLiteral("edited")] = m_host.ReportIsEdited();
    root[QStringLiteral("status")] = m_host.statusBar()->currentMessage();
    root[QStringLiteral("controls")] = m_host.FormWidget() ? DumpControls(m_host.FormWidget()) : QJsonObject();
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool TScriptRunner::Execute(const TScriptCommand& c, QString* error)
{
    const QString& n = c.name;
    if (BlockedByScreenLock(c, error)) return false;
    if (n == QLatin1String("lock-screen") || n == QLatin1String("unlock-screen") || n == QLatin1String("switch-user"))
        return ScreenLock(c, error);
    auto control = [&](const QString& name) -> QObject* {
        QObject* o = FindControl(&m_host, name);
        if (!o) *error = QStringLiteral("no control named '%1'").arg(name);
        return o;
    };
    if (n == QLatin1String("open")) return m_host.OpenReport(c.args.at(0), error);
    if (n == QLatin1String("unlock")) return m_host.SetEditing(true, error);
    if (n == QLatin1String("lock")) return m_host.SetEditing(false, error);
    if (n == QLatin1String("set")) {
        QObject* o = control(c.args.at(0));
        return o && SetControlText(o, c.text, error);
    }
    if (n == QLatin1String("check")) {
        QObject* o = control(c.args.at(0));
        return o && SetControlChecked(o, c.args.at(1) == QLatin1String("on"), error);
    }
    if (n == QLatin1String("click")) {
        QObject* o = control(c.args.at(0));
        return o && ClickControl(o, error);
    }
    if (n == QLatin1String("focus")) {
        QObject* o = control(c.args.at(0));
        return o && FocusControl(o, error);
    }
    if (n == QLatin1String("answer")) {
        m_session.answers << c.args.at(0);
        return true;
    }
    if (n == QLatin1String("pick")) {
        m_session.picks << TScriptPick{*PickerKindFromName(c.args.at(0)), c.text, c.line};
        return true;
    }
    if (n == QLatin1String("save")) {
        const bool expectError = !c.args.isEmpty();
        QString saveError;
        const bool saved = m_host.SaveReport(&saveError);
        if (!expectError) {
            *error = saveError;
            return saved;
        }
        if (saved) {
            *error = QStringLiteral("the save succeeded, but an error was expected");
            return false;
        }
        m_session.Print(QStringLiteral("save failed as expected: %1").arg(saveError));
        return true;
    }
    if (n == QLatin1String("dump")) {
        const QByteArray json = DumpJson();
        if (!c.hasText) {
            m_session.Print(QString::fromUtf8(json));
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
    if (n == QLatin1String("config")) {
        const QString& section = c.args.at(1);
        const QString& key = c.args.at(2);
        if (c.args.at(0) == QLatin1String("get")) {
            m_session.Print(m_config.ReadString(section, key));
            return true;
        }
        if (!m_config.WriteString(section, key, c.text)) {
            *error = QStringLiteral("cannot write [%1] %2 to %3").arg(section, key, m_config.FileName());
            return false;
        }
        return true;
    }
    if (n == QLatin1String("expect")) return Expect(c, error);
    if (n == QLatin1String("screenshot")) return SaveWindowPng(&m_host, c.text, error);
    if (n == QLatin1String("sign") || n == QLatin1String("withdraw") || n == QLatin1String("preview")
        || n == QLatin1String("print") || n == QLatin1String("pdf")) {
        auto* actions = m_host.findChild<TReportActions*>();
        if (!actions) {
            *error = QStringLiteral("this host has no signing and printing");
            return false;
        }
        if (n == QLatin1String("sign")) return actions->Sign(error);
        if (n == QLatin1String("withdraw")) return actions->Withdraw(error);
        if (n == QLatin1String("preview")) return actions->Preview(error);
        if (n == QLatin1String("print")) return actions->Print(c.text, error);
        return actions->ExportPdf(c.text, error);
    }
    if (n == QLatin1String("history")) return History(c, error);
    if (n == QLatin1String("wait")) {
        // The window runs meanwhile (timers fire, the editor writes its draft), as it does
        // while a person pauses.
        QEventLoop loop;
        QTimer::singleShot(c.args.at(0).toInt(), &loop, &QEventLoop::quit);
        loop.exec();
        return true;
    }
    if (n == QLatin1String("echo")) {
        m_session.Print(c.text);
        return true;
    }
    *error = QStringLiteral("unknown command");
    return false;
}

bool TScriptRunner::Expect(const TScriptCommand& c, QString* error)
{
    // "name" compares the text, "name.property" one of the other states.
    QString name = c.args.at(0);
    QString property;
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) {
        property = name.mid(dot + 1);
        name.truncate(dot);
    }
    QObject* o = FindControl(&m_host, name);
    if (!o) {
        *error = QStringLiteral("no control named '%1'").arg(name);
        return false;
    }
    QString actual;
    if (!ControlProperty(o, &m_host, property, &actual, error)) return false;
    if (actual == c.text) return true;
    *error = QStringLiteral("%1 is \"%2\", expected \"%3\"").arg(c.args.at(0), actual, c.text);
    return false;
}
