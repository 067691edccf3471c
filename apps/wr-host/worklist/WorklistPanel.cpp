// SPDX-License-Identifier: MIT
#include "worklist/WorklistPanel.h"
#include "hostdata/ReportStatus.h"
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// A wait cursor for one database read; reads are bounded to one page, so no progress box.
struct TBusyCursor {
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

TWorklistPanel::TWorklistPanel(std::function<TDbConnection*()> connection, QWidget* parent)
    : QWidget(parent), m_connection(std::move(connection))
{
    setObjectName(QStringLiteral("worklistPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 0, 6);
    auto* title = new QLabel(QStringLiteral("工作列表"), this);
    QFont tf = title->font();
    tf.setBold(true);
    title->setFont(tf);

    m_preset = new QComboBox(this);
    m_preset->setObjectName(QStringLiteral("worklistDatePreset"));
    for (TDatePreset p : DatePresets()) m_preset->addItem(DatePresetCaption(p), int(p));
    const QDate today = QDate::currentDate();
    const TDateRange week = PresetRange(TDatePreset::Last7Days, today);
    m_from = new QDateEdit(week.from, this);
    m_from->setObjectName(QStringLiteral("worklistFrom"));
    m_to = new QDateEdit(week.to, this);
    m_to->setObjectName(QStringLiteral("worklistTo"));
    for (QDateEdit* d : {m_from, m_to}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    m_status = new QComboBox(this);
    m_status->setObjectName(QStringLiteral("worklistStatus"));
    for (TStatusFilter s : StatusFilters()) m_status->addItem(StatusFilterCaption(s), int(s));
    m_search = new QLineEdit(this);
    m_search->setObjectName(QStringLiteral("worklistFilter"));
    m_search->setPlaceholderText(QStringLiteral("检查号、姓名或检查项目"));
    m_search->setClearButtonEnabled(true);

    auto* dates = new QHBoxLayout;
    dates->addWidget(m_preset);
    dates->addWidget(m_from);
    dates->addWidget(new QLabel(QStringLiteral("至"), this));
    dates->addWidget(m_to, 1);
    auto* filters = new QHBoxLayout;
    filters->addWidget(m_status);
    filters->addWidget(m_search, 1);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("worklist"));
    m_tree->setRootIsDecorated(false);
    m_tree->setAlternatingRowColors(true);
    m_tree->setUniformRowHeights(true);
    m_tree->setColumnCount(ColCount);
    m_tree->setHeaderLabels({QStringLiteral("检查号"), QStringLiteral("姓名"), QStringLiteral("创建时间"),
                             QStringLiteral("状态"), QStringLiteral("检查项目")});
    m_tree->header()->setStretchLastSection(true);
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("worklistCount"));

    layout->addWidget(title);
    layout->addLayout(dates);
    layout->addLayout(filters);
    layout->addWidget(m_tree, 1);
    layout->addWidget(m_count);

    m_typing = new QTimer(this);
    m_typing->setSingleShot(true);
    m_typing->setInterval(250);
    connect(m_typing, &QTimer::timeout, this, &TWorklistPanel::Requery);
    connect(m_search, &QLineEdit::textChanged, m_typing, qOverload<>(&QTimer::start));
    connect(m_search, &QLineEdit::returnPressed, this, &TWorklistPanel::Requery);
    connect(m_preset, &QComboBox::activated, this, &TWorklistPanel::PresetChosen);
    connect(m_status, &QComboBox::activated, this, &TWorklistPanel::Requery);
    connect(m_from, &QDateEdit::dateChanged, this, &TWorklistPanel::DatesEdited);
    connect(m_to, &QDateEdit::dateChanged, this, &TWorklistPanel::DatesEdited);
    connect(m_tree->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (m_more && !m_loading && value >= m_tree->verticalScrollBar()->maximum()) {
            QString error;
            LoadMore(&error);
        }
    });
}

TWorklistFilter TWorklistPanel::Filter() const
{
    TWorklistFilter f;
    if (TDatePreset(m_preset->currentData().toInt()) != TDatePreset::All) f.days = {m_from->date(), m_to->date()};
    f.status = TStatusFilter(m_status->currentData().toInt());
    f.search = m_search->text().trimmed();
    return f;
}

void TWorklistPanel::SetCustomRange(const TDateRange& range)
{
    const QSignalBlocker b1(m_from), b2(m_to);
    m_preset->setCurrentIndex(m_preset->findData(int(TDatePreset::Custom)));
    m_from->setDate(range.from);
    m_to->setDate(range.to);
    m_from->setEnabled(true);
    m_to->setEnabled(true);
}

void TWorklistPanel::PresetChosen()
{
    const auto preset = TDatePreset(m_preset->currentData().toInt());
    const bool all = preset == TDatePreset::All;
    m_from->setEnabled(!all);
    m_to->setEnabled(!all);
    if (preset != TDatePreset::Custom && !all) {
        const TDateRange r = PresetRange(preset, QDate::currentDate());
        const QSignalBlocker b1(m_from), b2(m_to);
        m_from->setDate(r.from);
        m_to->setDate(r.to);
    }
    Requery();
}

void TWorklistPanel::DatesEdited()
{
    m_preset->setCurrentIndex(m_preset->findData(int(TDatePreset::Custom)));
    if (m_from->date() > m_to->date()) {
        // A start after the end: the other end follows, so the range never turns empty.
        const QSignalBlocker b1(m_from), b2(m_to);
        if (sender() == m_from) m_to->setDate(m_from->date());
        else m_from->setDate(m_to->date());
    }
    Requery();
}

void TWorklistPanel::Requery()
{
    m_typing->stop();
    QString error;
    Reload(&error);
}

bool TWorklistPanel::Reload(QString* error)
{
    TBusyCursor busy;
    m_loading = true;
    try {
        TDbConnection* conn = m_connection();
        if (!m_query || conn != m_queryConnection) {
            m_query = std::make_unique<TWorklistQuery>(*conn);
            m_queryConnection = conn;
        }
        m_shown = Filter();
        TWorklistPage page = m_query->Page(m_shown, {}, kPageSize);
        if (m_firstReading && page.rows.isEmpty() && m_shown == TWorklistFilter{m_shown.days}) {
            // Nothing in the last week: show the week of the newest report instead.
            if (const auto newest = m_query->Newest(); newest && newest->created.date() < m_shown.days.from) {
                const QDate day = newest->created.date();
                SetCustomRange({day.addDays(-6), day});
                m_shown = Filter();
                page = m_query->Page(m_shown, {}, kPageSize);
                emit statusMessage(QStringLiteral("最近7天没有报告，显示最新报告所在的一周（%1 至 %2）。")
                                       .arg(day.addDays(-6).toString(Qt::ISODate), day.toString(Qt::ISODate)));
            }
        }
        m_firstReading = false;
        m_more = page.more;
        m_next = page.next;
        Fill(page.rows, false);
        m_loading = false;
        return true;
    } catch (const Exception& e) {
        return ReadFailed(e, error);
    }
}

bool TWorklistPanel::ReadFailed(const Exception& e, QString* error)
{
    m_loading = false;
    *error = QStringLiteral("cannot read the work list: %1").arg(e.Message());
    emit statusMessage(QStringLiteral("读取工作列表失败：%1").arg(e.Message()));
    return false;
}

bool TWorklistPanel::LoadMore(QString* error)
{
    if (!m_more || !m_query) return true;
    TBusyCursor busy;
    m_loading = true;
    try {
        const TWorklistPage page = m_query->Page(m_shown, m_next, kPageSize);
        m_more = page.more;
        m_next = page.next;
        Fill(page.rows, true);
        m_loading = false;
        return true;
    } catch (const Exception& e) {
        return ReadFailed(e, error);
    }
}

void TWorklistPanel::FillItem(QTreeWidgetItem* item, const TWorklistEntry& e)
{
    item->setText(ColAccnu, e.accnu);
    item->setText(ColPatient, e.patientName);
    item->setText(ColCreated, e.created.toString(QStringLiteral("yyyy-MM-dd HH:mm")));
    // A final report changed after it was signed carries a marker, so nobody takes it for
    // the signed text.
    const bool changedAfterSigning = e.signedEdits > 0 && IsFinalReportState(e.state);
    item->setText(ColState, ReportStateWord(e.state, e.stateNull) + (changedAfterSigning ? QStringLiteral("（已改）") : QString()));
    item->setToolTip(ColState, (e.stateNull ? QStringLiteral("ReportState NULL") : QStringLiteral("ReportState %1").arg(e.state))
                                   + (changedAfterSigning ? QStringLiteral("，审核后修改 %1 次").arg(e.signedEdits) : QString()));
    item->setText(ColItems, e.itemNames);
    item->setToolTip(ColItems, e.itemNames);
    item->setData(ColAccnu, kRuidRole, e.ruid);
    for (int c = 0; c <= ColItems; ++c) item->setForeground(c, e.criticalUntold ? QBrush(QColor(0xC0, 0, 0)) : QBrush());
    if (e.criticalUntold) item->setToolTip(ColPatient, QStringLiteral("危急值尚未通知临床"));
}

void TWorklistPanel::Fill(const QList<TWorklistEntry>& rows, bool append)
{
    const bool firstPage = !append;
    if (firstPage) m_tree->clear();
    QList<QTreeWidgetItem*> items;
    items.reserve(rows.size());
    for (const TWorklistEntry& e : rows) {
        auto* item = new QTreeWidgetItem;
        FillItem(item, e);
        items << item;
    }
    m_tree->addTopLevelItems(items);
    if (firstPage)
        for (int c = 0; c < ColItems; ++c) m_tree->resizeColumnToContents(c);
    ShowCount();
}

void TWorklistPanel::ShowCount()
{
    const int n = m_tree->topLevelItemCount();
    m_count->setText(m_more ? QStringLiteral("已显示 %1 份报告，向下滚动显示更多").arg(n)
                            : QStringLiteral("共 %1 份报告").arg(n));
}

bool TWorklistPanel::RefreshRow(const QString& ruid, QString* error)
{
    if (!m_query) return Reload(error);
    QTreeWidgetItem* shown = nullptr;
    for (int i = 0; i < m_tree->topLevelItemCount() && !shown; ++i) {
        QTreeWidgetItem* item = m_tree->topLevelItem(i);
        if (item->data(ColAccnu, kRuidRole).toString().compare(ruid, Qt::CaseInsensitive) == 0) shown = item;
    }
    try {
        const std::optional<TWorklistEntry> row = m_query->Row(ruid, m_shown);
        if (!row) {
            delete shown;
        } else if (shown) {
            FillItem(shown, *row);
        } else {
            // A report new to the list: the list is newest first, so it goes where its time
            // puts it among the rows shown (at the end only when no later page remains).
            int at = 0;
            while (at < m_tree->topLevelItemCount()) {
                const QDateTime t = QDateTime::fromString(m_tree->topLevelItem(at)->text(ColCreated),
                                                          QStringLiteral("yyyy-MM-dd HH:mm"));
                if (t <= row->created) break;
                ++at;
            }
            if (at < m_tree->topLevelItemCount() || !m_more) {
                auto* item = new QTreeWidgetItem;
                FillItem(item, *row);
                m_tree->insertTopLevelItem(at, item);
            }
        }
        ShowCount();
        return true;
    } catch (const Exception& e) {
        *error = QStringLiteral("cannot read report %1 for the work list: %2").arg(ruid, e.Message());
        emit statusMessage(QStringLiteral("读取工作列表失败：%1").arg(e.Message()));
        return false;
    }
}

QStringList TWorklistPanel::Guids() const
{
    QStringList r;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        r << m_tree->topLevelItem(i)->data(ColAccnu, kRuidRole).toString();
    return r;
}
