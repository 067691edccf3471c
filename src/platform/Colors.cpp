// SPDX-License-Identifier: MIT
#include "Colors.h"
#include "Exception.h"
#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace {

struct TColorName {
    TColor value;
    const char* name;
};

// One name per value, so ColorToString and StringToColor are inverses of each other.
constexpr std::array<TColorName, 52> kColorNames{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clNone, "clNone"},
    {clDefault, "clDefault"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clHotLight, "clHotLight"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuBar, "clMenuBar"},
}};

[[noreturn]] void RaiseBadColor(const QString& text)
{
    throw EConvertError(QStringLiteral("'%1' is not a valid colour value").arg(text));
}

// The palette entry that plays the part of each system colour index on this desktop.
QColor PaletteColor(int index)
{
    const QPalette pal = QGuiApplication::palette();
    using R = QPalette::ColorRole;
    auto c = [&](R role) { return pal.color(QPalette::Active, role); };
    switch (index) {
    case 0: return c(R::Button);                       // scroll bar
    case 1: return c(R::Window);                       // desktop background
    case 2: return c(R::Highlight);                    // active caption
    case 3: return pal.color(QPalette::Inactive, R::Highlight);
    case 4: return c(R::Window);                       // menu
    case 5: return c(R::Base);                         // window (edit) background
    case 6: return c(R::Shadow);                       // window frame
    case 7: return c(R::WindowText);                   // menu text
    case 8: return c(R::Text);                         // window (edit) text
    case 9: return c(R::HighlightedText);              // caption text
    case 10: case 11: return c(R::Window);             // borders
    case 12: return c(R::Mid);                         // MDI work space
    case 13: return c(R::Highlight);
    case 14: return c(R::HighlightedText);
    case 15: return c(R::Button);                      // button face
    case 16: return c(R::Dark);                        // button shadow
    case 17: return pal.color(QPalette::Disabled, R::Text);
    case 18: return c(R::ButtonText);
    case 19: return pal.color(QPalette::Inactive, R::HighlightedText);
    case 20: return c(R::Light);                       // button highlight
    case 21: return c(R::Shadow);                      // 3-D dark shadow
    case 22: return c(R::Midlight);                    // 3-D light
    case 23: return c(R::ToolTipText);
    case 24: return c(R::ToolTipBase);
    case 26: return c(R::Link);                        // hot-tracked item
    case 27: return c(R::Highlight);
    case 28: return pal.color(QPalette::Inactive, R::Highlight);
    case 29: return c(R::Highlight);                   // menu highlight
    case 30: return c(R::Window);                      // menu bar
    default: return c(R::Window);                      // an index the desktop does not define
    }
}

} // namespace

bool IsSystemColor(TColor color) { return (color & 0xFF000000u) == 0xFF000000u; }

bool ColorToIdent(TColor color, QString& ident)
{
    for (const auto& n : kColorNames)
        if (n.value == color) {
            ident = QLatin1String(n.name);
            return true;
        }
    return false;
}

bool IdentToColor(const QString& ident, TColor& color)
{
    for (const auto& n : kColorNames)
        if (ident.compare(QLatin1String(n.name), Qt::CaseInsensitive) == 0) {
            color = n.value;
            return true;
        }
    return false;
}

QString ColorToString(TColor color)
{
    QString ident;
    if (ColorToIdent(color, ident)) return ident;
    return QLatin1Char('$') + QString::number(color, 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

TColor StringToColor(const QString& text)
{
    const QString s = text.trimmed();
    TColor color = 0;
    if (IdentToColor(s, color)) return color;

    bool ok = false;
    QStringView digits;
    if (s.startsWith(QLatin1Char('$')))
        digits = QStringView(s).mid(1);
    else if (s.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        digits = QStringView(s).mid(2);
    if (!digits.isNull()) {
        // toUInt would accept a sign or blanks after the prefix; a colour text has neither.
        if (digits.isEmpty() || digits.size() > 8) RaiseBadColor(text);
        for (QChar ch : digits)
            if (!ch.isDigit() && !(ch.toLower() >= QLatin1Char('a') && ch.toLower() <= QLatin1Char('f'))) RaiseBadColor(text);
        const TColor v = digits.toUInt(&ok, 16);
        if (!ok) RaiseBadColor(text);
        return v;
    }

    const qlonglong v = s.toLongLong(&ok, 10);
    if (!ok || v < -2147483648LL || v > 4294967295LL) RaiseBadColor(text);
    return static_cast<TColor>(v);
}

QColor ColorToQColor(TColor color)
{
    if (color == clNone) return QColor(Qt::transparent);
    if (color == clDefault) return QColor();
    const TColor v = color;
    if (IsSystemColor(color)) return PaletteColor(static_cast<int>(v & 0xFFu));
    // Other high bytes (palette-relative values) still carry their RGB in the low 24 bits.
    return QColor(static_cast<int>(v & 0xFFu), static_cast<int>((v >> 8) & 0xFFu), static_cast<int>((v >> 16) & 0xFFu));
}

TColor QColorToColor(const QColor& color)
{
    if (!color.isValid()) return clDefault;
    const QRgb rgb = color.rgb();
    return static_cast<TColor>(qRed(rgb)) | (static_cast<TColor>(qGreen(rgb)) << 8) |
           (static_cast<TColor>(qBlue(rgb)) << 16);
}
