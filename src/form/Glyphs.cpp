// SPDX-License-Identifier: MIT
#include "Glyphs.h"
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {
const QColor kInk(0x20, 0x30, 0x60);
const QColor kPaper(0xFF, 0xFF, 0xFF);
const QColor kAccent(0x1E, 0x6F, 0xD9);

// Draws at 16 and 32 pixels so the glyph stays crisp on high-density screens.
QIcon Glyph(const std::function<void(QPainter&)>& draw)
{
    QIcon icon;
    for (int size : {16, 32}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(size / 16.0, size / 16.0);
        draw(p);
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon Letter(const QString& text, bool bold, bool italic, bool underline)
{
    return Glyph([=](QPainter& p) {
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(13);
        f.setBold(bold);
        f.setItalic(italic);
        p.setFont(f);
        p.setPen(kInk);
        p.drawText(QRectF(0, -1, 16, 15), Qt::AlignCenter, text);
        if (underline) p.fillRect(QRectF(3, 14, 10, 1.5), kInk);
    });
}

// Four text lines, each aligned as `align` says (Qt::AlignLeft, AlignHCenter, AlignRight).
QIcon Lines(Qt::Alignment align)
{
    return Glyph([=](QPainter& p) {
        const qreal widths[] = {12, 8, 12, 8};
        for (int i = 0; i < 4; ++i) {
            const qreal w = widths[i];
            qreal x = 2;
            if (align & Qt::AlignHCenter) x = 8 - w / 2;
            if (align & Qt::AlignRight) x = 14 - w;
            p.fillRect(QRectF(x, 2.5 + i * 3.5, w, 1.6), kInk);
        }
    });
}

void Page(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
    for (qreal y = r.top() + 3; y < r.bottom() - 1; y += 2.5) p.drawLine(QPointF(r.left() + 2, y), QPointF(r.right() - 2, y));
}
} // namespace

QList<QIcon> ToolBarGlyphs()
{
    QList<QIcon> list;
    list << Letter(QStringLiteral("B"), true, false, false);   // 0 bold
    list << Letter(QStringLiteral("U"), false, false, true);   // 1 underline
    list << Letter(QStringLiteral("I"), false, true, false);   // 2 italic
    list << Lines(Qt::AlignHCenter);                            // 3 centre
    list << Glyph([](QPainter& p) {                             // 4 save default font
        p.setPen(QPen(kInk, 1));
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.5, 1.5);
        p.setBrush(kPaper);
        p.drawRect(QRectF(4, 1.5, 8, 5));
        p.fillRect(QRectF(9, 2.5, 2, 3), kInk);
        p.drawRect(QRectF(3.5, 9, 9, 5.5));
    });
    list << Glyph([](QPainter& p) {                             // 5 bullets
        for (int i = 0; i < 3; ++i) {
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawEllipse(QPointF(3, 3.5 + i * 4.5), 1.6, 1.6);
            p.fillRect(QRectF(6.5, 2.7 + i * 4.5, 8, 1.6), kInk);
        }
    });
    list << Lines(Qt::AlignRight);                              // 6 right
    list << Lines(Qt::AlignLeft);                               // 7 left
    list << Glyph([](QPainter& p) {                             // 8 special symbol
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setPixelSize(13);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kAccent);
        p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("Ω"));
    });
    return list;
}

QList<QIcon> PopupMenuGlyphs()
{
    QList<QIcon> list;
    list << Glyph([](QPainter& p) {  // 0 copy
        Page(p, QRectF(1.5, 1.5, 8, 10));
        Page(p, QRectF(6.5, 4.5, 8, 10));
    });
    list << Glyph([](QPainter& p) {  // 1 cut
        p.setPen(QPen(kInk, 1.3));
        p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
        p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(kAccent, 1.4));
        p.drawEllipse(QPointF(4.5, 12.5), 2.3, 2.3);
        p.drawEllipse(QPointF(11.5, 12.5), 2.3, 2.3);
    });
    list << Glyph([](QPainter& p) {  // 2 paste
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(0xC8, 0x9B, 0x5A));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1, 1);
        p.setBrush(QColor(0x90, 0x90, 0x90));
        p.drawRect(QRectF(4, 1, 5, 3));
        Page(p, QRectF(6.5, 6.5, 8, 8));
    });
    list << Glyph([](QPainter& p) {  // 3 font tool bar
        QFont f(QStringLiteral("DejaVu Serif"));
        f.setPixelSize(14);
        f.setBold(true);
        p.setFont(f);
        p.setPen(kInk);
        p.drawText(QRectF(0, -1, 16, 15), Qt::AlignCenter, QStringLiteral("A"));
        p.fillRect(QRectF(2, 13.5, 12, 2), kAccent);
    });
    list << Glyph([](QPainter& p) {  // 4 select all
        p.setPen(QPen(kInk, 1, Qt::DashLine));
        p.setBrush(QColor(0xCC, 0xE0, 0xFA));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(4, 5, 8, 1.5), kInk);
        p.fillRect(QRectF(4, 9, 6, 1.5), kInk);
    });
    return list;
}
