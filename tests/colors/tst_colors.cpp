// SPDX-License-Identifier: MIT
// Colour text forms of the default font: identifiers, "$" hexadecimal and decimal, and the
// mapping to the colours actually painted.
#include "platform/Colors.h"
#include "platform/Exception.h"
#include <QGuiApplication>
#include <QPalette>
#include <QTest>

class TColorsTest : public QObject {
    Q_OBJECT
private slots:
    void identifiersHaveTheirUsualValues_data();
    void identifiersHaveTheirUsualValues();
    void unnamedValuesWriteAsHex_data();
    void unnamedValuesWriteAsHex();
    void readsNumbers_data();
    void readsNumbers();
    void rejectsMalformedText_data();
    void rejectsMalformedText();
    void everyWrittenValueReadsBack();
    void systemColoursFollowThePalette_data();
    void systemColoursFollowThePalette();
    void rgbValuesMapToQColor_data();
    void rgbValuesMapToQColor();
    void specialValues();
};

void TColorsTest::identifiersHaveTheirUsualValues_data()
{
    QTest::addColumn<QString>("ident");
    QTest::addColumn<quint32>("value");
    // The basic colours.
    QTest::newRow("clBlack") << "clBlack" << 0x000000u;
    QTest::newRow("clMaroon") << "clMaroon" << 0x000080u;
    QTest::newRow("clGreen") << "clGreen" << 0x008000u;
    QTest::newRow("clOlive") << "clOlive" << 0x008080u;
    QTest::newRow("clNavy") << "clNavy" << 0x800000u;
    QTest::newRow("clPurple") << "clPurple" << 0x800080u;
    QTest::newRow("clTeal") << "clTeal" << 0x808000u;
    QTest::newRow("clGray") << "clGray" << 0x808080u;
    QTest::newRow("clSilver") << "clSilver" << 0xC0C0C0u;
    QTest::newRow("clRed") << "clRed" << 0x0000FFu;
    QTest::newRow("clLime") << "clLime" << 0x00FF00u;
    QTest::newRow("clYellow") << "clYellow" << 0x00FFFFu;
    QTest::newRow("clBlue") << "clBlue" << 0xFF0000u;
    QTest::newRow("clFuchsia") << "clFuchsia" << 0xFF00FFu;
    QTest::newRow("clAqua") << "clAqua" << 0xFFFF00u;
    QTest::newRow("clWhite") << "clWhite" << 0xFFFFFFu;
    // Extra and special.
    QTest::newRow("clMoneyGreen") << "clMoneyGreen" << 0xC0DCC0u;
    QTest::newRow("clSkyBlue") << "clSkyBlue" << 0xF0CAA6u;
    QTest::newRow("clCream") << "clCream" << 0xF0FBFFu;
    QTest::newRow("clMedGray") << "clMedGray" << 0xA4A0A0u;
    QTest::newRow("clNone") << "clNone" << 0x1FFFFFFFu;
    QTest::newRow("clDefault") << "clDefault" << 0x20000000u;
    // System colours in index order.
    const char* system[] = {"clScrollBar", "clBackground", "clActiveCaption", "clInactiveCaption", "clMenu",
                            "clWindow", "clWindowFrame", "clMenuText", "clWindowText", "clCaptionText",
                            "clActiveBorder", "clInactiveBorder", "clAppWorkSpace", "clHighlight",
                            "clHighlightText", "clBtnFace", "clBtnShadow", "clGrayText", "clBtnText",
                            "clInactiveCaptionText", "clBtnHighlight", "cl3DDkShadow", "cl3DLight",
                            "clInfoText", "clInfoBk"};
    for (quint32 i = 0; i < std::size(system); ++i)
        QTest::newRow(system[i]) << QString::fromLatin1(system[i]) << (0xFF000000u | i);
    QTest::newRow("clHotLight") << "clHotLight" << 0xFF00001Au;
    QTest::newRow("clGradientActiveCaption") << "clGradientActiveCaption" << 0xFF00001Bu;
    QTest::newRow("clGradientInactiveCaption") << "clGradientInactiveCaption" << 0xFF00001Cu;
    QTest::newRow("clMenuHighlight") << "clMenuHighlight" << 0xFF00001Du;
    QTest::newRow("clMenuBar") << "clMenuBar" << 0xFF00001Eu;
}

void TColorsTest::identifiersHaveTheirUsualValues()
{
    QFETCH(QString, ident);
    QFETCH(quint32, value);
    const TColor color = static_cast<TColor>(value);
    QCOMPARE(static_cast<quint32>(StringToColor(ident)), value);
    QCOMPARE(static_cast<quint32>(StringToColor(ident.toUpper())), value);
    QCOMPARE(ColorToString(color), ident);
}

void TColorsTest::unnamedValuesWriteAsHex_data()
{
    QTest::addColumn<quint32>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("small rgb padded to eight digits") << 0x000001u << "$00000001";
    QTest::newRow("rgb with letters upper-case") << 0x00ABCDEFu << "$00ABCDEF";
    QTest::newRow("system index without a name") << 0xFF000019u << "$FF000019";
    QTest::newRow("system index beyond the table") << 0xFF0000FFu << "$FF0000FF";
    QTest::newRow("palette-relative high byte") << 0x02123456u << "$02123456";
}

void TColorsTest::unnamedValuesWriteAsHex()
{
    QFETCH(quint32, value);
    QFETCH(QString, text);
    QCOMPARE(ColorToString(static_cast<TColor>(value)), text);
}

void TColorsTest::readsNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<quint32>("value");
    QTest::newRow("dollar, eight digits") << "$00FF8040" << 0x00FF8040u;
    QTest::newRow("dollar, lower case, short") << "$ff" << 0xFFu;
    QTest::newRow("dollar, system colour") << "$FF000008" << 0xFF000008u;
    QTest::newRow("0x prefix") << "0x0000FF" << 0xFFu;
    QTest::newRow("decimal") << "14211288" << 0xD8D8D8u;
    QTest::newRow("negative decimal is clWindowText") << "-16777208" << 0xFF000008u;
    QTest::newRow("decimal zero") << "0" << 0u;
    QTest::newRow("largest unsigned decimal") << "4294967295" << 0xFFFFFFFFu;
    QTest::newRow("smallest signed decimal") << "-2147483648" << 0x80000000u;
    QTest::newRow("blanks around") << "  $0000FF  " << 0xFFu;
}

void TColorsTest::readsNumbers()
{
    QFETCH(QString, text);
    QFETCH(quint32, value);
    QCOMPARE(static_cast<quint32>(StringToColor(text)), value);
}

void TColorsTest::rejectsMalformedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << "";
    QTest::newRow("blank") << "   ";
    QTest::newRow("unknown identifier") << "clPink";
    QTest::newRow("identifier with a typo") << "clWindowTex";
    QTest::newRow("dollar alone") << "$";
    QTest::newRow("dollar with nine digits") << "$123456789";
    QTest::newRow("dollar with a sign") << "$-1";
    QTest::newRow("dollar with a non-hex digit") << "$00GG00";
    QTest::newRow("dollar with inner blank") << "$00 FF";
    QTest::newRow("decimal too large") << "4294967296";
    QTest::newRow("decimal too small") << "-2147483649";
    QTest::newRow("decimal with fraction") << "12.5";
    QTest::newRow("letters") << "红色";
    QTest::newRow("quote") << "'clRed'";
}

void TColorsTest::rejectsMalformedText()
{
    QFETCH(QString, text);
    try {
        StringToColor(text);
        QFAIL("accepted a malformed colour text");
    } catch (const EConvertError& e) {
        QVERIFY(e.Message().contains(text.trimmed()));
    }
}

void TColorsTest::everyWrittenValueReadsBack()
{
    // A sweep over values from every range the text form distinguishes.
    const quint32 samples[] = {0u, 1u, 0x7Fu, 0xFFFFFFu, 0x1000000u, 0x1FFFFFFEu, 0x1FFFFFFFu, 0x20000000u,
                               0x7FFFFFFFu, 0x80000000u, 0xFEFFFFFFu, 0xFF000000u, 0xFF00001Eu, 0xFFFFFFFFu};
    for (quint32 v : samples) {
        const TColor c = static_cast<TColor>(v);
        QCOMPARE(static_cast<quint32>(StringToColor(ColorToString(c))), v);
    }
    for (quint32 v = 0; v < 0x1000000u; v += 0x10101u) {
        const TColor c = static_cast<TColor>(v);
        QCOMPARE(static_cast<quint32>(StringToColor(ColorToString(c))), v);
    }
}

void TColorsTest::systemColoursFollowThePalette_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<int>("role");
    QTest::newRow("window text is the text colour") << quint32(clWindowText) << int(QPalette::Text);
    QTest::newRow("window is the base colour") << quint32(clWindow) << int(QPalette::Base);
    QTest::newRow("button face") << quint32(clBtnFace) << int(QPalette::Button);
    QTest::newRow("button text") << quint32(clBtnText) << int(QPalette::ButtonText);
    QTest::newRow("highlight") << quint32(clHighlight) << int(QPalette::Highlight);
    QTest::newRow("highlight text") << quint32(clHighlightText) << int(QPalette::HighlightedText);
    QTest::newRow("info background") << quint32(clInfoBk) << int(QPalette::ToolTipBase);
    QTest::newRow("button highlight") << quint32(clBtnHighlight) << int(QPalette::Light);
}

void TColorsTest::systemColoursFollowThePalette()
{
    QFETCH(quint32, color);
    QFETCH(int, role);
    QPalette pal = QGuiApplication::palette();
    // A palette with a distinctive colour in the role proves the value is read, not assumed.
    const QColor marker(12, 34, 56);
    pal.setColor(QPalette::Active, static_cast<QPalette::ColorRole>(role), marker);
    const QPalette saved = QGuiApplication::palette();
    QGuiApplication::setPalette(pal);
    const QColor got = ColorToQColor(color);
    QGuiApplication::setPalette(saved);
    QCOMPARE(got, marker);
}

void TColorsTest::rgbValuesMapToQColor_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<QColor>("expected");
    QTest::newRow("red is the low byte") << quint32(clRed) << QColor(255, 0, 0);
    QTest::newRow("blue is the third byte") << quint32(clBlue) << QColor(0, 0, 255);
    QTest::newRow("sky blue") << quint32(clSkyBlue) << QColor(0xA6, 0xCA, 0xF0);
    QTest::newRow("locked-section grey") << 14211288u << QColor(216, 216, 216);
}

void TColorsTest::rgbValuesMapToQColor()
{
    QFETCH(quint32, color);
    QFETCH(QColor, expected);
    QCOMPARE(ColorToQColor(color), expected);
    QCOMPARE(QColorToColor(expected), color);
}

void TColorsTest::specialValues()
{
    QCOMPARE(ColorToQColor(clNone).alpha(), 0);
    QVERIFY(!ColorToQColor(clDefault).isValid());
    QCOMPARE(QColorToColor(QColor()), clDefault);
    // Alpha does not leak into the stored value.
    QCOMPARE(QColorToColor(QColor(1, 2, 3, 10)), static_cast<TColor>(0x030201));
    QVERIFY(IsSystemColor(clMenuBar));
    QVERIFY(!IsSystemColor(clNone));
}

QTEST_MAIN(TColorsTest)
#include "tst_colors.moc"
