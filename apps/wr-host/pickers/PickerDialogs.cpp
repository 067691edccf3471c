// SPDX-License-Identifier: MIT
#include "pickers/PickerDialogs.h"
#include <QRegularExpression>
#include "app/Fonts.h"
#include "pickers/TemplateTransfer.h"
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kEntryIndex = Qt::UserRole + 1;

QDialogButtonBox* OkCancel(QDialog* d)
{
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    QObject::connect(box, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, d, &QDialog::reject);
    return box;
}
} // namespace

// ---------------------------------------------------------------------------------------
TListPickerDialog::TListPickerDialog(TPickerKind kind, const QList<TPickerEntry>& entries, bool multi, QWidget* parent)
    : QDialog(parent), m_entries(entries), m_multi(multi)
{
    setObjectName(QStringLiteral("picker_") + QLatin1String(PickerInfo(kind).name));
    setWindowTitle(QString::fromUtf8(PickerInfo(kind).title));
    resize(420, 480);
    auto* layout = new QVBoxLayout(this);
    m_filter = new QLineEdit(this);
    m_filter->setPlaceholderText(QStringLiteral("输入文字筛选"));
    m_filter->setClearButtonEnabled(true);
    layout->addWidget(m_filter);
    m_list = new QListWidget(this);
    m_list->setAlternatingRowColors(true);
    layout->addWidget(m_list, 1);
    for (int i = 0; i < m_entries.size(); ++i) {
        const TPickerEntry& e = m_entries.at(i);
        auto* item = new QListWidgetItem(e.note.isEmpty() ? e.text : QStringLiteral("%1（%2）").arg(e.text, e.note), m_list);
        item->setData(kEntryIndex, i);
        Qt::ItemFlags flags = Qt::ItemIsSelectable;
        if (e.enabled) flags |= Qt::ItemIsEnabled;
        if (multi) {
            flags |= Qt::ItemIsUserCheckable;
            item->setCheckState(e.checked ? Qt::Checked : Qt::Unchecked);
        }
        item->setFlags(flags);
        if (!e.note.isEmpty()) item->setToolTip(e.note);
    }
    auto* bottom = new QHBoxLayout;
    m_count = new QLabel(this);
    bottom->addWidget(m_count, 1);
    if (multi) {
        auto* all = new QPushButton(QStringLiteral("全选"), this);
        auto* none = new QPushButton(QStringLiteral("清除"), this);
        auto setAll = [this](Qt::CheckState s) {
            for (int i = 0; i < m_list->count(); ++i)
                if (m_list->item(i)->flags() & Qt::ItemIsEnabled) m_list->item(i)->setCheckState(s);
        };
        connect(all, &QPushButton::clicked, this, [setAll] { setAll(Qt::Checked); });
        connect(none, &QPushButton::clicked, this, [setAll] { setAll(Qt::Unchecked); });
        bottom->addWidget(all);
        bottom->addWidget(none);
        connect(m_list, &QListWidget::itemChanged, this, [this] { UpdateCount(); });
    } else {
        connect(m_list, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
            if (item->flags() & Qt::ItemIsEnabled) accept();
        });
    }
    bottom->addWidget(OkCancel(this));
    layout->addLayout(bottom);
    connect(m_filter, &QLineEdit::textChanged, this, &TListPickerDialog::ApplyFilter);
    if (!multi && m_list->count() > 0) m_list->setCurrentRow(0);
    UpdateCount();
}

void TListPickerDialog::ApplyFilter(const QString& text)
{
    for (int i = 0; i < m_list->count(); ++i)
        m_list->item(i)->setHidden(!text.isEmpty() && !m_list->item(i)->text().contains(text, Qt::CaseInsensitive));
}

void TListPickerDialog::UpdateCount()
{
    if (!m_multi) {
        m_count->setText(QStringLiteral("共 %1 项").arg(m_entries.size()));
        return;
    }
    m_count->setText(QStringLiteral("已选 %1 / %2 项").arg(Chosen().size()).arg(m_entries.size()));
}

bool TListPickerDialog::SelectTexts(const QStringList& texts, QString* error)
{
    if (!m_multi && texts.size() != 1) {
        *error = QStringLiteral("%1 takes one entry, not %2").arg(windowTitle()).arg(texts.size());
        return false;
    }
    QList<QListWidgetItem*> matches;
    for (const QString& t : texts) {
        QListWidgetItem* found = nullptr;
        for (int i = 0; i < m_list->count() && !found; ++i)
            if (m_entries.at(m_list->item(i)->data(kEntryIndex).toInt()).text == t) found = m_list->item(i);
        if (!found) {
            QStringList offered;
            for (const auto& e : m_entries) offered << e.text;
            *error = QStringLiteral("'%1' is not offered by %2 (offered: %3)")
                         .arg(t, windowTitle(), offered.isEmpty() ? QStringLiteral("nothing") : offered.join(QLatin1String(" | ")));
            return false;
        }
        if (!(found->flags() & Qt::ItemIsEnabled)) {
            *error = QStringLiteral("'%1' cannot be chosen: %2").arg(t, found->toolTip());
            return false;
        }
        matches << found;
    }
    if (m_multi) {
        for (int i = 0; i < m_list->count(); ++i)
            if (m_list->item(i)->flags() & Qt::ItemIsEnabled)
                m_list->item(i)->setCheckState(matches.contains(m_list->item(i)) ? Qt::Checked : Qt::Unchecked);
    } else {
        m_list->setCurrentItem(matches.constFirst());
    }
    return true;
}

QList<TPickerEntry> TListPickerDialog::Chosen() const
{
    QList<TPickerEntry> r;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        if (!(item->flags() & Qt::ItemIsEnabled)) continue;
        const bool chosen = m_multi ? item->checkState() == Qt::Checked : item == m_list->currentItem();
        if (chosen) r << m_entries.at(item->data(kEntryIndex).toInt());
    }
    return r;
}

// ---------------------------------------------------------------------------------------
void TickCurrentTexts(QList<TPickerEntry>& entries, const QString& current)
{
    static const QRegularExpression separators(QStringLiteral("[,，、;；\\r\\n]"));
    for (QString part : current.split(separators)) {
        part = part.trimmed();
        if (part.isEmpty()) continue;
        bool offered = false;
        for (TPickerEntry& e : entries) {
            if (e.text.trimmed() != part) continue;
            e.checked = true;
            offered = true;
        }
        if (offered) continue;
        TPickerEntry typed;
        typed.text = part;
        typed.checked = true;
        typed.note = QStringLiteral("报告中已有");
        entries << typed;
    }
}

TTemplatePickerDialog::TTemplatePickerDialog(const QList<TPickerEntry>& entries, const QString& category, QWidget* parent)
    : QDialog(parent), m_entries(entries), m_category(category)
{
    setObjectName(QStringLiteral("picker_template"));
    setWindowTitle(QString::fromUtf8(PickerInfo(TPickerKind::Template).title));
    resize(760, 500);
    auto* layout = new QVBoxLayout(this);
    auto* split = new QSplitter(this);
    m_tree = new QTreeWidget(split);
    m_tree->setHeaderHidden(true);
    QHash<QString, QTreeWidgetItem*> groups;
    for (int i = 0; i < m_entries.size(); ++i) {
        const TPickerEntry& e = m_entries.at(i);
        QTreeWidgetItem*& group = groups[e.group];
        if (!group) {
            group = new QTreeWidgetItem(m_tree, QStringList{e.group.isEmpty() ? QStringLiteral("未分类") : e.group});
            group->setFlags(Qt::ItemIsEnabled);
        }
        auto* item = new QTreeWidgetItem(group, QStringList{e.text});
        item->setData(0, kEntryIndex, i);
    }
    m_tree->expandAll();
    auto* right = new QWidget(split);
    auto* rl = new QVBoxLayout(right);
    rl->setContentsMargins(0, 0, 0, 0);
    m_toSuoJian = new QCheckBox(QStringLiteral("填入影像表现"), right);
    m_toJieLun = new QCheckBox(QStringLiteral("填入诊断印像"), right);
    m_toSuoJian->setChecked(true);
    m_toJieLun->setChecked(true);
    m_previewSuoJian = new QPlainTextEdit(right);
    m_previewJieLun = new QPlainTextEdit(right);
    for (auto* p : {m_previewSuoJian, m_previewJieLun}) p->setReadOnly(true);
    rl->addWidget(m_toSuoJian);
    rl->addWidget(m_previewSuoJian, 3);
    rl->addWidget(m_toJieLun);
    rl->addWidget(m_previewJieLun, 2);
    split->addWidget(m_tree);
    split->addWidget(right);
    split->setStretchFactor(1, 2);
    layout->addWidget(split, 1);
    auto* hint = new QLabel(QStringLiteral("替换还是追加由编辑器工具栏的“追加”决定。"), this);
    hint->setStyleSheet(QStringLiteral("color: #555;"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(hint, 1);
    bottom->addWidget(OkCancel(this));
    layout->addLayout(bottom);
    connect(m_tree, &QTreeWidget::currentItemChanged, this, &TTemplatePickerDialog::ShowPreview);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        if (item->data(0, kEntryIndex).isValid()) accept();
    });
    if (m_tree->topLevelItemCount() > 0 && m_tree->topLevelItem(0)->childCount() > 0)
        m_tree->setCurrentItem(m_tree->topLevelItem(0)->child(0));
    // The report's own category first; every template stays one click away.
    if (!m_category.isEmpty() && groups.contains(m_category)) {
        m_onlyCategory = new QCheckBox(QStringLiteral("只列出本检查类别（%1）的模板").arg(m_category), this);
        m_onlyCategory->setObjectName(QStringLiteral("templateOnlyCategory"));
        m_onlyCategory->setChecked(true);
        layout->insertWidget(0, m_onlyCategory);
        connect(m_onlyCategory, &QCheckBox::toggled, this, &TTemplatePickerDialog::ShowOnlyCategory);
        ShowOnlyCategory(true);
    }
}

void TTemplatePickerDialog::ShowOnlyCategory(bool only)
{
    if (m_onlyCategory && m_onlyCategory->isChecked() != only) {
        m_onlyCategory->setChecked(only);  // comes back here through toggled
        return;
    }
    QTreeWidgetItem* first = nullptr;
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_tree->topLevelItem(g);
        const bool shown = !only || group->text(0) == m_category;
        group->setHidden(!shown);
        if (shown && !first && group->childCount() > 0) first = group->child(0);
    }
    QTreeWidgetItem* current = m_tree->currentItem();
    if (first && (!current || current->isHidden() || (current->parent() && current->parent()->isHidden())))
        m_tree->setCurrentItem(first);
}

QStringList TTemplatePickerDialog::VisibleGroups() const
{
    QStringList r;
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g)
        if (!m_tree->topLevelItem(g)->isHidden()) r << m_tree->topLevelItem(g)->text(0);
    return r;
}

void TTemplatePickerDialog::ShowPreview()
{
    const TPickerEntry* e = Chosen();
    m_previewSuoJian->setPlainText(e ? RtfPlainText(RtfBytes(e->rtfSuoJian)) : QString());
    m_previewJieLun->setPlainText(e ? RtfPlainText(RtfBytes(e->rtfJieLun)) : QString());
}

bool TTemplatePickerDialog::Select(const QString& name, bool suoJian, bool jieLun, QString* error)
{
    for (int g = 0; g < m_tree->topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = m_tree->topLevelItem(g);
        for (int c = 0; c < group->childCount(); ++c) {
            QTreeWidgetItem* item = group->child(c);
            const TPickerEntry& e = m_entries.at(item->data(0, kEntryIndex).toInt());
            if (e.text == name || e.group + QLatin1Char('/') + e.text == name) {
                m_tree->setCurrentItem(item);
                m_toSuoJian->setChecked(suoJian);
                m_toJieLun->setChecked(jieLun);
                return true;
            }
        }
    }
    QStringList offered;
    for (const auto& e : m_entries) offered << e.group + QLatin1Char('/') + e.text;
    *error = QStringLiteral("no template '%1' (offered: %2)")
                 .arg(name, offered.isEmpty() ? QStringLiteral("nothing") : offered.join(QLatin1String(" | ")));
    return false;
}

const TPickerEntry* TTemplatePickerDialog::Chosen() const
{
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!item || !item->data(0, kEntryIndex).isValid()) return nullptr;
    return &m_entries.at(item->data(0, kEntryIndex).toInt());
}

bool TTemplatePickerDialog::PasteSuoJian() const { return m_toSuoJian->isChecked(); }
bool TTemplatePickerDialog::PasteJieLun() const { return m_toJieLun->isChecked(); }

// ---------------------------------------------------------------------------------------
TSymbolPickerDialog::TSymbolPickerDialog(const QList<TPickerEntry>& entries, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("picker_symbol"));
    setWindowTitle(QString::fromUtf8(PickerInfo(TPickerKind::Symbol).title));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->setSpacing(4);
    constexpr int kColumns = 8;
    QFont big = font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    for (const TPickerEntry& e : entries) {
        const int i = static_cast<int>(m_symbols.size());
        m_symbols << e.text;
        auto* b = new QToolButton(this);
        b->setText(e.text);
        b->setFont(FontDrawing(big, e.text));
        b->setMinimumSize(40, 40);
        b->setAutoRaise(false);
        connect(b, &QToolButton::clicked, this, [this, t = e.text] {
            m_chosen = t;
            accept();
        });
        grid->addWidget(b, i / kColumns, i % kColumns);
    }
    layout->addLayout(grid);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(box);
}

bool TSymbolPickerDialog::Select(const QString& symbol, QString* error)
{
    if (!m_symbols.contains(symbol)) {
        *error = QStringLiteral("symbol '%1' is not offered (offered: %2)").arg(symbol, m_symbols.join(QLatin1Char(' ')));
        return false;
    }
    m_chosen = symbol;
    return true;
}
