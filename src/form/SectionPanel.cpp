// SPDX-License-Identifier: MIT
#include "SectionPanel.h"
#include <QPainter>
#include <QResizeEvent>

TSectionPanel::TSectionPanel(QWidget* parent) : QFrame(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAutoFillBackground(true);
}

void TSectionPanel::SetSeparator(QFrame* line)
{
    m_separator = line;
    Realign();
}

void TSectionPanel::AnchorRight(QWidget* child, int rightMargin)
{
    for (auto& a : m_anchors) {
        if (a.child == child) {
            a.rightMargin = rightMargin;
            Realign();
            return;
        }
    }
    m_anchors.append({child, rightMargin});
    Realign();
}

void TSectionPanel::SetPanelHeight(int h)
{
    setFixedHeight(qMax(0, h));
    if (m_separator) Realign();
}

void TSectionPanel::Realign()
{
    for (const auto& a : m_anchors) {
        const QRect g = a.child->geometry();
        const int w = qMax(0, width() - a.rightMargin - g.x());
        if (g.width() != w) a.child->setGeometry(g.x(), g.y(), w, g.height());
    }
    if (m_separator) {
        // Drawn last so a text control reaching the bottom edge does not hide it.
        m_separator->setGeometry(0, height() - 1, width(), 1);
        m_separator->raise();
    }
}

void TSectionPanel::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    Realign();
    if (event->oldSize().width() != event->size().width() && m_onWidthChanged) m_onWidthChanged();
}

void TSectionPanel::SetBorderColor(const QColor& c)
{
    m_border = c;
    update();
}

void TSectionPanel::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    if (!m_border.isValid()) return;
    QPainter p(this);
    p.setPen(m_border);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
