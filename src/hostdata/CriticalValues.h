// SPDX-License-Identifier: MIT
// Critical values (危急值): the list a doctor picks from, the register of notices told to the
// clinician (table CriticalNotice, written once through sp_RecordCriticalNotice: the database
// refuses any change or removal of a row), the register's report with the minutes from the
// report's save to the notice, and the site's rule for the double check before release.
//
// Database functions throw EDatabaseError with the database's message (no read-back, no
// receiver, no such report, a database that refuses the write); nothing is half written.
// One connection per thread.
#pragma once
#include "ReportSigning.h"
#include "platform/Database.h"
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTextStream>
#include <optional>

// Whether the WeiJiValue text holds a critical value: anything but blank, 无, 否 or 无危急值
// (the same list as the database procedures).
bool HasCriticalValue(const QString& weiJiValue);

struct TCriticalItem {
    QString category;   // the [heading] it stands under, or empty
    QString text;
};
// The items of a list file: one item per line, "[heading]" lines group them, '#' starts a
// comment. EFileError when the file cannot be read or holds no item.
QList<TCriticalItem> LoadCriticalItems(const QString& path);
constexpr const char kCriticalItemsFile[] = "critical-items.txt";

// WeiJiValue with `item` added ("；" between items); an item already there is not added twice.
QString AddCriticalItem(const QString& weiJiValue, const QString& item);

struct TCriticalNoticeInput {
    QString ruid;
    QString criticalValue;   // what was told; empty: the report's saved WeiJiValue
    QString receiverName, receiverDept, receiverPhone;   // phone or the other way it was told
    bool readBack = false;   // the receiver read it back (复读确认); refused without
    qint64 corrects = 0;     // the notice this one corrects, or 0
    QString noticeGuid;      // empty: a new one; the same GUID sent again gives the same row
};

struct TCriticalNotice {
    qint64 id = 0;
    QString ruid, criticalValue, receiverName, receiverDept, receiverPhone, toldBy, toldByCode;
    QDateTime noticeTime;      // the database's clock
    QDateTime reportSavedAt;   // the first save that held a critical value
    qint64 corrects = 0;
};

// Writes a notice told by `user`; returns it as stored (id and time from the database).
TCriticalNotice RecordCriticalNotice(TDbConnection& conn, const TCriticalNoticeInput& notice, const TSigner& user);
// The report's notices, oldest first.
QList<TCriticalNotice> ReadCriticalNotices(TDbConnection& conn, const QString& ruid);
// The notice as the printout and the register window show it: who was told, how, when, that
// it was read back, and who told.
QString CriticalNoticeText(const TCriticalNotice& notice);
// The text of the report's newest notice (a correction supersedes what it corrects), or empty
// when it has none or the database has no register yet (not upgraded).
QString LatestCriticalNoticeText(TDbConnection& conn, const QString& ruid);

struct TCriticalRegisterRow {
    TCriticalNotice notice;        // id 0: a critical value not told yet
    QString accnu, patientName;
    std::optional<double> minutes; // from the report's save to the notice
    bool firstNotice = false;      // the report's first notice (the one the share counts)
};
struct TCriticalRegister {
    QList<TCriticalRegisterRow> rows;
    int reports = 0;          // reports with a critical value in the period
    int toldWithin10 = 0;     // of those, told within 10 minutes of the save
    double SharePercent() const { return reports ? 100.0 * toldWithin10 / reports : 0.0; }
};
constexpr double kCriticalNoticeMinutes = 10.0;
// Every notice of the reports first told between the two dates (inclusive, the database's
// local dates), corrections included, and every report with a critical value saved in the
// period and not told yet.
TCriticalRegister ReadCriticalRegister(TDbConnection& conn, const QDate& from, const QDate& to);
// The register as text: a tab-separated table and the share (csv = false), or CSV with a
// header row (csv = true, UTF-8 with a byte-order mark added by the caller if wanted).
void WriteCriticalRegister(const TCriticalRegister& reg, QTextStream& out, bool csv);

// [Critical] SecondCheck: how a report with a critical value is checked a second time before
// release. off: not at all; second-doctor: the signer must not be the report's doctor;
// second-doctor-or-twice (the default): another doctor signs, or the report's own doctor,
// working alone, confirms the release twice.
enum class TSecondCheck { Off, SecondDoctor, SecondDoctorOrTwice };
// Unknown texts give std::nullopt (the caller logs it and keeps the default).
std::optional<TSecondCheck> ParseSecondCheck(const QString& text);

enum class TSecondCheckVerdict { Allowed, ConfirmTwice, Refused };
TSecondCheckVerdict SecondCheckAtSigning(TSecondCheck rule, bool hasCriticalValue, const QString& reportDoctorCode,
                                         const QString& signerCode);
// The same for the saved report `ruid` (its WeiJiValue and ReportDoctorCode); EDatabaseError
// when there is no such report.
TSecondCheckVerdict SecondCheckForReport(TDbConnection& conn, const QString& ruid, TSecondCheck rule, const QString& signerCode);
