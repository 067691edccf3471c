// SPDX-License-Identifier: MIT
// The assistants' rules: the golden tables beside the shipped rule files (every row one
// nodule or a set of nodules, worked out by hand from the published sources), rule files
// with faults refused at the right line, answers as doctors type them, growth between two
// reports, and the lines written for several systems at once.
#include "hostdata/AssistSession.h"
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kRules = QStringLiteral(WR_SOURCE_DIR "/data/assist");

const TAssistLibrary& Shipped()
{
    static const TAssistLibrary lib = LoadAssistLibrary({kRules});
    return lib;
}

QString Unescape(QString s)
{
    if (s.startsWith(QLatin1Char('"'))) s = s.mid(1, s.size() - 2);
    return s.replace(QStringLiteral("\\n"), QStringLiteral("\n")).replace(QStringLiteral("\\\""), QStringLiteral("\""));
}

// A rule file with the given body after a minimal valid head.
QString Rules(const QString& body)
{
    return QStringLiteral("system t \"T\"\norgan thyroid\nfeature a one \"A\"\noption x 0 \"X\"\noption y 1 \"Y\"\n") + body;
}

} // namespace

class TstAssistRules : public QObject {
    Q_OBJECT
private slots:
    void shippedRulesLoad();
    void golden_data();
    void golden();
    void faultyRules_data();
    void faultyRules();
    void answers_data();
    void answers();
    void growth_data();
    void growth();
    void thyroidScoreLineAndProblems();
    void siteRulesReplaceShippedOnes();
    void sessionTakesANoduleWholeOrNotAtAll();
};

void TstAssistRules::shippedRulesLoad()
{
    QVERIFY2(Shipped().errors.isEmpty(), qPrintable(Shipped().errors.join(QLatin1Char('\n'))));
    QCOMPARE(Shipped().ForOrgan(QStringLiteral("thyroid")).size(), 2);
    QCOMPARE(Shipped().ForOrgan(QStringLiteral("breast")).size(), 1);
}

void TstAssistRules::golden_data()
{
    QTest::addColumn<QString>("system");
    QTest::addColumn<QString>("row");
    const QStringList files = QDir(kRules).entryList({QStringLiteral("*.golden")}, QDir::Files, QDir::Name);
    QVERIFY(files.size() >= 3);
    for (const QString& name : files) {
        QFile f(QDir(kRules).filePath(name));
        QVERIFY(f.open(QIODevice::ReadOnly));
        int line = 0;
        for (const QString& row : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
            ++line;
            if (row.trimmed().isEmpty() || row.startsWith(QLatin1Char('#'))) continue;
            QTest::addRow("%s:%d", qPrintable(name), line) << name.section(QLatin1Char('.'), 0, 0) << row;
        }
    }
}

void TstAssistRules::golden()
{
    QFETCH(QString, system);
    QFETCH(QString, row);
    const TAssistRules* rules = Shipped().System(system);
    QVERIFY(rules);
    const TAssistSystems systems{rules};
    const int arrow = row.indexOf(QStringLiteral(" => "));
    QVERIFY(arrow > 0);

    QList<TAssistNodule> nodules;
    for (const QString& part : row.left(arrow).split(QStringLiteral(" ; "))) {
        TAssistNodule n;
        for (const QString& pair : part.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QString key = pair.section(QLatin1Char('='), 0, 0);
            const TAssistFeature* f = rules->Feature(key);
            QVERIFY2(f, qPrintable(key));
            QString value, error;
            QVERIFY2(NormalizeAssistAnswer(*f, pair.section(QLatin1Char('='), 1), &value, &error), qPrintable(error));
            n.insert(key, value);
        }
        nodules << n;
    }
    const TAssistResult r = EvaluateAssist(*rules, nodules.first());
    static const QRegularExpression expectRe(QStringLiteral("(\\w+)=(\"(?:[^\"\\\\]|\\\\.)*\"|\\S+)"));
    auto it = expectRe.globalMatch(row.mid(arrow + 4));
    QVERIFY(it.hasNext());
    while (it.hasNext()) {
        const auto m = it.next();
        const QString key = m.captured(1), want = Unescape(m.captured(2));
        QString got;
        if (key == QLatin1String("state"))
            got = r.state == TAssistResult::State::Complete     ? QStringLiteral("complete")
                  : r.state == TAssistResult::State::Incomplete ? QStringLiteral("incomplete")
                                                                : QStringLiteral("undefined");
        else if (key == QLatin1String("id")) got = r.category ? r.category->id : QStringLiteral("(none: %1)").arg(r.message);
        else if (key == QLatin1String("score")) got = QString::number(r.score);
        else if (key == QLatin1String("advice")) got = r.advice ? r.advice->id : QStringLiteral("-");
        else if (key == QLatin1String("scoreline")) got = AssistScoreLine(systems, nodules.first());
        else if (key == QLatin1String("finding")) got = AssistFinding(systems, nodules.first(), 1);
        else if (key == QLatin1String("impression")) got = AssistImpression(systems, nodules).join(QLatin1Char('\n'));
        else QFAIL(qPrintable(QStringLiteral("unknown expectation %1").arg(key)));
        QVERIFY2(got == want, qPrintable(QStringLiteral("%1: got [%2], want [%3]").arg(key, got, want)));
    }
}

void TstAssistRules::faultyRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("message");
    // The head of Rules() takes lines 1 to 5.
    QTest::newRow("unknown line") << Rules(QStringLiteral("score a\ncategory c score=0..1\nfrobnicate\n")) << 8 << "unknown line";
    QTest::newRow("unclosed quote") << Rules(QStringLiteral("score a\ntext finding \"{a}\n")) << 7 << "unclosed quote";
    QTest::newRow("option of a number") << Rules(QStringLiteral("feature s number \"S\" unit=mm\noption z 0 \"Z\"\n")) << 7 << "belongs right after";
    QTest::newRow("points not a number") << Rules(QStringLiteral("feature b one \"B\"\noption z x \"Z\"\n")) << 7 << "not a whole number";
    QTest::newRow("unknown feature scored") << Rules(QStringLiteral("score a nope\n")) << 6 << "unknown feature 'nope'";
    QTest::newRow("category unreachable")
        << Rules(QStringLiteral("score a\ncategory low score=0 name=\"L\"\ncategory high score=1 name=\"H\"\ncategory never score=5.. name=\"N\"\n"))
        << 9 << "'never' is unreachable";
    QTest::newRow("categories overlap")
        << Rules(QStringLiteral("score a\ncategory low score=0..1 name=\"L\"\ncategory high score=1 name=\"H\"\n")) << 8 << "overlaps";
    QTest::newRow("score without category") << Rules(QStringLiteral("score a\ncategory low score=0 name=\"L\"\n")) << 7 << "score 1";
    QTest::newRow("undefined only way to a category")
        << Rules(QStringLiteral("score a\ncategory low score=0 name=\"L\"\ncategory high score=1 name=\"H\"\nundefined a=y \"no\"\n"))
        << 8 << "'high' is unreachable";
    QTest::newRow("texts in a loop")
        << Rules(QStringLiteral("score a\ncategory c score=0..1\ntext finding \"{=one}\"\ntext one \"{=two}\"\ntext two \"x{=one}\"\n"))
        << 9 << "loop: one -> two -> one";
    QTest::newRow("text includes itself") << Rules(QStringLiteral("score a\ncategory c score=0..1\ntext finding \"{a}{=finding}\"\n")) << 8 << "loop";
    QTest::newRow("unknown placeholder") << Rules(QStringLiteral("score a\ncategory c score=0..1\ntext finding \"{colour}\"\n")) << 8 << "{colour}";
    QTest::newRow("advice never applies")
        << Rules(QStringLiteral("feature size size \"S\" unit=mm max=100\nscore a\ncategory c score=0..1\n"
                                "advice c size>=10mm big \"B\"\nadvice c size>=20mm huge \"H\"\nadvice c none \"N\"\n"))
        << 10 << "'huge' is unreachable";
    QTest::newRow("advice without smallest sizes")
        << Rules(QStringLiteral("feature size size \"S\" unit=mm\nscore a\ncategory c score=0..1\nadvice c size>=10mm big \"B\"\n"))
        << 9 << "smallest sizes";
    QTest::newRow("chosen option without category")
        << Rules(QStringLiteral("choose a\ncategory x name=\"X\"\n")) << 3 << "option 'y' has no category";
    QTest::newRow("no organ") << QStringLiteral("system t \"T\"\n") << 1 << "no organ";
}

void TstAssistRules::faultyRules()
{
    QFETCH(QString, text);
    QFETCH(int, line);
    QFETCH(QString, message);
    try {
        ParseAssistRules(text, QStringLiteral("site.rules"));
        QFAIL("accepted");
    } catch (const EAssistRuleError& e) {
        QVERIFY2(e.message.contains(message), qPrintable(e.message));
        QCOMPARE(e.line, line);
        QVERIFY(QString::fromStdString(e.what()).startsWith(QStringLiteral("site.rules:%1: ").arg(line)));
    }
}

void TstAssistRules::answers_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");   // empty: refused
    QTest::addColumn<QString>("why");
    QTest::newRow("size in mm") << "size" << "12x8x7" << "12x8x7" << "";
    QTest::newRow("comma decimals in cm") << "size" << "1,25x0,8x0,7cm" << "12.5x8x7" << "";
    QTest::newRow("unit on each and times sign") << "size" << "12mm×0,8cm×7mm" << "12x8x7" << "";
    QTest::newRow("dot decimals with blanks") << "size" << " 12.3 x 8 x 7.05 " << "12.3x8x7.05" << "";
    QTest::newRow("zero dimension") << "size" << "12x0x7" << "" << "必须大于0";
    QTest::newRow("30 cm nodule") << "size" << "30x20x10cm" << "" << "超出合理范围";
    QTest::newRow("two dimensions") << "size" << "12x8" << "" << "三个径线";
    QTest::newRow("foreign unit") << "size" << "12x8x7in" << "" << "径线";
    QTest::newRow("no foci with foci") << "foci" << "none,macro" << "" << "不能与其他选项同选";
    QTest::newRow("foci in file order") << "foci" << "punctate, macro" << "macro,punctate" << "";
    QTest::newRow("unknown option") << "composition" << "rocky" << "" << "没有选项";
    QTest::newRow("empty answer") << "margin" << "  " << "" << "未填写";
}

void TstAssistRules::answers()
{
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, why);
    const TAssistFeature* f = Shipped().System(QStringLiteral("acr-tirads"))->Feature(key);
    QVERIFY(f);
    QString value, error;
    const bool ok = NormalizeAssistAnswer(*f, typed, &value, &error);
    QCOMPARE(ok, !stored.isEmpty());
    if (ok) QCOMPARE(value, stored);
    else QVERIFY2(error.contains(why), qPrintable(error));
}

void TstAssistRules::growth_data()
{
    QTest::addColumn<QList<qint64>>("before");
    QTest::addColumn<QList<qint64>>("now");
    QTest::addColumn<bool>("grown");
    using L = QList<qint64>;
    QTest::newRow("21% and 2.1 mm in two") << L{10000, 10000, 10000} << L{12100, 12100, 10000} << true;
    QTest::newRow("exactly 20% is not more") << L{10000, 10000, 10000} << L{12000, 12000, 10000} << false;
    QTest::newRow("over 20% but under 2 mm") << L{9000, 9000, 20000} << L{10900, 10900, 20000} << false;
    QTest::newRow("small nodule grown in volume only") << L{5000, 5000, 5000} << L{6500, 6500, 5000} << true;
    QTest::newRow("exactly 2 mm and over 20%") << L{8000, 8000, 8000} << L{10000, 10000, 8000} << true;
    QTest::newRow("one dimension only, volume under 50%") << L{10000, 10000, 10000} << L{14000, 10000, 10000} << false;
    QTest::newRow("volume over 50%") << L{10000, 10000, 10000} << L{11500, 11500, 11500} << true;
    QTest::newRow("volume exactly 50%") << L{10000, 10000, 10000} << L{15000, 10000, 10000} << false;
    QTest::newRow("shrunk") << L{20000, 15000, 10000} << L{15000, 10000, 8000} << false;
}

void TstAssistRules::growth()
{
    QFETCH(QList<qint64>, before);
    QFETCH(QList<qint64>, now);
    QFETCH(bool, grown);
    const TAssistGrowthRule rule = Shipped().System(QStringLiteral("acr-tirads"))->growth;
    const TAssistGrowth g = CompareAssistGrowth(rule, {before[0], before[1], before[2]}, {now[0], now[1], now[2]});
    QCOMPARE(g.grown, grown);
    QCOMPARE(g.reason.isEmpty(), !grown);
}

void TstAssistRules::thyroidScoreLineAndProblems()
{
    const TAssistSystems systems = Shipped().ForOrgan(QStringLiteral("thyroid"));
    TAssistNodule a{{"side", "right"}, {"composition", "solid"}, {"echogenicity", "hypo"}, {"shape", "wider"},
                    {"margin", "irregular"}, {"foci", "punctate"}, {"size", "15x11x9"}, {"@earlier", "12x8x8"}};
    TAssistNodule b{{"side", "right"}, {"composition", "mixed"}, {"echogenicity", "iso"}, {"shape", "wider"},
                    {"foci", "none"}, {"size", "8x6x5"}};
    QCOMPARE(AssistScoreLine(systems, a), QStringLiteral("TR5 (9 points), C-TIRADS 4C, 建议细针穿刺活检（FNA）"));
    QVERIFY(AssistFinding(systems, a, 1).endsWith(QStringLiteral("点状强回声，较前（12×8×8mm）明显增大。")));
    QCOMPARE(AssistImpression(systems, {a, b}),
             QStringList({QStringLiteral("结节1（甲状腺右叶）：ACR TI-RADS TR5（9分，高度可疑），建议细针穿刺活检（FNA）；"
                                         "C-TIRADS 4C类（高度可疑恶性，恶性风险50%~90%）。"),
                          QStringLiteral("结节2（甲状腺右叶）：ACR TI-RADS未完成（缺少边缘）；C-TIRADS未完成（缺少边缘）。")}));
    QCOMPARE(AssistProblems(systems, {a, b}), QStringList{QStringLiteral("结节2：缺少边缘")});
    // The second right-lobe nodule now is paired with the second right-lobe one before.
    const QList<TAssistNodule> before{{{"side", "left"}}, {{"side", "right"}}, {{"side", "right"}}};
    QCOMPARE(PairAssistNodules(systems.first()->growth, before, {a, b, TAssistNodule{{"side", "isthmus"}}}), QList<int>({1, 2, -1}));
}

void TstAssistRules::siteRulesReplaceShippedOnes()
{
    QTemporaryDir site;
    auto write = [&](const QString& name, const QString& text) {
        QFile f(site.filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    };
    QFile shipped(kRules + QStringLiteral("/c-tirads.rules"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    // The site's C-TIRADS says 4A differently; its broken file and a clashing system stay out.
    write(QStringLiteral("c-tirads.rules"), QString::fromUtf8(shipped.readAll()).replace(QStringLiteral("name=\"4A类\""), QStringLiteral("name=\"4a类\"")));
    write(QStringLiteral("broken.rules"), QStringLiteral("system x \"X\"\norgan thyroid\nfeature q one \"Q\"\n"));
    write(QStringLiteral("clash.rules"), Rules(QStringLiteral("feature side one \"S\"\noption up 0 \"U\"\nscore a\ncategory c score=0..1\n"))
                                             .replace(QStringLiteral("system t"), QStringLiteral("system zz")));
    const TAssistLibrary lib = LoadAssistLibrary({kRules, site.path()});
    QCOMPARE(lib.ForOrgan(QStringLiteral("thyroid")).size(), 2);
    QCOMPARE(lib.System(QStringLiteral("c-tirads"))->Category(QStringLiteral("4A"))->name, QStringLiteral("4a类"));
    QCOMPARE(lib.errors.size(), 2);
    QVERIFY(lib.errors[0].contains(QStringLiteral("broken.rules:")));
    QVERIFY(lib.errors[1].contains(QStringLiteral("feature 'side' differs")));
}

void TstAssistRules::sessionTakesANoduleWholeOrNotAtAll()
{
    QCOMPARE(Shipped().OrganForItems(QStringLiteral("甲状腺及颈部淋巴结")), QStringLiteral("thyroid"));
    QCOMPARE(Shipped().OrganForItems(QStringLiteral("肝胆胰脾,双侧乳腺")), QStringLiteral("breast"));
    QVERIFY(Shipped().OrganForItems(QStringLiteral("肝胆胰脾")).isEmpty());

    TAssistSession s(Shipped(), QStringLiteral("thyroid"));
    QString error;
    QVERIFY2(s.AddNodule(QStringLiteral("side=left composition=solid echogenicity=hypo shape=wider margin=smooth foci=none size=1,5x1x0,8cm"), &error),
             qPrintable(error));
    QVERIFY(!s.AddNodule(QStringLiteral("side=right composition=solid size=300x10x10"), &error));
    QVERIFY2(error.contains(QStringLiteral("超出合理范围")), qPrintable(error));
    QVERIFY(!s.AddNodule(QStringLiteral("side=right colour=red"), &error));
    QVERIFY(!s.SetAnswers(0, QStringLiteral("margin=ete foci=none,rim"), &error));
    QCOMPARE(s.Document().nodules.size(), 1);
    QCOMPARE(s.Document().nodules.first().value(QStringLiteral("margin")), QStringLiteral("smooth"));
    QCOMPARE(s.ScoreLines(), QStringList{QStringLiteral("nodule 1: TR4 (4 points), C-TIRADS 4A, 建议细针穿刺活检（FNA）")});
}

QTEST_GUILESS_MAIN(TstAssistRules)
#include "tst_assistrules.moc"
