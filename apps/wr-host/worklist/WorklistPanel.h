// SPDX-License-Identifier: MIT
// The host's work list: the filter bar (date preset and range, status, search text) over a
// list of reports read one page at a time from the database (TWorklistQuery). Scrolling to
// the end reads the next page; a changed filter reads the first page again (the search text
// after a short pause in typing); after a save only the saved row is read again.
//
// The first reading shows today and the previous 6 days. When that range holds no report
// but the database has older ones, the week that ends on the newest report's day is shown
// instead (with a note in the status line), so a quiet week still opens on real work.
// UI thread only; the connection is asked for at each query, never kept.
#pragma once
#include "hostdata/WorklistQuery.h"
#include "platform/Exception.h"
#include <QWidget>
#include <functional>

class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

class TWorklistPanel final : public QWidget {
    Q_OBJECT
public:
    enum Column { ColAccnu, ColPatient, ColCreated, ColState, ColItems, ColCount };
    static constexpr int kRuidRole = Qt::UserRole + 1;
    static constexpr int kPageSize = 200;

    TWorklistPanel(std::function<TDbConnection*()> connection, QWidget* parent = nullptr);

    // Reads the first page of the current filter. False with the database's message.
    bool Reload(QString* error);
    // Reads the next page, if there is one.
    bool LoadMore(QString* error);
    // Reads the one report's row again and shows it as it now is (removed when it no longer
    // passes the filter; added at the top when it is new and does).
    bool RefreshRow(const QString& ruid, QString* error);

    TWorklistFilter Filter() const;
    // Sets the date controls (the preset becomes Custom) without reading.
    void SetCustomRange(const TDateRange& range);
    QStringList Guids() const;
    QTreeWidget* Tree() const { return m_tree; }
    QLineEdit* SearchEdit() const { return m_search; }

signals:
    // A line of text for the host's status bar.
    void statusMessage(const QString& text);

private:
    // A page that could not be read: said in the status bar and in *error; always false.
    bool ReadFailed(const Exception& e, QString* error);
    void PresetChosen();
    void DatesEdited();
    void Requery();
    void Fill(const QList<TWorklistEntry>& rows, bool append);
    void ShowCount();
    void FillItem(QTreeWidgetItem* item, const TWorklistEntry& e);

    std::function<TDbConnection*()> m_connection;
    QComboBox* m_preset = nullptr;
    QDateEdit* m_from = nullptr;
    QDateEdit* m_to = nullptr;
    QComboBox* m_status = nullptr;
    QLineEdit* m_search = nullptr;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_count = nullptr;
    QTimer* m_typing = nullptr;

    std::unique_ptr<TWorklistQuery> m_query;
    TDbConnection* m_queryConnection = nullptr;
    TWorklistFilter m_shown;   // the filter of the rows shown
    TWorklistKey m_next;
    bool m_more = false;
    bool m_firstReading = true;
    bool m_loading = false;
};
