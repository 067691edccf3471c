// SPDX-License-Identifier: MIT
#include "DateTimePicker.h"

namespace {
const QDateTime kZero(QDate(1899, 12, 30), QTime(0, 0));
}

TDateTimePicker::TDateTimePicker(QWidget* parent) : QDateEdit(parent)
{
    setCalendarPopup(true);
    setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    // The lowest date a date edit can hold; earlier stored dates are shown as text.
    setMinimumDate(QDate(100, 1, 1));
    setMaximumDate(QDate(9999, 12, 31));
    connect(this, &QDateEdit::dateChanged, this, [this] {
        if (!m_setting) m_changed = true;
    });
}

void TDateTimePicker::SetDateTime(const QDateTime& value)
{
    m_setting = true;
    m_value = value;
    m_timeOfDay = value.time();
    m_changed = false;
    const bool zero = value == kZero;
    const bool belowRange = value.date().isValid() && value.date() < minimumDate();
    if (zero || belowRange) {
        // The special text stands for the minimum date; a blank is still a text.
        setSpecialValueText(zero ? QStringLiteral(" ") : value.date().toString(QStringLiteral("yyyy-MM-dd")));
        setDate(minimumDate());
    } else {
        setSpecialValueText(QString());
        setDate(value.date());
    }
    m_setting = false;
}

QDateTime TDateTimePicker::DateTime() const
{
    if (!m_changed) return m_value;
    return QDateTime(date(), m_timeOfDay);
}

bool TDateTimePicker::ShowsEmpty() const
{
    return specialValueText() == QLatin1String(" ") && date() == minimumDate();
}
