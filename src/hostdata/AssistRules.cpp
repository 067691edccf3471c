// SPDX-License-Identifier: MIT
#include "AssistRules.h"
#include "AssistTemplate.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <functional>

EAssistRuleError::EAssistRuleError(const QString& f, int l, const QString& m)
    : std::runtime_error(QStringLiteral("%1:%2: %3").arg(f).arg(l).arg(m).toStdString()), file(f), line(l), message(m)
{
}

int TAssistFeature::OptionIndex(const QString& id) const
{
    for (int i = 0; i < options.size(); ++i)
        if (options[i].id == id) return i;
    return -1;
}

const TAssistOption* TAssistFeature::Option(const QString& id) const
{
    const int i = OptionIndex(id);
    return i < 0 ? nullptr : &options[i];
}

const TAssistFeature* TAssistRules::Feature(const QString& key) const
{
    for (const auto& f : features)
        if (f.key == key) return &f;
    return nullptr;
}

const TAssistCategory* TAssistRules::Category(const QString& id) const
{
    for (const auto& c : categories)
        if (c.id == id) return &c;
    return nullptr;
}

const TAssistFeature* TAssistRules::SizeFeature() const
{
    for (const auto& f : features)
        if (f.kind == TAssistKind::Size) return &f;
    return nullptr;
}

std::optional<qint64> ParseAssistDecimal(const QString& text)
{
    static const QRegularExpression re(QStringLiteral("^([+-]?)(\\d{1,9})(?:[.,](\\d{1,3}))?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    qint64 v = m.captured(2).toLongLong() * 1000;
    const QString frac = m.captured(3).leftJustified(3, QLatin1Char('0'));
    if (!m.captured(3).isEmpty()) v += frac.toLongLong();
    return m.captured(1) == QLatin1String("-") ? -v : v;
}

QString AssistDecimalText(qint64 t)
{
    QString s = QString::number(qAbs(t) / 1000);
    if (const qint64 frac = qAbs(t) % 1000) {
        QString f = QStringLiteral("%1").arg(frac, 3, 10, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0'))) f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return t < 0 ? QLatin1Char('-') + s : s;
}

namespace {

bool IsName(const QString& w)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z0-9_-]+$"));
    return re.match(w).hasMatch();
}

struct TToken {
    QString key;    // before '=' of a key=value token, else empty
    QString value;
};

class TParser {
public:
    TParser(const QString& file) : m_file(file) {}

    [[noreturn]] void Fail(int line, const QString& message) const { throw EAssistRuleError(m_file, line, message); }

    // Words and "quoted texts" (escapes \" and \\), key=value and key="value"; '#' starts a
    // comment outside quotes.
    QList<TToken> Split(const QString& s, int line) const
    {
        QList<TToken> out;
        int i = 0;
        const int n = s.size();
        while (i < n) {
            while (i < n && s[i].isSpace()) ++i;
            if (i >= n || s[i] == QLatin1Char('#')) break;
            TToken t;
            QString word;
            while (i < n && !s[i].isSpace()) {
                if (s[i] == QLatin1Char('"')) {
                    ++i;
                    bool closed = false;
                    while (i < n) {
                        if (s[i] == QLatin1Char('\\') && i + 1 < n) {
                            word += s[i + 1];
                            i += 2;
                        } else if (s[i] == QLatin1Char('"')) {
                            closed = true;
                            ++i;
                            break;
                        } else {
                            word += s[i++];
                        }
                    }
                    if (!closed) Fail(line, QStringLiteral("unclosed quote"));
                } else if (s[i] == QLatin1Char('=') && t.key.isNull() && IsName(word)) {
                    t.key = word;
                    word.clear();
                    ++i;
                } else {
                    word += s[i++];
                }
            }
            t.value = word;
            out << t;
        }
        return out;
    }

    TAssistScoreRange Range(const QString& text, int line) const
    {
        static const QRegularExpression re(QStringLiteral("^(-?\\d+)?(\\.\\.)?(-?\\d+)?$"));
        const auto m = re.match(text);
        if (!m.hasMatch() || (m.captured(1).isEmpty() && m.captured(3).isEmpty()))
            Fail(line, QStringLiteral("score range '%1' is not N, N..M, N.. or ..M").arg(text));
        TAssistScoreRange r;
        if (!m.captured(1).isEmpty()) r.low = m.captured(1).toInt();
        if (!m.captured(3).isEmpty()) r.high = m.captured(3).toInt();
        if (m.captured(2).isEmpty()) r.high = r.low;
        if (r.low && r.high && *r.low > *r.high) Fail(line, QStringLiteral("score range '%1' is empty").arg(text));
        return r;
    }

    // A length with its unit, into thousandths of a millimetre.
    qint64 Length(const QString& text, int line) const
    {
        static const QRegularExpression re(QStringLiteral("^([0-9.,]+)(mm|cm)$"));
        const auto m = re.match(text);
        const auto v = m.hasMatch() ? ParseAssistDecimal(m.captured(1)) : std::nullopt;
        if (!v) Fail(line, QStringLiteral("'%1' is not a length such as 15mm or 1,5cm").arg(text));
        return m.captured(2) == QLatin1String("cm") ? *v * 10 : *v;
    }

    int Integer(const QString& text, int line, const QString& what) const
    {
        bool ok = false;
        const int v = text.toInt(&ok);
        if (!ok) Fail(line, QStringLiteral("%1 '%2' is not a whole number").arg(what, text));
        return v;
    }

    TAssistRules Parse(const QString& text);

private:
    void Check(TAssistRules& r, const QHash<QString, int>& textLines, int lastLine);
    void CheckReachable(const TAssistRules& r, int lastLine);

    QString m_file;
};

const QSet<QString> kKinds = {QStringLiteral("one"), QStringLiteral("many"), QStringLiteral("number"), QStringLiteral("size")};

TAssistRules TParser::Parse(const QString& text)
{
    TAssistRules r;
    r.file = m_file;
    QHash<QString, int> textLines;
    TAssistFeature* feature = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    int lineNo = 0, lastLine = 1;
    for (QString raw : lines) {
        ++lineNo;
        if (raw.endsWith(QLatin1Char('\r'))) raw.chop(1);
        const QList<TToken> t = Split(raw, lineNo);
        if (t.isEmpty()) continue;
        lastLine = lineNo;
        const QString kw = t[0].value;
        auto need = [&](int n, const QString& form) {
            if (t.size() < n) Fail(lineNo, QStringLiteral("%1 needs: %2").arg(kw, form));
        };
        auto attrs = [&](int from, const QSet<QString>& known) {
            QHash<QString, QString> a;
            for (int i = from; i < t.size(); ++i) {
                if (t[i].key.isNull()) Fail(lineNo, QStringLiteral("unexpected '%1'").arg(t[i].value));
                if (!known.contains(t[i].key)) Fail(lineNo, QStringLiteral("unknown attribute '%1'").arg(t[i].key));
                a.insert(t[i].key, t[i].value);
            }
            return a;
        };
        if (kw != QLatin1String("option")) feature = nullptr;

        if (kw == QLatin1String("system")) {
            need(3, QStringLiteral("system ID \"NAME\""));
            if (!r.id.isEmpty()) Fail(lineNo, QStringLiteral("a second system line"));
            r.id = t[1].value;
            r.name = t[2].value;
        } else if (kw == QLatin1String("organ")) {
            need(2, QStringLiteral("organ WORD"));
            r.organ = t[1].value;
        } else if (kw == QLatin1String("order")) {
            need(2, QStringLiteral("order N"));
            r.order = Integer(t[1].value, lineNo, QStringLiteral("order"));
        } else if (kw == QLatin1String("items")) {
            need(2, QStringLiteral("items WORD..."));
            for (int i = 1; i < t.size(); ++i) r.items << t[i].value;
        } else if (kw == QLatin1String("source")) {
            need(2, QStringLiteral("source \"TEXT\""));
            r.sources << t[1].value;
        } else if (kw == QLatin1String("feature")) {
            need(4, QStringLiteral("feature KEY one|many|number|size \"LABEL\" [unit=U] [min=X] [max=X]"));
            if (r.Feature(t[1].value)) Fail(lineNo, QStringLiteral("feature '%1' is declared twice").arg(t[1].value));
            if (!kKinds.contains(t[2].value)) Fail(lineNo, QStringLiteral("unknown feature kind '%1'").arg(t[2].value));
            TAssistFeature f;
            f.key = t[1].value;
            f.kind = t[2].value == QLatin1String("one")    ? TAssistKind::One
                     : t[2].value == QLatin1String("many") ? TAssistKind::Many
                     : t[2].value == QLatin1String("size") ? TAssistKind::Size
                                                           : TAssistKind::Number;
            f.label = t[3].value;
            f.line = lineNo;
            const auto a = attrs(4, {QStringLiteral("unit"), QStringLiteral("min"), QStringLiteral("max")});
            const bool numeric = f.kind == TAssistKind::Number || f.kind == TAssistKind::Size;
            if (!numeric && !a.isEmpty()) Fail(lineNo, QStringLiteral("only number and size features take unit, min and max"));
            if (numeric) {
                f.unit = a.value(QStringLiteral("unit"));
                if (f.unit.isEmpty()) Fail(lineNo, QStringLiteral("feature '%1' needs unit=").arg(f.key));
                if (f.kind == TAssistKind::Size && f.unit != QLatin1String("mm") && f.unit != QLatin1String("cm"))
                    Fail(lineNo, QStringLiteral("a size is in mm or cm"));
                for (const char* k : {"min", "max"}) {
                    if (!a.contains(QLatin1String(k))) continue;
                    const auto v = ParseAssistDecimal(a.value(QLatin1String(k)));
                    if (!v) Fail(lineNo, QStringLiteral("%1 '%2' is not a number").arg(QLatin1String(k), a.value(QLatin1String(k))));
                    (qstrcmp(k, "min") == 0 ? f.minimum : f.maximum) = *v;
                }
                if (f.maximum != 0 && f.maximum <= f.minimum) Fail(lineNo, QStringLiteral("max must be above min"));
            }
            r.features << f;
            feature = &r.features.last();
        } else if (kw == QLatin1String("option")) {
            need(4, QStringLiteral("option ID POINTS \"LABEL\" [alone]"));
            if (!feature || (feature->kind != TAssistKind::One && feature->kind != TAssistKind::Many))
                Fail(lineNo, QStringLiteral("an option belongs right after a one or many feature"));
            if (feature->Option(t[1].value)) Fail(lineNo, QStringLiteral("option '%1' is declared twice").arg(t[1].value));
            TAssistOption o;
            o.id = t[1].value;
            o.points = Integer(t[2].value, lineNo, QStringLiteral("points"));
            o.label = t[3].value;
            for (int i = 4; i < t.size(); ++i) {
                if (t[i].value != QLatin1String("alone") || !t[i].key.isNull()) Fail(lineNo, QStringLiteral("unexpected '%1'").arg(t[i].value));
                if (feature->kind != TAssistKind::Many) Fail(lineNo, QStringLiteral("only an option of a many feature stands alone"));
                o.alone = true;
            }
            feature->options << o;
        } else if (kw == QLatin1String("score") || kw == QLatin1String("choose") || kw == QLatin1String("group")) {
            need(2, kw + QStringLiteral(" FEATURE..."));
            for (int i = 1; i < t.size(); ++i) {
                const TAssistFeature* f = r.Feature(t[i].value);
                if (!f) Fail(lineNo, QStringLiteral("unknown feature '%1'").arg(t[i].value));
                if (f->kind != TAssistKind::One && (kw != QLatin1String("score") || f->kind != TAssistKind::Many))
                    Fail(lineNo, QStringLiteral("feature '%1' cannot be used by %2").arg(f->key, kw));
            }
            if (kw == QLatin1String("score")) {
                for (int i = 1; i < t.size(); ++i) r.scored << t[i].value;
            } else {
                if (t.size() != 2) Fail(lineNo, QStringLiteral("%1 takes one feature").arg(kw));
                (kw == QLatin1String("choose") ? r.chosenBy : r.groupBy) = t[1].value;
            }
        } else if (kw == QLatin1String("category")) {
            need(2, QStringLiteral("category ID [score=RANGE] name=\"..\" [meaning=\"..\"] [risk=\"..\"] [rank=N]"));
            if (r.Category(t[1].value)) Fail(lineNo, QStringLiteral("category '%1' is declared twice").arg(t[1].value));
            const auto a = attrs(2, {QStringLiteral("score"), QStringLiteral("name"), QStringLiteral("meaning"),
                                     QStringLiteral("risk"), QStringLiteral("rank")});
            TAssistCategory c;
            c.id = t[1].value;
            c.line = lineNo;
            if (a.contains(QStringLiteral("score"))) c.score = Range(a.value(QStringLiteral("score")), lineNo);
            c.name = a.value(QStringLiteral("name"), c.id);
            c.meaning = a.value(QStringLiteral("meaning"));
            c.risk = a.value(QStringLiteral("risk"));
            if (a.contains(QStringLiteral("rank"))) c.rank = Integer(a.value(QStringLiteral("rank")), lineNo, QStringLiteral("rank"));
            r.categories << c;
        } else if (kw == QLatin1String("undefined")) {
            need(3, QStringLiteral("undefined score=RANGE \"MESSAGE\" or undefined FEATURE=OPT[,OPT]... \"MESSAGE\""));
            TAssistUndefined u;
            u.line = lineNo;
            u.message = t.last().value;
            if (!t.last().key.isNull()) Fail(lineNo, QStringLiteral("undefined ends with its message in quotes"));
            for (int i = 1; i + 1 < t.size(); ++i) {
                if (t[i].key.isNull()) Fail(lineNo, QStringLiteral("unexpected '%1'").arg(t[i].value));
                if (t[i].key == QLatin1String("score")) {
                    u.score = Range(t[i].value, lineNo);
                    continue;
                }
                const TAssistFeature* f = r.Feature(t[i].key);
                if (!f || (f->kind != TAssistKind::One && f->kind != TAssistKind::Many))
                    Fail(lineNo, QStringLiteral("unknown choice feature '%1'").arg(t[i].key));
                const QStringList opts = t[i].value.split(QLatin1Char(','));
                for (const QString& o : opts)
                    if (!f->Option(o)) Fail(lineNo, QStringLiteral("feature '%1' has no option '%2'").arg(f->key, o));
                u.when.insert(f->key, opts);
            }
            if (u.score.has_value() == !u.when.isEmpty()) Fail(lineNo, QStringLiteral("undefined names either a score or a combination"));
            r.undefined << u;
        } else if (kw == QLatin1String("advice")) {
            need(4, QStringLiteral("advice CATEGORY [size>=LENGTH] ID \"TEXT\""));
            TAssistAdvice ad;
            ad.category = t[1].value;
            ad.line = lineNo;
            int i = 2;
            if (t[i].value.startsWith(QLatin1String("size>="))) {
                ad.minSize = Length(t[i].value.mid(6), lineNo);
                ++i;
            }
            if (t.size() != i + 2) Fail(lineNo, QStringLiteral("advice CATEGORY [size>=LENGTH] ID \"TEXT\""));
            ad.id = t[i].value;
            ad.text = t[i + 1].value;
            r.advice << ad;
        } else if (kw == QLatin1String("growth")) {
            const auto a = attrs(1, {QStringLiteral("percent"), QStringLiteral("min"), QStringLiteral("dimensions"),
                                     QStringLiteral("volume"), QStringLiteral("match")});
            r.growth.defined = true;
            if (a.contains(QStringLiteral("percent"))) r.growth.percent = Integer(a.value(QStringLiteral("percent")), lineNo, QStringLiteral("percent"));
            if (a.contains(QStringLiteral("min"))) r.growth.minIncrease = Length(a.value(QStringLiteral("min")), lineNo);
            if (a.contains(QStringLiteral("dimensions"))) r.growth.dimensions = Integer(a.value(QStringLiteral("dimensions")), lineNo, QStringLiteral("dimensions"));
            if (a.contains(QStringLiteral("volume"))) r.growth.volumePercent = Integer(a.value(QStringLiteral("volume")), lineNo, QStringLiteral("volume"));
            r.growth.match = a.value(QStringLiteral("match"));
            if (!r.growth.match.isEmpty() && !r.Feature(r.growth.match)) Fail(lineNo, QStringLiteral("unknown feature '%1'").arg(r.growth.match));
            if (r.growth.dimensions < 1 || r.growth.dimensions > 3) Fail(lineNo, QStringLiteral("dimensions is 1, 2 or 3"));
        } else if (kw == QLatin1String("text")) {
            need(3, QStringLiteral("text NAME \"TEMPLATE\""));
            if (r.texts.contains(t[1].value)) Fail(lineNo, QStringLiteral("text '%1' is declared twice").arg(t[1].value));
            r.texts.insert(t[1].value, t[2].value);
            textLines.insert(t[1].value, lineNo);
        } else {
            Fail(lineNo, QStringLiteral("unknown line '%1'").arg(kw));
        }
    }
    Check(r, textLines, lastLine);
    return r;
}

void TParser::Check(TAssistRules& r, const QHash<QString, int>& textLines, int lastLine)
{
    if (r.id.isEmpty()) Fail(1, QStringLiteral("the file names no system"));
    if (r.organ.isEmpty()) Fail(1, QStringLiteral("the file names no organ"));
    for (const auto& f : r.features)
        if ((f.kind == TAssistKind::One || f.kind == TAssistKind::Many) && f.options.isEmpty())
            Fail(f.line, QStringLiteral("feature '%1' has no options").arg(f.key));
    if (r.scored.isEmpty() == r.chosenBy.isEmpty())
        Fail(lastLine, QStringLiteral("the category comes either from a score line or from a choose line"));

    // Categories: scored ones need a score range, chosen ones an option of the same id.
    for (const auto& c : r.categories) {
        if (!r.scored.isEmpty() && !c.score) Fail(c.line, QStringLiteral("category '%1' needs score=").arg(c.id));
        if (!r.chosenBy.isEmpty() && !r.Feature(r.chosenBy)->Option(c.id))
            Fail(c.line, QStringLiteral("category '%1' is unreachable: %2 has no such option").arg(c.id, r.chosenBy));
    }
    if (!r.chosenBy.isEmpty())
        for (const auto& o : r.Feature(r.chosenBy)->options)
            if (!r.Category(o.id)) Fail(r.Feature(r.chosenBy)->line, QStringLiteral("option '%1' has no category").arg(o.id));

    // Advice: a known category, a size feature for size conditions, and every line reachable:
    // once a category has a line for any size, later lines of it never apply.
    QHash<QString, qint64> lowestSoFar;
    QSet<QString> closed;
    for (const auto& ad : r.advice) {
        if (!r.Category(ad.category)) Fail(ad.line, QStringLiteral("unknown category '%1'").arg(ad.category));
        if (ad.minSize >= 0 && !r.SizeFeature()) Fail(ad.line, QStringLiteral("a size condition needs a size feature"));
        if (closed.contains(ad.category))
            Fail(ad.line, QStringLiteral("advice '%1' is unreachable: an earlier line of %2 applies to every size").arg(ad.id, ad.category));
        if (ad.minSize >= 0 && lowestSoFar.contains(ad.category) && ad.minSize >= lowestSoFar.value(ad.category))
            Fail(ad.line, QStringLiteral("advice '%1' is unreachable: an earlier line of %2 takes these sizes").arg(ad.id, ad.category));
        if (ad.minSize < 0) closed.insert(ad.category);
        else lowestSoFar.insert(ad.category, ad.minSize);
    }
    for (auto it = lowestSoFar.cbegin(); it != lowestSoFar.cend(); ++it)
        if (!closed.contains(it.key()))
            Fail(lastLine, QStringLiteral("the advice of %1 says nothing for the smallest sizes (end it with a line without size>=)").arg(it.key()));

    // Templates: every placeholder known, and no text that ends up including itself.
    QSet<QString> names = {QStringLiteral("n"), QStringLiteral("score"), QStringLiteral("id"), QStringLiteral("category"),
                           QStringLiteral("meaning"), QStringLiteral("risk"), QStringLiteral("advice"),
                           QStringLiteral("system"), QStringLiteral("growth"), QStringLiteral("earlier")};
    for (const auto& f : r.features) names.insert(f.key);
    QHash<QString, QStringList> refs;
    for (auto it = r.texts.cbegin(); it != r.texts.cend(); ++it) {
        QString error;
        const QStringList used = AssistTemplatePlaceholders(it.value(), &error);
        if (!error.isEmpty()) Fail(textLines.value(it.key()), error);
        for (const QString& p : used) {
            if (p.startsWith(QLatin1Char('='))) {
                if (!r.texts.contains(p.mid(1))) Fail(textLines.value(it.key()), QStringLiteral("no text named '%1'").arg(p.mid(1)));
                refs[it.key()] << p.mid(1);
            } else if (!names.contains(p)) {
                Fail(textLines.value(it.key()), QStringLiteral("unknown placeholder {%1}").arg(p));
            }
        }
    }
    QHash<QString, int> state;   // 1 visiting, 2 done
    std::function<void(const QString&, QStringList&)> visit = [&](const QString& n, QStringList& path) {
        if (state.value(n) == 2) return;
        path << n;
        if (state.value(n) == 1)
            Fail(textLines.value(n), QStringLiteral("texts include one another in a loop: %1").arg(path.mid(path.indexOf(n)).join(QStringLiteral(" -> "))));
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

// Walks every answer the scored features allow (the options of a "many" feature as any
// non-empty set that respects "alone"), leaving out combinations declared undefined, and
// checks that each category is reached and each reached score has a category or is declared
// undefined.
void TParser::CheckReachable(const TAssistRules& r, int lastLine)
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
            if (f.options.size() > 12) Fail(f.line, QStringLiteral("a scored many feature has at most 12 options"));
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
        if (combos > 2000000) Fail(f.line, QStringLiteral("the scored features allow too many combinations to check"));
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
            if (overlap) Fail(c.line, QStringLiteral("category '%1' overlaps category '%2'").arg(c.id, r.categories[j].id));
        }
        bool any = false;
        for (auto it = reached.cbegin(); it != reached.cend() && !any; ++it) any = c.score->Contains(it.key());
        if (!any) Fail(c.line, QStringLiteral("category '%1' is unreachable: no combination of answers scores in its range").arg(c.id));
    }
    QList<int> scores = reached.keys();
    std::sort(scores.begin(), scores.end());
    for (int s : scores) {
        bool covered = false;
        for (const auto& c : r.categories) covered = covered || c.score->Contains(s);
        for (const auto& u : r.undefined)
            if (u.score && u.score->Contains(s)) {
                if (covered) Fail(u.line, QStringLiteral("score %1 is both a category and undefined").arg(s));
                covered = true;
            }
        if (!covered)
            Fail(lastLine, QStringLiteral("score %1 (e.g. %2) has no category; add one or an undefined score=%1 line")
                               .arg(s).arg(reached.value(s).join(QLatin1Char(' '))));
    }
}

} // namespace

TAssistRules ParseAssistRules(const QString& text, const QString& fileName)
{
    return TParser(fileName).Parse(text);
}

TAssistRules LoadAssistRulesFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw EAssistRuleError(path, 0, QStringLiteral("cannot read: %1").arg(f.errorString()));
    if (f.size() > 1 << 20) throw EAssistRuleError(path, 0, QStringLiteral("larger than 1 MB"));
    return ParseAssistRules(QString::fromUtf8(f.readAll()), QFileInfo(path).fileName());
}

const TAssistRules* TAssistLibrary::System(const QString& id) const
{
    for (const auto& s : systems)
        if (s.id == id) return &s;
    return nullptr;
}

QList<const TAssistRules*> TAssistLibrary::ForOrgan(const QString& organ) const
{
    QList<const TAssistRules*> out;
    for (const auto& s : systems)
        if (s.organ == organ) out << &s;
    return out;
}

QStringList TAssistLibrary::Organs() const
{
    QStringList out;
    for (const auto& s : systems)
        if (!out.contains(s.organ)) out << s.organ;
    return out;
}

QString TAssistLibrary::OrganForItems(const QString& itemNames) const
{
    for (const auto& s : systems)
        for (const QString& w : s.items)
            if (itemNames.contains(w, Qt::CaseInsensitive)) return s.organ;
    return {};
}

namespace {

// Why two systems of one organ cannot share a nodule's answers, or empty.
QString Clash(const TAssistRules& a, const TAssistRules& b)
{
    for (const auto& fa : a.features) {
        const TAssistFeature* fb = b.Feature(fa.key);
        if (!fb) continue;
        bool same = fa.kind == fb->kind && fa.options.size() == fb->options.size() && fa.unit == fb->unit;
        for (int i = 0; same && i < fa.options.size(); ++i) same = fb->Option(fa.options[i].id) != nullptr;
        if (!same) return QStringLiteral("feature '%1' differs from the one of system %2").arg(fa.key, b.id);
    }
    return {};
}

} // namespace

TAssistLibrary LoadAssistLibrary(const QStringList& folders)
{
    TAssistLibrary lib;
    for (const QString& folder : folders) {
        const QDir dir(folder);
        for (const QString& name : dir.entryList({QStringLiteral("*.rules")}, QDir::Files, QDir::Name)) {
            try {
                TAssistRules r = LoadAssistRulesFile(dir.filePath(name));
                r.file = dir.filePath(name);
                lib.systems.removeIf([&](const TAssistRules& s) { return s.id == r.id; });
                lib.systems << r;
            } catch (const EAssistRuleError& e) {
                lib.errors << QString::fromStdString(e.what());
            }
        }
    }
    // In load order, so a site's system that clashes is the one left out.
    for (int i = 1; i < lib.systems.size(); ++i) {
        for (int j = 0; j < i; ++j) {
            if (lib.systems[j].organ != lib.systems[i].organ) continue;
            if (const QString why = Clash(lib.systems[i], lib.systems[j]); !why.isEmpty()) {
                lib.errors << QStringLiteral("%1: %2").arg(lib.systems[i].file, why);
                lib.systems.removeAt(i--);
                break;
            }
        }
    }
    std::stable_sort(lib.systems.begin(), lib.systems.end(), [](const TAssistRules& a, const TAssistRules& b) {
        return a.order != b.order ? a.order < b.order : a.id < b.id;
    });
    return lib;
}
