// SPDX-License-Identifier: MIT
// The hip-joint panel's stored defaults and its Graf hint, through double-clicks on the
// boxes and clicks on SpeedButton1.
#include "EditingKit.h"
#include "FileBytes.h"
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <csignal>
#include <sys/resource.h>

namespace {

// The fourteen boxes in tag order.
const char* const kBoxes[] = {"Cbx_kgj_Left_BaseLine", "Cbx_kgj_Right_BaseLine", "Cbx_kgj_Left_kjgd", "Cbx_kgj_Right_kjgd",
                              "Cbx_kgj_Left_gxtq",     "Cbx_kgj_Right_gxtq",     "Cbx_kgj_Left_rgyc", "Cbx_kgj_Right_rgyc",
                              "Cbx_kgj_Left_gxzx",     "Cbx_kgj_Right_gxzx",     "Cbx_kgj_Left_α",    "Cbx_kgj_Right_α",
                              "Cbx_kgj_Left_β",        "Cbx_kgj_Right_β"};

void DoubleClick(QComboBox* box) { QTest::mouseDClick(box->lineEdit(), Qt::LeftButton); }

}  // namespace

class TestHipJoint : public QObject {
    Q_OBJECT

    std::unique_ptr<TEditingFixture> f;
    QString IniPath() const { return f->ProgramDir() + QStringLiteral("cbxCfg_GuGuanJie.ini"); }
    QComboBox* Box(int tag) const { return Ctl<QComboBox>(*f, kBoxes[tag]); }
    void Recall() { QTest::mouseClick(Ctl<QToolButton>(*f, "SpeedButton1"), Qt::LeftButton); }

private slots:
    void init()
    {
        f = std::make_unique<TEditingFixture>();
        f->Intf()->SetcontrolsEnable(true);
    }
    void cleanup() { f.reset(); }

    void storeAndRecallEachBox_data();
    void storeAndRecallEachBox();
    void storeWritesTagSection();
    void recallSetsEveryBoxInOnePress();
    void recallEmptiesBoxesWithoutStoredValue_data();
    void recallEmptiesBoxesWithoutStoredValue();
    void recallWorksWhileLocked();
    void lockedBoxesStoreNothing();
    void legacyFileStaysLegacy();
    void writeFailureShowsReasonAndKeepsFile_data();
    void writeFailureShowsReasonAndKeepsFile();
    void grafHintFollowsAngles_data();
    void grafHintFollowsAngles();
};

void TestHipJoint::storeAndRecallEachBox_data()
{
    QTest::addColumn<int>("tag");
    QTest::addColumn<QString>("value");
    const QString values[] = {QStringLiteral("斜向"),     QStringLiteral("平直"), QStringLiteral("凹面"), QString(),
                              QStringLiteral("自己写的"), QStringLiteral("钝"),   QStringLiteral("宽,强"), QStringLiteral("内翻或消失"),
                              QStringLiteral("新月形"),   QStringLiteral("刚出现"), QStringLiteral("0"),  QStringLiteral("62"),
                              QStringLiteral(" 55 "),     QStringLiteral("\"45\"")};
    for (int t = 0; t < 14; ++t) QTest::addRow("%s = \"%s\"", kBoxes[t], qPrintable(values[t])) << t << values[t];
}

void TestHipJoint::storeAndRecallEachBox()
{
    QFETCH(int, tag);
    QFETCH(QString, value);
    QComboBox* box = Box(tag);
    QVERIFY(box);
    box->setEditText(value);
    DoubleClick(box);
    QCOMPARE(f->dialogs.shown.size(), 1);
    QCOMPARE(f->dialogs.shown.at(0).text, QStringLiteral("默认值保存成功！"));
    box->setEditText(QStringLiteral("别的"));
    Recall();
    QCOMPARE(box->currentText(), value);
    QCOMPARE(f->dialogs.shown.size(), 1);
}

void TestHipJoint::storeWritesTagSection()
{
    QComboBox* box = Ctl<QComboBox>(*f, "Cbx_kgj_Right_gxzx");
    box->setCurrentIndex(box->findText(QStringLiteral("刚出现")));
    DoubleClick(box);
    QCOMPARE(FileBytes(IniPath()), "\xEF\xBB\xBF" + QStringLiteral("[9]\nDefaultValue=刚出现\n").toUtf8());  // marked UTF-8
    QCOMPARE(f->dialogs.shown.at(0).text, QStringLiteral("默认值保存成功！"));
    QCOMPARE(box->currentText(), QStringLiteral("刚出现"));  // storing never changes the report
}

void TestHipJoint::recallSetsEveryBoxInOnePress()
{
    QByteArray file;
    for (int t = 0; t < 14; ++t) file += "[" + QByteArray::number(t) + "]\nDefaultValue=v" + QByteArray::number(t) + "\n";
    WriteFileBytes(IniPath(), file);
    Recall();
    for (int t = 0; t < 14; ++t) QCOMPARE(Box(t)->currentText(), QStringLiteral("v%1").arg(t));
    QVERIFY(f->dialogs.shown.isEmpty());
}

void TestHipJoint::recallEmptiesBoxesWithoutStoredValue_data()
{
    QTest::addColumn<QByteArray>("file");  // "<none>": no file at all
    QTest::addColumn<QStringList>("expected");
    QStringList empty;
    for (int t = 0; t < 14; ++t) empty << QString();
    QTest::newRow("file absent") << QByteArray("<none>") << empty;
    QStringList partial = empty;
    partial[3] = QStringLiteral("直面");
    partial[12] = QStringLiteral("60");
    QTest::newRow("some sections") << QByteArray("[3]\nDefaultValue=直面\n[12]\nDefaultValue=60\n[5]\nOther=x\n") << partial;
    QStringList legacy = empty;
    legacy[6] = QStringLiteral("宽,强");
    legacy[7] = QStringLiteral("内翻或消失");
    // Written by the Windows workstation: GBK, CR LF, values unquoted.
    QTest::newRow("legacy GBK file") << QByteArray("[6]\r\nDefaultValue=\xbf\xed,\xc7\xbf\r\n[7]\r\nDefaultValue=\xc4\xda\xb7\xad\xbb\xf2\xcf\xfb\xca\xa7\r\n")
                                     << legacy;
}

void TestHipJoint::recallEmptiesBoxesWithoutStoredValue()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, expected);
    if (file != "<none>") WriteFileBytes(IniPath(), file);
    Recall();
    for (int t = 0; t < 14; ++t) QCOMPARE(Box(t)->currentText(), expected.at(t));
    QVERIFY(f->dialogs.shown.isEmpty());
    if (file != "<none>") QCOMPARE(FileBytes(IniPath()), file);
}

void TestHipJoint::recallWorksWhileLocked()
{
    WriteFileBytes(IniPath(), "[0]\nDefaultValue=曲线\n");
    f->Intf()->SetcontrolsEnable(false);
    QVERIFY(!Box(0)->isEnabled());
    Recall();
    QCOMPARE(Box(0)->currentText(), QStringLiteral("曲线"));
}

void TestHipJoint::lockedBoxesStoreNothing()
{
    f->Intf()->SetcontrolsEnable(false);
    for (int t : {0, 10, 13}) DoubleClick(Box(t));
    QVERIFY(f->dialogs.shown.isEmpty());
    QVERIFY(!QFile::exists(IniPath()));
    // Unlocked again, the same double-click stores.
    f->Intf()->SetcontrolsEnable(true);
    DoubleClick(Box(0));
    QCOMPARE(f->dialogs.shown.size(), 1);
    QVERIFY(QFile::exists(IniPath()));
}

// 平直 in GBK (C6 BD D6 B1) is valid UTF-8 as well; the workstation's file means 平直.
void TestHipJoint::legacyFileStaysLegacy()
{
    WriteFileBytes(IniPath(), "[0]\r\nDefaultValue=\xc6\xbd\xd6\xb1\r\n");
    Recall();
    QCOMPARE(Box(0)->currentText(), QStringLiteral("平直"));
    Box(2)->setEditText(QStringLiteral("凹面"));
    DoubleClick(Box(2));
    // Written back in GBK, the encoding the workstation's programs read it in.
    QCOMPARE(FileBytes(IniPath()), QByteArray("[0]\r\nDefaultValue=\xc6\xbd\xd6\xb1\r\n[2]\r\nDefaultValue=\xb0\xbc\xc3\xe6\r\n"));
    Recall();
    QCOMPARE(Box(0)->currentText(), QStringLiteral("平直"));
    QCOMPARE(Box(2)->currentText(), QStringLiteral("凹面"));
}

// Tests run as root, for whom a read-only folder is no obstacle, so the system is made to
// refuse the write in ways that also hold for root: a file size limit smaller than the new
// file, or a program folder that is a file.
void TestHipJoint::writeFailureShowsReasonAndKeepsFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("disk refuses the bytes (size limit)") << "fsize";
    QTest::newRow("program folder is a file") << "notadir";
}

void TestHipJoint::writeFailureShowsReasonAndKeepsFile()
{
    QFETCH(QString, how);
    const QByteArray original("[0]\r\nDefaultValue=\xc6\xbd\xd6\xb1\r\n");  // 平直 in GBK
    QString checkedFile = IniPath();
    WriteFileBytes(checkedFile, original);
    rlimit saved{};
    if (how == QLatin1String("fsize")) {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 16;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    } else {
        qputenv("WRITEREPORT_PROGRAM_DIR", IniPath().toUtf8());
    }
    QComboBox* box = Box(8);
    box->setEditText(QStringLiteral("清晰可见，这段文字比限制长"));
    DoubleClick(box);
    if (how == QLatin1String("fsize")) setrlimit(RLIMIT_FSIZE, &saved);

    QCOMPARE(f->dialogs.shown.size(), 1);
    const QString message = f->dialogs.shown.at(0).text;
    QVERIFY2(message != QStringLiteral("默认值保存成功！"), qPrintable(message));
    const QString reason = how == QLatin1String("fsize") ? QStringLiteral("File too large") : QStringLiteral("Not a directory");
    QVERIFY2(message.contains(reason), qPrintable(message));
    QCOMPARE(FileBytes(checkedFile), original);
    QCOMPARE(QDir(f->ProgramDir()).entryList(QDir::Files), QStringList{QStringLiteral("cbxCfg_GuGuanJie.ini")});
}

void TestHipJoint::grafHintFollowsAngles_data()
{
    QTest::addColumn<QString>("alpha");
    QTest::addColumn<QString>("beta");
    QTest::addColumn<QString>("hint");
    QTest::newRow("initial zeros: nothing") << "0" << "0" << "";
    QTest::newRow("Ia") << "60" << "55" << "Ia";
    QTest::newRow("Ib") << "65" << "56" << "Ib";
    QTest::newRow("II") << "59" << "70" << "II";
    QTest::newRow("IIc") << "45" << "77" << "IIc";
    QTest::newRow("D") << "45" << "78" << "D";
    QTest::newRow("III/IV") << "42" << "80" << "III/IV";
    QTest::newRow("not a number: nothing") << "abc" << "50" << "";
}

void TestHipJoint::grafHintFollowsAngles()
{
    QFETCH(QString, alpha);
    QFETCH(QString, beta);
    QFETCH(QString, hint);
    auto* left = Ctl<QLabel>(*f, "lab_kgj_Left_Graf");
    auto* right = Ctl<QLabel>(*f, "lab_kgj_Right_Graf");
    QVERIFY(left && right);
    QVERIFY(left->isVisible());
    const QString shown = hint.isEmpty() ? QString() : QStringLiteral("Graf分型：") + hint;
    // Typed into the right side.
    QLineEdit* rightAlpha = Box(11)->lineEdit();
    rightAlpha->clear();
    QTest::keyClicks(rightAlpha, alpha);
    Box(13)->setEditText(beta);
    QCOMPARE(right->text(), shown);
    QCOMPARE(left->text(), QString());
    const QRect need = right->fontMetrics().boundingRect(right->text());
    QVERIFY(need.width() <= right->width() && need.height() <= right->height());
    QVERIFY(right->geometry().bottom() < right->parentWidget()->height() - 1);  // above the separator
    // The hint never writes back into a box.
    QCOMPARE(Box(11)->currentText(), alpha);
    QCOMPARE(Box(13)->currentText(), beta);
    // Recalled into the left side.
    WriteFileBytes(IniPath(), "[10]\nDefaultValue=" + alpha.toUtf8() + "\n[12]\nDefaultValue=" + beta.toUtf8() + "\n");
    Recall();
    QCOMPARE(left->text(), shown);
    QCOMPARE(right->text(), QString());  // its boxes were emptied by the recall
    QCOMPARE(Box(10)->currentText(), alpha);
}

QTEST_MAIN(TestHipJoint)
#include "tst_hipjoint.moc"
