// SPDX-License-Identifier: MIT
// poppler-utils as the tests' independent reader of the PDFs the host writes.
#pragma once
#include <QString>
#include <QStringList>

// Empty when pdftotext, pdffonts and pdftoppm are installed; otherwise what is missing.
QString PopplerMissing();
// The text of one page (1-based) as pdftotext extracts it, NFKC-normalised (CJK fonts map
// some ideographs to their radical code points) and without white space.
QString PdfPageText(const QString& pdf, int page);
int PdfPageCount(const QString& pdf);
struct TPdfFont {
    QString name;
    bool embedded = false;
};
// The fonts pdffonts lists.
QList<TPdfFont> PdfFonts(const QString& pdf);
// Renders the pages as PNG files <prefix>-N.png at `dpi`; returns the files written.
QStringList PdfToPng(const QString& pdf, const QString& prefix, int dpi);
// The images pdfimages -list names, in the order of the file's pages and drawing.
struct TPdfImage {
    int page = 0, width = 0, height = 0;
    QString encoding;   // jpeg, image (Flate), ...
    int xPpi = 0;       // resolution on the page
};
QList<TPdfImage> PdfImages(const QString& pdf);
// NFKC-normalised, without white space: how texts are compared with extracted ones.
QString Comparable(const QString& text);
