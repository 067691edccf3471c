// SPDX-License-Identifier: MIT
// The windows of critical values: the item picker (选择危急值: the site's items under their
// headings, or free text), the notice (通知危急值: receiver, department, phone or other way,
// 复读确认 that must be ticked, and who tells), and the register (危急值登记: a period's
// notices with their minutes and the share within 10 minutes, exported as CSV). Only shown
// where a person can answer (scripts use the `critical` commands). UI thread only.
#pragma once
#include "hostdata/CriticalValues.h"
#include <QList>
#include <QString>

class QWidget;
class TDbConnection;

// The chosen or typed item, or empty when cancelled.
QString PickCriticalItem(QWidget* parent, const QList<TCriticalItem>& items);
// Fills the receiver and the read-back; false when cancelled.
bool AskCriticalNotice(QWidget* parent, const QString& toldBy, TCriticalNoticeInput* notice);
void ShowCriticalRegister(QWidget* parent, TDbConnection& conn);
