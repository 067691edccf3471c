// SPDX-License-Identifier: MIT
// A nodule's answers and what the rules make of them: checking and normalising what the
// doctor (or a script) gives, the score, the category, the advice for the nodule's size,
// and growth against the same nodule in an earlier report. Widget-free, any thread.
#pragma once
#include "AssistRules.h"
#include <QMap>
#include <array>

// Answers by feature key, each in its normal form: an option id, option ids joined by ','
// in the rule file's order, a number or a size ("12.5x8x7") in the feature's unit. Keys
// starting with '@' are the assistant's own ("@earlier": the size of the same nodule in the
// earlier report, in mm).
using TAssistNodule = QMap<QString, QString>;

// The feature of that key in the first of the systems that declares it.
const TAssistFeature* FindAssistFeature(const QList<const TAssistRules*>& systems, const QString& key);

// Checks an answer typed for a feature and returns its normal form; false with *error set
// (a Chinese sentence naming the feature) when it is not acceptable. Numbers and sizes take
// a dot or a comma as decimal sign; a length feature also takes the unit mm or cm (sizes:
// "12x8x7", "1,2x0,8x0,7cm", "12mm×8mm×7mm"); a size has three dimensions, none zero, none
// above the feature's max.
bool NormalizeAssistAnswer(const TAssistFeature& f, const QString& text, QString* value, QString* error);

// A size answer in thousandths of a millimetre; nullopt when absent or malformed.
std::optional<std::array<qint64, 3>> AssistSizeMicrons(const TAssistFeature& f, const QString& value);

struct TAssistResult {
    enum class State { Complete, Incomplete, Undefined };
    State state = State::Incomplete;
    int score = 0;                               // scored systems, when complete
    const TAssistCategory* category = nullptr;   // when complete
    const TAssistAdvice* advice = nullptr;       // null also when the size it needs is missing
    QStringList missing;                         // labels of unanswered features the category needs
    QString message;                             // why undefined
    QString adviceMissing;                       // label of the size feature the advice waits for
};

// Never guesses: an unanswered feature that the category depends on gives Incomplete, a
// combination or score the rules declare undefined gives Undefined with its message.
TAssistResult EvaluateAssist(const TAssistRules& rules, const TAssistNodule& nodule);

struct TAssistGrowth {
    bool grown = false;
    QString reason;   // which rule matched, in Chinese; empty when not grown
};
// Compares the dimensions one by one (the same order of measurement) and the volumes.
TAssistGrowth CompareAssistGrowth(const TAssistGrowthRule& rule, const std::array<qint64, 3>& before,
                                  const std::array<qint64, 3>& now);

// For each current nodule, the index of the earlier nodule it is compared with, or -1:
// the k-th nodule with a given answer of rule.match is paired with the k-th earlier one with
// that answer (all in order when match is empty).
QList<int> PairAssistNodules(const TAssistGrowthRule& rule, const QList<TAssistNodule>& earlier,
                             const QList<TAssistNodule>& now);
