// SPDX-License-Identifier: MIT
// TIniFile against files as Windows programs write them and against its own writes.
#include "FileBytes.h"
#include "platform/Exception.h"
#include "platform/IniFile.h"
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {

bool IsValidUtf8(const QByteArray& bytes)
{
    QStringDecoder d(QStringDecoder::Utf8);
    (void)d.decode(bytes);
    return !d.hasError();
}

// "宽,强" and "内翻或消失" as a Chinese Windows program stores them (GBK).
const QByteArray kGbkWideStrong("\xbf\xed,\xc7\xbf");
const QByteArray kGbkInverted("\xc4\xda\xb7\xad\xbb\xf2\xcf\xfb\xca\xa7");

}  // namespace

class TestIniFile : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(m_dir.isValid()); m_path = m_dir.filePath(QStringLiteral("t%1.ini").arg(m_seq++)); }

    void roundTrip_data();
    void roundTrip();
    void readFileFromOutside_data();
    void readFileFromOutside();
    void readInteger_data();
    void readInteger();
    void missingFileReadsDefaults();
    void writeKeepsRestOfLegacyFile();
    void newKeyLandsInItsOwnSection();
    void overwriteKeepsOneLine();
    void listsSectionsAndKeys();
    void eraseAndDelete();
    void unrepresentableWritesRefused_data();
    void unrepresentableWritesRefused();
    void osWriteFailureLeavesFile_data();
    void osWriteFailureLeavesFile();
    void undecodableFileIsNotRewritten();

private:
    QTemporaryDir m_dir;
    QString m_path;
    int m_seq = 0;
};

void TestIniFile::roundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("empty") << QString();
    QTest::newRow("typed angle") << QStringLiteral("62");
    QTest::newRow("comma inside one value") << QStringLiteral("宽,强");
    QTest::newRow("chinese") << QStringLiteral("内翻或消失");
    QTest::newRow("leading and trailing blanks") << QStringLiteral("  刚出现 \t");
    QTest::newRow("enclosing double quotes") << QStringLiteral("\"引号\"");
    QTest::newRow("enclosing single quotes") << QStringLiteral("'x'");
    QTest::newRow("one quote only") << QStringLiteral("\"x");
    QTest::newRow("semicolon and equals") << QStringLiteral("a;b=c");
    QTest::newRow("looks like a section") << QStringLiteral("[1]");
    QTest::newRow("ideographic space kept") << QStringLiteral("\u3000宽\u3000");
}

void TestIniFile::roundTrip()
{
    QFETCH(QString, value);
    TIniFile(m_path).WriteString(QStringLiteral("6"), QStringLiteral("DefaultValue"), value);
    TIniFile(m_path).WriteString(QStringLiteral("7"), QStringLiteral("DefaultValue"), QStringLiteral("other"));
    QCOMPARE(TIniFile(m_path).ReadString(QStringLiteral("6"), QStringLiteral("DefaultValue"), QStringLiteral("absent")), value);
    QCOMPARE(TIniFile(m_path).ReadString(QStringLiteral("7"), QStringLiteral("DefaultValue"), {}), QStringLiteral("other"));
    // UTF-8, marked as such once it holds more than ASCII (so it never reads as GBK).
    const QByteArray bytes = FileBytes(m_path);
    QVERIFY(IsValidUtf8(bytes));
    const bool ascii = std::all_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 0x80; });
    QCOMPARE(bytes.startsWith("\xEF\xBB\xBF"), !ascii);
}

void TestIniFile::readFileFromOutside_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");
    const QString dv = QStringLiteral("DefaultValue");
    QTest::newRow("GBK, CR LF, unquoted comma") << QByteArray("[5]\r\nDefaultValue=" + kGbkInverted + "\r\n[6]\r\nDefaultValue=" + kGbkWideStrong + "\r\n")
                                               << QStringLiteral("6") << dv << QStringLiteral("宽,强");
    QTest::newRow("GBK, no final line end") << QByteArray("[6]\r\nDefaultValue=" + kGbkWideStrong) << QStringLiteral("6") << dv << QStringLiteral("宽,强");
    // Valid UTF-8 too ("ƽֱ"), but the legacy text it is: 平直 and 斜向 in GBK.
    QTest::newRow("GBK that is also valid UTF-8") << QByteArray("[0]\r\nDefaultValue=\xc6\xbd\xd6\xb1\r\n")
                                                 << QStringLiteral("0") << dv << QStringLiteral("平直");
    QTest::newRow("UTF-8 without BOM that pairs outside GB2312") << QByteArray("[0]\nDefaultValue=平直\n")
                                                                << QStringLiteral("0") << dv << QStringLiteral("平直");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF[9]\nDefaultValue=刚出现\n") << QStringLiteral("9") << dv << QStringLiteral("刚出现");
    QTest::newRow("UTF-16LE with BOM") << QByteArray("\xFF\xFE[\x00" "1\x00]\x00\n\x00k\x00=\x00v\x00\n\x00", 18)
                                      << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("v");
    QTest::newRow("double quotes stripped") << QByteArray("[1]\nk=\" a \"\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral(" a ");
    QTest::newRow("single quotes stripped") << QByteArray("[1]\nk='a'\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("a");
    QTest::newRow("mismatched quotes kept") << QByteArray("[1]\nk=\"a'\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("\"a'");
    QTest::newRow("blanks around key and value") << QByteArray("  [ 1 ]  \n\t k \t=  x y \t\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("x y");
    QTest::newRow("section and key case-insensitive") << QByteArray("[Cfg]\nDEFAULTvalue=1\n") << QStringLiteral("cFG") << dv << QStringLiteral("1");
    QTest::newRow("semicolon inside value kept") << QByteArray("[1]\nk=a ; b\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("a ; b");
    QTest::newRow("commented-out key ignored") << QByteArray("[1]\n;k=old\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("<def>");
    QTest::newRow("first of duplicate keys") << QByteArray("[1]\nk=first\nk=second\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("first");
    QTest::newRow("key of another section not taken") << QByteArray("[1]\n[2]\nk=v\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("<def>");
    QTest::newRow("key before any section not taken") << QByteArray("k=v\n[1]\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("<def>");
    QTest::newRow("line without equals ignored") << QByteArray("[1]\nk\n") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("<def>");
    QTest::newRow("empty value is not the default") << QByteArray("[1]\nk=\n") << QStringLiteral("1") << QStringLiteral("k") << QString();
    QTest::newRow("empty file") << QByteArray() << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("<def>");
}

void TestIniFile::readFileFromOutside()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    WriteFileBytes(m_path, content);
    QCOMPARE(TIniFile(m_path).ReadString(section, key, QStringLiteral("<def>")), expected);
}

void TestIniFile::readInteger_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<int>("expected");
    QTest::addColumn<bool>("expectedBool");
    QTest::newRow("decimal") << QByteArray("12") << 12 << true;
    QTest::newRow("negative") << QByteArray("-3") << -3 << true;
    QTest::newRow("zero is false") << QByteArray("0") << 0 << false;
    QTest::newRow("hex 0x") << QByteArray("0x1F") << 31 << true;
    QTest::newRow("hex dollar") << QByteArray("$10") << 16 << true;
    QTest::newRow("word gives default") << QByteArray("yes") << -7 << true;
    QTest::newRow("empty gives default") << QByteArray("") << -7 << true;
    QTest::newRow("decimal point gives default") << QByteArray("1.5") << -7 << true;
}

void TestIniFile::readInteger()
{
    QFETCH(QByteArray, value);
    QFETCH(int, expected);
    QFETCH(bool, expectedBool);
    WriteFileBytes(m_path, "[s]\nk=" + value + "\n");
    QCOMPARE(TIniFile(m_path).ReadInteger(QStringLiteral("s"), QStringLiteral("k"), -7), expected);
    QCOMPARE(TIniFile(m_path).ReadBool(QStringLiteral("s"), QStringLiteral("k"), true), expectedBool);
}

void TestIniFile::missingFileReadsDefaults()
{
    const TIniFile ini(m_dir.filePath(QStringLiteral("nowhere/none.ini")));
    QCOMPARE(ini.ReadString(QStringLiteral("0"), QStringLiteral("DefaultValue"), QStringLiteral("d")), QStringLiteral("d"));
    QCOMPARE(ini.ReadInteger(QStringLiteral("0"), QStringLiteral("n"), 5), 5);
    QCOMPARE(ini.ReadBool(QStringLiteral("0"), QStringLiteral("b"), true), true);
    QVERIFY(!ini.SectionExists(QStringLiteral("0")));
    QVERIFY(ini.ReadSections().isEmpty());
    QVERIFY(ini.ReadSection(QStringLiteral("0")).isEmpty());
}

void TestIniFile::writeKeepsRestOfLegacyFile()
{
    WriteFileBytes(m_path, "; written on a workstation\r\n[6]\r\nDefaultValue=" + kGbkWideStrong + "\r\n\r\n[8]\r\n; note\r\nDefaultValue=x\r\n");
    TIniFile ini(m_path);
    ini.WriteString(QStringLiteral("8"), QStringLiteral("DefaultValue"), QStringLiteral("新月形"));
    // Still GBK, as the workstation's programs read it.
    const QByteArray after = FileBytes(m_path);
    QCOMPARE(after, "; written on a workstation\r\n[6]\r\nDefaultValue=" + kGbkWideStrong
                        + "\r\n\r\n[8]\r\n; note\r\nDefaultValue=\xd0\xc2\xd4\xc2\xd0\xce\r\n");
    QCOMPARE(ini.ReadString(QStringLiteral("6"), QStringLiteral("DefaultValue"), {}), QStringLiteral("宽,强"));
}

void TestIniFile::newKeyLandsInItsOwnSection()
{
    WriteFileBytes(m_path, "[a]\nx=1\n\n; about b\n[b]\ny=2\n");
    TIniFile ini(m_path);
    ini.WriteInteger(QStringLiteral("A"), QStringLiteral("z"), 3);
    ini.WriteBool(QStringLiteral("c"), QStringLiteral("on"), true);
    QCOMPARE(QString::fromUtf8(FileBytes(m_path)), QStringLiteral("[a]\nx=1\nz=3\n\n; about b\n[b]\ny=2\n[c]\non=1\n"));
    QCOMPARE(ini.ReadInteger(QStringLiteral("a"), QStringLiteral("z"), 0), 3);
    QCOMPARE(ini.ReadBool(QStringLiteral("c"), QStringLiteral("on"), false), true);
}

void TestIniFile::overwriteKeepsOneLine()
{
    TIniFile ini(m_path);
    ini.WriteString(QStringLiteral("9"), QStringLiteral("DefaultValue"), QStringLiteral("未出现"));
    ini.WriteString(QStringLiteral("9"), QStringLiteral("defaultvalue"), QStringLiteral("刚出现"));
    QCOMPARE(FileBytes(m_path), "\xEF\xBB\xBF" + QStringLiteral("[9]\nDefaultValue=刚出现\n").toUtf8());  // marked UTF-8
}

void TestIniFile::listsSectionsAndKeys()
{
    WriteFileBytes(m_path, "[one]\na=1\n;b=2\nc=3\n[Two]\n[ONE]\nd=4\n");
    const TIniFile ini(m_path);
    QCOMPARE(ini.ReadSections(), (QStringList{QStringLiteral("one"), QStringLiteral("Two")}));
    QCOMPARE(ini.ReadSection(QStringLiteral("ONE")), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    QVERIFY(ini.SectionExists(QStringLiteral("two")));
    QVERIFY(!ini.SectionExists(QStringLiteral("three")));
}

void TestIniFile::eraseAndDelete()
{
    const QByteArray original("[a]\nx=1\ny=2\n[b]\n; b's comment\nz=3\n[c]\nw=4\n");
    WriteFileBytes(m_path, original);
    TIniFile ini(m_path);
    ini.EraseSection(QStringLiteral("missing"));
    ini.DeleteKey(QStringLiteral("a"), QStringLiteral("missing"));
    QCOMPARE(FileBytes(m_path), original);
    ini.EraseSection(QStringLiteral("B"));
    ini.DeleteKey(QStringLiteral("a"), QStringLiteral("X"));
    QCOMPARE(FileBytes(m_path), QByteArray("[a]\ny=2\n[c]\nw=4\n"));
}

void TestIniFile::unrepresentableWritesRefused_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("line break in value") << QStringLiteral("1") << QStringLiteral("k") << QStringLiteral("a\nb");
    QTest::newRow("equals in key") << QStringLiteral("1") << QStringLiteral("k=v") << QStringLiteral("x");
    QTest::newRow("bracket in section") << QStringLiteral("a]b") << QStringLiteral("k") << QStringLiteral("x");
    QTest::newRow("empty key") << QStringLiteral("1") << QString() << QStringLiteral("x");
}

void TestIniFile::unrepresentableWritesRefused()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QByteArray original("[1]\nk=old\n");
    WriteFileBytes(m_path, original);
    QVERIFY_THROWS_EXCEPTION(EFileError, TIniFile(m_path).WriteString(section, key, value));
    QCOMPARE(FileBytes(m_path), original);
}

// Tests run as root, for whom a read-only folder is no obstacle; the rows therefore make the
// operating system refuse in ways that hold for root too.
void TestIniFile::osWriteFailureLeavesFile_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("file size limit reached") << QStringLiteral("fsize");
    QTest::newRow("folder is a file") << QStringLiteral("underfile");
    QTest::newRow("target is a folder") << QStringLiteral("isdir");
    QTest::newRow("read-only folder (non-root only)") << QStringLiteral("readonly");
}

void TestIniFile::osWriteFailureLeavesFile()
{
    QFETCH(QString, how);
    const QByteArray original("[0]\r\nDefaultValue=" + kGbkInverted + "\r\n");
    QString target = m_path;
    rlimit savedLimit{};
    if (how == QLatin1String("fsize")) {
        WriteFileBytes(target, original);
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &savedLimit);
        rlimit small = savedLimit;
        small.rlim_cur = 8;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    } else if (how == QLatin1String("underfile")) {
        WriteFileBytes(m_path, original);
        target = m_path + QStringLiteral("/cbx.ini");
    } else if (how == QLatin1String("isdir")) {
        QVERIFY(QDir().mkpath(target));
    } else {
        if (geteuid() == 0) QSKIP("root writes into read-only folders");
        const QString sub = m_dir.filePath(QStringLiteral("ro%1").arg(m_seq));
        QVERIFY(QDir().mkpath(sub));
        target = sub + QStringLiteral("/cbx.ini");
        WriteFileBytes(target, original);
        QVERIFY(QFile::setPermissions(sub, QFile::ReadOwner | QFile::ExeOwner));
    }

    QString message;
    try {
        TIniFile(target).WriteString(QStringLiteral("0"), QStringLiteral("DefaultValue"), QStringLiteral("a much longer value than the limit allows"));
    } catch (const EFileError& e) {
        message = e.Message();
    }
    if (how == QLatin1String("fsize")) setrlimit(RLIMIT_FSIZE, &savedLimit);
    if (how == QLatin1String("readonly")) QFile::setPermissions(QFileInfo(target).path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QVERIFY2(!message.isEmpty(), "the write must fail");
    QVERIFY2(message.contains(target), qPrintable(message));
    // The system's reason follows the file name.
    QVERIFY2(message.section(target, 1).size() > 3, qPrintable(message));
    if (how == QLatin1String("isdir")) QVERIFY(QFileInfo(target).isDir());
    else QCOMPARE(FileBytes(how == QLatin1String("underfile") ? m_path : target), original);
    QCOMPARE(QDir(QFileInfo(m_path).path()).entryList(QStringList{QStringLiteral("*.ini.*")}, QDir::Files), QStringList());
}

void TestIniFile::undecodableFileIsNotRewritten()
{
    // Bytes that are neither UTF-8 nor GBK: rewriting would replace them with junk.
    const QByteArray original("[1]\nk=\x81\x20\xff\n");
    WriteFileBytes(m_path, original);
    QVERIFY_THROWS_EXCEPTION(EFileError, TIniFile(m_path).WriteString(QStringLiteral("2"), QStringLiteral("k"), QStringLiteral("v")));
    QCOMPARE(FileBytes(m_path), original);
}

QTEST_GUILESS_MAIN(TestIniFile)
#include "tst_inifile.moc"
