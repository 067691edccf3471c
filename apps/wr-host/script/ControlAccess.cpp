// SPDX-License-Identifier: MIT
#include "script/ControlAccess.h"
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QJsonDocument>
#include <QDateTimeEdit>
#include <QDoubleSpinBox>
#include <QFontComboBox>
#include <QJsonArray>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

QString DateText(const QDateTimeEdit* e)
{
    // What the box shows in place of its lowest date (an unset date shows empty).
    if (!e->specialValueText().isEmpty() && e->date() == e->minimumDate()) return e->specialValueText().trimmed();
    if (qobject_cast<const QDateEdit*>(e)) return e->date().toString(Qt::ISODate);
    return e->dateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The text a user sees in the control, or a null QString when it has none.
QString TextOf(QObject* o)
{
    // A password field shows dots, and so does a dump of it.
    if (auto* e = qobject_cast<QLineEdit*>(o))
        return e->echoMode() == QLineEdit::Normal ? e->text() : QString(e->text().size(), QLatin1Char('*'));
    if (auto* e = qobject_cast<QPlainTextEdit*>(o)) return e->toPlainText();
    if (auto* e = qobject_cast<QTextEdit*>(o)) return e->toPlainText();
    if (auto* e = qobject_cast<QComboBox*>(o)) return e->currentText();
    if (auto* e = qobject_cast<QDateTimeEdit*>(o)) return DateText(e);
    if (auto* e = qobject_cast<QAbstractSpinBox*>(o)) return e->text();
    if (auto* e = qobject_cast<QAbstractButton*>(o)) return e->text();
    if (auto* e = qobject_cast<QLabel*>(o)) return e->text();
    if (auto* a = qobject_cast<QAction*>(o)) return a->text();
    // A list: its current row, column by column (the work list's row of the open report).
    if (auto* t = qobject_cast<QTreeWidget*>(o)) {
        QStringList cells;
        if (const QTreeWidgetItem* item = t->currentItem())
            for (int c = 0; c < item->columnCount(); ++c) cells << item->text(c);
        return cells.join(QLatin1Char('\t'));
    }
    return QString();
}

bool IsChecked(QObject* o, bool* checkable)
{
    if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        *checkable = b->isCheckable();
        return b->isChecked();
    }
    if (auto* a = qobject_cast<QAction*>(o)) {
        *checkable = a->isCheckable();
        return a->isChecked();
    }
    *checkable = false;
    return false;
}

// Whether the control has a read-only state, and which.
bool ReadOnlyOf(QObject* o, bool* applies)
{
    *applies = true;
    if (auto* e = qobject_cast<QLineEdit*>(o)) return e->isReadOnly();
    if (auto* e = qobject_cast<QPlainTextEdit*>(o)) return e->isReadOnly();
    if (auto* e = qobject_cast<QTextEdit*>(o)) return e->isReadOnly();
    if (auto* e = qobject_cast<QAbstractSpinBox*>(o)) return e->isReadOnly();
    if (auto* e = qobject_cast<QComboBox*>(o)) return e->isEditable() && e->lineEdit() && e->lineEdit()->isReadOnly();
    *applies = false;
    return false;
}

bool EnabledOf(QObject* o)
{
    if (auto* w = qobject_cast<QWidget*>(o)) return w->isEnabled();
    if (auto* a = qobject_cast<QAction*>(o)) return a->isEnabled();
    return false;
}

bool VisibleOf(QObject* o, QWidget* root)
{
    if (auto* w = qobject_cast<QWidget*>(o)) return w == root ? !w->isHidden() : w->isVisibleTo(root);
    if (auto* a = qobject_cast<QAction*>(o)) return a->isVisible();
    return false;
}

QJsonArray Fragments(const QTextEdit* e)
{
    QJsonArray r;
    for (QTextBlock b = e->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid()) continue;
            const QTextCharFormat cf = f.charFormat();
            QJsonObject o;
            o[QStringLiteral("text")] = f.text();
            const QStringList families = cf.fontFamilies().toStringList();
            o[QStringLiteral("family")] = families.isEmpty() ? cf.font().family() : families.constFirst();
            o[QStringLiteral("pointSize")] = cf.fontPointSize();
            o[QStringLiteral("bold")] = cf.fontWeight() >= QFont::Bold;
            o[QStringLiteral("italic")] = cf.fontItalic();
            o[QStringLiteral("underline")] = cf.fontUnderline();
            o[QStringLiteral("color")] = cf.foreground().color().name();
            r.append(o);
        }
    }
    return r;
}

bool CanType(QObject* o, const QString& name, QString* error)
{
    if (auto* w = qobject_cast<QWidget*>(o); w && !w->isVisibleTo(w->window())) {
        *error = QStringLiteral("%1 is hidden").arg(name);
        return false;
    }
    if (!EnabledOf(o)) {
        *error = QStringLiteral("%1 is disabled").arg(name);
        return false;
    }
    bool applies = false;
    if (ReadOnlyOf(o, &applies)) {
        *error = QStringLiteral("%1 is read-only").arg(name);
        return false;
    }
    return true;
}

} // namespace

bool CaretVisible(const QWidget* w, bool* applies)
{
    *applies = qobject_cast<const QLineEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w)
        || qobject_cast<const QTextEdit*>(w);
    if (!*applies || !w->isVisible()) return false;
    const QRect caret = w->inputMethodQuery(Qt::ImCursorRectangle).toRect();
    if (!caret.isValid()) return false;
    // Clip by every ancestor up to the window: what a scroll area hides is not visible.
    QRect r = caret;
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        r &= p->rect();
        if (r.isEmpty() || p->isWindow()) break;
        r.translate(p->pos());
    }
    return !r.isEmpty() && r.height() == caret.height();
}

QObject* FindControl(QWidget* root, const QString& name)
{
    if (!root || name.isEmpty()) return nullptr;
    if (root->objectName() == name) return root;
    if (auto* w = root->findChild<QWidget*>(name)) return w;
    return root->findChild<QAction*>(name);
}

QJsonObject ControlState(QObject* o, QWidget* root)
{
    QJsonObject s;
    s[QStringLiteral("class")] = QString::fromLatin1(o->metaObject()->className());
    s[QStringLiteral("enabled")] = EnabledOf(o);
    s[QStringLiteral("visible")] = VisibleOf(o, root);
    const QString text = TextOf(o);
    if (!text.isNull()) s[QStringLiteral("text")] = text;
    bool checkable = false;
    const bool checked = IsChecked(o, &checkable);
    if (checkable) s[QStringLiteral("checked")] = checked;
    bool hasReadOnly = false;
    const bool readOnly = ReadOnlyOf(o, &hasReadOnly);
    if (hasReadOnly) s[QStringLiteral("readOnly")] = readOnly;
    if (auto* w = qobject_cast<QWidget*>(o)) {
        bool isText = false;
        const bool caretVisible = CaretVisible(w, &isText);
        if (isText) s[QStringLiteral("caretVisible")] = caretVisible;
    }
    if (auto* c = qobject_cast<QComboBox*>(o)) {
        if (qobject_cast<QFontComboBox*>(o)) {
            // The installed fonts differ between machines; their number says enough.
            s[QStringLiteral("itemCount")] = c->count();
        } else {
            QJsonArray items;
            for (int i = 0; i < c->count(); ++i) items.append(c->itemText(i));
            s[QStringLiteral("items")] = items;
        }
    }
    if (auto* e = qobject_cast<QTextEdit*>(o)) s[QStringLiteral("fragments")] = Fragments(e);
    return s;
}

QJsonObject DumpControls(QWidget* root)
{
    QJsonObject all;
    auto add = [&](QObject* o) {
        const QString name = o->objectName();
        if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) return;
        QString key = name;
        for (int n = 2; all.contains(key); ++n) key = QStringLiteral("%1#%2").arg(name).arg(n);
        all[key] = ControlState(o, root);
    };
    add(root);
    for (QWidget* w : root->findChildren<QWidget*>()) add(w);
    for (QAction* a : root->findChildren<QAction*>()) add(a);
    return all;
}

bool SetControlText(QObject* o, const QString& text, QString* error)
{
    const QString name = o->objectName();
    if (!CanType(o, name, error)) return false;
    if (auto* w = qobject_cast<QWidget*>(o)) w->window()->activateWindow();
    if (auto* e = qobject_cast<QLineEdit*>(o)) {
        e->setFocus();
        e->selectAll();
        e->insert(text);  // emits textEdited, like typing
        return true;
    }
    if (auto* e = qobject_cast<QPlainTextEdit*>(o)) {
        e->setFocus();
        e->selectAll();
        e->insertPlainText(text);
        return true;
    }
    if (auto* e = qobject_cast<QTextEdit*>(o)) {
        e->setFocus();
        e->selectAll();
        e->insertPlainText(text);
        return true;
    }
    if (auto* c = qobject_cast<QComboBox*>(o)) {
        const int i = c->findText(text, Qt::MatchExactly);
        if (i >= 0) {
            // Choosing from the list, as a click on the drop-down does.
            c->setCurrentIndex(i);
            emit c->activated(i);
            emit c->textActivated(c->itemText(i));
            return true;
        }
        if (!c->isEditable() || !c->lineEdit()) {
            *error = QStringLiteral("%1 offers no item '%2'").arg(name, text);
            return false;
        }
        c->lineEdit()->selectAll();
        c->lineEdit()->insert(text);
        return true;
    }
    if (auto* e = qobject_cast<QDateTimeEdit*>(o)) {
        QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
        if (!dt.isValid()) dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        if (!dt.isValid()) {
            const QDate d = QDate::fromString(text, Qt::ISODate);
            if (d.isValid()) dt = QDateTime(d, e->time());
        }
        if (!dt.isValid()) {
            *error = QStringLiteral("'%1' is not a date (yyyy-MM-dd or yyyy-MM-dd HH:mm:ss)").arg(text);
            return false;
        }
        e->setDateTime(dt);
        return true;
    }
    if (auto* e = qobject_cast<QSpinBox*>(o)) {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok) { *error = QStringLiteral("'%1' is not a whole number").arg(text); return false; }
        e->setValue(v);
        return true;
    }
    if (auto* e = qobject_cast<QDoubleSpinBox*>(o)) {
        bool ok = false;
        const double v = text.toDouble(&ok);
        if (!ok) { *error = QStringLiteral("'%1' is not a number").arg(text); return false; }
        e->setValue(v);
        return true;
    }
    *error = QStringLiteral("%1 (%2) takes no text").arg(name, QString::fromLatin1(o->metaObject()->className()));
    return false;
}

bool SetControlChecked(QObject* o, bool on, QString* error)
{
    bool checkable = false;
    const bool checked = IsChecked(o, &checkable);
    if (!checkable) {
        *error = QStringLiteral("%1 cannot be ticked").arg(o->objectName());
        return false;
    }
    if (checked == on) return true;
    return ClickControl(o, error);
}

bool ClickControl(QObject* o, QString* error)
{
    if (!EnabledOf(o)) {
        *error = QStringLiteral("%1 is disabled").arg(o->objectName());
        return false;
    }
    if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        if (!b->isVisibleTo(b->window())) {
            *error = QStringLiteral("%1 is hidden").arg(o->objectName());
            return false;
        }
        b->click();
        return true;
    }
    if (auto* a = qobject_cast<QAction*>(o)) {
        a->trigger();
        return true;
    }
    *error = QStringLiteral("%1 (%2) cannot be clicked").arg(o->objectName(), QString::fromLatin1(o->metaObject()->className()));
    return false;
}

bool FocusControl(QObject* o, QString* error)
{
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->focusPolicy() == Qt::NoFocus) {
        *error = QStringLiteral("%1 cannot take the focus").arg(o->objectName());
        return false;
    }
    if (!w->isEnabled() || !w->isVisibleTo(w->window())) {
        *error = QStringLiteral("%1 is disabled or hidden").arg(o->objectName());
        return false;
    }
    w->window()->activateWindow();
    w->setFocus(Qt::MouseFocusReason);
    return true;
}

bool ControlProperty(QObject* o, QWidget* root, const QString& property, QString* value, QString* error)
{
    auto flag = [](bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); };
    if (property.isEmpty() || property == QLatin1String("text")) {
        *value = TextOf(o);
        return true;
    }
    if (property == QLatin1String("checked")) {
        bool checkable = false;
        *value = flag(IsChecked(o, &checkable));
        return true;
    }
    if (property == QLatin1String("enabled")) { *value = flag(EnabledOf(o)); return true; }
    if (property == QLatin1String("visible")) { *value = flag(VisibleOf(o, root)); return true; }
    if (property == QLatin1String("readOnly")) {
        bool applies = false;
        *value = flag(ReadOnlyOf(o, &applies));
        return true;
    }
    *error = QStringLiteral("unknown property '%1' (text, checked, enabled, readOnly, visible)").arg(property);
    return false;
}
