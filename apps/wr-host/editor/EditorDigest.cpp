// SPDX-License-Identifier: MIT
#include "editor/EditorDigest.h"
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextEdit>

namespace {

class TDigest {
public:
    void Add(QStringView s)
    {
        // The length first, so that no two sequences of texts feed the same bytes.
        Add(qint64(s.size()));
        m_hash.addData(QByteArrayView(reinterpret_cast<const char*>(s.utf16()), s.size() * qsizetype(sizeof(char16_t))));
    }
    void Add(qint64 n) { m_hash.addData(QByteArrayView(reinterpret_cast<const char*>(&n), sizeof n)); }
    void Add(double d) { m_hash.addData(QByteArrayView(reinterpret_cast<const char*>(&d), sizeof d)); }
    void Tag(char t) { m_hash.addData(QByteArrayView(&t, 1)); }
    QByteArray Result() const { return m_hash.result(); }

private:
    QCryptographicHash m_hash{QCryptographicHash::Sha1};
};

// Rich text run by run: what it says and how it looks. Only one run's text is copied at a
// time.
void AddRichText(TDigest& d, const QTextDocument* doc)
{
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        d.Tag('B');
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment f = it.fragment();
            if (!f.isValid()) continue;
            const QTextCharFormat cf = f.charFormat();
            d.Tag('F');
            d.Add(f.text());
            const QStringList families = cf.fontFamilies().toStringList();
            d.Add(families.isEmpty() ? cf.font().family() : families.constFirst());
            d.Add(cf.fontPointSize());
            d.Add(qint64((cf.fontWeight() >= QFont::Bold ? 1 : 0) | (cf.fontItalic() ? 2 : 0) | (cf.fontUnderline() ? 4 : 0)));
            d.Add(qint64(cf.foreground().color().rgba()));
        }
    }
}

void AddPlainText(TDigest& d, const QTextDocument* doc)
{
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        d.Tag('B');
        d.Add(b.text());
    }
}

QString DateText(const QDateTimeEdit* e)
{
    if (!e->specialValueText().isEmpty() && e->date() == e->minimumDate()) return e->specialValueText().trimmed();
    return e->dateTime().toString(Qt::ISODate);
}

void AddControl(TDigest& d, QObject* o)
{
    const QString name = o->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) return;
    d.Tag('C');
    d.Add(name);
    // The same controls and values the window's dump calls their text and state.
    if (auto* e = qobject_cast<QTextEdit*>(o)) AddRichText(d, e->document());
    else if (auto* e = qobject_cast<QPlainTextEdit*>(o)) AddPlainText(d, e->document());
    else if (auto* e = qobject_cast<QLineEdit*>(o)) d.Add(e->text());
    else if (auto* e = qobject_cast<QComboBox*>(o)) d.Add(e->currentText());
    else if (auto* e = qobject_cast<QDateTimeEdit*>(o)) d.Add(DateText(e));
    else if (auto* e = qobject_cast<QAbstractSpinBox*>(o)) d.Add(e->text());
    else if (auto* e = qobject_cast<QLabel*>(o)) d.Add(e->text());
    if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        d.Add(b->text());
        if (b->isCheckable()) d.Tag(b->isChecked() ? '1' : '0');
    } else if (auto* a = qobject_cast<QAction*>(o)) {
        d.Add(a->text());
        if (a->isCheckable()) d.Tag(a->isChecked() ? '1' : '0');
    }
}

} // namespace

QByteArray EditorContentDigest(QWidget* root)
{
    TDigest d;
    if (!root) return d.Result();
    AddControl(d, root);
    for (QWidget* w : root->findChildren<QWidget*>()) AddControl(d, w);
    for (QAction* a : root->findChildren<QAction*>()) AddControl(d, a);
    return d.Result();
}
