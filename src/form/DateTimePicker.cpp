// SPDX-License-Identifier: MIT
#include "DateTimePicker.h"

TDateTimePicker::TDateTimePicker(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // Date-times count days from 1899-12-30; keep every stored date reachable.
    setMinimumDate(QDate(100, 1, 1));
    setMaximumDate(QDate(9999, 12, 31));
}

void TDateTimePicker::SetDateTime(const QDateTime& value)
{
    m_timeOfDay = value.time();
    setDate(value.date());
}

QDateTime TDateTimePicker::DateTime() const
{
    return QDateTime(date(), m_timeOfDay);
}
