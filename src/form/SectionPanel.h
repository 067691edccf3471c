// SPDX-License-Identifier: MIT
// TSectionPanel: one top-aligned section of the report form. It keeps its separator line
// along its bottom edge and stretches the children anchored to its right edge, so children
// are placed by left/top/height as in a fixed design while the width follows the scroll box.
// UI thread only.
#pragma once
#include <QFrame>
#include <QList>
#include <functional>

class TSectionPanel : public QFrame {
    Q_OBJECT

public:
    explicit TSectionPanel(QWidget* parent = nullptr);

    // The 1-pixel line docked at the bottom edge, spanning the whole width.
    void SetSeparator(QFrame* line);
    // Keeps `child` ending `rightMargin` pixels before the panel's right edge.
    void AnchorRight(QWidget* child, int rightMargin);
    // Runs after every width change, once the anchored children have their new widths.
    void SetWidthChangedHandler(std::function<void()> handler) { m_onWidthChanged = std::move(handler); }
    // The panel's height, fixed, so the stacking layout follows it at once.
    void SetPanelHeight(int h);
    // Draws a 1-pixel border of that colour (an invalid colour draws none).
    void SetBorderColor(const QColor& c);
    // Re-applies the right anchors, e.g. after a child was moved.
    void Realign();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    struct Anchor {
        QWidget* child;
        int rightMargin;
    };
    QFrame* m_separator = nullptr;
    QColor m_border;
    QList<Anchor> m_anchors;
    std::function<void()> m_onWidthChanged;
};
