// SPDX-License-Identifier: MIT
#include "Frame_spliterUnit.h"

TFrame_Spliter::TFrame_Spliter(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("Frame_Spliter"));
    setFrameShape(QFrame::NoFrame);
    // Paints its own background rather than showing its parent's.
    setAutoFillBackground(true);
    resize(533, 49);
    SetColor(clBtnFace);

    shape_line = new QFrame(this);
    shape_line->setObjectName(QStringLiteral("shape_line"));
    shape_line->setFrameShape(QFrame::NoFrame);
    shape_line->setAutoFillBackground(true);
    QPalette p = shape_line->palette();
    p.setColor(QPalette::Window, QColor(0x00, 0x00, 0x80));
    shape_line->setPalette(p);
    shape_line->setGeometry(0, height() - 1, width(), 1);
}

void TFrame_Spliter::SetFrameEnable(bool Optione)
{
    SetColor(Optione ? clBtnHighlight : clBtnFace);
    setEnabled(Optione);
}

void TFrame_Spliter::SetColor(TColor color)
{
    m_color = color;
    QPalette p = palette();
    p.setColor(QPalette::Window, ColorToQColor(color));
    setPalette(p);
}

void TFrame_Spliter::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    shape_line->setGeometry(0, height() - 1, width(), 1);
}
