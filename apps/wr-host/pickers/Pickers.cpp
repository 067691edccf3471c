// SPDX-License-Identifier: MIT
// The eight pickers the editor's caption buttons ask for. Each reads its list from the
// database, lets the user choose (or takes the script's choice) and hands the result back
// through IReportForm. A picker never throws back into the editor's click handler.
#include "pickers/Pickers.h"
#include "app/HostContext.h"
#include "app/HostMessages.h"
#include "hostdata/HostQueries.h"
#include "editor/EditorSession.h"
#include "script/ScriptCommands.h"
#include "pickers/PickerDialogs.h"
#include "pickers/TemplateTransfer.h"
#include "script/ScriptSession.h"
#include "pickers/TemplateTransfer.h"
#include <QWidget>
#include <QPlainTextEdit>

TPickers::TPickers(IHostContext& host) : QObject(host.Window()), m_host(host) { setObjectName(QStringLiteral("pickers")); }

TEditorSession& TPickers::Session() { return m_host.Session(); }

void TPickers::Run(TPickerKind kind)
{
    m_host.Log(QStringLiteral("wr-host"), QStringLiteral("%1 asked").arg(QLatin1String(PickerInfo(kind).operation)));
    if (!Session().Report()) return;
    try {
        switch (kind) {
        case TPickerKind::Template: RunTemplate(); break;
        case TPickerKind::Symbol: RunSymbol(); break;
        default: RunList(kind); break;
        }
    } catch (const Exception& e) {
        Failed(kind, e.Message());
    } catch (const std::exception& e) {
        Failed(kind, QString::fromLocal8Bit(e.what()));
    }
}

void TPickers::Failed(TPickerKind kind, const QString& message)
{
    const QString title = QString::fromUtf8(PickerInfo(kind).title);
    m_host.Log(QStringLiteral("wr-host %1").arg(QLatin1String(PickerInfo(kind).operation)), QStringLiteral("error: ") + message);
    m_host.Status(QStringLiteral("%1：%2").arg(title, message));
    if (TScriptSession* script = m_host.Script()) {
        script->errors << QStringLiteral("%1 picker: %2").arg(QLatin1String(PickerInfo(kind).name), message);
        return;
    }
    Tell(m_host.Window(), title, message, TMsgIcon::Warning);
}

bool TPickers::TakeScriptPick(TPickerKind kind, QString* value)
{
    TScriptSession* script = m_host.Script();
    const QString name = QLatin1String(PickerInfo(kind).name);
    if (script->picks.isEmpty()) {
        script->errors << QStringLiteral("the %1 picker opened but no 'pick %1 ...' was queued").arg(name);
        return false;
    }
    const TScriptPick& next = script->picks.constFirst();
    if (next.kind != kind) {
        script->errors << QStringLiteral("the %1 picker opened but the next queued pick (line %2) is for %3")
                                 .arg(name).arg(next.line).arg(QLatin1String(PickerInfo(next.kind).name));
        return false;
    }
    *value = script->picks.takeFirst().value;
    script->Print(QStringLiteral("%1 picker: picked %2").arg(name, *value));
    return true;
}

void TPickers::RunList(TPickerKind kind)
{
    TDbConnection& conn = m_host.Db();
    TEditorSession& session = Session();
    const QString& ruid = session.CurrentRuid();
    const bool items = kind == TPickerKind::Item;
    if (items && ruid.isEmpty()) throw Exception(QStringLiteral("no report is open"));
    QList<TPickerEntry> entries = items ? LoadExamItems(conn, ruid) : LoadPhrases(conn, kind, m_host.User().deptCode);
    const bool multi = items || kind == TPickerKind::Part;
    // The part picker starts from the parts the report already names.
    if (kind == TPickerKind::Part && session.FormWidget())
        if (auto* memo = session.FormWidget()->findChild<QPlainTextEdit*>(QStringLiteral("Memo_jcpart")))
            TickCurrentTexts(entries, memo->toPlainText());
    TListPickerDialog dlg(kind, entries, multi, m_host.Window());
    if (m_host.Script()) {
        QString value;
        if (!TakeScriptPick(kind, &value)) return;
        QStringList texts;
        for (const QString& t : multi ? value.split(QLatin1Char('|')) : QStringList{value})
            if (!t.trimmed().isEmpty()) texts << t.trimmed();
        QString error;
        if (!dlg.SelectTexts(texts, &error)) throw Exception(error);
    } else if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    const QList<TPickerEntry> chosen = dlg.Chosen();
    if (!multi && chosen.isEmpty()) return;
    QStringList texts, ids;
    for (const TPickerEntry& e : chosen) {
        texts << e.text;
        ids << e.id;
    }
    const QString text = items ? BindExamItems(conn, ruid, ids) : JoinItemNames(texts);
    IReportForm* f = session.Report();
    const TFormCallResult r = session.CallForm(QLatin1String(PickerInfo(kind).operation), [&] {
        switch (kind) {
        case TPickerKind::Item: f->SetJinCha_ItemString(text); break;
        case TPickerKind::Method: f->SetExamMethodString(text); break;
        case TPickerKind::Part: f->SetExamBuWeiString(text); break;
        case TPickerKind::Lczd: f->SetExamLCZDString(text); break;
        case TPickerKind::JianYi: f->SetExamJianYiString(text); break;
        case TPickerKind::BeiZhu: f->SetExamBeiZhuString(text); break;
        default: break;
        }
    });
    if (!r.ok) throw Exception(r.error);
    m_host.Status(QStringLiteral("%1：%2").arg(QString::fromUtf8(PickerInfo(kind).title), text));
}

void TPickers::RunTemplate()
{
    TDbConnection& conn = m_host.Db();
    TEditorSession& session = Session();
    const QString& ruid = session.CurrentRuid();
    const QString category = ruid.isEmpty() ? QString() : ReportCategory(conn, ruid);
    TTemplatePickerDialog dlg(LoadTemplates(conn, m_host.User().deptCode), category, m_host.Window());
    if (m_host.Script()) {
        QString value;
        if (!TakeScriptPick(TPickerKind::Template, &value)) return;
        // "sj:name" fills only the findings, "jl:name" only the impression, "name" both.
        bool sj = true, jl = true;
        if (value.startsWith(QLatin1String("sj:"))) { jl = false; value = value.mid(3); }
        else if (value.startsWith(QLatin1String("jl:"))) { sj = false; value = value.mid(3); }
        QString error;
        if (!dlg.Select(value.trimmed(), sj, jl, &error)) throw Exception(error);
    } else if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    const TPickerEntry* chosen = dlg.Chosen();
    if (!chosen) return;
    struct TPart { bool wanted; TTemplateSection section; QString rtf; };
    const TPart parts[] = {{dlg.PasteSuoJian(), TTemplateSection::SuoJian, chosen->rtfSuoJian},
                           {dlg.PasteJieLun(), TTemplateSection::JieLun, chosen->rtfJieLun}};
    QStringList done;
    for (const TPart& p : parts) {
        if (!p.wanted || p.rtf.trimmed().isEmpty()) continue;
        const QString rtf = LooksLikeRtf(p.rtf) ? p.rtf : PlainTextToRtf(p.rtf);
        QString error;
        // The editor falls back to the model file when the paste leaves it blank, so the
        // file must hold this template before the paste is asked for.
        if (!WriteModelFile(p.section, rtf, &error)) throw Exception(error);
        PutRtfOnClipboard(rtf);
        const bool suoJian = p.section == TTemplateSection::SuoJian;
        const TFormCallResult r = session.CallForm(suoJian ? QStringLiteral("SetModValues_SuoJianPasteFromClipboard")
                                                           : QStringLiteral("SetModValues_JieLunPasteFromClipboard"),
                                                   [&] {
                                                       if (suoJian) session.Report()->SetModValues_SuoJianPasteFromClipboard();
                                                       else session.Report()->SetModValues_JieLunPasteFromClipboard();
                                                   });
        if (!r.ok) throw Exception(r.error);
        done << (suoJian ? QStringLiteral("影像表现") : QStringLiteral("诊断印像"));
    }
    m_host.Status(done.isEmpty() ? QStringLiteral("模板“%1”没有可填入的内容").arg(chosen->text)
                                            : QStringLiteral("模板“%1”已填入%2").arg(chosen->text, done.join(QStringLiteral("、"))));
}

void TPickers::RunSymbol()
{
    TSymbolPickerDialog dlg(LoadSymbols(m_host.Db()), m_host.Window());
    if (m_host.Script()) {
        QString value;
        if (!TakeScriptPick(TPickerKind::Symbol, &value)) return;
        QString error;
        if (!dlg.Select(value, &error)) throw Exception(error);
    } else if (dlg.exec() != QDialog::Accepted) {
        return;
    }
    const QString symbol = dlg.Chosen();
    if (symbol.isEmpty()) return;
    // The editor inserts whatever the clipboard holds, not its argument.
    PutTextOnClipboard(symbol);
    TEditorSession& session = Session();
    const TFormCallResult r = session.CallForm(QStringLiteral("SetTeShuFuHao"), [&] { session.Report()->SetTeShuFuHao(symbol); });
    if (!r.ok) throw Exception(r.error);
}

namespace {
QString CheckPick(const TScriptCommand& c)
{
    if (!PickerKindFromName(c.args.at(0)))
        return QStringLiteral("unknown picker '%1' (pickers: %2)").arg(c.args.at(0), PickerNames().join(QLatin1String(", ")));
    return {};
}
} // namespace

QList<TScriptCommandShape> PickerScriptCommands() { return {{"pick", 1, 1, true, true, CheckPick}}; }

void InstallPickerRoom(IHostContext& host)
{
    auto* pickers = new TPickers(host);
    host.SetPickerRunner([pickers](TPickerKind kind) { pickers->Run(kind); });
    IHostContext* h = &host;
    host.ScriptCommands().Handle("pick", [h](const TScriptCommand& c, QString* error) {
        TScriptSession* script = h->Script();
        if (!script) {
            *error = QStringLiteral("no script is running");
            return false;
        }
        script->picks << TScriptPick{*PickerKindFromName(c.args.at(0)), c.text, c.line};
        return true;
    });
}
