// SPDX-License-Identifier: MIT
// The columns of table Report, written once: name, kind, length limit, the label the form
// shows, the form section and control that show it, its place in a draft file and the
// TReportInfo field it maps to. The load statement, the row reader, the save parameters,
// the length check, the draft fields, the conflict table and the history view all take
// their columns from here.
//
// Adding a column: one row in ReportColumns.cpp (and a field in TReportInfo when it has
// one), plus the upgrade scripts that add it to the table and to sp_SaveReportInfo.
//
// Plain constant data, built once; any thread may read it.
#pragma once
#include "ReportInfo.h"
#include "platform/Database.h"
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// How a column is read, saved and compared.
enum class TColumnKind {
    Text,       // trimmed when read; saved as it stands, '' for an empty text
    RichText,   // RTF; saved from the editor of its section, not from the record
    Integer,
    DateTime,
    Flag,
};

// The sections of the form, in the order the form stacks them from top to bottom.
enum class TReportSection {
    None,               // shown by no section of the form
    Items,              // 检查项目
    Method,             // 检查方法
    Part,               // 检查部位
    ClinicalDiagnosis,  // 临床诊断
    HipJoint,           // 髋关节筛查
    Findings,           // 影像表现
    Impression,         // 诊断印像
    Suggestion,         // 建议
    Remark,             // 备注
    Other,              // 其它: probe, critical value, positive, route, image quality
    State,              // 报告状态: doctors and dates
};

struct TReportColumn {
    const char* name;        // column of Report; the save parameter is '@' + name
    TColumnKind kind;
    int maxLength;           // the longest text the column holds (UTF-16 units); 0: no limit
    const char* label;       // UTF-8: the form's caption, with 左侧/右侧 where a caption repeats per side
    TReportSection section;
    const char* control;     // objectName of the form control showing it; nullptr: none
    int draftPosition;       // 1, 2, ...: its place in a draft file; 0: not kept in drafts
    // The record field: the one matching `kind` is set; none for a column read into no field.
    QString TReportInfo::*text = nullptr;
    int TReportInfo::*integer = nullptr;
    TDateTime TReportInfo::*date = nullptr;
    bool TReportInfo::*flag = nullptr;

    QString Name() const { return QLatin1String(name); }
    QString Label() const { return QString::fromUtf8(label); }
    QString Parameter() const { return QLatin1Char('@') + QLatin1String(name); }
    bool HasField() const { return text || integer || date || flag; }
};

// Every column the report layer reads, in the order of the load statement.
const QList<TReportColumn>& ReportColumnTable();

// The columns that are fields of TReportInfo, in the record's declaration order: the order
// the save sets its parameters and loading reads its fields in.
const QList<const TReportColumn*>& ReportRecordColumns();

// The column of that name (case-insensitive); nullptr when the table has none.
const TReportColumn* FindReportColumn(QStringView name);

// The label the form shows for a column, e.g. 左侧骨性突起 for kgjLGxtq; empty for an
// unknown name. For every view that names a field to the doctor.
QString ReportColumnLabel(QStringView name);

// The objectName of the form's panel for a section; nullptr for TReportSection::None.
const char* ReportSectionPanel(TReportSection section);

// The six lines of the load statement for a GUID (quoted as an SQL literal): every column,
// newest row first. Its text is logged, so it keeps its historic spelling.
QStringList ReportSelectSql(const QString& ruid);

// Reads one column of the current row of `q` into its field of `r`: texts trimmed of
// characters up to code 32, integers, date-times and flags as such. A column without a field
// is not read. Throws EDatabaseError (no such column) or EConvertError.
void ReadReportColumn(const TDbQuery& q, const TReportColumn& column, TReportInfo& r);
