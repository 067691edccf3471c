// SPDX-License-Identifier: MIT
// The paged work list on fresh databases built from the project's scripts, on SQLite and on
// the database server (registered once for each): pages that continue
// exactly where the last one ended (ties of CreateTime included), date ranges with both
// ends included, status words and filters, search text with the LIKE wildcards taken
// literally, the one-row refresh, and a database without the Study table.
#include "ServerFixture.h"
#include "hostdata/WorklistQuery.h"
#include <QSet>
#include <QTest>

class TstWorklist : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void demoReportAsTheListShowsIt();
    void pagesWalkEveryRowOnceNewestFirst();
    void dateRangeIncludesBothDays();
    void statusWords_data();
    void statusWords();
    void statusFilters();
    void searchIsDoneByTheDatabase();
    void rowRefreshFollowsTheFilter();
    void newestIgnoresTheFilter();
    void worksWithoutStudyTable();
    void presets();

private:
    void Add(const QString& ruid, const QString& accnu, const QString& created, const QVariant& state,
             const QString& items = QString(), const QString& patient = QString());
    QStringList Walk(const TWorklistFilter& f, int pageSize);

    TDbConnection& Conn() { return m_db->Connection(); }
    std::unique_ptr<TBackendDatabase> m_db;
};

void TstWorklist::init()
{
    if (const QString why = TBackendDatabase::SkipReason(); !why.isEmpty()) QSKIP(qPrintable(why));
    m_db = std::make_unique<TBackendDatabase>(false);
}

void TstWorklist::cleanup() { m_db.reset(); }

void TstWorklist::Add(const QString& ruid, const QString& accnu, const QString& created, const QVariant& state,
                      const QString& items, const QString& patient)
{
    m_db->Exec(QStringLiteral("INSERT INTO Report (ruid, Accnu, CreateTime, ReportState, ItemName) "
                                            "VALUES (%1, %2, %3, %4, %5)")
                                 .arg(QuotedStr(ruid), QuotedStr(accnu),
                                      created.isNull() ? QStringLiteral("NULL") : QuotedStr(created),
                                      state.isNull() ? QStringLiteral("NULL") : state.toString(), QuotedStr(items)));
    if (!patient.isNull())
        m_db->Exec(QStringLiteral("INSERT INTO Study (Accnu, PatientName) VALUES (%1, %2)")
                                     .arg(QuotedStr(accnu), QuotedStr(patient)));
}

QStringList TstWorklist::Walk(const TWorklistFilter& f, int pageSize)
{
    TWorklistQuery q(Conn());
    QStringList ruids;
    TWorklistKey key;
    for (int guard = 0; guard < 1000; ++guard) {
        const TWorklistPage page = q.Page(f, key, pageSize);
        for (const TWorklistEntry& e : page.rows) ruids << e.ruid;
        if (!page.more) return ruids;
        key = page.next;
    }
    return ruids;
}

void TstWorklist::demoReportAsTheListShowsIt()
{
    m_db = std::make_unique<TBackendDatabase>(true);
    TWorklistQuery q(Conn());
    const TWorklistPage page = q.Page({}, {}, 1000);
    QCOMPARE(page.rows.size(), m_db->Value(QStringLiteral("SELECT COUNT(*) FROM Report")).AsInteger());
    const QString ruid = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");
    auto it = std::find_if(page.rows.begin(), page.rows.end(),
                           [&](const TWorklistEntry& e) { return e.ruid.compare(ruid, Qt::CaseInsensitive) == 0; });
    QVERIFY(it != page.rows.end());
    QCOMPARE(it->accnu, QStringLiteral("US20240520001"));
    QCOMPARE(it->patientName, QStringLiteral("王桂兰"));
    QCOMPARE(it->created, QDateTime(QDate(2024, 5, 20), QTime(8, 32, 15)));
    QCOMPARE(ReportStateWord(it->state, it->stateNull), QStringLiteral("已审核"));
    QCOMPARE(it->itemNames, QStringLiteral("肝胆胰脾"));
}

void TstWorklist::pagesWalkEveryRowOnceNewestFirst()
{
    // 60 reports over 3 days, every third one sharing its CreateTime with the one before, so
    // page boundaries fall between rows of equal time.
    QStringList expected;
    for (int i = 0; i < 60; ++i) {
        const QDateTime t = QDateTime(QDate(2030, 3, 1), QTime(8, 0)).addSecs(i / 3 * 3600 + (i % 3 == 2 ? 0 : i % 3));
        const QString ruid = QStringLiteral("G%1").arg(i, 3, 10, QLatin1Char('0'));
        Add(ruid, QStringLiteral("A%1").arg(i), t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")), 5);
    }
    Add(QStringLiteral("UNDATED"), QStringLiteral("X"), QString(), 5);
    TWorklistFilter all;
    const QStringList one = Walk(all, 1000);
    QCOMPARE(one.size(), 60);
    for (int pageSize : {1, 7, 20, 59, 60})
        QCOMPARE(Walk(all, pageSize), one);
    // Newest first; equal times by GUID, descending.
    TWorklistQuery q(Conn());
    const TWorklistPage first = q.Page(all, {}, 60);
    QVERIFY(!first.more);
    for (int i = 1; i < first.rows.size(); ++i) {
        const TWorklistEntry& a = first.rows[i - 1];
        const TWorklistEntry& b = first.rows[i];
        QVERIFY2(a.created > b.created || (a.created == b.created && a.ruid > b.ruid), qPrintable(a.ruid + b.ruid));
    }
    QCOMPARE(QSet<QString>(one.begin(), one.end()).size(), 60);
}

void TstWorklist::dateRangeIncludesBothDays()
{
    Add(QStringLiteral("before"), QStringLiteral("1"), QStringLiteral("2030-03-09 23:59:59.999"), 5);
    Add(QStringLiteral("first"), QStringLiteral("2"), QStringLiteral("2030-03-10 00:00:00.000"), 5);
    Add(QStringLiteral("last"), QStringLiteral("3"), QStringLiteral("2030-03-16 23:59:59.999"), 5);
    Add(QStringLiteral("after"), QStringLiteral("4"), QStringLiteral("2030-03-17 00:00:00.000"), 5);
    TWorklistFilter f;
    f.days = {QDate(2030, 3, 10), QDate(2030, 3, 16)};
    QCOMPARE(Walk(f, 10), (QStringList{QStringLiteral("last"), QStringLiteral("first")}));
    f.days = {QDate(2030, 3, 17), QDate()};
    QCOMPARE(Walk(f, 10), QStringList{QStringLiteral("after")});
    f.days = {QDate(), QDate(2030, 3, 9)};
    QCOMPARE(Walk(f, 10), QStringList{QStringLiteral("before")});
}

void TstWorklist::statusWords_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("isNull");
    QTest::addColumn<QString>("word");
    QTest::newRow("NULL: created, nothing written") << 0 << true << QStringLiteral("未书写");
    QTest::newRow("0: created, nothing written") << 0 << false << QStringLiteral("未书写");
    QTest::newRow("negative counts as not written") << -1 << false << QStringLiteral("未书写");
    QTest::newRow("1: being written") << 1 << false << QStringLiteral("书写中");
    QTest::newRow("2: waiting for review") << 2 << false << QStringLiteral("待审核");
    QTest::newRow("4: below 5 is not reviewed") << 4 << false << QStringLiteral("待审核");
    QTest::newRow("5: reviewed") << 5 << false << QStringLiteral("已审核");
    QTest::newRow("above 5 is reviewed") << 9 << false << QStringLiteral("已审核");
}

void TstWorklist::statusWords()
{
    QFETCH(int, state);
    QFETCH(bool, isNull);
    QFETCH(QString, word);
    QCOMPARE(ReportStateWord(state, isNull), word);
}

void TstWorklist::statusFilters()
{
    const QVariantList states{QVariant(), 0, -2, 1, 2, 3, 5, 6};
    for (int i = 0; i < states.size(); ++i)
        Add(QStringLiteral("S%1").arg(i), QString::number(i), QStringLiteral("2030-03-10 08:00:0%1.000").arg(i),
            states[i]);
    TWorklistQuery q(Conn());
    for (TStatusFilter filter : StatusFilters()) {
        TWorklistFilter f;
        f.status = filter;
        const TWorklistPage page = q.Page(f, {}, 100);
        int expected = 0;
        for (const QVariant& s : states) {
            const QString word = ReportStateWord(s.toInt(), s.isNull());
            if (filter == TStatusFilter::All || word == StatusFilterCaption(filter)) ++expected;
        }
        QCOMPARE(page.rows.size(), expected);
        for (const TWorklistEntry& e : page.rows)
            if (filter != TStatusFilter::All)
                QCOMPARE(ReportStateWord(e.state, e.stateNull), StatusFilterCaption(filter));
    }
}

void TstWorklist::searchIsDoneByTheDatabase()
{
    Add(QStringLiteral("r1"), QStringLiteral("US20300310001"), QStringLiteral("2030-03-10 08:00:00.000"), 5,
        QStringLiteral("肝胆胰脾"), QStringLiteral("王小明"));
    Add(QStringLiteral("r2"), QStringLiteral("us20300310002"), QStringLiteral("2030-03-10 08:01:00.000"), 5,
        QStringLiteral("甲状腺"), QStringLiteral("李四"));
    Add(QStringLiteral("r3"), QStringLiteral("CT_100%"), QStringLiteral("2030-03-10 08:02:00.000"), 5,
        QStringLiteral("双肾[左]"), QStringLiteral("O'Brien"));
    Add(QStringLiteral("r4"), QStringLiteral("CTx100x"), QStringLiteral("2030-03-10 08:03:00.000"), 5,
        QStringLiteral("双肾"), QStringLiteral("张三"));
    auto find = [&](const QString& text) {
        TWorklistFilter f;
        f.search = text;
        QStringList r = Walk(f, 2);
        r.sort();
        return r.join(QLatin1Char(','));
    };
    QCOMPARE(find(QStringLiteral("US2030")), QStringLiteral("r1,r2"));  // exam number, case ignored
    QCOMPARE(find(QStringLiteral("0310002")), QStringLiteral("r2"));
    QCOMPARE(find(QStringLiteral("小明")), QStringLiteral("r1"));         // patient name
    QCOMPARE(find(QStringLiteral("甲状")), QStringLiteral("r2"));         // exam items
    QCOMPARE(find(QStringLiteral("_100%")), QStringLiteral("r3"));        // wildcards are literal
    QCOMPARE(find(QStringLiteral("[左]")), QStringLiteral("r3"));
    QCOMPARE(find(QStringLiteral("o'brien")), QStringLiteral("r3"));      // quotes are quoted
    QCOMPARE(find(QStringLiteral("  双肾 ")), QStringLiteral("r3,r4"));    // blanks around are ignored
    QCOMPARE(find(QStringLiteral("!")), QString());
    QCOMPARE(find(QString()), QStringLiteral("r1,r2,r3,r4"));
}

void TstWorklist::rowRefreshFollowsTheFilter()
{
    Add(QStringLiteral("r1"), QStringLiteral("A1"), QStringLiteral("2030-03-10 08:00:00.000"), 1, QStringLiteral("肝"));
    TWorklistQuery q(Conn());
    TWorklistFilter writing;
    writing.status = TStatusFilter::Writing;
    auto row = q.Row(QStringLiteral("R1"), writing);  // GUIDs match without case
    QVERIFY(row);
    QCOMPARE(ReportStateWord(row->state, row->stateNull), QStringLiteral("书写中"));
    m_db->Exec(QStringLiteral("UPDATE Report SET ReportState = 2, ItemName = '肝胆' WHERE ruid = 'r1'"));
    QVERIFY(!q.Row(QStringLiteral("r1"), writing));
    row = q.Row(QStringLiteral("r1"), {});
    QVERIFY(row);
    QCOMPARE(row->itemNames, QStringLiteral("肝胆"));
    QCOMPARE(ReportStateWord(row->state, row->stateNull), QStringLiteral("待审核"));
    QVERIFY(!q.Row(QStringLiteral("nobody"), {}));
}

void TstWorklist::newestIgnoresTheFilter()
{
    TWorklistQuery q(Conn());
    QVERIFY(!q.Newest());
    Add(QStringLiteral("old"), QStringLiteral("1"), QStringLiteral("2020-01-01 08:00:00.000"), 5);
    Add(QStringLiteral("new"), QStringLiteral("2"), QStringLiteral("2021-01-01 08:00:00.000"), 0);
    Add(QStringLiteral("undated"), QStringLiteral("3"), QString(), 0);
    QCOMPARE(q.Newest()->ruid, QStringLiteral("new"));
    Add(QStringLiteral("old-page-2"), QStringLiteral("1"), QStringLiteral("2020-01-02 08:00:00.000"), 0);
    QCOMPARE(q.NewestOfAccession(QStringLiteral("1"))->ruid, QStringLiteral("old-page-2"));
    QVERIFY(!q.NewestOfAccession(QStringLiteral("1' OR '1'='1")));
}

void TstWorklist::worksWithoutStudyTable()
{
    Add(QStringLiteral("r1"), QStringLiteral("US1"), QStringLiteral("2030-03-10 08:00:00.000"), 5,
        QStringLiteral("肝"), QStringLiteral("王"));
    m_db->Exec(QStringLiteral("DROP TABLE Study"), QStringLiteral("DROP TABLE Study CASCADE"));
    TWorklistQuery q(Conn());
    TWorklistFilter f;
    f.search = QStringLiteral("us1");
    const TWorklistPage page = q.Page(f, {}, 10);
    QCOMPARE(page.rows.size(), 1);
    QCOMPARE(page.rows[0].patientName, QString());
    // Without the table a real fault still reaches the caller.
    m_db->Exec(QStringLiteral("DROP TABLE Report"), QStringLiteral("DROP TABLE Report CASCADE"));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, q.Page({}, {}, 10));
}

void TstWorklist::presets()
{
    const QDate today(2030, 3, 10);
    QCOMPARE(PresetRange(TDatePreset::Last7Days, today), (TDateRange{QDate(2030, 3, 4), today}));
    QCOMPARE(PresetRange(TDatePreset::Today, today), (TDateRange{today, today}));
    QCOMPARE(PresetRange(TDatePreset::Last30Days, today).from.daysTo(today), 29);
    QCOMPARE(PresetRange(TDatePreset::All, today), TDateRange{});
}

QTEST_GUILESS_MAIN(TstWorklist)
#include "tst_worklist.moc"
