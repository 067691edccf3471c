// SPDX-License-Identifier: MIT
// The checks before signing (and, as warnings, before printing an unsigned report): side,
// sex and completeness of a report as saved, against the rules of SignCheckRules.h.
//
// Each finding names its rule, says block or warn, quotes the words that triggered it and
// marks where they stand: in the exam item or part text, or in the plain text of the
// findings or impression (positions are those of the editor's document made from the saved
// RTF: one character per paragraph break, see SignCheckReport.h). A warning may be overridden
// with a reason, a block may not; what the host does with them is its business.
//
// Linear in the length of the texts: every character is looked at a bounded number of times
// and the marks of one finding are capped. Pure functions; any thread.
#pragma once
#include "SignCheckRules.h"
#include <QList>
#include <QString>
#include <optional>

enum class TCheckField { ExamItem, ExamPart, Findings, Impression };

struct TCheckMark {
    TCheckField field = TCheckField::Impression;
    int start = 0;
    int length = 0;
    bool operator==(const TCheckMark&) const = default;
};

struct TCheckFinding {
    TCheckSeverity severity = TCheckSeverity::Warn;
    QString rule;    // an id of CheckRule
    QString title;   // what is wrong, in Chinese, for the dialog
    QString words;   // the words that triggered it, as they stand in the text
    QList<TCheckMark> marks;
    bool IsBlock() const { return severity == TCheckSeverity::Block; }
};

// A report as the checks see it.
struct TCheckInput {
    QString examItem, examPart;   // Report.ItemName, Report.jcpart
    QString findings, impression; // plain text of the saved rich texts
    QString sex;                  // Study.Sex: 男/女 (M/F); anything else skips the sex rules
    std::optional<bool> positive; // Report.YinYangXing; unset skips the flag rules
};

// At most this many marks per finding, so a huge text cannot make a huge answer.
constexpr int kMaxMarksPerFinding = 50;

QList<TCheckFinding> RunSignChecks(const TSignCheckRules& rules, const TCheckInput& report);

bool HasBlock(const QList<TCheckFinding>& findings);

// The script's line for a finding: `check: block|warn RULE "WORDS"`.
QString CheckLine(const TCheckFinding& finding);

// 男 / M / male -> 'M', 女 / F / female -> 'F', else 0.
char NormalizedSex(const QString& sex);
