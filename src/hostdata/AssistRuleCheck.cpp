// SPDX-License-Identifier: MIT
#include "AssistRuleCheck.h"
#include "AssistTemplate.h"
#include <QSet>
#include <algorithm>
#include <functional>

namespace {

[[noreturn]] void Fail(const TAssistRules& r, int line, const QString& message) { throw EAssistRuleError(r.file, line, message); }

// Walks every answer the scored features allow (the options of a "many" feature as any
// non-empty set that respects "alone"), leaving out combinations declared undefined, and
// checks that each category is reached and each reached score has a category or is declared
// undefined.
void CheckReachable(const TAssistRules& r, int lastLine)
{
    struct TChoice {
        QString key;
        QList<QStringList> answers;
        QList<int> points;
    };
    QList<TChoice> choices;
    qint64 combos = 1;
    for (const QString& key : r.scored) {
        const TAssistFeature& f = *r.Feature(key);
        TChoice c;
        c.key = key;
        if (f.kind == TAssistKind::One) {
            for (const auto& o : f.options) {
                c.answers << QStringList{o.id};
                c.points << o.points;
            }
        } else {
            if (f.options.size() > 12) Fail(r, f.line, QStringLiteral("a scored many feature has at most 12 options"));
            for (int mask = 1; mask < (1 << f.options.size()); ++mask) {
                QStringList ids;
                int pts = 0;
                bool alone = false;
                for (int i = 0; i < f.options.size(); ++i)
                    if (mask & (1 << i)) {
                        ids << f.options[i].id;
                        pts += f.options[i].points;
                        alone = alone || f.options[i].alone;
                    }
                if (alone && ids.size() > 1) continue;
                c.answers << ids;
                c.points << pts;
            }
        }
        combos *= c.answers.size();
        if (combos > 2000000) Fail(r, f.line, QStringLiteral("the scored features allow too many combinations to check"));
        choices << c;
    }
    QHash<int, QStringList> reached;   // score -> one example
    QList<int> idx(choices.size(), 0);
    while (true) {
        QHash<QString, QStringList> answer;
        int score = 0;
        for (int i = 0; i < choices.size(); ++i) {
            answer.insert(choices[i].key, choices[i].answers[idx[i]]);
            score += choices[i].points[idx[i]];
        }
        bool undefinedCombo = false;
        for (const auto& u : r.undefined) {
            if (u.when.isEmpty()) continue;
            bool all = true;
            for (auto it = u.when.cbegin(); it != u.when.cend() && all; ++it) {
                if (!answer.contains(it.key())) {
                    all = false;   // an unscored feature: cannot tell, so counted as reachable
                    break;
                }
                bool any = false;
                for (const QString& o : answer.value(it.key())) any = any || it.value().contains(o);
                all = any;
            }
            undefinedCombo = undefinedCombo || all;
        }
        if (!undefinedCombo && !reached.contains(score)) {
            QStringList ex;
            for (int i = 0; i < choices.size(); ++i) ex << choices[i].key + QLatin1Char('=') + choices[i].answers[idx[i]].join(QLatin1Char(','));
            reached.insert(score, ex);
        }
        int k = 0;
        while (k < choices.size() && ++idx[k] == choices[k].answers.size()) idx[k++] = 0;
        if (k == choices.size()) break;
    }
    for (int i = 0; i < r.categories.size(); ++i) {
        const auto& c = r.categories[i];
        for (int j = 0; j < i; ++j) {
            const auto& o = *r.categories[j].score;
            const bool overlap = (!c.score->high || !o.low || *c.score->high >= *o.low) && (!o.high || !c.score->low || *o.high >= *c.score->low);
            if (overlap) Fail(r, c.line, QStringLiteral("category '%1' overlaps category '%2'").arg(c.id, r.categories[j].id));
        }
        bool any = false;
        for (auto it = reached.cbegin(); it != reached.cend() && !any; ++it) any = c.score->Contains(it.key());
        if (!any) Fail(r, c.line, QStringLiteral("category '%1' is unreachable: no combination of answers scores in its range").arg(c.id));
    }
    QList<int> scores = reached.keys();
    std::sort(scores.begin(), scores.end());
    for (int s : scores) {
        bool covered = false;
        for (const auto& c : r.categories) covered = covered || c.score->Contains(s);
        for (const auto& u : r.undefined)
            if (u.score && u.score->Contains(s)) {
                if (covered) Fail(r, u.line, QStringLiteral("score %1 is both a category and undefined").arg(s));
                covered = true;
            }
        if (!covered)
            Fail(r, lastLine, QStringLiteral("score %1 (e.g. %2) has no category; add one or an undefined score=%1 line")
                               .arg(s).arg(reached.value(s).join(QLatin1Char(' '))));
    }
}

} // namespace

void CheckAssistRules(const TAssistRules& r, const QHash<QString, int>& textLines, int lastLine)
{
    if (r.id.isEmpty()) Fail(r, 1, QStringLiteral("the file names no system"));
    if (r.organ.isEmpty()) Fail(r, 1, QStringLiteral("the file names no organ"));
    for (const auto& f : r.features)
        if ((f.kind == TAssistKind::One || f.kind == TAssistKind::Many) && f.options.isEmpty())
            Fail(r, f.line, QStringLiteral("feature '%1' has no options").arg(f.key));
    if (r.scored.isEmpty() == r.chosenBy.isEmpty())
        Fail(r, lastLine, QStringLiteral("the category comes either from a score line or from a choose line"));

    // Categories: scored ones need a score range, chosen ones an option of the same id.
    for (const auto& c : r.categories) {
        if (!r.scored.isEmpty() && !c.score) Fail(r, c.line, QStringLiteral("category '%1' needs score=").arg(c.id));
        if (!r.chosenBy.isEmpty() && !r.Feature(r.chosenBy)->Option(c.id))
            Fail(r, c.line, QStringLiteral("category '%1' is unreachable: %2 has no such option").arg(c.id, r.chosenBy));
    }
    if (!r.chosenBy.isEmpty())
        for (const auto& o : r.Feature(r.chosenBy)->options)
            if (!r.Category(o.id)) Fail(r, r.Feature(r.chosenBy)->line, QStringLiteral("option '%1' has no category").arg(o.id));

    // Advice: a known category, a size feature for size conditions, and every line reachable:
    // once a category has a line for any size, later lines of it never apply.
    QHash<QString, qint64> lowestSoFar;
    QSet<QString> closed;
    for (const auto& ad : r.advice) {
        if (!r.Category(ad.category)) Fail(r, ad.line, QStringLiteral("unknown category '%1'").arg(ad.category));
        if (ad.minSize >= 0 && !r.SizeFeature()) Fail(r, ad.line, QStringLiteral("a size condition needs a size feature"));
        if (closed.contains(ad.category))
            Fail(r, ad.line, QStringLiteral("advice '%1' is unreachable: an earlier line of %2 applies to every size").arg(ad.id, ad.category));
        if (ad.minSize >= 0 && lowestSoFar.contains(ad.category) && ad.minSize >= lowestSoFar.value(ad.category))
            Fail(r, ad.line, QStringLiteral("advice '%1' is unreachable: an earlier line of %2 takes these sizes").arg(ad.id, ad.category));
        if (ad.minSize < 0) closed.insert(ad.category);
        else lowestSoFar.insert(ad.category, ad.minSize);
    }
    for (auto it = lowestSoFar.cbegin(); it != lowestSoFar.cend(); ++it)
        if (!closed.contains(it.key()))
            Fail(r, lastLine, QStringLiteral("the advice of %1 says nothing for the smallest sizes (end it with a line without size>=)").arg(it.key()));

    // Templates: every placeholder known, and no text that ends up including itself.
    QSet<QString> names = {QStringLiteral("n"), QStringLiteral("score"), QStringLiteral("id"), QStringLiteral("category"),
                           QStringLiteral("meaning"), QStringLiteral("risk"), QStringLiteral("advice"),
                           QStringLiteral("system"), QStringLiteral("growth"), QStringLiteral("earlier")};
    for (const auto& f : r.features) names.insert(f.key);
    QHash<QString, QStringList> refs;
    for (auto it = r.texts.cbegin(); it != r.texts.cend(); ++it) {
        QString error;
        const QStringList used = AssistTemplatePlaceholders(it.value(), &error);
        if (!error.isEmpty()) Fail(r, textLines.value(it.key()), error);
        for (const QString& p : used) {
            if (p.startsWith(QLatin1Char('='))) {
                if (!r.texts.contains(p.mid(1))) Fail(r, textLines.value(it.key()), QStringLiteral("no text named '%1'").arg(p.mid(1)));
                refs[it.key()] << p.mid(1);
            } else if (!names.contains(p)) {
                Fail(r, textLines.value(it.key()), QStringLiteral("unknown placeholder {%1}").arg(p));
            }
        }
    }
    QHash<QString, int> state;   // 1 visiting, 2 done
    std::function<void(const QString&, QStringList&)> visit = [&](const QString& n, QStringList& path) {
        if (state.value(n) == 2) return;
        path << n;
        if (state.value(n) == 1)
            Fail(r, textLines.value(n), QStringLiteral("texts include one another in a loop: %1").arg(path.mid(path.indexOf(n)).join(QStringLiteral(" -> "))));
        state[n] = 1;
        for (const QString& m : refs.value(n)) visit(m, path);
        state[n] = 2;
        path.removeLast();
    };
    QStringList keys = r.texts.keys();
    std::sort(keys.begin(), keys.end(), [&](const QString& a, const QString& b) { return textLines.value(a) < textLines.value(b); });
    for (const QString& k : keys) {
        QStringList path;
        visit(k, path);
    }
    if (!r.scored.isEmpty()) CheckReachable(r, lastLine);
}
