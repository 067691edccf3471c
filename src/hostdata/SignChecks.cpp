// SPDX-License-Identifier: MIT
#include "SignChecks.h"
#include <algorithm>
#include <array>

namespace {

struct TFieldText {
    TCheckField field;
    QStringView text;
    std::vector<TTermHit> hits;
};

bool IsClauseBreak(QChar c)
{
    switch (c.unicode()) {
    case u'。': case u'；': case u';': case u'，': case u',': case u'\n': case u'\r': case u'！': case u'!':
    case u'？': case u'?': case u'\t': case 0x2029: case 0x2028:
        return true;
    default:
        return false;
    }
}

// A term counts as absent when a negation stands before or after it within the allowed gap
// and inside the same clause: 未见子宫, 子宫切除术后, 子宫已切除.
bool Negated(const TSignCheckRules& rules, QStringView text, const TTermHit& hit)
{
    const int gap = rules.NegationGap();
    for (int q = hit.start, steps = 0; q >= 0 && steps <= gap; --q, ++steps) {
        if (rules.NegationsBefore().MatchEndingAt(text, q).length > 0) return true;
        if (q == 0 || IsClauseBreak(text[q - 1])) break;
    }
    const int end = hit.start + hit.length;
    for (int q = end, steps = 0; q <= text.size() && steps <= gap; ++q, ++steps) {
        if (rules.NegationsAfter().MatchAt(text, q).length > 0) return true;
        if (q >= text.size() || IsClauseBreak(text[q])) break;
    }
    return false;
}

class TFindingBuilder {
public:
    TFindingBuilder(const TSignCheckRules& rules, QList<TCheckFinding>& out) : m_rules(rules), m_out(out) {}

    // Starts a finding unless the site turned the rule off; nullptr then.
    TCheckFinding* Add(const QString& rule, const QString& title)
    {
        const TCheckSeverity severity = m_rules.Severity(rule);
        if (severity == TCheckSeverity::Off) return nullptr;
        m_out.append({severity, rule, title, {}, {}});
        return &m_out.last();
    }
    static void Mark(TCheckFinding& f, TCheckField field, int start, int length)
    {
        if (f.marks.size() < kMaxMarksPerFinding) f.marks.append({field, start, length});
    }

private:
    const TSignCheckRules& m_rules;
    QList<TCheckFinding>& m_out;
};

struct TSideCount {
    const TTermHit* first = nullptr;
    const TFieldText* firstField = nullptr;
    int count = 0;
};

using TKindCounts = std::array<TSideCount, 9>;

void Count(TKindCounts& counts, const TFieldText& f, bool (*keep)(const TTermHit&) = nullptr)
{
    for (const TTermHit& h : f.hits) {
        if (keep && !keep(h)) continue;
        TSideCount& c = counts[size_t(h.kind)];
        if (!c.first) {
            c.first = &h;
            c.firstField = &f;
        }
        ++c.count;
    }
}

int Has(const TKindCounts& c, TTermKind k) { return c[size_t(k)].count; }

void MarkKind(TCheckFinding& f, const TFieldText& field, TTermKind kind)
{
    for (const TTermHit& h : field.hits)
        if (h.kind == kind) TFindingBuilder::Mark(f, field.field, h.start, h.length);
}

QString SideName(TTermKind side) { return side == TTermKind::Left ? QStringLiteral("左") : QStringLiteral("右"); }

QString Words(const TSideCount& c) { return c.firstField->text.mid(c.first->start, c.first->length).toString(); }

void CheckSides(TFindingBuilder& out, const TFieldText& item, const TFieldText& part, const TFieldText& findings,
                const TFieldText& impression)
{
    TKindCounts exam{}, body{}, seen{}, concluded{};
    Count(exam, item);
    Count(exam, part);
    Count(body, impression);   // the impression first: its words are the ones quoted
    Count(body, findings);
    Count(seen, findings);
    Count(concluded, impression);

    // An exam of one side, whose findings and impression speak only of the other. An exam
    // naming both sides, or 双侧, has no side to hold them to.
    const bool examLeft = Has(exam, TTermKind::Left), examRight = Has(exam, TTermKind::Right);
    if (examLeft != examRight && !Has(exam, TTermKind::Both)) {
        const TTermKind side = examLeft ? TTermKind::Left : TTermKind::Right;
        const TTermKind other = examLeft ? TTermKind::Right : TTermKind::Left;
        if (Has(body, other) && !Has(body, side) && !Has(body, TTermKind::Both)) {
            if (TCheckFinding* f = out.Add(CheckRule::SideExam, QStringLiteral("检查项目或部位是%1侧，所见和结论只提到%2侧")
                                                                     .arg(SideName(side), SideName(other)))) {
                f->words = Words(body[size_t(other)]);
                for (const TFieldText* t : {&impression, &findings}) MarkKind(*f, *t, other);
                for (const TFieldText* t : {&item, &part}) MarkKind(*f, *t, side);
            }
        }
    }
    // A side in the impression that the findings never mention (a bilateral finding covers both).
    for (TTermKind side : {TTermKind::Left, TTermKind::Right}) {
        if (!Has(concluded, side) || Has(seen, side) || Has(seen, TTermKind::Both)) continue;
        if (TCheckFinding* f = out.Add(CheckRule::SideImpression, QStringLiteral("结论提到%1侧，所见中没有%1侧")
                                                                        .arg(SideName(side)))) {
            f->words = Words(concluded[size_t(side)]);
            MarkKind(*f, impression, side);
        }
    }
}

void CheckSex(TFindingBuilder& out, const TSignCheckRules& rules, char sex, std::initializer_list<const TFieldText*> fields)
{
    if (sex != 'M' && sex != 'F') return;
    const TTermKind wrong = sex == 'M' ? TTermKind::Female : TTermKind::Male;
    TCheckFinding* f = nullptr;
    for (const TFieldText* t : fields) {
        for (const TTermHit& h : t->hits) {
            if (h.kind != wrong || Negated(rules, t->text, h)) continue;
            if (!f) {
                f = sex == 'M' ? out.Add(CheckRule::FemaleTermInMale, QStringLiteral("男性患者的报告中出现女性器官或妊娠用语"))
                               : out.Add(CheckRule::MaleTermInFemale, QStringLiteral("女性患者的报告中出现男性器官"));
                if (!f) return;
                f->words = t->text.mid(h.start, h.length).toString();
            }
            TFindingBuilder::Mark(*f, t->field, h.start, h.length);
        }
    }
}

// Leading blanks and numbering of a clause: "1.", "2、", "（3）", "一、"; a numeral that is
// part of a word (二尖瓣, 三尖瓣) stays.
int ClauseTextStart(QStringView text, int from, int to)
{
    static const QString blanks = QStringLiteral(" \u3000\t");
    static const QString numerals = QStringLiteral("0123456789０１２３４５６７８９一二三四五六七八九十");
    static const QString closers = QStringLiteral(".、．)）:：");
    while (from < to && blanks.contains(text[from])) ++from;
    int at = from;
    const bool bracket = at < to && (text[at] == u'(' || text[at] == u'（');
    if (bracket) ++at;
    const int digits = at;
    while (at < to && numerals.contains(text[at])) ++at;
    if (at > digits && at < to && closers.contains(text[at])) {
        from = at + 1;
        while (from < to && blanks.contains(text[from])) ++from;
    }
    return from;
}

void CheckFlag(TFindingBuilder& out, const TSignCheckRules& rules, const TCheckInput& report, QStringView impression)
{
    if (!report.positive.has_value()) return;
    const std::vector<TTermHit> normal = rules.NormalPhrases().FindAll(impression);
    // A clause that only says an organ is absent (未见子宫, 子宫切除术后) is no abnormal finding.
    std::vector<TTermHit> absent = rules.NegationsBefore().FindAll(impression);
    const std::vector<TTermHit> after = rules.NegationsAfter().FindAll(impression);
    absent.insert(absent.end(), after.begin(), after.end());
    std::sort(absent.begin(), absent.end(), [](const TTermHit& a, const TTermHit& b) { return a.start < b.start; });
    size_t next = 0, nextAbsent = 0;
    int clauses = 0, abnormalStart = -1, abnormalEnd = -1;
    for (int start = 0; start <= impression.size();) {
        int end = start;
        while (end < impression.size() && !IsClauseBreak(impression[end])) ++end;
        const int textStart = ClauseTextStart(impression, start, end);
        if (textStart < end) {
            ++clauses;
            bool hasNormal = false;
            while (next < normal.size() && normal[next].start < end) {
                if (normal[next].start >= start) hasNormal = true;
                ++next;
            }
            bool saysAbsent = false;
            while (nextAbsent < absent.size() && absent[nextAbsent].start < end) {
                if (absent[nextAbsent].start >= start) saysAbsent = true;
                ++nextAbsent;
            }
            if (!hasNormal && !saysAbsent && abnormalStart < 0) {
                abnormalStart = textStart;
                abnormalEnd = end;
            }
        }
        start = end + 1;
    }
    if (clauses == 0) return;
    if (*report.positive && abnormalStart < 0 && !normal.empty()) {
        if (TCheckFinding* f = out.Add(CheckRule::PositiveButNormal, QStringLiteral("标为阳性，但结论只写未见异常"))) {
            f->words = impression.mid(normal.front().start, normal.front().length).toString();
            for (const TTermHit& h : normal) TFindingBuilder::Mark(*f, TCheckField::Impression, h.start, h.length);
        }
    } else if (!*report.positive && abnormalStart >= 0) {
        if (TCheckFinding* f = out.Add(CheckRule::NegativeButAbnormal, QStringLiteral("标为阴性，但结论写有异常"))) {
            // The clause may be long; the quote stays short, the mark covers it whole.
            f->words = impression.mid(abnormalStart, std::min(abnormalEnd - abnormalStart, 30)).toString().trimmed();
            TFindingBuilder::Mark(*f, TCheckField::Impression, abnormalStart, abnormalEnd - abnormalStart);
        }
    }
}

} // namespace

char NormalizedSex(const QString& sex)
{
    const QString s = sex.trimmed().toLower();
    if (s == u"男" || s == u"m" || s == u"male") return 'M';
    if (s == u"女" || s == u"f" || s == u"female") return 'F';
    return 0;
}

QList<TCheckFinding> RunSignChecks(const TSignCheckRules& rules, const TCheckInput& report)
{
    QList<TCheckFinding> findings;
    TFindingBuilder out(rules, findings);
    const auto field = [&rules](TCheckField which, const QString& text) {
        return TFieldText{which, QStringView(text), rules.Terms().FindAll(text)};
    };
    const TFieldText item = field(TCheckField::ExamItem, report.examItem);
    const TFieldText part = field(TCheckField::ExamPart, report.examPart);
    const TFieldText seen = field(TCheckField::Findings, report.findings);
    const TFieldText concluded = field(TCheckField::Impression, report.impression);

    if (report.impression.trimmed().isEmpty()) {
        if (TCheckFinding* f = out.Add(CheckRule::ImpressionEmpty, QStringLiteral("结论为空"))) f->words = QString();
    }
    CheckSides(out, item, part, seen, concluded);
    CheckSex(out, rules, NormalizedSex(report.sex), {&item, &part, &seen, &concluded});
    if (!report.impression.trimmed().isEmpty()) CheckFlag(out, rules, report, report.impression);
    return findings;
}

bool HasBlock(const QList<TCheckFinding>& findings)
{
    for (const TCheckFinding& f : findings)
        if (f.IsBlock()) return true;
    return false;
}

QString CheckLine(const TCheckFinding& f)
{
    QString words = f.words;
    words.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
    words.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return QStringLiteral("check: %1 %2 \"%3\"").arg(f.IsBlock() ? QStringLiteral("block") : QStringLiteral("warn"), f.rule, words);
}
