// SPDX-License-Identifier: MIT
// The local draft of the report being edited. While the form is unlocked, every change to
// a section arms one single-shot timer; when it fires, the whole editable state goes to the
// draft store. No timer runs while nothing is being edited. A successful save removes the
// draft; the next open of a report with a draft that differs from the stored row offers it
// back through the dialog service.
#include "ReportUnit.h"
#include "platform/DialogService.h"
#include "report/ReportDraft.h"
#include "rtf/Rtf.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <utility>
#include <QTextEdit>
#include <QTimer>

namespace {

const QString kDraftTitle = QStringLiteral("ReportForm.Draft");
// Well inside the promise that a draft is at most about 2 seconds behind the typing.
constexpr int kDraftDelayMs = 1500;
constexpr int kPreviewChars = 60;

// A draft's base that names the stored row's stamp, not its digest.
const QByteArray kStampBase = QByteArrayLiteral("stamp:");

// Characters of unchanged text shown before the place where stored and draft text part.
constexpr int kPreviewContext = 12;

QString OneLine(QString s)
{
    return s.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// The stored and the draft text of a section, each cut to where they differ: a little of the
// common text before the first difference, then up to kPreviewChars; a long findings section
// changed near its end shows that change, not its unchanged beginning.
std::pair<QString, QString> DifferencePreviews(const QString& storedText, const QString& draftText)
{
    const QString stored = OneLine(storedText), draft = OneLine(draftText);
    qsizetype common = 0;
    while (common < stored.size() && common < draft.size() && stored[common] == draft[common]) ++common;
    const qsizetype from = qMax<qsizetype>(0, common - kPreviewContext);
    auto cut = [from](const QString& s) {
        if (s.isEmpty()) return QStringLiteral("（空）");
        QString shown = s.mid(from, kPreviewChars);
        if (from > 0) shown.prepend(QStringLiteral("…"));
        if (from + kPreviewChars < s.size()) shown.append(QStringLiteral("…"));
        return shown;
    };
    return {cut(stored), cut(draft)};
}

QString PlainTextOfRtf(const QByteArray& rtf)
{
    QTextDocument doc;
    if (!RtfToDocument(rtf, doc)) return QString::fromLatin1(rtf);
    return DocumentPlainText(doc);
}

} // namespace

TDraftStore TReportForm::DraftStore() const
{
    return TDraftStore(TDraftStore::DefaultRoot(), FLogion_user.userCode, FLogion_user.UserName);
}

void TReportForm::WireDraftTracking()
{
    auto changed = [this] { DraftContentChanged(); };
    for (QPlainTextEdit* m : {Memo_jcItem, memo_jcmethod, Memo_jcpart, memo_lczd, Memo_JianYi, memo_beizhu})
        connect(m, &QPlainTextEdit::textChanged, this, changed);
    // The document's signal also reports format-only changes (bold, colour, alignment).
    for (QTextEdit* r : {rich_jcsj, rich_zdjx}) connect(r->document(), &QTextDocument::contentsChanged, this, changed);
    // Any change of a document (a load too) makes its RTF be taken again for the next draft.
    connect(rich_jcsj->document(), &QTextDocument::contentsChanged, this, [this] { FDraftRtfDocument[0] = nullptr; });
    connect(rich_zdjx->document(), &QTextDocument::contentsChanged, this, [this] { FDraftRtfDocument[1] = nullptr; });
    for (QComboBox* c : {Cbx_TanTouRate, cbx_ImageQuality, cbx_jcTuJing, Cbx_ReportDoctor, Cbx_HuiZhenDoctor,
                         cbx_ExamDoctor, Cbx_ShenHedoctor, Cbx_kgj_Left_BaseLine, Cbx_kgj_Left_kjgd, Cbx_kgj_Left_gxtq,
                         Cbx_kgj_Left_rgyc, Cbx_kgj_Left_gxzx, Cbx_kgj_Left_α, Cbx_kgj_Left_β, Cbx_kgj_Right_BaseLine,
                         Cbx_kgj_Right_kjgd, Cbx_kgj_Right_gxtq, Cbx_kgj_Right_rgyc, Cbx_kgj_Right_gxzx,
                         Cbx_kgj_Right_α, Cbx_kgj_Right_β})
        connect(c, &QComboBox::editTextChanged, this, changed);
    connect(edt_weiJiZhi, &QLineEdit::textChanged, this, changed);
    connect(Check_YinYiang, &QCheckBox::toggled, this, changed);
    for (TDateTimePicker* d : {L_ReportDate, L_ShenHeDate}) connect(d, &QDateTimeEdit::dateTimeChanged, this, changed);
}

void TReportForm::DraftContentChanged()
{
    // Only a doctor's edits of a report that loaded make a draft: not the load itself, not
    // what a save does to the controls, not a locked report filled by the host.
    if (FDraftSuspended || FSaving || !FEditStatus || FLoadOutcome != TLoadOutcome::Loaded) return;
    FDraftDirty = true;
    if (!FDraftTimer) {
        FDraftTimer = new QTimer(this);
        FDraftTimer->setObjectName(QStringLiteral("draftTimer"));
        FDraftTimer->setSingleShot(true);
        connect(FDraftTimer, &QTimer::timeout, this, [this] { WriteDraft(true); });
    }
    // Armed by the first change and not pushed back by later ones: during steady typing the
    // draft still follows every kDraftDelayMs.
    if (!FDraftTimer->isActive()) FDraftTimer->start(kDraftDelayMs);
}

TReportDraft TReportForm::CurrentDraft()
{
    TReportDraft d;
    d.ruid = Frptinfo.FRuid;
    d.userCode = FLogion_user.userCode.isEmpty() ? FLogion_user.UserName : FLogion_user.userCode;
    d.userName = FLogion_user.UserName;
    d.written = QDateTime::currentDateTimeUtc();
    d.base = DraftBase();
    d.record = Frptinfo;
    UiToRptInfo(d.record);
    d.rtfSuoJian = DraftRtf(0);
    d.rtfJieLun = DraftRtf(1);
    return d;
}

const QByteArray& TReportForm::DraftBase()
{
    if (!FDraftBaseKnown) {
        // The row's stamp where the database keeps one: the doctor's own save moves it as a
        // reload would see it, where a digest of the record in memory would not match.
        FDraftBase = LoadedStamp().version >= 0 ? kStampBase + QByteArray::number(LoadedStamp().version)
                                                : TDraftStore::RowDigest(FDraftBaseRow);
        FDraftBaseRow = TReportInfo();
        FDraftBaseKnown = true;
    }
    return FDraftBase;
}

QByteArray TReportForm::DraftRtf(int which)
{
    const QTextDocument* doc = (which == 0 ? rich_jcsj : rich_zdjx)->document();
    if (FDraftRtfDocument[which] != doc) {
        FDraftRtf[which] = DocumentToRtf(*doc);
        FDraftRtfDocument[which] = doc;
    }
    return FDraftRtf[which];
}

bool TReportForm::WriteDraft(bool log)
{
    if (FDraftTimer) FDraftTimer->stop();
    if (!FDraftDirty || Frptinfo.FRuid.isEmpty()) return true;
    QString error;
    if (!DraftStore().Write(CurrentDraft(), &error)) {
        // Not "异常:": the report itself is untouched; the next change tries again.
        if (log) Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("草稿没有写入:") + error);
        return false;
    }
    FDraftDirty = false;
    return true;
}

bool TReportForm::FlushDraft()
{
    return !FDraftDirty || WriteDraft(true);
}

void TReportForm::DraftSaved()
{
    if (FDraftTimer) FDraftTimer->stop();
    FDraftDirty = false;
    // The doctor's own save is the row the next draft begins from, so an offer after a crash
    // does not take it for someone else's save.
    if (LoadedStamp().version < 0) FDraftBaseRow = Frptinfo;
    FDraftBaseKnown = false;
    if (!Frptinfo.FRuid.isEmpty() && !DraftStore().Remove(Frptinfo.FRuid))
        Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("草稿没有删除:") + DraftStore().FileFor(Frptinfo.FRuid));
}

bool TReportForm::SaveUndone()
{
    ForgetUndoneSave();
    FDraftBaseRow = FDraftBaseBeforeSave.row;
    FDraftBaseKnown = FDraftBaseBeforeSave.known;
    FDraftBase = FDraftBaseBeforeSave.digest;
    FDraftDirty = true;
    return WriteDraft(true);
}

void TReportForm::DiscardDraft()
{
    if (FDraftTimer) FDraftTimer->stop();
    FDraftDirty = false;
    if (Frptinfo.FRuid.isEmpty()) return;
    QString error;
    if (!DraftStore().Discard(Frptinfo.FRuid, &error))
        Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("草稿没有放弃:") + error);
}

bool TReportForm::KeepDraftCopy(const QString& label, bool dropLiveDraft)
{
    if (Frptinfo.FRuid.isEmpty()) return false;
    QString error;
    const QString file = DraftStore().KeepCopy(CurrentDraft(), label, &error);
    if (file.isEmpty()) {
        Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("草稿副本没有写入:") + error);
        return false;
    }
    Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("本机修改已保存为草稿副本:") + file);
    if (dropLiveDraft) {
        if (FDraftTimer) FDraftTimer->stop();
        FDraftDirty = false;
        DraftStore().Remove(Frptinfo.FRuid);
    }
    return true;
}

void TReportForm::OfferDraft()
{
    setProperty("wrDraftRestored", false);
    FDraftBaseRow = Frptinfo;
    FDraftBaseKnown = false;
    if (FLoadOutcome != TLoadOutcome::Loaded || Frptinfo.FRuid.isEmpty()) return;
    TDraftStore store = DraftStore();
    QString error;
    const std::optional<TReportDraft> draft = store.Read(Frptinfo.FRuid, &error);
    if (!error.isEmpty()) Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("草稿不可用:") + error);
    if (!draft) return;

    // What the editor shows for the stored row, in the terms the draft was written in.
    TReportInfo shown = Frptinfo;
    UiToRptInfo(shown);
    shown.Frtf_SuoJian = QString::fromLatin1(DocumentToRtf(*rich_jcsj->document()));
    shown.Frtf_JieLun = QString::fromLatin1(DocumentToRtf(*rich_zdjx->document()));
    const QList<TDraftDifference> diff =
        TDraftStore::Differences(shown, shown.FSuoJian, shown.FJieLun, *draft, PlainTextOfRtf(draft->rtfSuoJian),
                                 PlainTextOfRtf(draft->rtfJieLun));
    if (diff.isEmpty()) {
        // The stored report already holds everything the draft does (e.g. the save went
        // through but the program ended before it removed the draft).
        store.Remove(Frptinfo.FRuid);
        Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("草稿与已保存的报告相同，已删除"));
        return;
    }
    if (IsFinalReportState(Frptinfo.FReportState) && !MayChangeFinalReport()) {
        SetDraftOfFinalReportAside(store);
        return;
    }
    switch (Dialogs().MessageBox(DraftQuestion(*draft, diff))) {
    case TMsgResult::Yes:
        // Frptinfo keeps the stored rich texts, as after any load: a save takes the rich
        // texts from the editors.
        AsynRptInfoToUI(TDraftStore::Restored(Frptinfo, *draft));
        // An unsaved edit: unlocked, so the doctor carries on and the host asks before leaving.
        SetcontrolsEnable(true);
        setProperty("wrDraftRestored", true);
        Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("已恢复草稿:ruid=%1").arg(Frptinfo.FRuid));
        break;
    case TMsgResult::No:
        if (!store.Discard(Frptinfo.FRuid, &error)) Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("草稿没有放弃:") + error);
        else Write_Log_TomfmAndLogbpl(kDraftTitle, QStringLiteral("已放弃草稿，备份在 ") + store.BackupFolder());
        break;
    default:
        // Neither: the draft stays and is offered again next time.
        break;
    }
}

void TReportForm::SetDraftOfFinalReportAside(TDraftStore& store)
{
    // Restoring would unlock a final report for someone without the right to change it: the
    // draft goes to the backup folder instead, where it can still be read.
    QString error;
    const bool kept = store.Discard(Frptinfo.FRuid, &error);
    Write_Log_TomfmAndLogbpl(kDraftTitle, kept ? QStringLiteral("报告已审核，无修改权限，草稿未恢复，已移入备份:") + store.BackupFolder()
                                               : QStringLiteral("草稿没有放弃:") + error);
    TMessageRequest tell;
    tell.parent = this;
    tell.caption = QStringLiteral("恢复草稿");
    tell.text = QStringLiteral("这份报告有一份没有保存的草稿，但报告已审核，您没有“修改已审核报告”的权限，草稿不能恢复。\r\n"
                               "草稿已移入备份文件夹（保留 %1 天）。").arg(TDraftStore::kBackupDays);
    tell.buttons = TMsgButtons::Ok;
    tell.defaultButton = TMsgResult::Ok;
    tell.icon = TMsgIcon::Warning;
    Dialogs().MessageBox(tell);
}

TMessageRequest TReportForm::DraftQuestion(const TReportDraft& draft, const QList<TDraftDifference>& diff)
{
    const QString written = QLocale(QLocale::Chinese, QLocale::China)
                                .toString(draft.written.toLocalTime(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QStringList lines{QStringLiteral("这份报告有一份没有保存的草稿（%1 写入），可能是程序或电脑意外关闭、或者保存没有成功时留下的。").arg(written)};
    // A draft written by an older version carries the digest of its row.
    const bool savedSince = draft.base.startsWith(kStampBase) ? draft.base != DraftBase()
                                                              : draft.base != TDraftStore::RowDigest(FDraftBaseRow);
    if (!draft.base.isEmpty() && savedSince) lines << QStringLiteral("注意：草稿开始之后，这份报告在数据库中又被保存过。");
    const QStringList intro = lines;
    lines << QString() << QStringLiteral("草稿与已保存的报告不同之处：");
    // A window shows the sections side by side with the changed characters marked; the text
    // alone (scripts, headless runs, the log) lists where each section starts to differ.
    QList<QStringList> rows;
    QStringList seen;
    for (const TDraftDifference& d : diff) {
        if (seen.contains(d.section)) continue;
        seen << d.section;
        const auto [stored, drafted] = DifferencePreviews(d.stored, d.draft);
        lines << QStringLiteral("· %1：%2 → %3").arg(d.section, stored, drafted);
        rows.append({d.section, d.stored, d.draft});
    }
    const QStringList question{QString(), QStringLiteral("是否恢复草稿？"),
                               QStringLiteral("  恢复草稿：作为没有保存的修改继续编辑；"),
                               QStringLiteral("  放弃草稿：在备份文件夹中保留 %1 天。").arg(TDraftStore::kBackupDays)};
    lines << question;
    TMessageRequest ask;
    ask.parent = this;
    ask.caption = QStringLiteral("恢复草稿");
    ask.text = lines.join(QStringLiteral("\r\n"));
    ask.windowText = (intro + question).join(QStringLiteral("\r\n"));
    ask.compareColumns = {QStringLiteral("项目"), QStringLiteral("已保存的报告"), QStringLiteral("草稿")};
    ask.compareRows = rows;
    ask.yesText = QStringLiteral("恢复草稿(&R)");
    ask.noText = QStringLiteral("放弃草稿(&D)");
    ask.buttons = TMsgButtons::YesNo;
    ask.defaultButton = TMsgResult::Yes;
    ask.icon = TMsgIcon::Question;
    return ask;
}
