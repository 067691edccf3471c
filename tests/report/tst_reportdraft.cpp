// SPDX-License-Identifier: MIT
// The draft store on a real folder: a draft reads back whole, belongs to one user and one
// report, a damaged or foreign file is never taken for a draft, discarding keeps a dated
// backup that is pruned after 30 days, and copies kept under a label leave the live draft.
// Drafts are owner-only, and the tidy at start removes what is older than the time kept.
#include "report/ReportDraft.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>

namespace {
const QString kRuid = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");

TReportDraft SampleDraft()
{
    TReportDraft d;
    d.ruid = kRuid;
    d.userCode = QStringLiteral("D001");
    d.userName = QStringLiteral("张医生");
    d.written = QDateTime::currentDateTimeUtc();
    d.base = QByteArray("\x01\x02\xff", 3);
    d.record.FRuid = kRuid;
    d.record.FJianYi = QStringLiteral("建议三个月后复查。\r\n第二行");
    d.record.FSuoJian = QStringLiteral("肝脏大小正常");
    d.record.FReportDoctor = QStringLiteral("李医生");
    d.record.FReportDate = 45432.5;
    d.record.FYinYangXing = true;
    d.record.FkgjR_B = QStringLiteral("55");
    d.rtfSuoJian = QByteArray("{\\rtf1\\ansi {\\b \\u32925?\\u33039?}\\par}");
    d.rtfJieLun = QByteArray("{\\rtf1\\ansi }");
    return d;
}

unsigned Mode(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & 07777) : 0;
}

void Age(const QString& file, int days)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addDays(-days), QFileDevice::FileModificationTime));
}
} // namespace

class TstReportDraft : public QObject {
    Q_OBJECT
private slots:
    void writesAndReadsBackWhole();
    void draftsBelongToOneUserAndReport();
    void damagedFilesAreNotDrafts();
    void discardKeepsADatedBackupPrunedAfter30Days();
    void keptCopyLeavesTheLiveDraft();
    void differencesNameTheChangedSections();
    void tidyAtStartTightensAndExpires_data();
    void tidyAtStartTightensAndExpires();
};

void TstReportDraft::writesAndReadsBackWhole()
{
    QTemporaryDir dir;
    TDraftStore store(dir.path(), QStringLiteral("D001"), QStringLiteral("张医生"));
    const TReportDraft d = SampleDraft();
    QString error;
    QVERIFY2(store.Write(d, &error), qPrintable(error));
    // The GUID's case does not make a second draft.
    const auto back = store.Read(kRuid.toLower(), &error);
    QVERIFY2(back.has_value(), qPrintable(error));
    QCOMPARE(back->record, d.record);
    QCOMPARE(back->rtfSuoJian, d.rtfSuoJian);
    QCOMPARE(back->rtfJieLun, d.rtfJieLun);
    QCOMPARE(back->base, d.base);
    QCOMPARE(back->written.toMSecsSinceEpoch(), d.written.toMSecsSinceEpoch());
    // Patient text: no one but the owner may list the folder or read the file.
    QCOMPARE(Mode(store.FileFor(kRuid)), 0600u);
    QCOMPARE(Mode(store.UserFolder()), 0700u);
    QCOMPARE(store.DraftRuids(), QStringList{kRuid});
    // No temporary file stays behind.
    QCOMPARE(QDir(store.UserFolder()).entryList(QDir::Files).size(), 1);
    QVERIFY(store.Remove(kRuid));
    QVERIFY(!store.Read(kRuid).has_value());
}

void TstReportDraft::draftsBelongToOneUserAndReport()
{
    QTemporaryDir dir;
    TDraftStore mine(dir.path(), QStringLiteral("D001"), QStringLiteral("张医生"));
    TDraftStore other(dir.path(), QStringLiteral("D002"), QStringLiteral("王医生"));
    QVERIFY(mine.Write(SampleDraft(), nullptr));
    QVERIFY(!other.Read(kRuid).has_value());
    QVERIFY(other.DraftRuids().isEmpty());
    // A user code that tries to leave the folder stays inside it.
    TDraftStore odd(dir.path(), QStringLiteral("../D001"), QString());
    QVERIFY(odd.UserFolder().startsWith(dir.path()));
    QVERIFY(odd.UserFolder() != mine.UserFolder());

    // Mine copied under another user's folder, or under another report's name, is not read.
    QDir().mkpath(other.UserFolder());
    QVERIFY(QFile::copy(mine.FileFor(kRuid), other.FileFor(kRuid)));
    QString error;
    QVERIFY(!other.Read(kRuid, &error).has_value());
    QVERIFY(error.contains(QLatin1String("belongs to user")));
    const QString otherRuid = QStringLiteral("D1B74DCD-2A3E-5815-AAD4-BA7743F81F05");
    QVERIFY(QFile::copy(mine.FileFor(kRuid), mine.FileFor(otherRuid)));
    QVERIFY(!mine.Read(otherRuid).has_value());
}

void TstReportDraft::damagedFilesAreNotDrafts()
{
    QTemporaryDir dir;
    TDraftStore store(dir.path(), QStringLiteral("D001"), QString());
    QDir().mkpath(store.UserFolder());
    for (const QByteArray& bytes : {QByteArray(), QByteArray("{\"format\":1,\"ruid\":"), QByteArray("\0\0\0", 3),
                                    QByteArray("{\"format\":99}")}) {
        QFile f(store.FileFor(kRuid));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        QString error;
        QVERIFY(!store.Read(kRuid, &error).has_value());
        QVERIFY(!error.isEmpty());
    }
}

void TstReportDraft::discardKeepsADatedBackupPrunedAfter30Days()
{
    QTemporaryDir dir;
    TDraftStore store(dir.path(), QStringLiteral("D001"), QString());
    QVERIFY(store.Write(SampleDraft(), nullptr));
    QVERIFY(store.Discard(kRuid));
    QVERIFY(!store.Exists(kRuid));
    const QString today = QDir(store.BackupFolder()).filePath(QDate::currentDate().toString(Qt::ISODate));
    const QStringList kept = QDir(today).entryList(QDir::Files);
    QCOMPARE(kept.size(), 1);
    QFile f(QDir(today).filePath(kept.first()));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(TDraftStore::Parse(f.readAll())->record, SampleDraft().record);

    const QDate now = QDate::currentDate();
    for (int age : {29, 30, 31, 400}) QDir().mkpath(QDir(store.BackupFolder()).filePath(now.addDays(-age).toString(Qt::ISODate)));
    QDir().mkpath(QDir(store.BackupFolder()).filePath(QStringLiteral("not-a-date")));
    QCOMPARE(store.PruneBackups(now), 2);
    QStringList left = QDir(store.BackupFolder()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    left.sort();
    QStringList expected{now.addDays(-30).toString(Qt::ISODate), now.addDays(-29).toString(Qt::ISODate),
                         now.toString(Qt::ISODate), QStringLiteral("not-a-date")};
    expected.sort();
    QCOMPARE(left, expected);
}

void TstReportDraft::keptCopyLeavesTheLiveDraft()
{
    QTemporaryDir dir;
    TDraftStore store(dir.path(), QStringLiteral("D001"), QString());
    TReportDraft d = SampleDraft();
    QVERIFY(store.Write(d, nullptr));
    d.record.FJianYi = QStringLiteral("我的版本");
    QString error;
    const QString copy = store.KeepCopy(d, QStringLiteral("mine before/reload"), &error);
    QVERIFY2(!copy.isEmpty(), qPrintable(error));
    QVERIFY(copy.startsWith(store.BackupFolder()));
    QVERIFY(!QFileInfo(copy).fileName().contains(QLatin1Char('/')));
    QCOMPARE(store.Read(kRuid)->record.FJianYi, SampleDraft().record.FJianYi);
    QFile f(copy);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(TDraftStore::Parse(f.readAll())->record.FJianYi, QStringLiteral("我的版本"));
}

void TstReportDraft::differencesNameTheChangedSections()
{
    TReportInfo stored = SampleDraft().record;
    stored.Frtf_SuoJian = QString::fromLatin1(SampleDraft().rtfSuoJian);
    stored.Frtf_JieLun = QString::fromLatin1(SampleDraft().rtfJieLun);
    TReportDraft d = SampleDraft();
    d.record.FshenHeDate = 50000;  // set at every open: never a difference by itself
    QVERIFY(TDraftStore::Differences(stored, QStringLiteral("a"), QStringLiteral("b"), d, QStringLiteral("a"),
                                     QStringLiteral("b")).isEmpty());
    d.record.FJianYi = QStringLiteral("改过");
    d.rtfJieLun = QByteArray("{\\rtf1\\ansi {\\b b}}");
    const auto diff = TDraftStore::Differences(stored, QStringLiteral("a"), QStringLiteral("b"), d, QStringLiteral("a x"),
                                               QStringLiteral("b"));
    QCOMPARE(diff.size(), 3);
    QCOMPARE(diff.at(0).section, QStringLiteral("建议"));
    QCOMPARE(diff.at(0).draft, QStringLiteral("改过"));
    QCOMPARE(diff.at(1).section, QStringLiteral("影像表现"));
    QCOMPARE(diff.at(2).section, QStringLiteral("诊断印像"));
    QVERIFY(diff.at(2).draft.contains(QStringLiteral("格式不同")));
}

void TstReportDraft::tidyAtStartTightensAndExpires_data()
{
    QTest::addColumn<int>("keepDays");
    QTest::addColumn<int>("draftAge");   // days since the live draft was written
    QTest::addColumn<int>("backupAge");  // days of the backup day folder
    QTest::addColumn<bool>("draftKept");
    QTest::addColumn<bool>("backupKept");
    QTest::newRow("default 30: both young") << 30 << 29 << 29 << true << true;
    QTest::newRow("default 30: both old") << 30 << 31 << 31 << false << false;
    QTest::newRow("7 days: a 10-day draft goes") << 7 << 10 << 3 << false << true;
    QTest::newRow("7 days: a 10-day backup goes") << 7 << 1 << 10 << true << false;
    QTest::newRow("0 is taken as 1 day, not everything") << 0 << 0 << 0 << true << true;
}

void TstReportDraft::tidyAtStartTightensAndExpires()
{
    QFETCH(int, keepDays);
    QFETCH(int, draftAge);
    QFETCH(int, backupAge);
    QFETCH(bool, draftKept);
    QFETCH(bool, backupKept);
    QTemporaryDir dir;
    TDraftStore store(dir.path(), QStringLiteral("D001"), QString());
    QVERIFY(store.Write(SampleDraft(), nullptr));
    const QString draft = store.FileFor(kRuid);
    const QString day = QDir(store.BackupFolder()).filePath(QDate::currentDate().addDays(-backupAge).toString(Qt::ISODate));
    QVERIFY(QDir().mkpath(day));
    const QString backup = QDir(day).filePath(QStringLiteral("x.draft"));
    QFile(draft).copy(backup);
    // As an older version left them: readable by every local account.
    for (const QString& folder : {dir.path(), store.UserFolder(), store.BackupFolder(), day}) ::chmod(QFile::encodeName(folder), 0755);
    for (const QString& file : {draft, backup}) ::chmod(QFile::encodeName(file), 0644);
    Age(draft, draftAge);

    const TDraftTidy r = TDraftStore::TidyAll(dir.path(), keepDays, QDateTime::currentDateTime());
    QVERIFY2(r.errors.isEmpty(), qPrintable(r.errors.join(QLatin1Char('\n'))));
    QCOMPARE(QFileInfo::exists(draft), draftKept);
    QCOMPARE(QFileInfo::exists(backup), backupKept);
    for (const QString& folder : {dir.path(), store.UserFolder(), store.BackupFolder()}) QCOMPARE(Mode(folder), 0700u);
    if (draftKept) QCOMPARE(Mode(draft), 0600u);
    if (backupKept) QCOMPARE(Mode(backup), 0600u);
}

QTEST_GUILESS_MAIN(TstReportDraft)
#include "tst_reportdraft.moc"
