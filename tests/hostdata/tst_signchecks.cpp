// SPDX-License-Identifier: MIT
// The checks before signing, driven by the case table kept beside the shipped rules
// (data/checks/cases.tsv: Chinese reports and the findings each must give), and the rule
// files that must be refused, each with its line named.
#include "hostdata/SignChecks.h"
#include <QFile>
#include <QTest>

namespace {
const QString kChecksDir = QStringLiteral(WR_SOURCE_DIR "/data/checks");

QString Unescaped(QString s)
{
    return s.replace(QLatin1String("\\n"), QLatin1String("\n"));
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

// A minimal valid file with `extra` lines appended (to break it on purpose).
QString RulesWith(const QString& extra)
{
    return QStringLiteral("[侧别]\n左 = 左\n右 = 右\n双侧 = 双侧\n[女性]\n词 = 子宫\n[男性]\n词 = 前列腺\n"
                          "[否定]\n前 = 未见\n[未见异常]\n词 = 未见异常\n") + extra;
}
} // namespace

Q_DECLARE_METATYPE(TCheckInput)

class TstSignChecks : public QObject {
    Q_OBJECT
private slots:
    void casesGiveTheirFindings_data();
    void casesGiveTheirFindings();
    void badRuleFilesAreRefusedWithTheLine_data();
    void badRuleFilesAreRefusedWithTheLine();
    void theBaseOfTheBadFilesIsValid();
};

void TstSignChecks::casesGiveTheirFindings_data()
{
    QTest::addColumn<TCheckInput>("input");
    QTest::addColumn<QStringList>("expected");
    QFile f(kChecksDir + QStringLiteral("/cases.tsv"));
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    const QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    int cases = 0;
    for (int n = 0; n < lines.size(); ++n) {
        if (lines[n].isEmpty() || lines[n].startsWith(QLatin1Char('#')) || lines[n].startsWith(QLatin1String("name\t"))) continue;
        const QStringList c = lines[n].split(QLatin1Char('\t'));
        QVERIFY2(c.size() == 8, qPrintable(QStringLiteral("cases.tsv:%1 has %2 columns").arg(n + 1).arg(c.size())));
        TCheckInput in;
        in.sex = c[1];
        if (c[2] != QLatin1String("-")) in.positive = c[2] == QLatin1String("1");
        in.examItem = c[3];
        in.examPart = c[4];
        in.findings = Unescaped(c[5]);
        in.impression = Unescaped(c[6]);
        QStringList expected;
        if (c[7].trimmed() != QLatin1String("ok"))
            for (const QString& e : c[7].split(QLatin1Char('|'))) expected << e.trimmed();
        QTest::newRow(qPrintable(c[0])) << in << expected;
        ++cases;
    }
    QVERIFY(cases >= 20);
}

void TstSignChecks::casesGiveTheirFindings()
{
    QFETCH(TCheckInput, input);
    QFETCH(QStringList, expected);
    static const TSignCheckRules rules = TSignCheckRules::Load(kChecksDir + QStringLiteral("/sign-checks.rules"));
    const QList<TCheckFinding> found = RunSignChecks(rules, input);
    QStringList got;
    for (const TCheckFinding& f : found) {
        got << QStringLiteral("%1 %2 %3").arg(f.IsBlock() ? QStringLiteral("block") : QStringLiteral("warn"), f.rule, f.words).trimmed();
        QVERIFY(!f.title.isEmpty());
        // The host marks the words: every mark lies in its text, and the quoted words stand
        // at the start of one of them.
        bool quoted = f.words.isEmpty();
        for (const TCheckMark& m : f.marks) {
            const QString text = FieldText(input, m.field);
            QVERIFY2(m.start >= 0 && m.length > 0 && m.start + m.length <= text.size(), qPrintable(f.rule));
            if (!f.words.isEmpty() && text.mid(m.start, m.length).startsWith(f.words)) quoted = true;
        }
        QVERIFY2(quoted, qPrintable(QStringLiteral("%1: \"%2\" is not marked").arg(f.rule, f.words)));
    }
    QCOMPARE(got, expected);
    QCOMPARE(HasBlock(found), expected.join(QLatin1Char('|')).contains(QLatin1String("block ")));
}

void TstSignChecks::badRuleFilesAreRefusedWithTheLine_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");   // how the refusal starts, line included
    // The valid base has 12 lines; an appended line is line 13.
    QTest::newRow("empty term between commas") << QStringLiteral("[侧别]\n左 = 左侧,,左\n")
                                               << QStringLiteral("rules.txt:2: empty term (number 2 of 左)");
    QTest::newRow("empty term at the end")
        << RulesWith({}).replace(QStringLiteral("词 = 未见异常"), QStringLiteral("词 = 未见异常，"))
        << QStringLiteral("rules.txt:12: empty term (number 2 of 词)");
    QTest::newRow("a blank term of an ideographic space") << RulesWith(QStringLiteral("[男性]\n")).replace(
        QStringLiteral("词 = 前列腺"), QStringLiteral("词 = 前列腺、\u3000"))
                                                          << QStringLiteral("rules.txt:8: empty term (number 2 of 词)");
    QTest::newRow("a line that is no key") << RulesWith(QStringLiteral("左肾 右肾\n")) << QStringLiteral("rules.txt:13: expected \"key = terms\"");
    QTest::newRow("unknown section") << RulesWith(QStringLiteral("[部位]\n")) << QStringLiteral("rules.txt:13: unknown section [部位]");
    QTest::newRow("section not closed") << RulesWith(QStringLiteral("[级别\n")) << QStringLiteral("rules.txt:13: a section line must end with ']'");
    QTest::newRow("unknown key") << RulesWith(QStringLiteral("[侧别]\n上 = 上\n")) << QStringLiteral("rules.txt:14: unknown key 上 in [侧别]");
    QTest::newRow("a list given twice") << RulesWith(QStringLiteral("[女性]\n词 = 卵巢\n")) << QStringLiteral("rules.txt:14: 词 in [女性] is given twice");
    QTest::newRow("a term with two meanings") << RulesWith(QStringLiteral("[侧别]\n不算侧别 = 左\n"))
                                              << QStringLiteral("rules.txt:14: term \"左\" also stands in another list");
    QTest::newRow("unknown level") << RulesWith(QStringLiteral("[级别]\nside-exam = maybe\n"))
                                   << QStringLiteral("rules.txt:14: the level of side-exam must be block, warn or off");
    QTest::newRow("unknown rule") << RulesWith(QStringLiteral("[级别]\nno-such-rule = warn\n")) << QStringLiteral("rules.txt:14: unknown rule no-such-rule");
    QTest::newRow("gap out of range") << RulesWith(QStringLiteral("[否定]\n最多间隔 = 99\n"))
                                      << QStringLiteral("rules.txt:14: 最多间隔 must be a number from 0 to 10");
    QTest::newRow("a required list missing") << QStringLiteral("[侧别]\n左 = 左\n") << QStringLiteral("rules.txt: no 右 in [侧别]");
}

void TstSignChecks::badRuleFilesAreRefusedWithTheLine()
{
    QFETCH(QString, text);
    QFETCH(QString, message);
    try {
        TSignCheckRules::Parse(text, QStringLiteral("rules.txt"));
        QFAIL("the file was taken");
    } catch (const ESignCheckRules& e) {
        QVERIFY2(e.Message().startsWith(message), qPrintable(e.Message()));
    }
}

void TstSignChecks::theBaseOfTheBadFilesIsValid()
{
    // So each refusal above came from its broken line.
    const TSignCheckRules rules = TSignCheckRules::Parse(RulesWith({}), QStringLiteral("rules.txt"));
    QVERIFY(!rules.Terms().IsEmpty());
}

QTEST_GUILESS_MAIN(TstSignChecks)
#include "tst_signchecks.moc"
