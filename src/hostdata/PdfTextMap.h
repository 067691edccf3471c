// SPDX-License-Identifier: MIT
// Keeps the text of our PDFs extractable as the characters that were printed.
//
// A PDF names the character of each glyph in a ToUnicode table. Qt builds it from the font's
// character map and takes the lowest code point that reaches a glyph; CJK fonts such as Noto
// draw a radical (U+2F24 ⼤, U+2ED4 ⻔) and its ideograph (大, 门) with one glyph, so a reader
// copying the text gets radicals. RadicalAliases finds those pairs in the fonts, and
// FixPdfToUnicode rewrites the tables in place (same length, so offsets stay valid).
// Needs a QGuiApplication (fonts). Pure otherwise.
#pragma once
#include <QByteArray>
#include <QHash>
#include <QStringList>

// Radical or stroke code point -> the unified ideograph the same glyph draws, in any of the
// font families (resolved as Qt resolves them, substitutions included).
QHash<uint, uint> RadicalAliases(const QStringList& families);

// The PDF with every ToUnicode destination found in `aliases` replaced; untouched when none is.
QByteArray FixPdfToUnicode(const QByteArray& pdf, const QHash<uint, uint>& aliases);
