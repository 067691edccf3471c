// SPDX-License-Identifier: MIT
// The script command `history`: the versions of the open report, printed as the window
// lists them, one version's sections, its differences from the current one, or a restore.
#include "history/HistoryWindow.h"
#include "app/HostContext.h"
#include "report/ReportColumns.h"
#include "script/ScriptCommands.h"
#include "script/ScriptSession.h"
#include "editor/EditorSession.h"
#include "hostdata/KeyImages.h"

namespace {
QString CheckHistory(const TScriptCommand& c)
{
    const QString& what = c.args.at(0);
    bool number = c.args.size() == 2;
    if (number) c.args.at(1).toUInt(&number);
    const bool known = what == QLatin1String("show") || what == QLatin1String("diff") || what == QLatin1String("restore");
    if (what == QLatin1String("list") ? c.args.size() != 1 : !(known && number))
        return QStringLiteral("history needs 'list', or 'show', 'diff' or 'restore' with a version number");
    return {};
}

bool History(IHostContext& host, THistoryActions* actions, TScriptSession& out, const TScriptCommand& c, QString* error)
{
    const QString what = c.args.at(0);
    const int number = c.args.size() > 1 ? c.args.at(1).toInt() : 0;
    if (what == QLatin1String("list")) {
        QList<TReportVersion> versions;
        if (!actions->Versions(&versions, error)) return false;
        for (int i = 0; i < versions.size(); ++i) out.Print(QStringLiteral("history ") + THistoryActions::Describe(i, versions.at(i)));
        return true;
    }
    if (what == QLatin1String("restore")) return actions->Restore(number, error);
    if (what == QLatin1String("diff")) {
        QStringList lines;
        if (!actions->Differences(number, &lines, error)) return false;
        for (const QString& l : lines) out.Print(QStringLiteral("history diff ") + l);
        if (lines.isEmpty()) out.Print(QStringLiteral("history diff: 与当前版本的文字相同"));
        return true;
    }
    TReportInfo v;
    if (!actions->Content(number, &v, error)) return false;
    auto line = [&](const QString& caption, const QString& text) {
        out.Print(QStringLiteral("history show %1: %2").arg(caption, QString(text).replace(QLatin1Char('\n'), QLatin1String("\\n"))));
    };
    // Each section under the label the form gives its column.
    for (const char* column : {"ItemName", "SuoJian", "JieLun", "JianYi", "BeiZhu", "ReportDoctor"}) {
        const TReportColumn* c = FindReportColumn(QString::fromLatin1(column));
        line(c->Label(), v.*(c->text));
    }
    // The key images that version had (the newest choice saved with it or before).
    QList<TReportVersion> versions;
    if (actions->Versions(&versions, error) && number >= 0 && number < versions.size()) {
        try {
            const auto choice = KeyImageChoiceAt(host.Db(), host.Session().CurrentRuid(), versions.at(number).rowVersion);
            line(QStringLiteral("关键图像"), choice.value_or(QString()));
        } catch (const Exception& e) {
            line(QStringLiteral("关键图像"), QStringLiteral("(无法读取：%1)").arg(e.Message()));
        }
    }
    return true;
}
} // namespace

QList<TScriptCommandShape> HistoryScriptCommands() { return {{"history", 1, 2, false, false, CheckHistory}}; }

void InstallHistoryRoom(IHostContext& host)
{
    auto* actions = new THistoryActions(host);
    host.ScriptCommands().Handle("history", [actions, &host](const TScriptCommand& c, QString* error) {
        TScriptSession* session = host.Script();
        if (!session) {
            *error = QStringLiteral("no script is running");
            return false;
        }
        return History(host, actions, *session, c, error);
    });
}
