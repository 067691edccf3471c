// SPDX-License-Identifier: MIT
// The host's picker windows. Each is a modal dialog over a list read from the database; the
// host shows it with exec(), or, in script mode, selects the scripted answer through the
// same Select functions a test would use and never shows it. UI thread only.
#pragma once
#include "hostdata/HostQueries.h"
#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QTreeWidget;

// Ticks the entries that the section's current text already names (parts separated by
// commas or 、), so a picker starts from the report; a part the list does not offer is added,
// ticked, so choosing again does not drop what the doctor typed.
void TickCurrentTexts(QList<TPickerEntry>& entries, const QString& current);

// Phrases (one choice) and exam items (several, ticked).
class TListPickerDialog final : public QDialog {
    Q_OBJECT
public:
    TListPickerDialog(TPickerKind kind, const QList<TPickerEntry>& entries, bool multi, QWidget* parent = nullptr);

    // Script mode: chooses exactly the entries with these texts (one unless multi). False
    // with a message when a text is not offered, or offered but not selectable.
    bool SelectTexts(const QStringList& texts, QString* error);
    // The chosen entries, in list order.
    QList<TPickerEntry> Chosen() const;

private:
    void ApplyFilter(const QString& text);
    void UpdateCount();

    QList<TPickerEntry> m_entries;
    bool m_multi;
    QLineEdit* m_filter;
    QListWidget* m_list;
    QLabel* m_count;
};

// Report templates, grouped by category, with a preview of both sections and the choice
// of the sections to fill.
class TTemplatePickerDialog final : public QDialog {
    Q_OBJECT
public:
    // `category`: the report's exam category; while "templateOnlyCategory" is ticked (at
    // first, when that category has templates) only its templates are listed.
    explicit TTemplatePickerDialog(const QList<TPickerEntry>& entries, const QString& category = {},
                                   QWidget* parent = nullptr);
    // Lists only the report's category (true) or every template.
    void ShowOnlyCategory(bool only);
    // The category groups listed now.
    QStringList VisibleGroups() const;

    // Script mode: "name" or "category/name"; sections as chosen.
    bool Select(const QString& name, bool suoJian, bool jieLun, QString* error);
    const TPickerEntry* Chosen() const;
    bool PasteSuoJian() const;
    bool PasteJieLun() const;

private:
    void ShowPreview();

    QList<TPickerEntry> m_entries;
    QTreeWidget* m_tree;
    QPlainTextEdit* m_previewSuoJian;
    QPlainTextEdit* m_previewJieLun;
    QCheckBox* m_toSuoJian;
    QCheckBox* m_toJieLun;
    QCheckBox* m_onlyCategory = nullptr;
    QString m_category;
};

// Special symbols as a grid of buttons; a click chooses and closes.
class TSymbolPickerDialog final : public QDialog {
    Q_OBJECT
public:
    explicit TSymbolPickerDialog(const QList<TPickerEntry>& entries, QWidget* parent = nullptr);

    bool Select(const QString& symbol, QString* error);
    QString Chosen() const { return m_chosen; }

private:
    QStringList m_symbols;
    QString m_chosen;
};
