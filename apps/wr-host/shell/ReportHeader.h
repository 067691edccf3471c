// SPDX-License-Identifier: MIT
// Which report, in which state: a patient header above the embedded editor (name, sex,
// age, accession, exam items: label "patientHeader") and a changed marker that follows
// every edit, shown in the window title ("*" through Qt's [*] placeholder) and as a
// permanent status-bar label "reportChanged" ("已修改" / empty). UI thread only.
#pragma once
#include <QObject>
#include <QPointer>
#include <functional>

class QLabel;
class QStatusBar;
class QWidget;
class TDbConnection;

class TReportHeader final : public QObject {
public:
    // `window` gets the title marker, `formHost` the header at its top (its layout must be a
    // QVBoxLayout), `status` the marker label. `changed` answers whether the open report
    // differs from what was opened or saved.
    TReportHeader(QWidget* window, QWidget* formHost, QStatusBar* status, std::function<bool()> changed);

    // Re-checks the marker soon after any text or choice in `form` changes.
    void Watch(QWidget* form);
    // The patient of this report (read from Report and Study); errors leave a short header.
    void ShowReport(TDbConnection& conn, const QString& ruid);
    // Re-checks the marker now (after an open, a save, a lock).
    void Refresh();

    // The header text for these values; empty parts are left out. Pure, for tests.
    static QString HeaderText(const QString& name, const QString& sex, const QString& age, const QString& accnu,
                              const QString& items);

private:
    void Schedule();

    QWidget* m_window;
    QLabel* m_header;
    QLabel* m_changedLabel;
    std::function<bool()> m_changed;
    bool m_scheduled = false;
};
