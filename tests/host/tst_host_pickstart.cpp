// SPDX-License-Identifier: MIT
// Pickers start from the report: the part picker ticks the parts the report names, the
// template picker lists the report's exam category first and every template on request.
#include "pickers/PickerDialogs.h"
#include <QCheckBox>
#include <QtTest>

namespace {
TPickerEntry Entry(const QString& text, const QString& group = {})
{
    TPickerEntry e;
    e.text = text;
    e.group = group;
    e.id = text;
    return e;
}

QStringList Texts(const QList<TPickerEntry>& entries, bool checkedOnly)
{
    QStringList r;
    for (const TPickerEntry& e : entries)
        if (!checkedOnly || e.checked) r << e.text;
    return r;
}
} // namespace

class TestHostPickStart : public QObject {
    Q_OBJECT

private slots:
    void ticksWhatTheReportNames_data();
    void ticksWhatTheReportNames();
    void partPickerOpensTicked();
    void templatesOfTheReportsCategoryFirst();
    void templatesWithoutAKnownCategory();
};

void TestHostPickStart::ticksWhatTheReportNames_data()
{
    QTest::addColumn<QString>("current");
    QTest::addColumn<QStringList>("ticked");
    QTest::addColumn<QStringList>("all");
    const QStringList offered{"肝脏", "胆囊", "胰腺", "脾脏"};
    QTest::newRow("nothing yet") << "" << QStringList{} << offered;
    QTest::newRow("two parts, comma") << "肝脏,胆囊" << QStringList{"肝脏", "胆囊"} << offered;
    QTest::newRow("full-width comma, 、 and blanks") << " 胆囊，脾脏 、胰腺 " << QStringList{"胆囊", "胰腺", "脾脏"} << offered;
    QTest::newRow("a typed part is kept, ticked") << "肝脏,左肾" << QStringList{"肝脏", "左肾"}
                                                  << (offered + QStringList{"左肾"});
}

void TestHostPickStart::ticksWhatTheReportNames()
{
    QFETCH(QString, current);
    QFETCH(QStringList, ticked);
    QFETCH(QStringList, all);
    QList<TPickerEntry> entries{Entry("肝脏"), Entry("胆囊"), Entry("胰腺"), Entry("脾脏")};
    TickCurrentTexts(entries, current);
    QCOMPARE(Texts(entries, true), ticked);
    QCOMPARE(Texts(entries, false), all);
}

void TestHostPickStart::partPickerOpensTicked()
{
    QList<TPickerEntry> entries{Entry("肝脏"), Entry("胆囊"), Entry("胰腺")};
    TickCurrentTexts(entries, QStringLiteral("胰腺,肝脏"));
    TListPickerDialog dlg(TPickerKind::Part, entries, true);
    // Accepted as it opens, the report's parts come back unchanged.
    QCOMPARE(Texts(dlg.Chosen(), false), (QStringList{"肝脏", "胰腺"}));
}

void TestHostPickStart::templatesOfTheReportsCategoryFirst()
{
    const QList<TPickerEntry> entries{Entry("肝胆胰脾未见异常", "腹部"), Entry("胆囊结石", "腹部"),
                                      Entry("甲状腺结节", "浅表器官"), Entry("甲状腺未见异常", "浅表器官")};
    TTemplatePickerDialog dlg(entries, QStringLiteral("浅表器官"));
    QCOMPARE(dlg.VisibleGroups(), QStringList{"浅表器官"});
    QVERIFY(dlg.Chosen());
    QCOMPARE(dlg.Chosen()->text, QStringLiteral("甲状腺结节"));
    auto* only = dlg.findChild<QCheckBox*>(QStringLiteral("templateOnlyCategory"));
    QVERIFY(only && only->isChecked());
    only->setChecked(false);  // "all"
    QCOMPARE(dlg.VisibleGroups(), (QStringList{"腹部", "浅表器官"}));
    dlg.ShowOnlyCategory(true);
    QVERIFY(only->isChecked());
    QCOMPARE(dlg.VisibleGroups(), QStringList{"浅表器官"});
    // A script may still choose any template.
    QString error;
    QVERIFY2(dlg.Select(QStringLiteral("腹部/胆囊结石"), true, true, &error), qPrintable(error));
    QCOMPARE(dlg.Chosen()->text, QStringLiteral("胆囊结石"));
}

void TestHostPickStart::templatesWithoutAKnownCategory()
{
    const QList<TPickerEntry> entries{Entry("胆囊结石", "腹部"), Entry("甲状腺结节", "浅表器官")};
    for (const QString& category : {QString(), QStringLiteral("心脏")}) {
        TTemplatePickerDialog dlg(entries, category);
        QCOMPARE(dlg.VisibleGroups(), (QStringList{"腹部", "浅表器官"}));
        QVERIFY(!dlg.findChild<QCheckBox*>(QStringLiteral("templateOnlyCategory")));
    }
}

QTEST_MAIN(TestHostPickStart)
#include "tst_host_pickstart.moc"
