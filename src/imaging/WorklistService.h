// SPDX-License-Identifier: MIT
// The Modality Worklist answer from the report database: the IWorklistResponder that
// wr-dicomd's DICOM service calls for each C-FIND on the worklist model.
//
// Find() reads the query's keys, asks the database for the exams that may match (one
// connection per call, from the factory, so calls on several associations' threads never
// share one), checks every key again as C-FIND matching defines it, and fills the return keys
// the query asked for from Study; keys the table does not hold come back empty. An empty date
// key means today, unless the query names an accession, patient ID, Study Instance UID or
// step ID. More than `limit` matches: the first `limit` and a warning status. Malformed query:
// 0xA900; database unavailable: 0xC000 and a log line, within the connection's own timeouts.
#pragma once
#include "WorklistResponder.h"
#include "platform/Database.h"
#include <QDate>
#include <functional>

class TIniFile;

namespace wr::imaging {

struct TWorklistSettings {
    // [Dicom] CharacterSet: the answer's set when the query names none.
    QString characterSet = QStringLiteral("ISO_IR 192");
    // [Dicom] PinyinOnly=1: names go out in pinyin alone, for machines without Chinese fonts.
    bool pinyinOnly = false;
    // [Dicom] UidRoot: the organisation's root for new Study Instance UIDs ("2.25." when empty).
    QString uidRoot;
    // [Dicom] WorklistLimit: the most exams one answer holds.
    int limit = 500;

    static TWorklistSettings FromIni(const TIniFile& ini);
};

// Status values of the final response.
constexpr unsigned short kWorklistSuccess = 0x0000;
constexpr unsigned short kWorklistLimited = 0xB000;
constexpr unsigned short kWorklistBadQuery = 0xA900;
constexpr unsigned short kWorklistUnavailable = 0xC000;

class TWorklistService final : public IWorklistResponder {
public:
    using TConnectionFactory = std::function<std::unique_ptr<TDbConnection>()>;
    using TLog = std::function<void(const QString&)>;

    // `open` must be callable from any thread; `log` (default: qInfo) receives one line per
    // query and one per fault.
    TWorklistService(TConnectionFactory open, TWorklistSettings settings, TLog log = {});

    TWorklistResult Find(const DcmDataset& query, const QString& callingAet) override;

private:
    TConnectionFactory m_open;
    TWorklistSettings m_settings;
    TLog m_log;
};

// The query a machine sends for its day: every usual return key, the step's date `day`,
// modality US, and the machine's station AE title (empty: any); no Specific Character Set,
// so the answer comes in the configured one.
std::unique_ptr<DcmDataset> StandardWorklistQuery(QDate day, const QString& stationAet = {});
// What a machine receives, one line per exam (accession, name, ID, sex, age, start, Study
// Instance UID, items) and a closing line with the status and the character set it was sent
// in, as UTF-8 text for a terminal.
QString DescribeWorklistAnswer(const TWorklistResult& result);

}  // namespace wr::imaging
