// SPDX-License-Identifier: MIT
// The rules of a reporting assistant (thyroid and breast nodules): one rule file per
// system, in the line format described in data/assist/README.md. A file is parsed and then
// checked as a whole (templates that refer to one another in a loop, categories no answer
// can reach, scores without a category, advice lines that can never apply); the first fault
// is thrown as EAssistRuleError naming the file and line. Widget-free, any thread; the
// parsed rules are plain values the caller owns.
#pragma once
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

class EAssistRuleError : public std::runtime_error {
public:
    EAssistRuleError(const QString& file, int line, const QString& message);
    QString file;
    int line = 0;
    QString message;   // without the file and line
};

enum class TAssistKind { One, Many, Number, Size };

struct TAssistOption {
    QString id;
    int points = 0;
    QString label;        // what the doctor sees and what the sentences say
    bool alone = false;   // of a "many" feature: cannot be chosen with another option
};

// Numbers and sizes are kept as integers in thousandths of the feature's unit, so a
// threshold of exactly 15 mm compares exactly with "1,5cm".
struct TAssistFeature {
    QString key;
    TAssistKind kind = TAssistKind::One;
    QString label;
    QList<TAssistOption> options;   // One and Many
    QString unit;                   // Number and Size: mm, cm or any other word (no conversion)
    qint64 minimum = 0;             // thousandths of the unit; a size is also always > 0
    qint64 maximum = 0;             // 0: no upper limit
    int line = 0;

    int OptionIndex(const QString& id) const;
    const TAssistOption* Option(const QString& id) const;
};

// A range of scores; an open end is nullopt.
struct TAssistScoreRange {
    std::optional<int> low, high;
    bool Contains(int score) const { return (!low || score >= *low) && (!high || score <= *high); }
};

struct TAssistCategory {
    QString id;
    std::optional<TAssistScoreRange> score;   // scored systems
    QString name, meaning, risk;
    int rank = 0;                             // higher is more worrying (chosen systems)
    int line = 0;
};

// A combination or a score the system's source leaves undefined; the assistant says so.
struct TAssistUndefined {
    QHash<QString, QStringList> when;         // feature -> any of these options
    std::optional<TAssistScoreRange> score;
    QString message;
    int line = 0;
};

struct TAssistAdvice {
    QString category;
    qint64 minSize = -1;   // thousandths of a millimetre of the largest dimension; -1: any size
    QString id;
    QString text;
    int line = 0;
};

struct TAssistGrowthRule {
    bool defined = false;
    int percent = 20;        // more than this much larger ...
    qint64 minIncrease = 2000;   // ... and at least this much (thousandths of a mm) ...
    int dimensions = 2;      // ... in at least this many dimensions,
    int volumePercent = 50;  // or the volume more than this much larger
    QString match;           // nodules of the two reports are paired in order within this feature
};

struct TAssistRules {
    QString file;
    QString id, name, organ;
    QStringList sources;
    QStringList items;        // words of exam items that call for this system's organ
    int order = 0;
    QList<TAssistFeature> features;
    QStringList scored;       // features whose points add up to the score
    QString chosenBy;         // or: the feature whose answer is the category
    QString groupBy;          // feature whose values each get a summary (text "group")
    QList<TAssistCategory> categories;
    QList<TAssistUndefined> undefined;
    QList<TAssistAdvice> advice;
    QHash<QString, QString> texts;   // finding, heading, impression, scoreline, group, overall, own names
    TAssistGrowthRule growth;

    const TAssistFeature* Feature(const QString& key) const;
    const TAssistCategory* Category(const QString& id) const;
    const TAssistFeature* SizeFeature() const;   // the first feature of kind Size, if any
};

// Parses and checks one file's text; throws EAssistRuleError.
TAssistRules ParseAssistRules(const QString& text, const QString& fileName);
// Reads a UTF-8 file and parses it; throws EAssistRuleError (line 0 when unreadable).
TAssistRules LoadAssistRulesFile(const QString& path);

// Every *.rules file of the folders, in folder order: a system of a later folder (a site's
// own) replaces one of the same id. A file with a fault is left out and its error kept; so is
// a system whose features clash with another system of the same organ (a feature of the same
// key must have the same kind and options, as the nodule's answers are shared).
struct TAssistLibrary {
    QList<TAssistRules> systems;   // by order, then id
    QStringList errors;            // "file:line: message"

    const TAssistRules* System(const QString& id) const;
    QList<const TAssistRules*> ForOrgan(const QString& organ) const;
    QStringList Organs() const;
    // The organ whose systems name a word found in the exam items, or empty.
    QString OrganForItems(const QString& itemNames) const;
};
TAssistLibrary LoadAssistLibrary(const QStringList& folders);

// Parses a decimal written with a dot or a comma ("1,5") into thousandths; nullopt when it
// is not such a number or has more than three decimals.
std::optional<qint64> ParseAssistDecimal(const QString& text);
// Thousandths as the shortest decimal text ("15", "12.5").
QString AssistDecimalText(qint64 thousandths);
