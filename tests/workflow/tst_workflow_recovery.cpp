// SPDX-License-Identifier: MIT
// What the doctor typed survives through the real form on a real database: the local draft
// follows every edited section (formatting included) within about two seconds and only
// while the report is unlocked and edited; the next open offers it back (restore, discard,
// or neither); other users' drafts and drafts of missing reports are never offered; a
// successful save removes it. Reports stored as plain text, or with damaged rich text, show
// their text and keep it through an unchanged save.
#include "WorkflowFixture.h"
#include "report/ReportDraft.h"
#include "rtf/Rtf.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

namespace {
const QString kRuid = QStringLiteral("6A1E2B3C-0000-4000-8000-00000000D12A");
const QString kDraftTitle = QStringLiteral("ReportForm.Draft");

QString Plain(QString s) { return s.remove(QLatin1Char('\r')).trimmed(); }
} // namespace

class TWorkflowRecoveryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void draftFollowsEveryEditedSection();
    void noDraftWithoutEditsOfAnUnlockedReport();
    void openOffersADifferingDraft_data();
    void openOffersADifferingDraft();
    void offerShowsWhereTheDraftDiffers_data();
    void offerShowsWhereTheDraftDiffers();
    void draftsOfOtherUsersAndMissingReportsAreNotOffered();
    void offerNotesASaveMadeAfterTheDraftBegan();
    void offerKeepsQuietAboutTheDoctorsOwnSave_data();
    void offerKeepsQuietAboutTheDoctorsOwnSave();
    void saveRemovesTheDraftAndFailureKeepsIt();
    void storedTextsShownWhenRichTextIsMissingOrDamaged_data();
    void storedTextsShownWhenRichTextIsMissingOrDamaged();

private:
    TDraftStore Store() const { return TDraftStore(TDraftStore::DefaultRoot(), QStringLiteral("D001"), QStringLiteral("张医生")); }
    QTimer* DraftTimer(TWorkflowFixture& f) const { return f.form->findChild<QTimer*>(QStringLiteral("draftTimer")); }
    // Opens the sample, unlocks it and edits the suggestion, then writes the draft at once.
    void EditAndFlush(TWorkflowFixture& f, const QString& suggestion);

    QTemporaryDir m_dataHome;
};

void TWorkflowRecoveryTest::initTestCase()
{
    // Drafts go to the user's data folder: a fresh one for this run.
    qputenv("XDG_DATA_HOME", m_dataHome.path().toUtf8());
}

void TWorkflowRecoveryTest::init() { QDir(TDraftStore::DefaultRoot()).removeRecursively(); }

void TWorkflowRecoveryTest::EditAndFlush(TWorkflowFixture& f, const QString& suggestion)
{
    f.Open(kRuid);
    f.Report().SetcontrolsEnable(true);
    f.Memo("Memo_JianYi")->setPlainText(suggestion);
    f.form->FlushDraft();
}

void TWorkflowRecoveryTest::draftFollowsEveryEditedSection()
{
    TWorkflowFixture f;
    TReportInfo row = SampleReport(kRuid);
    row.Frtf_SuoJian = QString::fromLatin1(FormattedRtf(QStringLiteral("肝脏"), QStringLiteral("大小正常"), QStringLiteral("胆囊")));
    InsertReportRow(*f.db, row);
    f.Open(kRuid);
    f.Report().SetcontrolsEnable(true);
    QVERIFY(!DraftTimer(f) || !DraftTimer(f)->isActive());

    // Typing with formatting into the findings, and every other kind of section.
    QTextEdit* findings = f.Rich("rich_jcsj");
    QTextCursor c(findings->document());
    c.movePosition(QTextCursor::End);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    c.insertText(QStringLiteral("新发现"), bold);
    f.Memo("Memo_JianYi")->setPlainText(QStringLiteral("三个月后复查"));
    f.Combo("Cbx_ReportDoctor")->setEditText(QStringLiteral("李医生"));
    f.Combo("Cbx_kgj_Left_α")->setEditText(QStringLiteral("58"));
    f.Widget("L_ReportDate")->setProperty("date", QDate(2024, 6, 1));
    qobject_cast<QCheckBox*>(f.Widget("Check_YinYiang"))->setChecked(!row.FYinYangXing);
    qobject_cast<QLineEdit*>(f.Widget("edt_weiJiZhi"))->setText(QStringLiteral("3.5"));
    QVERIFY(DraftTimer(f) && DraftTimer(f)->isActive());
    QVERIFY(!Store().Exists(kRuid));

    QTRY_VERIFY_WITH_TIMEOUT(Store().Exists(kRuid), 2000);
    QVERIFY(!DraftTimer(f)->isActive());  // nothing edited since: no timer runs
    const auto d = Store().Read(kRuid);
    QVERIFY(d.has_value());
    QCOMPARE(d->record.FJianYi, QStringLiteral("三个月后复查"));
    QCOMPARE(d->record.FReportDoctor, QStringLiteral("李医生"));
    QCOMPARE(d->record.FkgjL_A, QStringLiteral("58"));
    QCOMPARE(DateTimeToQDateTime(d->record.FReportDate).date(), QDate(2024, 6, 1));
    QCOMPARE(d->record.FYinYangXing, !row.FYinYangXing);
    QCOMPARE(d->record.FWeiJiValue, QStringLiteral("3.5"));
    QTextDocument doc;
    QVERIFY(RtfToDocument(d->rtfSuoJian, doc));
    QVERIFY(DocumentPlainText(doc).endsWith(QStringLiteral("新发现")));
    QTextCursor last(doc.lastBlock());
    last.movePosition(QTextCursor::EndOfBlock);
    QCOMPARE(last.charFormat().fontWeight(), int(QFont::Bold));

    // A format-only change is an edit too.
    c.select(QTextCursor::Document);
    QTextCharFormat italic;
    italic.setFontItalic(true);
    c.mergeCharFormat(italic);
    QVERIFY(DraftTimer(f)->isActive());
    auto italicInDraft = [&] {
        QTextDocument d2;
        const auto now = Store().Read(kRuid);
        if (!now || !RtfToDocument(now->rtfSuoJian, d2)) return false;
        QTextCursor first(d2.firstBlock());
        first.movePosition(QTextCursor::NextCharacter);
        return first.charFormat().fontItalic();
    };
    QTRY_VERIFY_WITH_TIMEOUT(italicInDraft(), 2000);
    // Then an edit elsewhere: the findings in the next draft are still the italic ones.
    f.Memo("Memo_JianYi")->setPlainText(QStringLiteral("改了建议"));
    QTRY_VERIFY_WITH_TIMEOUT(Store().Read(kRuid)->record.FJianYi == QStringLiteral("改了建议"), 2000);
    QVERIFY(italicInDraft());
}

void TWorkflowRecoveryTest::noDraftWithoutEditsOfAnUnlockedReport()
{
    TWorkflowFixture f;
    InsertReportRow(*f.db, SampleReport(kRuid));
    f.Open(kRuid);
    // Locked: the host may fill sections, which is no draft.
    f.Report().SetExamMethodString(QStringLiteral("经阴道"));
    f.Report().SetcontrolsEnable(true);
    f.Report().SetcontrolsEnable(false);
    // A GUID without a row: nothing to keep a draft of.
    f.Open(QStringLiteral("00000000-0000-0000-0000-000000000000"));
    f.Report().SetcontrolsEnable(true);
    f.Memo("Memo_JianYi")->setPlainText(QStringLiteral("无处可存"));
    QTest::qWait(1800);
    f.form->FlushDraft();
    QVERIFY(!DraftTimer(f) || !DraftTimer(f)->isActive());
    QVERIFY(Store().DraftRuids().isEmpty());
}

void TWorkflowRecoveryTest::openOffersADifferingDraft_data()
{
    QTest::addColumn<int>("answer");  // TMsgResult
    QTest::addColumn<bool>("restored");
    QTest::addColumn<bool>("liveDraftLeft");
    QTest::newRow("是: restored as an unsaved edit") << int(TMsgResult::Yes) << true << true;
    QTest::newRow("否: discarded into the backup folder") << int(TMsgResult::No) << false << false;
    QTest::newRow("closed: kept for next time") << int(TMsgResult::Closed) << false << true;
}

void TWorkflowRecoveryTest::openOffersADifferingDraft()
{
    QFETCH(int, answer);
    QFETCH(bool, restored);
    QFETCH(bool, liveDraftLeft);
    TWorkflowFixture f;
    const TReportInfo row = SampleReport(kRuid);
    InsertReportRow(*f.db, row);
    EditAndFlush(f, QStringLiteral("草稿里的建议"));
    // As after a crash: a new editor opens the report.
    f.NewForm();
    f.dialogs.answers << TMsgResult(answer);
    f.Open(kRuid);
    QCOMPARE(f.dialogs.shown.size(), 1);
    const TMessageRequest& q = f.dialogs.shown.first();
    QCOMPARE(q.caption, QStringLiteral("恢复草稿"));
    QCOMPARE(q.buttons, TMsgButtons::YesNo);
    QVERIFY2(q.text.contains(QStringLiteral("· 建议：")) && q.text.contains(QStringLiteral("草稿里的建议")), qPrintable(q.text));
    QCOMPARE(f.Memo("Memo_JianYi")->toPlainText(), restored ? QStringLiteral("草稿里的建议") : Plain(row.FJianYi));
    QCOMPARE(f.Report().GetReportIsEdited(QString()), restored);
    QCOMPARE(f.form->property("wrDraftRestored").toBool(), restored);
    QCOMPARE(Store().Exists(kRuid), liveDraftLeft);
    QCOMPARE(QDir(Store().BackupFolder()).exists(), answer == int(TMsgResult::No));
    if (restored) {
        // Saved as any edit, and then never offered again.
        f.Save(kRuid);
        QCOMPARE(f.Column(QStringLiteral("JianYi"), kRuid), QStringLiteral("草稿里的建议"));
        QVERIFY(!Store().Exists(kRuid));
        f.Open(kRuid);
        QCOMPARE(f.dialogs.shown.size(), 1);
    }
}

void TWorkflowRecoveryTest::offerShowsWhereTheDraftDiffers_data()
{
    // A suggestion longer than the offer shows of a section.
    const QString common = QStringLiteral("建议定期复查腹部超声，注意饮食清淡，避免饮酒及高脂饮食，如有腹痛、发热或黄疸等不适及时就诊，").repeated(2);
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("draft");
    QTest::addColumn<QString>("storedShows");
    QTest::addColumn<QString>("draftShows");
    QTest::newRow("changed near the end") << common + QStringLiteral("一年后随访。") << common + QStringLiteral("半年后随访。")
                                          << QStringLiteral("一年后随访") << QStringLiteral("半年后随访");
    QTest::newRow("added at the end") << common << common + QStringLiteral("必要时穿刺活检。") << QStringLiteral("…")
                                      << QStringLiteral("必要时穿刺活检");
    QTest::newRow("changed at the start") << QStringLiteral("甲") + common << QStringLiteral("乙") + common
                                          << QStringLiteral("甲建议定期复查") << QStringLiteral("乙建议定期复查");
}

void TWorkflowRecoveryTest::offerShowsWhereTheDraftDiffers()
{
    QFETCH(QString, stored);
    QFETCH(QString, draft);
    QFETCH(QString, storedShows);
    QFETCH(QString, draftShows);
    TWorkflowFixture f;
    TReportInfo row = SampleReport(kRuid);
    row.FJianYi = stored;
    InsertReportRow(*f.db, row);
    EditAndFlush(f, draft);
    f.NewForm();
    f.dialogs.answers << TMsgResult::Closed;
    f.Open(kRuid);
    QCOMPARE(f.dialogs.shown.size(), 1);
    const QString text = f.dialogs.shown.first().text;
    const qsizetype line = text.indexOf(QStringLiteral("· 建议："));
    QVERIFY2(line >= 0, qPrintable(text));
    const QString shown = text.mid(line, text.indexOf(QLatin1Char('\r'), line) - line);
    const qsizetype arrow = shown.indexOf(QStringLiteral(" → "));
    QVERIFY2(shown.left(arrow).contains(storedShows), qPrintable(shown));
    QVERIFY2(shown.mid(arrow).contains(draftShows), qPrintable(shown));
}

void TWorkflowRecoveryTest::offerNotesASaveMadeAfterTheDraftBegan()
{
    const QString savedSince = QStringLiteral("又被保存过");
    TWorkflowFixture f;
    InsertReportRow(*f.db, SampleReport(kRuid));
    EditAndFlush(f, QStringLiteral("草稿里的建议"));
    // The stored row is still the one the draft began from: no note.
    f.NewForm();
    f.dialogs.answers << TMsgResult::Closed;
    f.Open(kRuid);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY2(!f.dialogs.shown.last().text.contains(savedSince), qPrintable(f.dialogs.shown.last().text));

    // Another workstation saves the report; the next offer says so.
    ExecTestSql(*f.db, QStringLiteral("UPDATE Report SET BeiZhu = '其他工作站' WHERE ruid = '%1'").arg(kRuid));
    f.NewForm();
    f.dialogs.answers << TMsgResult::Closed;
    f.Open(kRuid);
    QCOMPARE(f.dialogs.shown.size(), 2);
    QVERIFY2(f.dialogs.shown.last().text.contains(savedSince), qPrintable(f.dialogs.shown.last().text));
}

void TWorkflowRecoveryTest::offerKeepsQuietAboutTheDoctorsOwnSave_data()
{
    QTest::addColumn<bool>("conflict");   // another workstation saved first; the doctor keeps his version
    QTest::newRow("a plain save, then more typing") << false;
    QTest::newRow("保留我的版本 over another save, then more typing") << true;
}

void TWorkflowRecoveryTest::offerKeepsQuietAboutTheDoctorsOwnSave()
{
    // The doctor saves, types on, and the program ends before the next save: the draft
    // began from his own save, which is no reason for a warning.
    QFETCH(bool, conflict);
    struct TKeepMine final : IDialogService {
        TMsgResult MessageBox(const TMessageRequest&) override { return TMsgResult::Closed; }
        int Choose(const TChoiceRequest&) override { return 0; }
    } keepMine;
    TWorkflowFixture f;
    InsertReportRow(*f.db, SampleReport(kRuid));
    EditAndFlush(f, QStringLiteral("第一次保存的建议"));
    if (conflict) ExecTestSql(*f.db, QStringLiteral("UPDATE Report SET BeiZhu = '其他工作站' WHERE ruid = '%1'").arg(kRuid));
    IDialogService* scripted = SetDialogService(&keepMine);
    f.Save(kRuid);
    SetDialogService(scripted);
    QCOMPARE(f.Column(QStringLiteral("JianYi"), kRuid), QStringLiteral("第一次保存的建议"));
    f.Memo("Memo_JianYi")->setPlainText(QStringLiteral("保存之后又写的建议"));
    f.form->FlushDraft();
    f.NewForm();
    f.dialogs.answers << TMsgResult::Closed;
    f.Open(kRuid);
    QCOMPARE(f.dialogs.shown.size(), 1);
    const TMessageRequest& offer = f.dialogs.shown.first();
    QVERIFY2(!offer.text.contains(QStringLiteral("又被保存过")), qPrintable(offer.text));
    QCOMPARE(offer.compareRows.size(), 1);
    QCOMPARE(offer.compareRows.first(), (QStringList{QStringLiteral("建议"), QStringLiteral("第一次保存的建议"),
                                                     QStringLiteral("保存之后又写的建议")}));
}

void TWorkflowRecoveryTest::draftsOfOtherUsersAndMissingReportsAreNotOffered()
{
    TWorkflowFixture f;
    InsertReportRow(*f.db, SampleReport(kRuid));
    EditAndFlush(f, QStringLiteral("张医生的草稿"));
    f.NewForm();
    f.host.userCode = QStringLiteral("D002");
    f.host.userName = QStringLiteral("王医生");
    f.Open(kRuid);
    QVERIFY(f.dialogs.shown.isEmpty());

    // The report is gone: its draft is not offered (and not lost either).
    ExecTestSql(*f.db, QStringLiteral("DELETE FROM Report WHERE ruid = '%1'").arg(kRuid));
    f.host.userCode = QStringLiteral("D001");
    f.host.userName = QStringLiteral("张医生");
    f.NewForm();
    f.Open(kRuid);
    QVERIFY(f.dialogs.shown.isEmpty());
    QVERIFY(Store().Exists(kRuid));

    // Back again, the report offers 张医生 the draft; discarded here.
    InsertReportRow(*f.db, SampleReport(kRuid));
    f.NewForm();
    f.dialogs.answers << TMsgResult::No;
    f.Open(kRuid);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(!Store().Exists(kRuid));

    // A draft that holds nothing the stored row lacks is removed without a question.
    EditAndFlush(f, Plain(SampleReport(kRuid).FJianYi) + QStringLiteral("x"));
    f.Memo("Memo_JianYi")->setPlainText(Plain(SampleReport(kRuid).FJianYi));
    f.form->FlushDraft();
    QVERIFY(Store().Exists(kRuid));
    f.NewForm();
    f.Open(kRuid);
    QCOMPARE(f.dialogs.shown.size(), 1);
    QVERIFY(!Store().Exists(kRuid));
}

void TWorkflowRecoveryTest::saveRemovesTheDraftAndFailureKeepsIt()
{
    TWorkflowFixture f;
    InsertReportRow(*f.db, SampleReport(kRuid));
    ExecTestSql(*f.db, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Report BEGIN SELECT RAISE(ABORT, 'refused'); END"));
    f.Open(kRuid);
    f.Report().SetcontrolsEnable(true);
    f.Memo("Memo_JianYi")->setPlainText(QStringLiteral("保存失败的建议"));
    f.Save(kRuid);  // fails: the draft is written at once
    QVERIFY(Store().Exists(kRuid));
    QCOMPARE(Store().Read(kRuid)->record.FJianYi, QStringLiteral("保存失败的建议"));
    ExecTestSql(*f.db, QStringLiteral("DROP TRIGGER refuse"));
    f.Save(kRuid);
    QVERIFY(!Store().Exists(kRuid));

    // A kept copy (edits the doctor gave up for a newer stored version) is not offered.
    f.Memo("Memo_JianYi")->setPlainText(QStringLiteral("放弃的修改"));
    f.form->FlushDraft();
    QVERIFY(f.form->KeepDraftCopy(QStringLiteral("mine"), true));
    QVERIFY(!Store().Exists(kRuid));
    f.NewForm();
    const int shown = int(f.dialogs.shown.size());
    f.Open(kRuid);
    QCOMPARE(int(f.dialogs.shown.size()), shown);
}

void TWorkflowRecoveryTest::storedTextsShownWhenRichTextIsMissingOrDamaged_data()
{
    const QString plain = QStringLiteral("肝脏：形态正常。\r\n胆囊：壁光滑，未见结石。");
    const QByteArray good = FormattedRtf(QStringLiteral("肝脏："), QStringLiteral("形态正常。"), QStringLiteral("胆囊：壁光滑，未见结石。"));
    QTest::addColumn<QString>("rtf");
    QTest::addColumn<QString>("plain");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("notice");
    QTest::newRow("no rich text: the plain column") << QString() << plain << Plain(plain) << false;
    QTest::newRow("rich text without text: the plain column") << "{\\rtf1\\ansi }" << plain << Plain(plain) << false;
    QTest::newRow("intact rich text: itself") << QString::fromLatin1(good) << plain << Plain(plain) << false;
    QTest::newRow("truncated rich text: the whole plain column, told")
        << QString::fromLatin1(good.left(good.indexOf("\\par") + 4)) << plain << Plain(plain) << true;
    QTest::newRow("damaged rich text holding the plain text: itself, told")
        << QString::fromLatin1(good.left(good.lastIndexOf('}'))) << plain << Plain(plain) << true;
    QTest::newRow("damaged rich text and no plain column: what it yields, told")
        << QString::fromLatin1(good.left(good.size() * 3 / 4)) << QString() << QStringLiteral("<what it yields>") << true;
}

void TWorkflowRecoveryTest::storedTextsShownWhenRichTextIsMissingOrDamaged()
{
    QFETCH(QString, rtf);
    QFETCH(QString, plain);
    QFETCH(QString, shown);
    QFETCH(bool, notice);
    TWorkflowFixture f;
    TReportInfo row = SampleReport(kRuid);
    row.Frtf_SuoJian = rtf;
    row.FSuoJian = plain;
    InsertReportRow(*f.db, row);
    f.Open(kRuid);
    if (shown == QLatin1String("<what it yields>")) {
        QTextDocument doc;
        QStringList ignored;
        RtfToDocument(rtf, doc, &ignored);
        shown = Plain(DocumentPlainText(doc));
        QVERIFY(shown.startsWith(QStringLiteral("肝脏：形态正常。")));
    }
    QCOMPARE(Plain(DocumentPlainText(*f.Rich("rich_jcsj")->document())), shown);
    int notices = 0;
    for (const TLogLine& l : f.host.logs) notices += l.value.startsWith(QStringLiteral("警告:影像表现")) ? 1 : 0;
    QCOMPARE(notices, notice ? 1 : 0);
    // Saved unchanged: the findings are what was shown.
    f.Save(kRuid);
    QCOMPARE(Plain(f.Column(QStringLiteral("SuoJian"), kRuid)), shown);
}

QTEST_MAIN(TWorkflowRecoveryTest)
#include "tst_workflow_recovery.moc"
