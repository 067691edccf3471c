// SPDX-License-Identifier: MIT
// RTF for QTextDocument: a reader for what Windows RichEdit, WordPad, Word and LibreOffice
// write, and a writer whose output RichEdit reads back.
//
// Reading builds explicit character formats on every run (face when the font table names
// one, size, weight, italic, underline, strike-out, colours), so whatever default font the
// editor holding the document has does not leak into a later write. Paragraph alignment,
// indents, spacing, bullets and numbering (QTextList; a start number other than 1, which Qt
// 6.4 cannot hold, under the list format's property 0x3004, prefix and suffix as Qt's own),
// tables (QTextTable, merged and nested cells, columns from the row with the most cells; cell
// borders per side with their colours and styles, and cell shading, as Qt's cell formats, a
// grid of thin single lines as the table's own border; paragraph borders are not kept),
// hyperlinks (HYPERLINK fields: anchor formats), optional hyphens (U+00AD) and the result
// text of other fields are kept. Pictures of every kind keep their bytes: PNG and JPEG as
// document image resources holding the original bytes; WMF, EMF, device-dependent bitmaps
// and the like under "<image name>#data", with the image resource itself what is shown (a
// DIB drawn, else a labelled box of the picture's size) and the words that describe the data
// on the image format; shape pictures ({\sp{\sn pib}...}) and a lone \nonshppict are read.
// Headers and footers are not shown: each group is kept whole, as 7-bit RTF, in the
// QTextDocument's dynamic property "wrRtfHeadersFooters" (a QStringList) and written back as
// it came, the fonts and colours it names put into the written font and colour tables and
// renumbered (the document's properties "wrRtfKeptFonts" and "wrRtfKeptColors" list them;
// footnotes' too); loading a document replaces them, pasting adds the pasted ones. A footnote shows as
// its mark, the footnote's number as a superscript (\chftn; a footnote without one gets one),
// and its text is not shown: the footnote group is kept whole, as 7-bit RTF, on the mark's
// character format and written back after the mark (RtfStructure.h, kFootnoteProperty); its
// numbers count from 1 in each document read or pasted. Hidden text and other ignorable
// destinations are skipped. Empty paragraphs beyond a thousand in a
// row become line breaks of the last one kept (same text, reported as a warning), so millions
// of them read in linear time and bounded memory. A document's final paragraph mark closes
// its last paragraph instead of opening an empty one, as in RichEdit.
//
// Malformed input (unbalanced braces, truncation anywhere, garbage, huge numbers, deep
// nesting) never throws, crashes or hangs: everything readable is kept, a double-byte
// character cut in half becomes U+FFFD, and what was wrong is reported through the optional
// warnings list or, when none is given, logged once per call under the category "wr.rtf".
//
// All functions are re-entrant: call them from any thread, one document per thread at a time.
// Nothing here needs a QGuiApplication.
#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>

class QTextCursor;
class QTextDocument;

// Replaces doc's whole content by the RTF. Returns false (doc untouched) when the input does not
// start with "{\rtf" after optional whitespace/BOM, so the caller can load it as plain text.
// Bytes that start with a UTF-16 byte-order mark are read as UTF-16 text.
bool RtfToDocument(const QByteArray& rtf, QTextDocument& doc);
// Same from text held in a QString (database columns): characters above U+007F that appear
// literally in the text are taken as themselves (never squeezed through a code page); \'hh
// escapes are still decoded by the font charset / \ansicpg.
bool RtfToDocument(const QString& rtf, QTextDocument& doc);
// Inserts the RTF at the cursor (pastes): paragraphs/formatting merged like a paste; returns
// false when not RTF. A selection is replaced. The pasted text's first paragraph joins the
// cursor's paragraph (whose paragraph format is kept unless it was empty); the final paragraph
// mark of the RTF is dropped when the cursor is at the end of its paragraph, so pasting a whole
// template leaves no empty paragraph behind. One undo step; the cursor ends after the insert.
bool InsertRtf(const QByteArray& rtf, QTextCursor& cursor);
// 7-bit RTF that Windows RichEdit reads back: {\rtf1\ansi\ansicpg936\deff0 ... } with font table
// (with \fcharset), colour table, list table, formats, bullets and numbering (\pntext + \pn
// with one level word, then \ls and \ilvl for Word's readers), tables (cell borders per side
// with \brdrcf colours, \clcbpat shading; nested ones as Word
// writes them: each paragraph \pard\intbl\itapN, \nestcell, {\*\nesttableprops ...\nestrow}),
// hyperlink fields, pictures, kept headers and footers, footnotes after their marks; non-ASCII as \uN with a GBK fallback
// (\'hh\'hh) for Chinese, '?' where GBK has no mapping.
// Lines end in CR LF; no NUL is appended after the closing brace.
QByteArray DocumentToRtf(const QTextDocument& doc);
// Plain text: the document's characters in order, "\r\n" between paragraphs (no trailing break),
// tables cell by cell with a tab between cells and "\r\n" between rows, images omitted (or U+FFFC removed),
// optional hyphens (U+00AD) left out.
// A line break inside a paragraph (\line, U+2028) also gives "\r\n". The empty paragraph that
// QTextDocument keeps before a table at the start of a document or cell, and after a table at
// its end, is not text and gives nothing (unless it is a list item).
QString DocumentPlainText(const QTextDocument& doc);
// HTML as QTextDocument::toHtml writes it, with what Qt 6.4's HTML leaves out: a numbered
// list that starts elsewhere than 1 gets its start attribute (<ol start="7">).
QString DocumentToHtml(const QTextDocument& doc);

// The same readers with the problems found in the input handed back instead of logged:
// one line per kind of problem, in the order first met (empty for clean input).
bool RtfToDocument(const QByteArray& rtf, QTextDocument& doc, QStringList* warnings);
bool RtfToDocument(const QString& rtf, QTextDocument& doc, QStringList* warnings);
bool InsertRtf(const QByteArray& rtf, QTextCursor& cursor, QStringList* warnings);

// True when the bytes (or text) start with "{\rtf" after optional whitespace and BOM.
bool LooksLikeRtf(const QByteArray& data);
bool LooksLikeRtf(const QString& text);
