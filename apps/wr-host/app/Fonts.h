// SPDX-License-Identifier: MIT
// The report editor asks for "微软雅黑" and "宋体", which Linux does not have: both names (and
// their English spellings) are mapped to an installed CJK font so Chinese text renders with
// proper glyphs and metrics. Call once after the QApplication exists.
#pragma once
#include <QFont>
#include <QString>
#include <QStringList>

struct TFontMapping {
    QString sans;   // family used for "微软雅黑"; empty when no CJK font is installed
    QString serif;  // family used for "宋体" (a serif CJK font when one is installed)
};

// Picks from `installed` the families to use; pure, for tests.
TFontMapping ChooseCjkFonts(const QStringList& installed);
// `preferred`, or the same font in another family when the preferred one has no visible
// glyph for one of the characters of `text` (a blank symbol button helps nobody).
QFont FontDrawing(const QFont& preferred, const QString& text);
// Installs the substitutions for the fonts of this machine and answers what was chosen.
TFontMapping InstallCjkFontSubstitutes();
