// SPDX-License-Identifier: MIT
// The host's own reads and writes of the workstation database (the work list is in
// hostdata/WorklistQuery.h): the default user, and the lists behind the pickers (tables
// csdoctor, ExamItem, Phrase, ReportTemplate, SpecialSymbol; see db/sqlite/README.md).
// No widgets here.
// Every function throws EDatabaseError with the database's message; values are quoted
// with QuotedStr, never pasted raw.
#pragma once
#include "hostdata/PickerKind.h"
#include "platform/Database.h"
#include <QList>
#include <QString>
#include <QStringList>

struct TDoctorRow {
    QString name, code, deptCode;
};

// One entry of a picker list.
struct TPickerEntry {
    QString id;            // row id (exam items: ExamItem.id)
    QString text;          // what is delivered to the form
    QString code;
    QString group;         // template category
    QString rtfSuoJian;    // templates: findings RTF
    QString rtfJieLun;     // templates: impression RTF
    bool enabled = true;   // exam items taken by another report page cannot be chosen
    bool checked = false;  // exam items already bound to this report
    QString note;          // why an entry is disabled
};

// The accession of a report, empty when no row has this GUID.
QString ReportAccession(TDbConnection& conn, const QString& ruid);
// The exam category (JCDaLei) of a report, which names its templates' category; empty when
// the report has none or no row has this GUID.
QString ReportCategory(TDbConnection& conn, const QString& ruid);
bool ReportExists(TDbConnection& conn, const QString& ruid);

// What the window's header line says of the open report: patient, exam number and items.
struct TReportHeading {
    QString patientName, sex, age, accnu, items;
};
// The heading of a report; empty fields when no row has this GUID. A database without the
// Study table gives the report's own fields only.
TReportHeading ReadReportHeading(TDbConnection& conn, const QString& ruid);

// The doctor used as the logged-in user when none is configured: the first of csdoctor
// (highest displayindex, then name). Empty fields when the table is empty.
TDoctorRow FirstDoctor(TDbConnection& conn);

// Phrases of one picker (method, part, lczd, jianyi, beizhu) for a department and those
// shared by all departments, in their order.
QList<TPickerEntry> LoadPhrases(TDbConnection& conn, TPickerKind kind, const QString& deptCode);
// The usable exam items registered for the report's accession; items bound to this report
// are checked, items bound to another page are disabled.
QList<TPickerEntry> LoadExamItems(TDbConnection& conn, const QString& ruid);
// Makes the report hold exactly the chosen items (by id) among the free and its own ones,
// in one transaction (procedure sp_SetReportExamItems: workstations may only read the
// table), and answers their names joined as the binding procedure joins them.
QString BindExamItems(TDbConnection& conn, const QString& ruid, const QStringList& chosenIds);
QList<TPickerEntry> LoadTemplates(TDbConnection& conn, const QString& deptCode);
QList<TPickerEntry> LoadSymbols(TDbConnection& conn);

// Item names in registration order joined with ',' (what sp_GetAllItemsFromAccnu_DefaustFirst
// returns), so a picked list and an automatically bound one read alike.
QString JoinItemNames(const QStringList& names);
