// SPDX-License-Identifier: MIT
// TDateTimePicker: a date-only picker with a calendar pop-up that keeps the full date-time
// it was given. The time of day is not shown, yet comes back unchanged to the millisecond,
// so a record shown and read back keeps its date-times exactly; picking another day keeps
// that time of day. UI thread only.
#pragma once
#include <QDateEdit>
#include <QDateTime>

class TDateTimePicker : public QDateEdit {
    Q_OBJECT

public:
    explicit TDateTimePicker(QWidget* parent = nullptr);

    void SetDateTime(const QDateTime& value);
    // The shown date combined with the time of day last set.
    QDateTime DateTime() const;

private:
    QTime m_timeOfDay{0, 0};
};
