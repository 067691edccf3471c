// SPDX-License-Identifier: MIT
// The Graf hint at every boundary of its table, and the texts that must show nothing.
#include "report/GrafHipType.h"
#include <QtTest>

class TestGrafHipType : public QObject {
    Q_OBJECT

private slots:
    void classifies_data();
    void classifies();
};

void TestGrafHipType::classifies_data()
{
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("beta");
    QTest::addColumn<QString>("expected");
    QTest::newRow("α 60, β 55: Ia") << "60" << "55" << "Ia";
    QTest::newRow("α 60, β 56: Ib") << "60" << "56" << "Ib";
    QTest::newRow("α 70, β 30: Ia") << "70" << "30" << "Ia";
    QTest::newRow("α 59: II") << "59" << "55" << "II";
    QTest::newRow("α 59.5: still II") << "59.5" << "40" << "II";
    QTest::newRow("α 50: II") << "50" << "80" << "II";
    QTest::newRow("α 49, β 77: IIc") << "49" << "77" << "IIc";
    QTest::newRow("α 49, β 78: D") << "49" << "78" << "D";
    QTest::newRow("α 49.9, β 77.5: D") << "49.9" << "77.5" << "D";
    QTest::newRow("α 43, β 77: IIc") << "43" << "77" << "IIc";
    QTest::newRow("α 43, β 78: D") << "43" << "78" << "D";
    QTest::newRow("α 42: III/IV") << "42" << "50" << "III/IV";
    QTest::newRow("α 42.9: III/IV") << "42.9" << "90" << "III/IV";
    QTest::newRow("β 55.5 with α 60: Ib") << "60" << "55.5" << "Ib";
    QTest::newRow("blanks around numbers") << " 65 " << " 50" << "Ia";
    QTest::newRow("initial 0 and 0: nothing") << "0" << "0" << "";
    // α alone decides every type but the split of I into Ia/Ib and of IIc from D.
    QTest::newRow("α 65, β still 0: I") << "65" << "0" << "I";
    QTest::newRow("α 65, β empty: I") << "65" << "" << "I";
    QTest::newRow("α 55, β empty: II") << "55" << "" << "II";
    QTest::newRow("α 40, β empty: III/IV") << "40" << "" << "III/IV";
    QTest::newRow("α 45, β empty: IIc or D undecided") << "45" << "" << "";
    QTest::newRow("α 45, β not a number: undecided") << "45" << "无法判断" << "";
    // Angles as doctors type them.
    QTest::newRow("degree sign") << "62°" << "50°" << "Ia";
    QTest::newRow("degree sign after a blank") << "62 °" << "" << "I";
    QTest::newRow("du after the number") << "60度" << "50度" << "Ia";
    QTest::newRow("full-width digits") << "６２" << "５６" << "Ib";
    QTest::newRow("full-width decimal point") << "５９．５" << "" << "II";
    QTest::newRow("decimal comma") << "59,5" << "50" << "II";
    QTest::newRow("two commas: not a number") << "5,9,5" << "50" << "";
    QTest::newRow("α 0, β set: nothing") << "0" << "50" << "";
    QTest::newRow("empty α: nothing") << "" << "50" << "";
    QTest::newRow("word: nothing") << "无法判断" << "50" << "";
    QTest::newRow("negative: nothing") << "-60" << "50" << "";
    QTest::newRow("not an angle: nothing") << "400" << "50" << "";
    QTest::newRow("nan: nothing") << "nan" << "50" << "";
}

void TestGrafHipType::classifies()
{
    QFETCH(QString, alpha);
    QFETCH(QString, beta);
    QFETCH(QString, expected);
    QCOMPARE(GrafHipType(alpha, beta), expected);
}

QTEST_GUILESS_MAIN(TestGrafHipType)
#include "tst_grafhiptype.moc"
