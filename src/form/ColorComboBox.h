// SPDX-License-Identifier: MIT
// TColorComboBox: a drop-down list of colours with swatches that yields a 32-bit colour
// value in the toolkit's form: 00BBGGRR, or a system colour (high byte FF, low byte the
// system colour index). UI thread only.
#pragma once
#include "platform/Colors.h"
#include <QComboBox>

class TColorComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit TColorComboBox(QWidget* parent = nullptr);

    // The colour of the current entry; clWindowText when nothing is selected.
    TColor Selected() const;
    // Selects the entry of that colour, adding an entry for a colour not yet listed.
    void SetSelected(TColor color);

private:
    void AddColor(const QString& name, TColor color);
};
