// SPDX-License-Identifier: MIT
// The window of a decision among named choices (IDialogService::Choose), also used for a
// question that puts two versions side by side. Each row of the table is a caption and one
// label per version, sized to its text; with markDifferences the changed characters of the
// first version column against the second are highlighted and only the changed places are
// shown, until "显示全文" shows the whole texts. Tab reaches every control: that check box
// and each button (choice_<id>); the labels take no focus. UI thread only.
#pragma once
#include "DialogService.h"
#include <QDialog>

class QCheckBox;
class QLabel;

class WR_PLATFORM_EXPORT TChoiceDialog final : public QDialog {
public:
    explicit TChoiceDialog(const TChoiceRequest& request);
    // The index chosen, or the request's escapeChoice while none was.
    int Chosen() const { return m_chosen; }

private:
    void ShowTexts(bool whole);

    struct TCell {
        QLabel* label;
        QString text;
        QString other;   // the text it is compared with; the cell shows its own side
        bool after;
    };
    QList<TCell> m_cells;
    QCheckBox* m_whole = nullptr;
    bool m_mark = false;
    int m_chosen = -1;
};
