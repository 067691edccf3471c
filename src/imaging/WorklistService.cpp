// SPDX-License-Identifier: MIT
#include "WorklistService.h"
#include "Pinyin.h"
#include "WorklistCharset.h"
#include "WorklistKeys.h"
#include "WorklistMatch.h"
#include "WorklistStore.h"
#include "platform/IniFile.h"
#include <QDebug>
#include <algorithm>
#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcitem.h>

namespace wr::imaging {

namespace {

const TCondition* ConditionOf(const TParsedQuery& p, TField f)
{
    for (const TCondition& c : p.conditions)
        if (c.field == f)
            return &c;
    return nullptr;
}

// The database's share of the matching: only conditions it can apply without losing a match.
TWorklistFilter DatabaseFilter(const TParsedQuery& p, const TDateSpan& days)
{
    TWorklistFilter f;
    f.from = QDateTime(days.from.isValid() ? days.from : QDate(1, 1, 1), QTime(0, 0));
    f.to = QDateTime(days.to.isValid() ? days.to.addDays(1) : QDate(9999, 12, 31), QTime(0, 0));
    for (const TCondition& c : p.conditions) {
        switch (c.field) {
        case TField::Modality:
            if (!HasWildcards(c.value))
                f.modality = c.value;
            break;
        case TField::StationAet:
            if (!HasWildcards(c.value))
                f.stationAet = c.value;
            break;
        case TField::Accnu:
            if (HasWildcards(c.value))
                f.accnuLike = LikePattern(c.value);
            else if (f.accnuExact.isEmpty())
                f.accnuExact = c.value;
            break;
        case TField::PatientId:
            f.patientIdLike = LikePattern(c.value);
            break;
        case TField::Name:
            // A name in characters is in the table as asked; pinyin is made here.
            if (HasIdeographs(c.value) && !c.value.contains(QLatin1Char('^')) && !c.value.contains(QLatin1Char('=')))
                f.patientNameLike = LikePattern(c.value);
            break;
        default:
            break;
        }
    }
    return f;
}

// Whether every condition is one the database applies exactly enough that the row count it
// returns is the match count (then limit + 1 rows tell whether there are more).
bool DatabaseNarrowsAll(const TParsedQuery& p, const TWorklistFilter& f)
{
    for (const TCondition& c : p.conditions) {
        switch (c.field) {
        case TField::StartDate: case TField::Accnu: case TField::PatientId: break;
        case TField::Modality: if (f.modality.isEmpty()) return false; break;
        case TField::StationAet: if (f.stationAet.isEmpty()) return false; break;
        case TField::Name: if (f.patientNameLike.isEmpty()) return false; break;
        default: return false;
        }
    }
    return true;
}

struct TCharsetChoice {
    TWorklistCharset set = TWorklistCharset::Utf8;
    QString note;  // why the set differs from what was asked
};

TCharsetChoice ChooseCharset(const QString& asked, const QString& configured)
{
    TCharsetChoice c;
    if (asked.trimmed().isEmpty()) {
        if (auto s = WorklistCharsetFromTerm(configured)) {
            c.set = *s;
        } else {
            c.note = QStringLiteral("[Dicom] CharacterSet \"%1\" unknown, answering in ISO_IR 192").arg(configured);
        }
        return c;
    }
    const QStringList terms = asked.split(QLatin1Char('\\'));
    if (terms.size() == 1) {
        if (auto s = WorklistCharsetFromTerm(terms[0])) {
            c.set = *s;
            return c;
        }
    }
    // Code extensions (ISO 2022) are not written here; the default repertoire is what every
    // machine reads, and names then go out in pinyin.
    c.set = TWorklistCharset::Ascii;
    c.note = QStringLiteral("character set \"%1\" not supported for answers, answering in the default repertoire").arg(asked);
    return c;
}

}  // namespace

TWorklistSettings TWorklistSettings::FromIni(const TIniFile& ini)
{
    const QString section = QStringLiteral("Dicom");
    TWorklistSettings s;
    s.characterSet = ini.ReadString(section, QStringLiteral("CharacterSet"), s.characterSet).trimmed();
    s.pinyinOnly = ini.ReadBool(section, QStringLiteral("PinyinOnly"), s.pinyinOnly);
    s.uidRoot = ini.ReadString(section, QStringLiteral("UidRoot"), s.uidRoot).trimmed();
    s.limit = qMax(1, ini.ReadInteger(section, QStringLiteral("WorklistLimit"), s.limit));
    return s;
}

TWorklistService::TWorklistService(TConnectionFactory open, TWorklistSettings settings, TLog log)
    : m_open(std::move(open)), m_settings(std::move(settings)), m_log(std::move(log))
{
    if (!m_log)
        m_log = [](const QString& line) { qInfo().noquote() << line; };
    if (!m_settings.uidRoot.isEmpty() && !ValidUidRoot(m_settings.uidRoot))
        m_log(QStringLiteral("worklist: [Dicom] UidRoot \"%1\" is no UID root; new Study Instance UIDs use 2.25")
                  .arg(m_settings.uidRoot));
}

namespace {

// The day's list unless the query names the exam or patient it wants.
TDateSpan DaysAsked(const TParsedQuery& parsed)
{
    TDateSpan days;
    if (const TCondition* date = ConditionOf(parsed, TField::StartDate)) return date->span;
    for (const TCondition& c : parsed.conditions)
        if ((c.field == TField::Accnu || c.field == TField::PatientId || c.field == TField::StudyUid) && !HasWildcards(c.value))
            return days;
    days.from = days.to = QDate::currentDate();
    return days;
}

// The rows that meet every condition, at most `limit`; *more when others were left out.
std::vector<TExam> MatchingExams(const QList<TWorklistRow>& rows, const TParsedQuery& parsed, int limit, bool pinyinOnly,
                                 const TWorklistService::TLog& log, bool* more)
{
    std::vector<TExam> exams;
    for (const TWorklistRow& row : rows) {
        TExam x{row, {}};
        QStringList unreadable;
        x.personName = DicomPersonName(row.patientName, pinyinOnly, &unreadable);
        if (!unreadable.isEmpty())
            log(QStringLiteral("worklist: name of %1 has characters without a reading: %2").arg(row.accnu, unreadable.join(QString())));
        bool ok = true;
        for (const TCondition& c : parsed.conditions)
            ok = ok && MatchesExam(c, x);
        if (!ok)
            continue;
        if (static_cast<int>(exams.size()) == limit) {
            *more = true;
            break;
        }
        exams.push_back(std::move(x));
    }
    return exams;
}

// Each exam gets its Study Instance UID the first time a machine hears of it. On SQLite the
// day's new UIDs go in one transaction: one disk sync instead of one per exam.
void GiveStudyUids(TDbConnection& conn, TWorklistStore& store, std::vector<TExam>& exams, const QString& uidRoot)
{
    const bool batch = conn.Dialect() == QLatin1String("sqlite")
        && std::any_of(exams.begin(), exams.end(), [](const TExam& x) { return x.row.studyUid.isEmpty(); });
    auto exec = [&conn](const char* sql) {
        auto q = conn.CreateQuery();
        q->SQL() << QLatin1String(sql);
        q->ExecSQL();
    };
    if (batch)
        exec("BEGIN IMMEDIATE");
    try {
        for (TExam& x : exams) {
            if (x.row.studyUid.isEmpty())
                x.row.studyUid = store.KeepStudyUid(x.row.accnu, StudyUidFor(x.row.accnu, uidRoot));
        }
    } catch (...) {
        if (batch)
            exec("ROLLBACK");
        throw;
    }
    if (batch)
        exec("COMMIT");
}

}  // namespace

TWorklistResult TWorklistService::Find(const DcmDataset& query, const QString& callingAet)
{
    TWorklistResult result;
    const QString who = callingAet.isEmpty() ? QStringLiteral("?") : callingAet;
    auto fail = [&](unsigned short status, const QString& why) {
        result.matches.clear();
        result.finalStatus = status;
        result.errorComment = why.left(64);  // Error Comment is LO
        m_log(QStringLiteral("worklist: %1: status 0x%2: %3").arg(who).arg(status, 4, 16, QLatin1Char('0')).arg(why));
        return std::move(result);
    };

    DcmDataset q(query);
    OFString askedCharset;
    q.findAndGetOFStringArray(DCM_SpecificCharacterSet, askedCharset);
    const QString asked = QString::fromLatin1(askedCharset.c_str()).trimmed();
    if (!asked.isEmpty() && q.convertToUTF8().bad())
        m_log(QStringLiteral("worklist: %1: query in \"%2\" could not be read as such; its text is taken as it is").arg(who, asked));

    const TParsedQuery parsed = ParseQueryKeys(q);
    if (!parsed.error.isEmpty())
        return fail(kWorklistBadQuery, parsed.error);
    result.optionalKeysUnsupported = parsed.unsupported;

    const TDateSpan days = DaysAsked(parsed);
    const int limit = qMax(1, m_settings.limit);
    TWorklistFilter filter = DatabaseFilter(parsed, days);
    const bool exact = DatabaseNarrowsAll(parsed, filter);
    filter.maxRows = exact ? limit + 1 : limit * 10;

    const TCharsetChoice charset = ChooseCharset(asked, m_settings.characterSet);
    if (!charset.note.isEmpty())
        m_log(QStringLiteral("worklist: %1: %2").arg(who, charset.note));
    std::vector<TExam> exams;
    bool more = false;
    try {
        std::unique_ptr<TDbConnection> conn = m_open();
        if (!conn)
            throw EDatabaseError(QStringLiteral("no database connection"));
        TWorklistStore store(*conn);
        const QList<TWorklistRow> rows = store.Find(filter);
        more = rows.size() >= filter.maxRows;
        exams = MatchingExams(rows, parsed, limit, m_settings.pinyinOnly, m_log, &more);
        GiveStudyUids(*conn, store, exams, m_settings.uidRoot);
    } catch (const Exception& e) {
        return fail(kWorklistUnavailable, QStringLiteral("worklist database unavailable: ") + e.Message());
    }

    QStringList notes;
    for (const TExam& x : exams)
        result.matches.push_back(WorklistAnswer(q, x, charset.set, &notes));
    for (const QString& n : notes)
        m_log(QStringLiteral("worklist: %1: %2").arg(who, n));

    if (more) {
        result.finalStatus = kWorklistLimited;
        result.errorComment = QStringLiteral("more than %1 matches, answer limited").arg(limit);
    }
    m_log(QStringLiteral("worklist: %1 asked for %2 -> %3 exam(s)%4")
              .arg(who,
                   days.from.isValid() || days.to.isValid()
                       ? days.from.toString(Qt::ISODate) + QLatin1Char('/') + days.to.toString(Qt::ISODate)
                       : QStringLiteral("any day"))
              .arg(result.matches.size())
              .arg(more ? QStringLiteral(", limited") : QString()));
    return result;
}

std::unique_ptr<DcmDataset> StandardWorklistQuery(QDate day, const QString& stationAet)
{
    // No Specific Character Set: the answer comes in the configured one, as most machines get it.
    auto q = std::make_unique<DcmDataset>();
    for (const DcmTagKey& tag : {DCM_AccessionNumber, DCM_ReferringPhysicianName, DCM_PatientName, DCM_PatientID,
                                 DCM_PatientBirthDate, DCM_PatientSex, DCM_PatientAge, DCM_StudyInstanceUID,
                                 DCM_RequestingPhysician, DCM_RequestingService, DCM_RequestedProcedureDescription,
                                 DCM_RequestedProcedureID, DCM_CurrentPatientLocation})
        q->insertEmptyElement(tag);
    DcmItem* step = nullptr;
    q->findOrCreateSequenceItem(DCM_ScheduledProcedureStepSequence, step, 0);
    step->putAndInsertString(DCM_Modality, "US");
    step->putAndInsertString(DCM_ScheduledStationAETitle, stationAet.toLatin1().constData());
    step->putAndInsertString(DCM_ScheduledProcedureStepStartDate, day.toString(QStringLiteral("yyyyMMdd")).toLatin1().constData());
    for (const DcmTagKey& tag : {DCM_ScheduledProcedureStepStartTime, DCM_ScheduledProcedureStepDescription,
                                 DCM_ScheduledProcedureStepID, DCM_ScheduledPerformingPhysicianName})
        step->insertEmptyElement(tag);
    return q;
}

QString DescribeWorklistAnswer(const TWorklistResult& result)
{
    QStringList lines;
    QString charset;
    for (const auto& m : result.matches) {
        DcmDataset d(*m);
        OFString term;
        d.findAndGetOFStringArray(DCM_SpecificCharacterSet, term);
        charset = QString::fromLatin1(term.c_str());
        d.convertToUTF8();
        auto get = [&d](const DcmTagKey& tag) {
            OFString s;
            d.findAndGetOFStringArray(tag, s, OFTrue);
            return QString::fromUtf8(s.c_str());
        };
        lines << QStringList{get(DCM_AccessionNumber), get(DCM_PatientName), get(DCM_PatientID), get(DCM_PatientSex),
                             get(DCM_PatientAge),
                             get(DCM_ScheduledProcedureStepStartDate) + QLatin1Char(' ') + get(DCM_ScheduledProcedureStepStartTime),
                             get(DCM_StudyInstanceUID), get(DCM_RequestedProcedureDescription)}
                     .join(QLatin1Char('\t'));
    }
    lines << QStringLiteral("status 0x%1%2%3%4")
                 .arg(result.finalStatus, 4, 16, QLatin1Char('0'))
                 .arg(result.errorComment.isEmpty() ? QString() : QStringLiteral(" ") + result.errorComment)
                 .arg(QStringLiteral(", %1 exam(s)").arg(result.matches.size()))
                 .arg(result.matches.empty() ? QString()
                                             : QStringLiteral(", sent in %1").arg(charset.isEmpty() ? QStringLiteral("ASCII") : charset));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace wr::imaging
