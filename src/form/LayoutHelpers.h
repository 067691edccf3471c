// SPDX-License-Identifier: MIT
// Small builders shared by the layout sources of TReportForm: each creates one named
// control at a fixed design position inside its panel. Internal to src/form.
#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QToolButton>

namespace formbuild {

// The pen colour of separator lines and the grey of locked controls.
inline const QColor kNavy(0x00, 0x00, 0x80);

inline QLabel* Label(QWidget* parent, const char* name, const QString& text, int x, int y, int w = -1, int h = 24)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromUtf8(name));
    l->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    if (w < 0) w = l->sizeHint().width() + 2;
    l->setGeometry(x, y, w, h);
    return l;
}

// A flat caption button that never takes the focus.
inline QToolButton* CaptionButton(QWidget* parent, const char* name, const QString& text, int x, int y, int w = 59, int h = 22)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromUtf8(name));
    b->setText(text);
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setGeometry(x, y, w, h);
    return b;
}

// A locked report must stay easy to read: disabled inputs draw their text dark grey rather
// than the faint default.
inline void ReadableWhenDisabled(QWidget* w)
{
    QPalette p = w->palette();
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(0x4A, 0x4A, 0x4A));
    p.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x4A, 0x4A, 0x4A));
    w->setPalette(p);
}

// An editable drop-down list; `items` first, then the shown text (not selecting an entry).
inline QComboBox* Combo(QWidget* parent, const char* name, int x, int y, int w, const QStringList& items = {},
                        const QString& text = {})
{
    auto* c = new QComboBox(parent);
    c->setObjectName(QString::fromUtf8(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->addItems(items);
    c->setCurrentIndex(-1);
    c->setEditText(text);
    ReadableWhenDisabled(c);
    c->setGeometry(x, y, w, 24);
    return c;
}

inline QCheckBox* Check(QWidget* parent, const char* name, const QString& text)
{
    auto* c = new QCheckBox(text, parent);
    c->setObjectName(QString::fromUtf8(name));
    return c;
}

} // namespace formbuild
