// SPDX-License-Identifier: MIT
// A save that met a newer stored version: the doctor sees who saved it and what differs,
// and decides. Nothing is written before the choice.
#include "ReportUnit.h"
#include "platform/DialogService.h"
#include "report/ReportDraft.h"
#include <QClipboard>
#include <QDateTime>
#include <QGuiApplication>
#include <QMimeData>

namespace {
const QStringList kChoiceIds{QStringLiteral("keep-mine"), QStringLiteral("take-theirs"), QStringLiteral("cancel")};
}

TConflictChoice TReportForm::ResolveSaveConflict(const TSaveConflict& c)
{
    const QString who = c.theirStamp.savedBy.isEmpty() ? QStringLiteral("其他工作站") : c.theirStamp.savedBy;
    const QString when = c.theirStamp.savedAt.isEmpty() ? QStringLiteral("不久前") : c.theirStamp.savedAt;
    TChoiceRequest r;
    r.parent = this;
    r.caption = QStringLiteral("报告保存冲突");
    r.text = QStringLiteral("这份报告在您打开之后已被 %1 于 %2 保存过，您的修改还没有写入数据库。\r\n"
                            "下表列出两份内容不同的部分。请选择：\r\n"
                            "  保留我的版本：用您的内容覆盖（对方的版本保存在历史版本中）；\r\n"
                            "  采用库中版本：显示对方保存的内容（您的修改复制到剪贴板）；\r\n"
                            "  返回编辑：不保存，继续编辑。")
                 .arg(who, when);
    r.columns = {QStringLiteral("项目"), QStringLiteral("库中版本（%1）").arg(who), QStringLiteral("我的版本")};
    for (const TConflictSection& s : c.sections) r.rows.append({s.caption, s.theirs, s.mine});
    if (c.sections.isEmpty()) r.rows.append({QStringLiteral("（无）"), QStringLiteral("文字相同，可能只有格式不同"), QString()});
    r.choiceIds = kChoiceIds;
    r.markDifferences = true;
    r.choiceTexts = {QStringLiteral("保留我的版本(&K)"), QStringLiteral("采用库中版本(&T)"), QStringLiteral("返回编辑(&E)")};
    r.defaultChoice = 2;
    r.escapeChoice = 2;
    switch (Dialogs().Choose(r)) {
    case 0: return TConflictChoice::KeepMine;
    case 1: return TConflictChoice::TakeTheirs;
    default: return TConflictChoice::Cancel;
    }
}

void TReportForm::TakeStoredVersion(const TSaveConflict& c)
{
    // The doctor's own text stays at hand: every section that differed, on the clipboard,
    // with the findings and impression also as RTF for pasting back with their formatting.
    QString text = QStringLiteral("【未保存的本机修改 %1】\r\n").arg(c.ruid);
    for (const TConflictSection& s : c.sections) text += QStringLiteral("%1：%2\r\n").arg(s.caption, s.mine);
    auto* mime = new QMimeData;
    mime->setText(text);
    const QByteArray findings = RichEditRtf(TRichSection::SuoJian);
    if (!findings.isEmpty()) mime->setData(QStringLiteral("text/rtf"), findings);
    QGuiApplication::clipboard()->setMimeData(mime);

    // And a copy in the draft store's backup folder, which outlives the clipboard.
    TReportDraft draft;
    draft.ruid = c.ruid;
    draft.userCode = FLogion_user.userCode;
    draft.userName = FLogion_user.UserName;
    draft.written = QDateTime::currentDateTimeUtc();
    draft.record = c.mine;
    draft.rtfSuoJian = findings;
    draft.rtfJieLun = RichEditRtf(TRichSection::JieLun);
    TDraftStore store(TDraftStore::DefaultRoot(), FLogion_user.userCode, FLogion_user.UserName);
    QString error;
    const QString kept = store.KeepCopy(draft, QStringLiteral("conflict"), &error);
    Write_Log_TomfmAndLogbpl(QStringLiteral("ReportForm.SaveReportInfoToDB"),
                             QStringLiteral("保存冲突：改用库中版本，本机修改已复制到剪贴板，副本：%1\r\n")
                                     .arg(kept.isEmpty() ? QStringLiteral("未能保存（%1）").arg(error) : kept)
                                 + text);
    FReloadAfterSave = true;
}
