// SPDX-License-Identifier: MIT
// Colours as the configuration store keeps them: a 32-bit value, either 00BBGGRR or a
// system colour (high byte FF, the system colour index in the low byte), written as a
// colour identifier ("clWindowText") where the value has one, otherwise as "$" and eight
// hexadecimal digits. Reading also takes decimal numbers, negative ones included.
//
// Pure functions, any thread; ColorToQColor reads the application palette, so it belongs on
// the UI thread once a QGuiApplication exists (without one it uses Qt's default palette).
#pragma once
#include "PlatformExport.h"
#include <QColor>
#include <QString>

using TColor = quint32;

// The sixteen basic colours.
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// Extra named colours and the two special values.
inline constexpr TColor clMoneyGreen = 0xC0DCC0;
inline constexpr TColor clSkyBlue = 0xF0CAA6;
inline constexpr TColor clCream = 0xF0FBFF;
inline constexpr TColor clMedGray = 0xA4A0A0;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor clDefault = 0x20000000;

// System colours: high byte FF, low byte the system colour index.
inline constexpr TColor SystemColor(int index) { return 0xFF000000u | static_cast<TColor>(index); }
inline constexpr TColor clScrollBar = SystemColor(0);
inline constexpr TColor clBackground = SystemColor(1);
inline constexpr TColor clActiveCaption = SystemColor(2);
inline constexpr TColor clInactiveCaption = SystemColor(3);
inline constexpr TColor clMenu = SystemColor(4);
inline constexpr TColor clWindow = SystemColor(5);
inline constexpr TColor clWindowFrame = SystemColor(6);
inline constexpr TColor clMenuText = SystemColor(7);
inline constexpr TColor clWindowText = SystemColor(8);
inline constexpr TColor clCaptionText = SystemColor(9);
inline constexpr TColor clActiveBorder = SystemColor(10);
inline constexpr TColor clInactiveBorder = SystemColor(11);
inline constexpr TColor clAppWorkSpace = SystemColor(12);
inline constexpr TColor clHighlight = SystemColor(13);
inline constexpr TColor clHighlightText = SystemColor(14);
inline constexpr TColor clBtnFace = SystemColor(15);
inline constexpr TColor clBtnShadow = SystemColor(16);
inline constexpr TColor clGrayText = SystemColor(17);
inline constexpr TColor clBtnText = SystemColor(18);
inline constexpr TColor clInactiveCaptionText = SystemColor(19);
inline constexpr TColor clBtnHighlight = SystemColor(20);
inline constexpr TColor cl3DDkShadow = SystemColor(21);
inline constexpr TColor cl3DLight = SystemColor(22);
inline constexpr TColor clInfoText = SystemColor(23);
inline constexpr TColor clInfoBk = SystemColor(24);
inline constexpr TColor clHotLight = SystemColor(26);
inline constexpr TColor clGradientActiveCaption = SystemColor(27);
inline constexpr TColor clGradientInactiveCaption = SystemColor(28);
inline constexpr TColor clMenuHighlight = SystemColor(29);
inline constexpr TColor clMenuBar = SystemColor(30);

// True for a value with high byte FF (a system colour, known index or not).
WR_PLATFORM_EXPORT bool IsSystemColor(TColor color);

// The identifier of a named colour, else "$" and eight upper-case hexadecimal digits.
WR_PLATFORM_EXPORT QString ColorToString(TColor color);
// An identifier (case-insensitive), "$" or "0x" and 1 to 8 hexadecimal digits, or a decimal
// number from -2147483648 to 4294967295 (taken as its 32-bit pattern); blanks around are
// ignored. Throws EConvertError for anything else.
WR_PLATFORM_EXPORT TColor StringToColor(const QString& text);
// The identifier of a named colour; false when the value has none.
WR_PLATFORM_EXPORT bool ColorToIdent(TColor color, QString& ident);
// The value of an identifier (case-insensitive); false when it names no colour.
WR_PLATFORM_EXPORT bool IdentToColor(const QString& ident, TColor& color);

// The colour to paint with. System colours come from the application palette; clNone is
// transparent and clDefault an invalid QColor (the widget's own default applies).
WR_PLATFORM_EXPORT QColor ColorToQColor(TColor color);
// An opaque 00BBGGRR value; an invalid QColor gives clDefault. Alpha is dropped.
WR_PLATFORM_EXPORT TColor QColorToColor(const QColor& color);
