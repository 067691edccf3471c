// SPDX-License-Identifier: MIT
#include "sign/CheckDialog.h"
#include "app/HostContext.h"
#include "script/ScriptSession.h"
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace {

QString FieldName(TCheckField f)
{
    switch (f) {
    case TCheckField::ExamItem: return QStringLiteral("检查项目");
    case TCheckField::ExamPart: return QStringLiteral("检查部位");
    case TCheckField::Findings: return QStringLiteral("影像表现");
    case TCheckField::Impression: return QStringLiteral("诊断印像");
    }
    return {};
}

QString FieldText(const TCheckInput& in, TCheckField f)
{
    switch (f) {
    case TCheckField::ExamItem: return in.examItem;
    case TCheckField::ExamPart: return in.examPart;
    case TCheckField::Findings: return in.findings;
    case TCheckField::Impression: return in.impression;
    }
    return {};
}

// The sentence around the first mark, the marked words in red; at most a few marks listed.
QString FindingHtml(const TCheckFinding& f, const TCheckInput& in)
{
    QString html = QStringLiteral("<p><b>%1</b> %2").arg(f.IsBlock() ? QStringLiteral("【拦截】") : QStringLiteral("【提醒】"),
                                                        f.title.toHtmlEscaped());
    if (!f.words.isEmpty() && f.marks.isEmpty()) html += QStringLiteral("：%1").arg(f.words.toHtmlEscaped());
    for (int i = 0; i < f.marks.size() && i < 3; ++i) {
        const TCheckMark& m = f.marks[i];
        const QString text = FieldText(in, m.field);
        if (m.start + m.length > text.size()) continue;
        const int from = std::max(0, m.start - 12), to = std::min<int>(text.size(), m.start + m.length + 12);
        html += QStringLiteral("<br>&nbsp;&nbsp;%1：…%2<span style=\"color:#c00000;font-weight:bold;text-decoration:underline\">%3</span>%4…")
                    .arg(FieldName(m.field), text.mid(from, m.start - from).toHtmlEscaped(),
                         text.mid(m.start, m.length).toHtmlEscaped(), text.mid(m.start + m.length, to - m.start - m.length).toHtmlEscaped());
    }
    if (f.marks.size() > 3) html += QStringLiteral("<br>&nbsp;&nbsp;（另有 %1 处）").arg(f.marks.size() - 3);
    return html + QStringLiteral("</p>");
}

TCheckAnswer Scripted(IHostContext& host, const QList<TCheckFinding>& findings, bool printing, const QString& caption)
{
    TScriptSession* s = host.Script();
    TCheckAnswer none;
    const auto print = [&](const QString& line) {
        if (s) s->Print(line);
    };
    for (const TCheckFinding& f : findings) print(QStringLiteral("check dialog \"%1\": %2").arg(caption, CheckLine(f).mid(7)));
    if (!s) return none;   // no screen and no script: nothing signs unseen
    if (s->answers.isEmpty()) {
        s->errors << QStringLiteral("the check dialog \"%1\" appeared but no 'answer fix' or 'answer override REASON' was queued").arg(caption);
        print(QStringLiteral("  answered fix"));
        return none;
    }
    const QString a = s->answers.takeFirst();
    if (a == QLatin1String("fix")) {
        print(QStringLiteral("  answered fix"));
        return none;
    }
    if (a == QLatin1String("override") || a.startsWith(QLatin1String("override "))) {
        const QString reason = a.mid(8).trimmed();
        if (HasBlock(findings)) {
            s->errors << QStringLiteral("a finding blocks: the check dialog \"%1\" cannot be overridden").arg(caption);
            return none;
        }
        if (reason.isEmpty() && !printing) {
            s->errors << QStringLiteral("'answer override' needs the reason at signing");
            return none;
        }
        print(QStringLiteral("  answered override: %1").arg(reason));
        return {true, reason};
    }
    s->errors << QStringLiteral("the answer '%1' does not fit the check dialog \"%2\" (fix or override REASON)").arg(a, caption);
    return none;
}

} // namespace

TCheckAnswer AskAboutFindings(IHostContext& host, const QList<TCheckFinding>& findings, const TCheckInput& text, bool printing)
{
    const QString caption = printing ? QStringLiteral("打印前检查") : QStringLiteral("签发前检查");
    if (host.Headless()) return Scripted(host, findings, printing, caption);

    const bool blocked = HasBlock(findings);
    QDialog dialog(host.Window());
    dialog.setObjectName(QStringLiteral("checkDialog"));
    dialog.setWindowTitle(caption);
    auto* layout = new QVBoxLayout(&dialog);
    auto* intro = new QLabel(blocked ? QStringLiteral("报告有不能忽略的问题，请返回修改：")
                                     : printing ? QStringLiteral("这份未审核的报告有以下提醒：")
                                                : QStringLiteral("审核前发现以下问题，请核对："),
                             &dialog);
    intro->setObjectName(QStringLiteral("lblCheckIntro"));
    layout->addWidget(intro);
    auto* list = new QTextBrowser(&dialog);
    list->setObjectName(QStringLiteral("txtCheckFindings"));
    QString html;
    for (const TCheckFinding& f : findings) html += FindingHtml(f, text);
    list->setHtml(html);
    list->setMinimumSize(520, 220);
    layout->addWidget(list);
    auto* reason = new QLineEdit(&dialog);
    reason->setObjectName(QStringLiteral("edtCheckReason"));
    reason->setPlaceholderText(QStringLiteral("忽略提醒的理由（必填）"));
    reason->setVisible(!blocked && !printing);
    layout->addWidget(reason);
    auto* buttons = new QDialogButtonBox(&dialog);
    QPushButton* fix = buttons->addButton(QStringLiteral("返回修改"), QDialogButtonBox::RejectRole);
    fix->setObjectName(QStringLiteral("btnCheckFix"));
    fix->setDefault(true);
    fix->setAutoDefault(true);
    QPushButton* go = buttons->addButton(printing ? QStringLiteral("仍然打印") : QStringLiteral("忽略提醒并审核"), QDialogButtonBox::AcceptRole);
    go->setObjectName(QStringLiteral("btnCheckOverride"));
    go->setAutoDefault(false);
    go->setVisible(!blocked);
    const auto update = [&] { go->setEnabled(!blocked && (printing || !reason->text().trimmed().isEmpty())); };
    QObject::connect(reason, &QLineEdit::textChanged, &dialog, update);
    update();
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    fix->setFocus();
    if (dialog.exec() != QDialog::Accepted || blocked) return {};
    return {true, reason->text().trimmed()};
}
