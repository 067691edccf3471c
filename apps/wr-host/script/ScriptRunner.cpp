// SPDX-License-Identifier: MIT
#include "script/ScriptRunner.h"
#include "app/HostContext.h"
#include "script/ScriptCommands.h"
#include <QApplication>
#include <cstdio>

namespace {
void PrintErr(const QString& line)
{
    const QByteArray b = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stderr);
    std::fflush(stderr);
}
} // namespace

TScriptRunner::TScriptRunner(IHostContext& host) : m_host(host), m_session(*host.Script()) {}

int TScriptRunner::Run(const QList<TScriptCommand>& commands, const QString& scriptName)
{
    const TScriptCommands& table = m_host.ScriptCommands();
    for (const TScriptCommand& c : commands) {
        m_session.errors.clear();
        QString error;
        table.Around(c, true);
        bool ok = table.Run(c, &error);
        table.Around(c, false);
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
