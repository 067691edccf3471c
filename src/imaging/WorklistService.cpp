// SPDX-License-Identifier: MIT
#include "WorklistService.h"
#include "Pinyin.h"
#include "WorklistCharset.h"
#include "WorklistMatch.h"
#include "WorklistStore.h"
#include "platform/IniFile.h"
#include <QDebug>
#include <QRegularExpression>
#include <algorithm>
#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcitem.h>
#include <dcmtk/dcmdata/dcsequen.h>

namespace wr::imaging {

namespace {

// What a key of the query stands for in an exam.
enum class TField {
    None,  // known, but the table holds no value for it
    Accnu, Name, PatientId, Sex, Age, StudyUid, ReqDept, Items, Location,
    Modality, StationAet, StartDate, StartTime,
};

struct TKey {
    DcmTagKey tag;
    TField field;
    bool matchable;  // a value given for it narrows the answer
};

const TKey kPatientKeys[] = {
    {DCM_AccessionNumber, TField::Accnu, true},
    {DCM_PatientName, TField::Name, true},
    {DCM_PatientID, TField::PatientId, true},
    {DCM_PatientSex, TField::Sex, true},
    {DCM_PatientAge, TField::Age, false},
    {DCM_StudyInstanceUID, TField::StudyUid, true},
    {DCM_RequestingService, TField::ReqDept, false},
    {DCM_RequestedProcedureDescription, TField::Items, false},
    {DCM_RequestedProcedureID, TField::Accnu, true},
    {DCM_CurrentPatientLocation, TField::Location, false},
    {DCM_PatientBirthDate, TField::None, false},
    {DCM_ReferringPhysicianName, TField::None, false},
    {DCM_RequestingPhysician, TField::None, false},
    {DCM_PatientWeight, TField::None, false},
    {DCM_PatientSize, TField::None, false},
    {DCM_MedicalAlerts, TField::None, false},
    {DCM_Allergies, TField::None, false},
    {DCM_PregnancyStatus, TField::None, false},
    {DCM_AdmissionID, TField::None, false},
    {DCM_IssuerOfPatientID, TField::None, false},
    {DCM_OtherPatientIDsSequence, TField::None, false},
    {DCM_EthnicGroup, TField::None, false},
    {DCM_PatientComments, TField::None, false},
    {DCM_RequestedProcedurePriority, TField::None, false},
    {DCM_StudyDate, TField::None, false},
    {DCM_InstitutionName, TField::None, false},
};

const TKey kStepKeys[] = {
    {DCM_Modality, TField::Modality, true},
    {DCM_ScheduledStationAETitle, TField::StationAet, true},
    {DCM_ScheduledProcedureStepStartDate, TField::StartDate, true},
    {DCM_ScheduledProcedureStepStartTime, TField::StartTime, false},
    {DCM_ScheduledProcedureStepDescription, TField::Items, false},
    {DCM_ScheduledProcedureStepID, TField::Accnu, true},
    {DCM_ScheduledPerformingPhysicianName, TField::None, false},
    {DCM_ScheduledStationName, TField::None, false},
    {DCM_ScheduledProcedureStepLocation, TField::None, false},
    {DCM_PreMedication, TField::None, false},
    {DCM_RequestedContrastAgent, TField::None, false},
    {DCM_ScheduledProcedureStepStatus, TField::None, false},
};

template <size_t N>
const TKey* FindKey(const TKey (&keys)[N], const DcmTagKey& tag)
{
    for (const TKey& k : keys)
        if (k.tag == tag)
            return &k;
    return nullptr;
}

// A value longer than this is no key a machine sends: the query is refused, not searched.
constexpr int kMaxValueLength = 1024;
constexpr unsigned long kMaxElements = 400;

// A key with a value that narrows the answer.
struct TCondition {
    TField field;
    QString value;
    TDateSpan span;  // StartDate
};

struct TParsedQuery {
    std::vector<TCondition> conditions;
    bool unsupported = false;  // a value given for a key that cannot narrow the answer
    QString error;
};

QString Text(DcmElement* e)
{
    OFString s;
    if (e->getOFStringArray(s).bad())
        return {};
    return QString::fromUtf8(s.c_str(), static_cast<int>(s.length())).trimmed();
}

// Reads the keys of one level (the query or its step item); false with p->error when malformed.
template <size_t N>
bool ReadLevel(DcmItem& item, const TKey (&keys)[N], TParsedQuery* p)
{
    DcmObject* obj = nullptr;
    while ((obj = item.nextInContainer(obj)) != nullptr) {
        const DcmTagKey tag = obj->getTag();
        if (tag.getElement() == 0 || tag == DCM_SpecificCharacterSet || obj->ident() == EVR_SQ)
            continue;
        auto* e = dynamic_cast<DcmElement*>(obj);
        if (!e)
            continue;
        if (e->getLength() > kMaxValueLength) {
            p->error = QStringLiteral("value of %1 too long (%2 bytes)")
                           .arg(QString::fromLatin1(tag.toString().c_str())).arg(e->getLength());
            return false;
        }
        const QString value = Text(e);
        if (value.isEmpty())
            continue;
        const TKey* key = FindKey(keys, tag);
        if (!key || !key->matchable) {
            p->unsupported = true;
            continue;
        }
        TCondition c{key->field, value, {}};
        if (key->field == TField::StartDate && !ParseDateMatch(value, &c.span)) {
            p->error = QStringLiteral("Scheduled Procedure Step Start Date \"%1\" is no date or date range").arg(value);
            return false;
        }
        p->conditions.push_back(c);
    }
    return true;
}

TParsedQuery ParseQuery(DcmDataset& q)
{
    TParsedQuery p;
    if (q.card() > kMaxElements) {
        p.error = QStringLiteral("query of %1 keys").arg(q.card());
        return p;
    }
    if (!ReadLevel(q, kPatientKeys, &p))
        return p;
    DcmItem* step = nullptr;
    if (q.findAndGetSequenceItem(DCM_ScheduledProcedureStepSequence, step, 0).good() && step) {
        if (step->card() > kMaxElements) {
            p.error = QStringLiteral("step item of %1 keys").arg(step->card());
            return p;
        }
        if (!ReadLevel(*step, kStepKeys, &p))
            return p;
    }
    return p;
}

QString SexCode(const QString& stored)
{
    const QString s = stored.trimmed().toUpper();
    if (s.isEmpty())
        return {};
    if (s == QStringLiteral("男") || s == QLatin1String("M") || s == QLatin1String("MALE"))
        return QStringLiteral("M");
    if (s == QStringLiteral("女") || s == QLatin1String("F") || s == QLatin1String("FEMALE"))
        return QStringLiteral("F");
    return QStringLiteral("O");
}

// "56岁", "3个月", "2周", "10天", "45": the age string "056Y", "003M", "002W", "010D", "045Y".
QString AgeString(const QString& stored)
{
    // One per thread: the pattern is compiled on first use.
    static thread_local const QRegularExpression re(QStringLiteral("^\\s*(\\d{1,3})\\s*(岁|歲|Y|个月|個月|月|M|周|週|W|天|日|D)?"),
                                       QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(stored);
    if (!m.hasMatch())
        return {};
    const QString unit = m.captured(2).toUpper();
    QChar u = QLatin1Char('Y');
    if (unit.endsWith(QStringLiteral("月")) || unit == QLatin1String("M"))
        u = QLatin1Char('M');
    else if (unit == QStringLiteral("周") || unit == QStringLiteral("週") || unit == QLatin1String("W"))
        u = QLatin1Char('W');
    else if (unit == QStringLiteral("天") || unit == QStringLiteral("日") || unit == QLatin1String("D"))
        u = QLatin1Char('D');
    return QStringLiteral("%1%2").arg(m.captured(1).toInt(), 3, 10, QLatin1Char('0')).arg(u);
}

struct TExam {
    TWorklistRow row;
    QString personName;  // in DICOM form, before encoding
};

QString FieldValue(TField f, const TExam& x)
{
    const TWorklistRow& r = x.row;
    switch (f) {
    case TField::None: return {};
    case TField::Accnu: return r.accnu;
    case TField::Name: return x.personName;
    case TField::PatientId: return r.patientId;
    case TField::Sex: return SexCode(r.sex);
    case TField::Age: return AgeString(r.age);
    case TField::StudyUid: return r.studyUid;
    case TField::ReqDept: return r.reqDept;
    case TField::Items: return r.items.left(64);  // LO
    case TField::Location: return r.bedNo;
    case TField::Modality: return r.modality;
    case TField::StationAet: return r.stationAet;
    case TField::StartDate: return r.examTime.isValid() ? r.examTime.toString(QStringLiteral("yyyyMMdd")) : QString();
    case TField::StartTime: return r.examTime.isValid() ? r.examTime.toString(QStringLiteral("HHmmss")) : QString();
    }
    return {};
}

bool Matches(const TCondition& c, const TExam& x)
{
    switch (c.field) {
    case TField::Name:
        return PersonNameMatches(c.value, x.personName, x.row.patientName);
    case TField::StudyUid:
        return c.value.split(QLatin1Char('\\')).contains(x.row.studyUid);
    case TField::StationAet:
        // An exam scheduled on no particular machine goes to every machine of the room.
        return x.row.stationAet.isEmpty() || WildcardMatch(c.value, x.row.stationAet);
    case TField::StartDate: {
        const QDate d = x.row.examTime.date();
        return d.isValid() && (!c.span.from.isValid() || d >= c.span.from) && (!c.span.to.isValid() || d <= c.span.to);
    }
    default:
        return WildcardMatch(c.value, FieldValue(c.field, x));
    }
}

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

class TAnswerWriter {
public:
    TAnswerWriter(TWorklistCharset set, const QString& accnu) : m_set(set), m_accnu(accnu) {}

    void Put(DcmItem& out, const DcmTag& tag, TField field, const TExam& x)
    {
        QString value = FieldValue(field, x);
        if (field == TField::Name && !CanEncode(value, m_set)) {
            // The alphabetic group alone is a whole person name.
            const QString alphabetic = value.section(QLatin1Char('='), 0, 0);
            m_notes << QStringLiteral("name of %1 sent without its ideographic group").arg(m_accnu);
            value = alphabetic;
        }
        int replaced = 0;
        const QByteArray bytes = EncodeText(value, m_set, &replaced);
        if (replaced > 0)
            m_notes << QStringLiteral("%1 character(s) of %2 in %3 replaced by '?'")
                           .arg(replaced).arg(QString::fromLatin1(DcmTag(tag).getTagName())).arg(m_accnu);
        out.putAndInsertString(tag, bytes.constData());
    }

    const QStringList& Notes() const { return m_notes; }

private:
    TWorklistCharset m_set;
    QString m_accnu;
    QStringList m_notes;
};

template <size_t N>
void FillLevel(DcmItem& query, DcmItem& out, const TKey (&keys)[N], bool topLevel, const TExam& x, TAnswerWriter& w)
{
    DcmObject* obj = nullptr;
    while ((obj = query.nextInContainer(obj)) != nullptr) {
        const DcmTag tag = obj->getTag();
        if (tag.getElement() == 0 || tag == DCM_SpecificCharacterSet)
            continue;
        if (obj->ident() == EVR_SQ) {
            if (tag == DCM_ScheduledProcedureStepSequence && topLevel) {
                DcmItem* queryStep = nullptr;
                DcmItem* outStep = nullptr;
                if (out.findOrCreateSequenceItem(DCM_ScheduledProcedureStepSequence, outStep, 0).good() && outStep) {
                    if (query.findAndGetSequenceItem(DCM_ScheduledProcedureStepSequence, queryStep, 0).good() && queryStep) {
                        FillLevel(*queryStep, *outStep, kStepKeys, false, x, w);
                    } else {
                        // A sequence asked without an item: the whole step, every key it has.
                        DcmItem all;
                        for (const TKey& k : kStepKeys)
                            all.insertEmptyElement(k.tag);
                        FillLevel(all, *outStep, kStepKeys, false, x, w);
                    }
                }
            } else {
                out.insertEmptyElement(tag);
            }
            continue;
        }
        const TKey* key = FindKey(keys, tag);
        w.Put(out, tag, key ? key->field : TField::None, x);
    }
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

    const TParsedQuery parsed = ParseQuery(q);
    if (!parsed.error.isEmpty())
        return fail(kWorklistBadQuery, parsed.error);
    result.optionalKeysUnsupported = parsed.unsupported;

    // The day's list unless the query names the exam or patient it wants.
    TDateSpan days;
    if (const TCondition* date = ConditionOf(parsed, TField::StartDate)) {
        days = date->span;
    } else {
        bool named = false;
        for (const TCondition& c : parsed.conditions)
            if ((c.field == TField::Accnu || c.field == TField::PatientId || c.field == TField::StudyUid)
                && !HasWildcards(c.value))
                named = true;
        if (!named)
            days.from = days.to = QDate::currentDate();
    }
    const int limit = qMax(1, m_settings.limit);
    TWorklistFilter filter = DatabaseFilter(parsed, days);
    const bool exact = DatabaseNarrowsAll(parsed, filter);
    filter.maxRows = exact ? limit + 1 : limit * 10;

    const TCharsetChoice charset = ChooseCharset(asked, m_settings.characterSet);
    if (!charset.note.isEmpty())
        m_log(QStringLiteral("worklist: %1: %2").arg(who, charset.note));
    const bool pinyinOnly = m_settings.pinyinOnly;

    std::vector<TExam> exams;
    bool more = false;
    try {
        std::unique_ptr<TDbConnection> conn = m_open();
        if (!conn)
            throw EDatabaseError(QStringLiteral("no database connection"));
        TWorklistStore store(*conn);
        const QList<TWorklistRow> rows = store.Find(filter);
        more = rows.size() >= filter.maxRows;
        for (const TWorklistRow& row : rows) {
            TExam x{row, {}};
            QStringList unreadable;
            x.personName = DicomPersonName(row.patientName, pinyinOnly, &unreadable);
            if (!unreadable.isEmpty())
                m_log(QStringLiteral("worklist: name of %1 has characters without a reading: %2")
                          .arg(row.accnu, unreadable.join(QString())));
            bool ok = true;
            for (const TCondition& c : parsed.conditions)
                ok = ok && Matches(c, x);
            if (!ok)
                continue;
            if (static_cast<int>(exams.size()) == limit) {
                more = true;
                break;
            }
            exams.push_back(std::move(x));
        }
        // Each exam gets its Study Instance UID the first time a machine hears of it. On SQLite
        // the day's new UIDs go in one transaction: one disk sync instead of one per exam.
        const bool batch = conn->Dialect() == QLatin1String("sqlite")
            && std::any_of(exams.begin(), exams.end(), [](const TExam& x) { return x.row.studyUid.isEmpty(); });
        auto exec = [&conn](const char* sql) {
            auto q = conn->CreateQuery();
            q->SQL() << QLatin1String(sql);
            q->ExecSQL();
        };
        if (batch)
            exec("BEGIN IMMEDIATE");
        try {
            for (TExam& x : exams) {
                if (x.row.studyUid.isEmpty())
                    x.row.studyUid = store.KeepStudyUid(x.row.accnu, StudyUidFor(x.row.accnu, m_settings.uidRoot));
            }
        } catch (...) {
            if (batch)
                exec("ROLLBACK");
            throw;
        }
        if (batch)
            exec("COMMIT");
    } catch (const Exception& e) {
        return fail(kWorklistUnavailable, QStringLiteral("worklist database unavailable: ") + e.Message());
    }

    QStringList notes;
    for (const TExam& x : exams) {
        auto answer = std::make_unique<DcmDataset>();
        const QString term = WorklistCharsetTerm(charset.set);
        if (!term.isEmpty())
            answer->putAndInsertString(DCM_SpecificCharacterSet, term.toLatin1().constData());
        TAnswerWriter writer(charset.set, x.row.accnu);
        FillLevel(q, *answer, kPatientKeys, true, x, writer);
        notes += writer.Notes();
        result.matches.push_back(std::move(answer));
    }
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
    auto q = std::make_unique<DcmDataset>();
    q->putAndInsertString(DCM_SpecificCharacterSet, "ISO_IR 192");
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
    for (const auto& m : result.matches) {
        DcmDataset d(*m);
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
    lines << QStringLiteral("status 0x%1%2%3")
                 .arg(result.finalStatus, 4, 16, QLatin1Char('0'))
                 .arg(result.errorComment.isEmpty() ? QString() : QStringLiteral(" ") + result.errorComment)
                 .arg(QStringLiteral(", %1 exam(s)").arg(result.matches.size()));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

}  // namespace wr::imaging
