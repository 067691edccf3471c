// SPDX-License-Identifier: MIT
// The script command `history`: the versions of the open report, printed as the window
// lists them, one version's sections, its differences from the current one, or a restore.
#include "history/HistoryWindow.h"
#include "shell/HostMainForm.h"
#include "script/ScriptParser.h"
#include "script/ScriptRunner.h"
#include "script/ScriptSession.h"

bool TScriptRunner::History(const TScriptCommand& c, QString* error)
{
    auto* actions = m_host.findChild<THistoryActions*>();
    if (!actions) {
        *error = QStringLiteral("this host has no report history");
        return false;
    }
    const QString what = c.args.at(0);
    const int number = c.args.size() > 1 ? c.args.at(1).toInt() : 0;
    if (what == QLatin1String("list")) {
        QList<TReportVersion> versions;
        if (!actions->Versions(&versions, error)) return false;
        for (int i = 0; i < versions.size(); ++i) m_session.Print(QStringLiteral("history ") + THistoryActions::Describe(i, versions.at(i)));
        return true;
    }
    if (what == QLatin1String("restore")) return actions->Restore(number, error);
    if (what == QLatin1String("diff")) {
        QStringList lines;
        if (!actions->Differences(number, &lines, error)) return false;
        for (const QString& l : lines) m_session.Print(QStringLiteral("history diff ") + l);
        if (lines.isEmpty()) m_session.Print(QStringLiteral("history diff: 与当前版本的文字相同"));
        return true;
    }
    TReportInfo v;
    if (!actions->Content(number, &v, error)) return false;
    auto line = [&](const char* caption, const QString& text) {
        m_session.Print(QStringLiteral("history show %1: %2").arg(QString::fromUtf8(caption), QString(text).replace(QLatin1Char('\n'), QLatin1String("\\n"))));
    };
    line("检查项目", v.FItemName);
    line("影像表现", v.FSuoJian);
    line("诊断印像", v.FJieLun);
    line("建议", v.FJianYi);
    line("备注", v.FBeiZhu);
    line("报告医生", v.FReportDoctor);
    return true;
}
