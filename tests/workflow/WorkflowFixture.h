// SPDX-License-Identifier: MIT
// A report form on a fresh real database, driven as the host drives it: through
// IBPLFuncTion and IReportForm, with controls found by objectName. Message boxes are
// answered by script.
#pragma once
#include "FakeHost.h"
#include "FormTestKit.h"
#include "ReportTestKit.h"
#include "ScriptedDialogs.h"
#include <QTemporaryDir>

class QComboBox;
class QPlainTextEdit;
class QTextEdit;

class TWorkflowFixture {
public:
    // Builds the database (doctors of department US01, three dictionaries) and a shown form
    // that has been handed the fake host.
    TWorkflowFixture();
    ~TWorkflowFixture();

    QTemporaryDir dir;
    std::unique_ptr<TDbConnection> db;
    TFakeMainForm host;
    TFakeDataModule dm;
    TScriptedDialogs dialogs;
    std::unique_ptr<TReportForm> form;

    // The doctors of US01 as the lists show them (highest displayindex first).
    static QStringList Doctors();

    // Replaces the form by a new one (as a host opening a second editor would).
    void NewForm();
    IReportForm& Report();
    void Open(const QString& ruid) { Report().OpenReportByRuid(ruid); }
    void Save(const QString& ruid) { Report().SaveReportToDb(ruid); }

    void SetConfig(const QString& section, const QString& key, const QString& value);
    QString Config(const QString& section, const QString& key) const;

    QPlainTextEdit* Memo(const char* name);
    QComboBox* Combo(const char* name);
    QTextEdit* Rich(const char* name);
    QWidget* Widget(const char* name);

    // A column of the stored row, "<NULL>" for NULL, "<none>" without a row.
    QString Column(const QString& column, const QString& ruid);
    // Log lines under that title.
    int Logs(const QString& title) const { return int(host.LogsWithTitle(title).size()); }
};

// The controls that show a record field, with the column each one shows, in mapping order.
struct TControlColumn {
    const char* control;
    const char* column;
};
extern const QList<TControlColumn> kControlColumns;

// What a control shows, as text: memo, combo and edit text (memo line breaks as CR LF), a
// rich edit's plain text, a check box as 1/0, a date picker as "yyyy-MM-dd HH:mm:ss.zzz".
QString ShownValue(QWidget* control);
// Puts a value into a control the way a user's edit ends up (the inverse of ShownValue).
void EnterValue(QWidget* control, const QString& value);
// The value of a column in the record's text form (see ReportFieldTexts).
QString FieldText(const TReportInfo& r, const QString& column);

// RTF of a small formatted document: a bold red Chinese run, a plain run and a second
// paragraph, as an editor would have saved it.
QByteArray FormattedRtf(const QString& boldText, const QString& plainText, const QString& secondParagraph);
