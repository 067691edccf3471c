// SPDX-License-Identifier: MIT
// The eight pickers the editor's caption buttons ask for. Each reads its list from the
// database, lets the user choose (or takes the script's choice) and hands the result back
// through IReportForm. A picker never throws back into the editor's click handler.
#include "database/HostDataModule.h"
#include "shell/HostMainForm.h"
#include "database/HostQueries.h"
#include "pickers/PickerDialogs.h"
#include "pickers/RtfText.h"
#include "script/ScriptSession.h"
#include "pickers/TemplateTransfer.h"
#include <QPlainTextEdit>
#include <QStatusBar>

void THostMainForm::RunPicker(TPickerKind kind)
{
    Log(QStringLiteral("wr-host"), QStringLiteral("%1 asked").arg(QLatin1String(PickerInfo(kind).operation)));
    if (!m_form.report) return;
    try {
        switch (kind) {
        case TPickerKind::Template: RunTemplatePicker(); break;
        case TPickerKind::Symbol: RunSymbolPicker(); break;
        default: RunListPicker(kind); break;
        }
    } catch (const Exception& e) {
        PickerFailed(kind, e.Message());
    } catch (const std::exception& e) {
        PickerFailed(kind, QString::fromLocal8Bit(e.what()));
    }
}

void THostMainForm::PickerFailed(TPickerKind kind, const QString& message)
{
    const QString title = QString::fromUtf8(PickerInfo(kind).title);
    Log(QStringLiteral("wr-host %1").arg(QLatin1String(PickerInfo(kind).operation)), QStringLiteral("error: ") + message);
    statusBar()->showMessage(QStringLiteral("%1：%2").arg(title, message));
    if (m_session) {
        m_session->errors << QStringLiteral("%1 picker: %2").arg(QLatin1String(PickerInfo(kind).name), message);
        return;
    }
    Tell(title, message, TMsgIcon::Warning);
}

bool THostMainForm::TakeScriptPick(TPickerKind kind, QString* value)
{
    const QString name = QLatin1String(PickerInfo(kind).name);
    if (m_session->picks.isEmpty()) {
        m_session->errors << QStringLiteral("the %1 picker opened but no 'pick %1 ...' was queued").arg(name);
        return false;
    }
    const TScriptPick& next = m_session->picks.constFirst();
    if (next.kind != kind) {
        m_session->errors << QStringLiteral("the %1 picker opened but the next queued pick (line %2) is for %3")
                                 .arg(name).arg(next.line).arg(QLatin1String(PickerInfo(next.kind).name));
        return false;
    }
    *value = m_session->picks.takeFirst().value;
    m_session->Print(QStringLiteral("%1 picker: picked %2").arg(name, *value));
    return true;
}

void THostMainForm::RunListPicker(TPickerKind kind)
{
    TDbConnection& conn = *m_dataModule.GetMainAdoConnection();
    const bool items = kind == TPickerKind::Item;
    if (items && m_currentRuid.isEmpty()) throw Exception(QStringLiteral("no report is open"));
    QList<TPickerEntry> entries = items ? LoadExamItems(conn, m_currentRuid) : LoadPhrases(conn, kind, m_login.deptCode);
    const bool multi = items || kind == TPickerKind::Part;
    // The part picker starts from the parts the report already names.
    if (kind == TPickerKind::Part && m_form.widget)
        if (auto* memo = m_form.widget->findChild<QPlainTextEdit*>(QStringLiteral("Memo_jcpart")))
            TickCurrentTexts(entries, memo->toPlainText());
    TListPickerDialog dlg(kind, entries, multi, this);
    if (m_session) {
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
    const QString text = items ? BindExamItems(conn, m_currentRuid, ids) : JoinItemNames(texts);
    IReportForm* f = m_form.report;
    const TFormCallResult r = CallForm(QLatin1String(PickerInfo(kind).operation), [&] {
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
    statusBar()->showMessage(QStringLiteral("%1：%2").arg(QString::fromUtf8(PickerInfo(kind).title), text));
}

void THostMainForm::RunTemplatePicker()
{
    TDbConnection& conn = *m_dataModule.GetMainAdoConnection();
    const QString category = m_currentRuid.isEmpty() ? QString() : ReportCategory(conn, m_currentRuid);
    TTemplatePickerDialog dlg(LoadTemplates(conn, m_login.deptCode), category, this);
    if (m_session) {
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
        const TFormCallResult r = CallForm(suoJian ? QStringLiteral("SetModValues_SuoJianPasteFromClipboard")
                                                   : QStringLiteral("SetModValues_JieLunPasteFromClipboard"),
                                           [&] {
                                               if (suoJian) m_form.report->SetModValues_SuoJianPasteFromClipboard();
                                               else m_form.report->SetModValues_JieLunPasteFromClipboard();
                                           });
        if (!r.ok) throw Exception(r.error);
        done << (suoJian ? QStringLiteral("影像表现") : QStringLiteral("诊断印像"));
    }
    statusBar()->showMessage(done.isEmpty() ? QStringLiteral("模板“%1”没有可填入的内容").arg(chosen->text)
                                            : QStringLiteral("模板“%1”已填入%2").arg(chosen->text, done.join(QStringLiteral("、"))));
}

void THostMainForm::RunSymbolPicker()
{
    TSymbolPickerDialog dlg(LoadSymbols(*m_dataModule.GetMainAdoConnection()), this);
    if (m_session) {
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
    const TFormCallResult r = CallForm(QStringLiteral("SetTeShuFuHao"), [&] { m_form.report->SetTeShuFuHao(symbol); });
    if (!r.ok) throw Exception(r.error);
}
