// SPDX-License-Identifier: MIT
// TFrame_Spliter: an embeddable separator band with a navy line along its bottom edge that
// switches between an enabled (button-highlight) and a disabled (button-face) look. Offered
// to the host; the package itself neither creates nor registers it. UI thread only.
#pragma once
#include "ColorComboBox.h"
#include <QFrame>

class TFrame_Spliter : public QFrame {
    Q_OBJECT

public:
    explicit TFrame_Spliter(QWidget* parent = nullptr);

    // Button-highlight background and enabled when Optione is true; button face and
    // disabled (no input to the frame or its line) otherwise.
    void SetFrameEnable(bool Optione);

    // The background colour value, a system colour (clBtnFace or clBtnHighlight).
    TColor Color() const { return m_color; }

    QFrame* shape_line = nullptr;  // 1-pixel navy line docked at the bottom

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetColor(TColor color);

    TColor m_color = clBtnFace;
};
