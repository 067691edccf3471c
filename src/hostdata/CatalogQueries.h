// SPDX-License-Identifier: MIT
// What the host tells the editor about the database itself: its clock, and the columns and
// types of a table or view (the host interface's catalogue calls). No widgets here; every
// function but QuoteIdentifier throws EDatabaseError with the database's message.
#pragma once
#include "platform/Database.h"
#include "platform/DateTime.h"
#include <QString>
#include <QStringList>

// The database server's local time, to the server's own precision.
TDateTime ServerNow(TDbConnection& conn);

// A table or column name quoted for the dialect ("name" or [name]), its quote characters
// doubled, so an odd name can never end the identifier early.
QString QuoteIdentifier(const QString& dialect, const QString& name);

// The column names of a table or view, in its order (no row is read).
QStringList TableColumnNames(TDbConnection& conn, const QString& tableOrView);
// The declared type of one column (names match without case), empty when there is none.
QString ColumnDataType(TDbConnection& conn, const QString& tableOrView, const QString& column);
// SELECT of every column of a table or view, each name quoted.
QString SelectAllColumnsSql(TDbConnection& conn, const QString& tableOrView);
