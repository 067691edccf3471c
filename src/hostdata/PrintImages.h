// SPDX-License-Identifier: MIT
// The key images on the printed sheet, between the patient data and the findings: one image
// alone, two side by side, three or four in two rows of two, five or six in two rows of three.
// Each keeps its aspect ratio, is printed at 150 dpi or finer (a small image is printed
// smaller rather than blurred), and the block takes at most half the page's body height, so
// the findings follow on the same page. The images go into the body as objects of the text
// document that draw them as images, so the PDF writer embeds them as JPEG. Needs a QGuiApplication; any one thread.
#pragma once
#include <QImage>
#include <QList>
#include <QSizeF>

class QTextCursor;

// The least resolution of a key image on paper, in dots per inch.
inline constexpr double kKeyImageMinDpi = 150.0;

struct TKeyImageLayout {
    int columns = 0, rows = 0;
    double gap = 0;          // between images, device pixels
    QList<QSizeF> sizes;     // each image's printed size in device pixels, in print order
};

// The grid (columns x rows) for `count` images: 1x1, 2x1, 2x2, 3x2; 0x0 for none or more than 6.
std::pair<int, int> KeyImageGrid(int count);

// Sizes for images of `pixels` on a body `bodyWidth` x `bodyHeight` device pixels wide and
// high, on a device of `dpi` dots per inch. Images beyond six are left out.
TKeyImageLayout LayoutKeyImages(const QList<QSize>& pixels, double bodyWidth, double bodyHeight, double dpi);

// Inserts the images at the cursor as a borderless table laid out by LayoutKeyImages; null
// images are left out (the caller warns). The images live in the document's formats.
void InsertKeyImages(QTextCursor& cursor, const QList<QImage>& images, double bodyWidth, double bodyHeight, double dpi);
