// SPDX-License-Identifier: MIT
#include "WorklistKeys.h"
#include <QRegularExpression>
#include <dcmtk/dcmdata/dcdatset.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcitem.h>
#include <dcmtk/dcmdata/dcsequen.h>

namespace wr::imaging {

namespace {


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

// A value or a query larger than this is no query a machine sends: it is refused, not searched.
constexpr int kMaxValueLength = 1024;
constexpr unsigned long kMaxElements = 400;

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

TParsedQuery ParseQueryKeys(DcmDataset& q)
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

bool MatchesExam(const TCondition& c, const TExam& x)
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

std::unique_ptr<DcmDataset> WorklistAnswer(DcmDataset& query, const TExam& exam, TWorklistCharset set, QStringList* notes)
{
    auto answer = std::make_unique<DcmDataset>();
    const QString term = WorklistCharsetTerm(set);
    if (!term.isEmpty())
        answer->putAndInsertString(DCM_SpecificCharacterSet, term.toLatin1().constData());
    TAnswerWriter writer(set, exam.row.accnu);
    FillLevel(query, *answer, kPatientKeys, true, exam, writer);
    if (notes)
        *notes += writer.Notes();
    return answer;
}

}  // namespace wr::imaging
