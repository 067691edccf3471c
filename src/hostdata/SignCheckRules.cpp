// SPDX-License-Identifier: MIT
#include "SignCheckRules.h"
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

QStringList CheckRule::All()
{
    return {ImpressionEmpty, SideExam, SideImpression, FemaleTermInMale, MaleTermInFemale, PositiveButNormal,
            NegativeButAbnormal};
}

std::vector<int>& TTermMatcher::TIndex::At(char16_t c)
{
    if (bucketOf.empty()) bucketOf.assign(0x10000, 0);
    if (bucketOf[c] == 0) {
        buckets.emplace_back();
        bucketOf[c] = std::uint16_t(buckets.size());
    }
    return buckets[bucketOf[c] - 1];
}

void TTermMatcher::Add(const QString& term, TTermKind kind)
{
    const int index = int(m_terms.size());
    m_terms.push_back({term, kind});
    const auto longestFirst = [this](int a, int b) { return m_terms[a].text.size() > m_terms[b].text.size(); };
    auto& first = m_byFirst.At(term.front().unicode());
    first.push_back(index);
    std::stable_sort(first.begin(), first.end(), longestFirst);
    auto& last = m_byLast.At(term.back().unicode());
    last.push_back(index);
    std::stable_sort(last.begin(), last.end(), longestFirst);
}

TTermHit TTermMatcher::MatchAt(QStringView text, int pos) const
{
    if (pos < 0 || pos >= text.size()) return {pos, 0, TTermKind::Left};
    const std::vector<int>* bucket = m_byFirst.Find(text[pos].unicode());
    if (!bucket) return {pos, 0, TTermKind::Left};
    const qsizetype left = text.size() - pos;
    for (int index : *bucket) {
        const TTerm& t = m_terms[index];
        if (t.text.size() <= left && QStringView(t.text) == text.sliced(pos, t.text.size()))
            return {pos, int(t.text.size()), t.kind};
    }
    return {pos, 0, TTermKind::Left};
}

TTermHit TTermMatcher::MatchEndingAt(QStringView text, int end) const
{
    if (end <= 0 || end > text.size()) return {end, 0, TTermKind::Left};
    const std::vector<int>* bucket = m_byLast.Find(text[end - 1].unicode());
    if (!bucket) return {end, 0, TTermKind::Left};
    for (int index : *bucket) {
        const TTerm& t = m_terms[index];
        if (t.text.size() <= end && QStringView(t.text) == text.sliced(end - t.text.size(), t.text.size()))
            return {int(end - t.text.size()), int(t.text.size()), t.kind};
    }
    return {end, 0, TTermKind::Left};
}

std::vector<TTermHit> TTermMatcher::FindAll(QStringView text) const
{
    std::vector<TTermHit> hits;
    for (int i = 0; i < text.size();) {
        const TTermHit hit = MatchAt(text, i);
        if (hit.length > 0) {
            hits.push_back(hit);
            i += hit.length;
        } else {
            ++i;
        }
    }
    return hits;
}

namespace {

struct TKeySpec {
    const char16_t* section;
    const char16_t* key;
    TTermKind kind;
    bool required;
};

// Which matcher a term list goes to is decided by its kind.
const TKeySpec kLists[] = {
    {u"侧别", u"左", TTermKind::Left, true},
    {u"侧别", u"右", TTermKind::Right, true},
    {u"侧别", u"双侧", TTermKind::Both, true},
    {u"侧别", u"不算侧别", TTermKind::NoSide, false},
    {u"女性", u"词", TTermKind::Female, true},
    {u"男性", u"词", TTermKind::Male, true},
    {u"否定", u"前", TTermKind::NegationBefore, true},
    {u"否定", u"后", TTermKind::NegationAfter, false},
    {u"未见异常", u"词", TTermKind::Normal, true},
};
const char16_t kGapSection[] = u"否定";
const char16_t kGapKey[] = u"最多间隔";
const char16_t kSeveritySection[] = u"级别";

bool IsSideOrSex(TTermKind k) { return k <= TTermKind::Male; }

class TParser {
public:
    explicit TParser(QString fileName) : m_file(std::move(fileName)) {}

    [[noreturn]] void Fail(int line, const QString& why) const
    {
        throw ESignCheckRules(line > 0 ? QStringLiteral("%1:%2: %3").arg(m_file).arg(line).arg(why)
                                       : QStringLiteral("%1: %2").arg(m_file, why));
    }

    void Run(const QString& text, TTermMatcher& terms, TTermMatcher& before, TTermMatcher& after, TTermMatcher& normal,
             int& gap, QHash<QString, TCheckSeverity>& severity)
    {
        QString section;
        QHash<QString, int> seen;   // "section/key" -> line
        QHash<QString, std::pair<TTermKind, int>> termKinds;
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (int n = 0; n < lines.size(); ++n) {
            const int lineNo = n + 1;
            QString line = lines[n];
            if (n == 0 && line.startsWith(QChar(0xFEFF))) line.remove(0, 1);
            line = line.trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
            if (line.startsWith(QLatin1Char('['))) {
                if (!line.endsWith(QLatin1Char(']'))) Fail(lineNo, QStringLiteral("a section line must end with ']'"));
                section = line.mid(1, line.size() - 2).trimmed();
                if (!KnownSection(section)) Fail(lineNo, QStringLiteral("unknown section [%1]").arg(section));
                continue;
            }
            const int eq = line.indexOf(QLatin1Char('='));
            if (eq <= 0) Fail(lineNo, QStringLiteral("expected \"key = terms\", a [section] or a # comment"));
            if (section.isEmpty()) Fail(lineNo, QStringLiteral("a key before the first [section]"));
            const QString key = line.left(eq).trimmed();
            const QString value = line.mid(eq + 1).trimmed();
            const QString id = section + QLatin1Char('/') + key;
            if (seen.contains(id))
                Fail(lineNo, QStringLiteral("%1 in [%2] is given twice (first on line %3)").arg(key, section).arg(seen[id]));
            seen.insert(id, lineNo);

            if (section == QStringView(kSeveritySection)) {
                if (!CheckRule::All().contains(key)) Fail(lineNo, QStringLiteral("unknown rule %1").arg(key));
                if (value == QLatin1String("block")) severity.insert(key, TCheckSeverity::Block);
                else if (value == QLatin1String("warn")) severity.insert(key, TCheckSeverity::Warn);
                else if (value == QLatin1String("off")) severity.insert(key, TCheckSeverity::Off);
                else Fail(lineNo, QStringLiteral("the level of %1 must be block, warn or off, not \"%2\"").arg(key, value));
                continue;
            }
            if (section == QStringView(kGapSection) && key == QStringView(kGapKey)) {
                bool ok = false;
                gap = value.toInt(&ok);
                if (!ok || gap < 0 || gap > 10) Fail(lineNo, QStringLiteral("%1 must be a number from 0 to 10").arg(key));
                continue;
            }
            const TKeySpec* keySpec = nullptr;
            for (const TKeySpec& s : kLists)
                if (section == QStringView(s.section) && key == QStringView(s.key)) keySpec = &s;
            if (!keySpec) Fail(lineNo, QStringLiteral("unknown key %1 in [%2]").arg(key, section));

            static const QRegularExpression separators(QStringLiteral("[,，、]"));
            const QStringList terms_ = value.split(separators);
            for (int i = 0; i < terms_.size(); ++i) {
                // U+3000 is the ideographic space a Chinese keyboard types.
                QString term = terms_[i];
                term.replace(QChar(0x3000), QLatin1Char(' '));
                term = term.trimmed();
                if (term.isEmpty())
                    Fail(lineNo, QStringLiteral("empty term (number %1 of %2): it would match everything").arg(i + 1).arg(key));
                if (IsSideOrSex(keySpec->kind)) {
                    const auto prior = termKinds.constFind(term);
                    if (prior != termKinds.constEnd()) {
                        if (prior->first != keySpec->kind)
                            Fail(lineNo, QStringLiteral("term \"%1\" also stands in another list (line %2)").arg(term).arg(prior->second));
                        continue;
                    }
                    termKinds.insert(term, {keySpec->kind, lineNo});
                    terms.Add(term, keySpec->kind);
                } else if (keySpec->kind == TTermKind::Normal) {
                    normal.Add(term, keySpec->kind);
                } else if (keySpec->kind == TTermKind::NegationBefore) {
                    before.Add(term, keySpec->kind);
                } else {
                    after.Add(term, keySpec->kind);
                }
            }
        }
        for (const TKeySpec& s : kLists)
            if (s.required && !seen.contains(QString::fromUtf16(s.section) + QLatin1Char('/') + QString::fromUtf16(s.key)))
                Fail(0, QStringLiteral("no %1 in [%2]").arg(QString::fromUtf16(s.key), QString::fromUtf16(s.section)));
    }

private:
    static bool KnownSection(const QString& s)
    {
        if (s == QStringView(kSeveritySection) || s == QStringView(kGapSection)) return true;
        for (const TKeySpec& k : kLists)
            if (s == QStringView(k.section)) return true;
        return false;
    }
    QString m_file;
};

} // namespace

TSignCheckRules TSignCheckRules::Parse(const QString& text, const QString& fileName)
{
    TSignCheckRules rules;
    rules.m_severity.insert(CheckRule::ImpressionEmpty, TCheckSeverity::Block);
    TParser(fileName).Run(text, rules.m_terms, rules.m_negationBefore, rules.m_negationAfter, rules.m_normal, rules.m_negationGap, rules.m_severity);
    return rules;
}

TSignCheckRules TSignCheckRules::Load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ESignCheckRules(QStringLiteral("%1: cannot be read: %2").arg(path, f.errorString()));
    // A rule file is a few kilobytes; anything far larger is not one.
    if (f.size() > 4 * 1024 * 1024) throw ESignCheckRules(QStringLiteral("%1: too large for a rule file").arg(path));
    const QByteArray bytes = f.readAll();
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter))
        throw ESignCheckRules(QStringLiteral("%1: not UTF-8 text (save it as UTF-8)").arg(path));
    return Parse(text, path);
}
