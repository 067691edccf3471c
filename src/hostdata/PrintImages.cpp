// SPDX-License-Identifier: MIT
#include "PrintImages.h"
#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>
#include <cmath>

namespace {
// Share of the body's height the images may take, and the gap between them in millimetres.
constexpr double kBlockShare = 0.5;
constexpr double kGapMm = 2.0;

// The images are objects of their own kind: the document's own image handler sizes images in
// screen pixels and scales them by the device's resolution, while these are sized in device
// pixels, exactly as laid out, and drawn as images (never through a pixmap).
constexpr int kKeyImageObject = QTextFormat::UserObject + 25;
enum : int { kImageProperty = QTextFormat::UserProperty + 1, kSizeProperty };

class TKeyImageHandler : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    using QObject::QObject;
    QSizeF intrinsicSize(QTextDocument*, int, const QTextFormat& format) override
    {
        return format.property(kSizeProperty).toSizeF();
    }
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument*, int, const QTextFormat& format) override
    {
        painter->drawImage(rect, format.property(kImageProperty).value<QImage>());
    }
};
} // namespace

std::pair<int, int> KeyImageGrid(int count)
{
    switch (count) {
    case 1: return {1, 1};
    case 2: return {2, 1};
    case 3:
    case 4: return {2, 2};
    case 5:
    case 6: return {3, 2};
    default: return {0, 0};
    }
}

TKeyImageLayout LayoutKeyImages(const QList<QSize>& pixels, double bodyWidth, double bodyHeight, double dpi)
{
    TKeyImageLayout out;
    const QList<QSize> shown = pixels.mid(0, 6);
    std::tie(out.columns, out.rows) = KeyImageGrid(static_cast<int>(shown.size()));
    if (out.columns == 0) return out;
    out.gap = kGapMm * dpi / 25.4;
    const double cellWidth = (bodyWidth - out.gap * out.columns) / out.columns;
    const double cellHeight = (bodyHeight * kBlockShare - out.gap * out.rows) / out.rows;
    for (const QSize& px : shown) {
        if (px.isEmpty() || cellWidth <= 0 || cellHeight <= 0) {
            out.sizes << QSizeF();
            continue;
        }
        // Never larger than the image's pixels at the least resolution allow.
        const double finest = dpi / kKeyImageMinDpi;
        const double scale = std::min({cellWidth / px.width(), cellHeight / px.height(), finest});
        out.sizes << QSizeF(std::floor(px.width() * scale), std::floor(px.height() * scale));
    }
    return out;
}

void InsertKeyImages(QTextCursor& cursor, const QList<QImage>& images, double bodyWidth, double bodyHeight, double dpi)
{
    QList<QImage> shown;
    for (const QImage& i : images)
        if (!i.isNull() && shown.size() < 6) shown << i;
    QList<QSize> pixels;
    for (const QImage& i : shown) pixels << i.size();
    const TKeyImageLayout layout = LayoutKeyImages(pixels, bodyWidth, bodyHeight, dpi);
    if (layout.columns == 0) return;

    QTextTableFormat tf;
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    tf.setBorder(0);
    tf.setCellPadding(layout.gap / 2);
    tf.setCellSpacing(0);
    tf.setAlignment(Qt::AlignHCenter);
    tf.setTopMargin(layout.gap);
    QList<QTextLength> widths;
    for (int c = 0; c < layout.columns; ++c) widths << QTextLength(QTextLength::PercentageLength, 100.0 / layout.columns);
    tf.setColumnWidthConstraints(widths);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    QTextTable* table = cursor.insertTable(layout.rows, layout.columns, tf);
    QTextDocument* doc = cursor.document();
    QAbstractTextDocumentLayout* docLayout = doc->documentLayout();
    if (!docLayout->handlerForObject(kKeyImageObject)) docLayout->registerHandler(kKeyImageObject, new TKeyImageHandler(doc));
    for (int n = 0; n < shown.size(); ++n) {
        QTextCharFormat f;
        f.setObjectType(kKeyImageObject);
        f.setProperty(kImageProperty, shown[n]);
        f.setProperty(kSizeProperty, layout.sizes[n]);
        QTextCursor cell = table->cellAt(n / layout.columns, n % layout.columns).firstCursorPosition();
        QTextBlockFormat centered;
        centered.setAlignment(Qt::AlignHCenter);
        cell.setBlockFormat(centered);
        cell.insertText(QString(QChar::ObjectReplacementCharacter), f);
    }
    cursor.movePosition(QTextCursor::End);
}

#include "PrintImages.moc"
