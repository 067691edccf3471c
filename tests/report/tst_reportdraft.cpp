// SPDX-License-Identifier: MIT
// The draft store on a real folder: a draft reads back whole, belongs to one user and one
// report, a damaged or foreign file is never taken for a draft, discarding keeps a dated
// backup that is pruned after 30 days, and copies kept under a label leave the live draft.
#include "report/ReportDraft.h"
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

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

QTEST_GUILESS_MAIN(TstReportDraft)
#include "tst_reportdraft.moc"
