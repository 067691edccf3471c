// SPDX-License-Identifier: MIT
// The rules of the checks before signing, read from a text file a site can edit (UTF-8,
// Chinese terms). The file is sections of "key = term, term, ..." lines (terms split at ',',
// '，' or '、'; '#' starts a comment line):
//
//   [侧别]      左, 右, 双侧 (mentions of both sides), 不算侧别 (words such as 左右 "about"
//               that hold a side character but name no side)
//   [女性]      词: female-only organs and terms       [男性]  词: male-only ones
//   [否定]      前, 后: words before / after a term that say it is absent (未见, 切除术后);
//               最多间隔: how many characters may stand between them and the term
//   [未见异常]  词: phrases that say nothing abnormal was found
//   [级别]      RULE = block | warn | off, for the rule ids of SignChecks.h
//
// A file that breaks any of this is refused as a whole, with the line named: a line that is
// neither a section, a key nor a comment, an unknown section or key, an empty term (it would
// match everything), a term given twice with different meanings, a missing list. Nothing of
// a refused file is used. Any thread; the object is immutable once read.
#pragma once
#include "platform/Exception.h"
#include <QHash>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

// A refused rule file; the message names the file and line.
class ESignCheckRules : public Exception {
public:
    using Exception::Exception;
};

enum class TCheckSeverity { Off, Warn, Block };

// What a matched term means.
enum class TTermKind : unsigned char { Left, Right, Both, NoSide, Female, Male, NegationBefore, NegationAfter, Normal };

struct TTermHit {
    int start = 0;
    int length = 0;
    TTermKind kind = TTermKind::Left;
};

// A set of terms found by longest match, left to right, each character looked at a bounded
// number of times (at most the number of terms that start with it): linear in the text.
class TTermMatcher {
public:
    void Add(const QString& term, TTermKind kind);
    // Every longest non-overlapping match in text, in order.
    std::vector<TTermHit> FindAll(QStringView text) const;
    // The longest term that starts at pos, or a hit of length 0.
    TTermHit MatchAt(QStringView text, int pos) const;
    // The longest term that ends exactly at end (text[end - length, end)), or length 0.
    TTermHit MatchEndingAt(QStringView text, int end) const;
    bool IsEmpty() const { return m_terms.empty(); }

private:
    struct TTerm {
        QString text;
        TTermKind kind;
    };
    // A character's bucket of term indexes (longest first), found through a table of all
    // 65536 UTF-16 units: one array read per character of the text, no hashing.
    struct TIndex {
        std::vector<std::uint16_t> bucketOf;     // character -> 1 + bucket, 0: no term
        std::vector<std::vector<int>> buckets;   // indexes into m_terms
        const std::vector<int>* Find(char16_t c) const
        {
            return bucketOf.empty() || bucketOf[c] == 0 ? nullptr : &buckets[bucketOf[c] - 1];
        }
        std::vector<int>& At(char16_t c);
    };
    std::vector<TTerm> m_terms;
    TIndex m_byFirst, m_byLast;
};

class TSignCheckRules {
public:
    // Reads the rules; ESignCheckRules naming `fileName` and the line for anything refused.
    static TSignCheckRules Parse(const QString& text, const QString& fileName);
    // Reads the file (UTF-8); ESignCheckRules when it cannot be read or is refused.
    static TSignCheckRules Load(const QString& path);

    // Side and sex terms, for one longest-match pass.
    const TTermMatcher& Terms() const { return m_terms; }
    const TTermMatcher& NegationsBefore() const { return m_negationBefore; }
    const TTermMatcher& NegationsAfter() const { return m_negationAfter; }
    const TTermMatcher& NormalPhrases() const { return m_normal; }
    int NegationGap() const { return m_negationGap; }
    TCheckSeverity Severity(const QString& rule) const { return m_severity.value(rule, TCheckSeverity::Warn); }

private:
    TTermMatcher m_terms, m_negationBefore, m_negationAfter, m_normal;
    int m_negationGap = 2;
    QHash<QString, TCheckSeverity> m_severity;
};

// The rule ids (used in [级别], in the script's `check` lines and in ReportEvent).
namespace CheckRule {
inline const QString ImpressionEmpty = QStringLiteral("impression-empty");
inline const QString SideExam = QStringLiteral("side-exam");
inline const QString SideImpression = QStringLiteral("side-impression");
inline const QString FemaleTermInMale = QStringLiteral("sex-female-term");
inline const QString MaleTermInFemale = QStringLiteral("sex-male-term");
inline const QString PositiveButNormal = QStringLiteral("positive-normal");
inline const QString NegativeButAbnormal = QStringLiteral("negative-abnormal");
// Every rule, in the order findings are reported.
QStringList All();
} // namespace CheckRule
