// SPDX-License-Identifier: MIT
#include "ChoiceDialog.h"
#include "TextDiff.h"
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {
// Unchanged characters kept on each side of a change while only the changes show.
constexpr int kContext = 20;

QLabel* CellLabel(QWidget* parent, const QString& objectName)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Selectable with the mouse for copying, but no stop for Tab.
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}
} // namespace

TChoiceDialog::TChoiceDialog(const TChoiceRequest& r) : QDialog(r.parent), m_mark(r.markDifferences), m_chosen(r.escapeChoice)
{
    setObjectName(QStringLiteral("choiceDialog"));
    setWindowTitle(r.caption);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(r.text, this);
    text->setObjectName(QStringLiteral("choiceText"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::PlainText);
    layout->addWidget(text);

    if (!r.columns.isEmpty()) {
        auto* scroll = new QScrollArea(this);
        scroll->setObjectName(QStringLiteral("choiceTable"));
        scroll->setWidgetResizable(true);
        scroll->setFocusPolicy(Qt::NoFocus);
        auto* sheet = new QWidget(scroll);
        sheet->setObjectName(QStringLiteral("choiceSheet"));
        auto* grid = new QGridLayout(sheet);
        grid->setHorizontalSpacing(12);
        grid->setVerticalSpacing(8);
        for (int col = 0; col < r.columns.size(); ++col) {
            auto* header = new QLabel(QStringLiteral("<b>%1</b>").arg(r.columns[col].toHtmlEscaped()), sheet);
            header->setObjectName(QStringLiteral("choiceHeader%1").arg(col));
            grid->addWidget(header, 0, col);
            if (col > 0) grid->setColumnStretch(col, 1);
        }
        for (int row = 0; row < r.rows.size(); ++row) {
            const QStringList& cells = r.rows[row];
            for (int col = 0; col < r.columns.size(); ++col) {
                QLabel* label = CellLabel(sheet, QStringLiteral("choiceCell%1_%2").arg(row).arg(col));
                const QString own = cells.value(col);
                if (col == 0) label->setText(QStringLiteral("<b>%1</b>").arg(own.toHtmlEscaped()));
                else m_cells.append({label, own, cells.value(col == 1 ? 2 : 1), col == 2});
                grid->addWidget(label, row + 1, col);
            }
        }
        grid->setRowStretch(int(r.rows.size()) + 1, 1);
        scroll->setWidget(sheet);
        layout->addWidget(scroll, 1);
        if (m_mark) {
            m_whole = new QCheckBox(QStringLiteral("显示全文(&A)"), this);
            m_whole->setObjectName(QStringLiteral("choiceWholeText"));
            connect(m_whole, &QCheckBox::toggled, this, [this](bool on) { ShowTexts(on); });
            layout->addWidget(m_whole);
        }
        ShowTexts(false);
    }

    auto* buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("choiceButtons"));
    QPushButton* focus = nullptr;
    for (int i = 0; i < r.choiceTexts.size(); ++i) {
        QPushButton* b = buttons->addButton(r.choiceTexts[i], QDialogButtonBox::ActionRole);
        b->setObjectName(QStringLiteral("choice_") + r.choiceIds.value(i, QString::number(i)));
        if (i == r.defaultChoice) {
            b->setDefault(true);
            focus = b;
        }
        connect(b, &QPushButton::clicked, this, [this, i] {
            m_chosen = i;
            accept();
        });
    }
    layout->addWidget(buttons);
    if (focus) focus->setFocus();

    // Wide enough for two versions side by side, never wider or taller than the screen.
    const QScreen* screen = r.parent && r.parent->screen() ? r.parent->screen() : QGuiApplication::primaryScreen();
    const QRect free = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 700);
    const QSize hint = sizeHint();
    resize(qMin(qMax(hint.width(), r.columns.isEmpty() ? 420 : 900), free.width() * 9 / 10),
           qMin(qMax(hint.height(), 240), free.height() * 85 / 100));
}

void TChoiceDialog::ShowTexts(bool whole)
{
    for (const TCell& c : m_cells) {
        if (!m_mark) {
            c.label->setTextFormat(Qt::PlainText);
            c.label->setText(c.text);
            continue;
        }
        const QList<TDiffPiece> pieces = c.after ? DiffText(c.other, c.text) : DiffText(c.text, c.other);
        c.label->setTextFormat(Qt::RichText);
        c.label->setText(c.text.isEmpty() ? QStringLiteral("<span style=\"color:#808080\">（空）</span>")
                                          : DiffHtml(pieces, c.after, whole ? -1 : kContext));
    }
}
