// SPDX-License-Identifier: MIT
// What a printed report shows, read from the database as it is stored (never from the
// editor's screen): the report row and the patient of its accession.
//
// LoadPrintRecord throws EDatabaseError with the database's message, and for a GUID that
// has no report. Texts are trimmed (older workstations pad them with blanks). A database
// without table Study, or without its newer patient columns, still prints the report with
// the patient fields it has. Any thread, one connection per thread.
#pragma once
#include "hostdata/ReportStatus.h"
#include "platform/Database.h"
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QString>

struct THipSide {
    QString baseLine, kjgd, gxtq, rgyc, gxzx;  // 基线, 髋臼骨顶, 骨性突起, 软骨盂唇, 骨化中心
    QString alpha, beta;                       // angles in degrees, as typed
    bool IsEmpty() const;
};

struct TPrintRecord {
    QString ruid, accnu;
    // Patient and examination (table Study).
    QString patientName, sex, age, patientId, reqDept, bedNo;
    QDateTime examTime;
    // Examination data of the report.
    QString itemName, jcMethod, jcpart, lczd, jcTuJing, tanTouRate, imgQuality;
    // The two rich texts as stored, with their plain twins for reports written without RTF.
    QString rtfSuoJian, rtfJieLun, suoJian, jieLun;
    QString jianYi, beiZhu, weiJiValue;
    QString criticalNotice;    // the newest notice of the critical value (CriticalNoticeText), or empty
    bool yinYangXing = false;
    int reportState = 0;
    int printedCount = 0;
    int signedEdits = 0;       // saves of the final report after it was unlocked
    QString examDoctor, reportDoctor, shenHeDoctor, huiZhenDoctor;
    QDateTime reportDate, shenHeDate, huiZhenDate;  // invalid when not set
    THipSide hipLeft, hipRight;
    // The key images in print order (KeyImages.h), decoded; a stored image that does not
    // decode is a null image, which the sheet leaves out with a warning.
    QList<QImage> keyImages;

    // A report with a state of 5 or more is final (signed by the review doctor).
    bool IsFinal() const { return IsFinalReportState(reportState); }
    bool HasHipValues() const { return !hipLeft.IsEmpty() || !hipRight.IsEmpty(); }
};

TPrintRecord LoadPrintRecord(TDbConnection& conn, const QString& ruid);
