// SPDX-License-Identifier: MIT
// TDateTimePicker: a date-only picker with a calendar pop-up that keeps the full date-time
// it was given. The time of day is not shown, yet comes back unchanged to the millisecond,
// so a record shown and read back keeps its date-times exactly; picking another day keeps
// that time of day.
//
// Until the user picks a day, the value given is the value returned, also where the box
// cannot show it: the zero date-time (1899-12-30 00:00, what an unset date is stored as)
// shows as an empty box, and a date before year 100 (below what the box can hold) shows as
// its text; neither is rewritten on the next save. UI thread only.
#pragma once
#include <QDateEdit>
#include <QDateTime>

class TDateTimePicker : public QDateEdit {
    Q_OBJECT

public:
    explicit TDateTimePicker(QWidget* parent = nullptr);

    void SetDateTime(const QDateTime& value);
    // The value last set while the user has not changed the day; else the shown date
    // combined with the time of day last set.
    QDateTime DateTime() const;
    // True while the box shows the zero date-time as empty.
    bool ShowsEmpty() const;

private:
    QDateTime m_value;
    QTime m_timeOfDay{0, 0};
    bool m_setting = false;
    bool m_changed = true;  // nothing set yet: the box's own date counts
};
