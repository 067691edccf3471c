// SPDX-License-Identifier: MIT
// Readable dumps of a QTextDocument for comparing documents in the RTF tests.
#pragma once
#include <QByteArray>
#include <QString>

class QTextDocument;

namespace rtftest {

// One "R family|points|flags|fg|bg|text" line per text fragment, in document order (cells
// included). Unset family and size show the document's default font; flags are B I U S,
// ^ (superscript) and _ (subscript), or '-'; colours are #rrggbb or '-'. In text, a tab is
// "\t", a line separator "\n". Text of a hyperlink ends in "|link=TARGET".
QString runs(const QTextDocument& doc);

// One line per paragraph ("P[ attributes]: text", pictures as "[img WxH]"), table
// ("T RxC[ border]" ... "/T") and cell ("C r,c[ span=RxC][ top=W STYLE COLOUR ...][ bg=COLOUR]",
// the cell's own borders and background), cell content indented by two
// spaces per level. Reads QTextDocument's own structure, empty paragraphs around tables included.
QString outline(const QTextDocument& doc);

// The test data folder of the RTF tests, and one file of it.
QString dataDir();
QByteArray readData(const QString& fileName);

} // namespace rtftest
