// SPDX-License-Identifier: MIT
// The editor without a mouse: every section's picker has a shortcut (Alt+1 .. Alt+9, in the
// order of the sections) and its caption button takes the focus from the Tab key, and
// redo answers Ctrl+Y as well as Ctrl+Shift+Z in every text control of the form.
#include "ReportForm_Editing.h"
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextEdit>
#include <QToolButton>

namespace {

void Redo(QWidget* w)
{
    if (auto* e = qobject_cast<QTextEdit*>(w)) {
        if (!e->isReadOnly()) e->redo();
    } else if (auto* e = qobject_cast<QPlainTextEdit*>(w)) {
        if (!e->isReadOnly()) e->redo();
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        if (!e->isReadOnly()) e->redo();
    }
}

}  // namespace

void InstallKeyboardAccess(TReportForm& form)
{
    struct TPickerKey {
        QToolButton* button;
        int digit;
    };
    const TPickerKey keys[] = {{form.sb_jcitem, 1}, {form.sb_jcMethod, 2}, {form.Lab_jcpart, 3},
                               {form.lab_lczd, 4},  {form.lab_yxbx, 5},    {form.lab_zdyx, 6},
                               {form.lab_Jianyi, 7}, {form.lab_beizhu, 8}, {form.Tb_tsfh, 9}};
    for (const TPickerKey& k : keys) {
        QToolButton* b = k.button;
        if (!b) continue;
        const QKeySequence key(Qt::ALT | (Qt::Key_0 + k.digit));
        b->setFocusPolicy(Qt::TabFocus);
        // The buttons' hint texts are the form's own; the keys are listed in the README.
        auto* shortcut = new QShortcut(key, &form);
        shortcut->setObjectName(QStringLiteral("shortcut_") + b->objectName());
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        // As a click would: nothing while the button is locked or its section hidden.
        QObject::connect(shortcut, &QShortcut::activated, b, [b, &form] {
            if (b->isEnabled() && b->isVisibleTo(&form)) b->click();
        });
    }
    auto* redo = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y), &form);
    redo->setObjectName(QStringLiteral("shortcut_redo"));
    redo->setContext(Qt::WidgetWithChildrenShortcut);
    QObject::connect(redo, &QShortcut::activated, &form, [&form] { Redo(form.focusWidget()); });
}
