// SPDX-License-Identifier: MIT
#include "AssistRules.h"
#include "AssistRuleCheck.h"
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
    // One line of the file: its tokens, number and keyword.
    struct TLine {
        const TParser& parser;
        const QList<TToken>& t;
        int no;
        QString kw;
        void Need(int n, const QString& form) const
        {
            if (t.size() < n) parser.Fail(no, QStringLiteral("%1 needs: %2").arg(kw, form));
        }
        // The key=value tokens from `from` on, each key one of `known`.
        QHash<QString, QString> Attributes(int from, const QSet<QString>& known) const
        {
            QHash<QString, QString> a;
            for (int i = from; i < t.size(); ++i) {
                if (t[i].key.isNull()) parser.Fail(no, QStringLiteral("unexpected '%1'").arg(t[i].value));
                if (!known.contains(t[i].key)) parser.Fail(no, QStringLiteral("unknown attribute '%1'").arg(t[i].key));
                a.insert(t[i].key, t[i].value);
            }
            return a;
        }
    };
    using TLineFn = void (TParser::*)(const TLine&);
    static const QHash<QString, TLineFn>& Keywords();

    void System(const TLine& l);
    void Organ(const TLine& l);
    void Order(const TLine& l);
    void Items(const TLine& l);
    void Source(const TLine& l);
    void Feature(const TLine& l);
    void NumericLimits(const TLine& l, const QHash<QString, QString>& a, TAssistFeature& f);
    void Option(const TLine& l);
    void Uses(const TLine& l);
    void Category(const TLine& l);
    void Undefined(const TLine& l);
    void Advice(const TLine& l);
    void Growth(const TLine& l);
    void Text(const TLine& l);

    QString m_file;
    TAssistRules m_rules;
    QHash<QString, int> m_textLines;
    TAssistFeature* m_feature = nullptr;  // the feature an option line adds to
};

const QSet<QString> kKinds = {QStringLiteral("one"), QStringLiteral("many"), QStringLiteral("number"), QStringLiteral("size")};

const QHash<QString, TParser::TLineFn>& TParser::Keywords()
{
    static const QHash<QString, TLineFn> table{
        {QStringLiteral("system"), &TParser::System},     {QStringLiteral("organ"), &TParser::Organ},
        {QStringLiteral("order"), &TParser::Order},       {QStringLiteral("items"), &TParser::Items},
        {QStringLiteral("source"), &TParser::Source},     {QStringLiteral("feature"), &TParser::Feature},
        {QStringLiteral("option"), &TParser::Option},     {QStringLiteral("score"), &TParser::Uses},
        {QStringLiteral("choose"), &TParser::Uses},       {QStringLiteral("group"), &TParser::Uses},
        {QStringLiteral("category"), &TParser::Category}, {QStringLiteral("undefined"), &TParser::Undefined},
        {QStringLiteral("advice"), &TParser::Advice},     {QStringLiteral("growth"), &TParser::Growth},
        {QStringLiteral("text"), &TParser::Text},
    };
    return table;
}

TAssistRules TParser::Parse(const QString& text)
{
    m_rules = TAssistRules();
    m_rules.file = m_file;
    m_textLines.clear();
    m_feature = nullptr;
    const QStringList lines = text.split(QLatin1Char('\n'));
    int lineNo = 0, lastLine = 1;
    for (QString raw : lines) {
        ++lineNo;
        if (raw.endsWith(QLatin1Char('\r'))) raw.chop(1);
        const QList<TToken> t = Split(raw, lineNo);
        if (t.isEmpty()) continue;
        lastLine = lineNo;
        const TLine line{*this, t, lineNo, t[0].value};
        if (line.kw != QLatin1String("option")) m_feature = nullptr;
        const TLineFn fn = Keywords().value(line.kw, nullptr);
        if (!fn) Fail(lineNo, QStringLiteral("unknown line '%1'").arg(line.kw));
        (this->*fn)(line);
    }
    CheckAssistRules(m_rules, m_textLines, lastLine);
    return m_rules;
}

void TParser::System(const TLine& l)
{
    l.Need(3, QStringLiteral("system ID \"NAME\""));
    if (!m_rules.id.isEmpty()) Fail(l.no, QStringLiteral("a second system line"));
    m_rules.id = l.t[1].value;
    m_rules.name = l.t[2].value;
}

void TParser::Organ(const TLine& l)
{
    l.Need(2, QStringLiteral("organ WORD"));
    m_rules.organ = l.t[1].value;
}

void TParser::Order(const TLine& l)
{
    l.Need(2, QStringLiteral("order N"));
    m_rules.order = Integer(l.t[1].value, l.no, QStringLiteral("order"));
}

void TParser::Items(const TLine& l)
{
    l.Need(2, QStringLiteral("items WORD..."));
    for (int i = 1; i < l.t.size(); ++i) m_rules.items << l.t[i].value;
}

void TParser::Source(const TLine& l)
{
    l.Need(2, QStringLiteral("source \"TEXT\""));
    m_rules.sources << l.t[1].value;
}

void TParser::Feature(const TLine& l)
{
    const QList<TToken>& t = l.t;
    l.Need(4, QStringLiteral("feature KEY one|many|number|size \"LABEL\" [unit=U] [min=X] [max=X]"));
    if (m_rules.Feature(t[1].value)) Fail(l.no, QStringLiteral("feature '%1' is declared twice").arg(t[1].value));
    if (!kKinds.contains(t[2].value)) Fail(l.no, QStringLiteral("unknown feature kind '%1'").arg(t[2].value));
    TAssistFeature f;
    f.key = t[1].value;
    f.kind = t[2].value == QLatin1String("one")    ? TAssistKind::One
             : t[2].value == QLatin1String("many") ? TAssistKind::Many
             : t[2].value == QLatin1String("size") ? TAssistKind::Size
                                                   : TAssistKind::Number;
    f.label = t[3].value;
    f.line = l.no;
    const auto a = l.Attributes(4, {QStringLiteral("unit"), QStringLiteral("min"), QStringLiteral("max")});
    const bool numeric = f.kind == TAssistKind::Number || f.kind == TAssistKind::Size;
    if (!numeric && !a.isEmpty()) Fail(l.no, QStringLiteral("only number and size features take unit, min and max"));
    if (numeric) NumericLimits(l, a, f);
    m_rules.features << f;
    m_feature = &m_rules.features.last();
}

void TParser::NumericLimits(const TLine& l, const QHash<QString, QString>& a, TAssistFeature& f)
{
    f.unit = a.value(QStringLiteral("unit"));
    if (f.unit.isEmpty()) Fail(l.no, QStringLiteral("feature '%1' needs unit=").arg(f.key));
    if (f.kind == TAssistKind::Size && f.unit != QLatin1String("mm") && f.unit != QLatin1String("cm"))
        Fail(l.no, QStringLiteral("a size is in mm or cm"));
    for (const char* k : {"min", "max"}) {
        if (!a.contains(QLatin1String(k))) continue;
        const auto v = ParseAssistDecimal(a.value(QLatin1String(k)));
        if (!v) Fail(l.no, QStringLiteral("%1 '%2' is not a number").arg(QLatin1String(k), a.value(QLatin1String(k))));
        (qstrcmp(k, "min") == 0 ? f.minimum : f.maximum) = *v;
    }
    if (f.maximum != 0 && f.maximum <= f.minimum) Fail(l.no, QStringLiteral("max must be above min"));
}

void TParser::Option(const TLine& l)
{
    const QList<TToken>& t = l.t;
    l.Need(4, QStringLiteral("option ID POINTS \"LABEL\" [alone]"));
    if (!m_feature || (m_feature->kind != TAssistKind::One && m_feature->kind != TAssistKind::Many))
        Fail(l.no, QStringLiteral("an option belongs right after a one or many feature"));
    if (m_feature->Option(t[1].value)) Fail(l.no, QStringLiteral("option '%1' is declared twice").arg(t[1].value));
    TAssistOption o;
    o.id = t[1].value;
    o.points = Integer(t[2].value, l.no, QStringLiteral("points"));
    o.label = t[3].value;
    for (int i = 4; i < t.size(); ++i) {
        if (t[i].value != QLatin1String("alone") || !t[i].key.isNull()) Fail(l.no, QStringLiteral("unexpected '%1'").arg(t[i].value));
        if (m_feature->kind != TAssistKind::Many) Fail(l.no, QStringLiteral("only an option of a many feature stands alone"));
        o.alone = true;
    }
    m_feature->options << o;
}

// score, choose and group: the features that are scored, choose the category, group nodules.
void TParser::Uses(const TLine& l)
{
    const QList<TToken>& t = l.t;
    l.Need(2, l.kw + QStringLiteral(" FEATURE..."));
    for (int i = 1; i < t.size(); ++i) {
        const TAssistFeature* f = m_rules.Feature(t[i].value);
        if (!f) Fail(l.no, QStringLiteral("unknown feature '%1'").arg(t[i].value));
        if (f->kind != TAssistKind::One && (l.kw != QLatin1String("score") || f->kind != TAssistKind::Many))
            Fail(l.no, QStringLiteral("feature '%1' cannot be used by %2").arg(f->key, l.kw));
    }
    if (l.kw == QLatin1String("score")) {
        for (int i = 1; i < t.size(); ++i) m_rules.scored << t[i].value;
        return;
    }
    if (t.size() != 2) Fail(l.no, QStringLiteral("%1 takes one feature").arg(l.kw));
    (l.kw == QLatin1String("choose") ? m_rules.chosenBy : m_rules.groupBy) = t[1].value;
}

void TParser::Category(const TLine& l)
{
    l.Need(2, QStringLiteral("category ID [score=RANGE] name=\"..\" [meaning=\"..\"] [risk=\"..\"] [rank=N]"));
    if (m_rules.Category(l.t[1].value)) Fail(l.no, QStringLiteral("category '%1' is declared twice").arg(l.t[1].value));
    const auto a = l.Attributes(2, {QStringLiteral("score"), QStringLiteral("name"), QStringLiteral("meaning"),
                                    QStringLiteral("risk"), QStringLiteral("rank")});
    TAssistCategory c;
    c.id = l.t[1].value;
    c.line = l.no;
    if (a.contains(QStringLiteral("score"))) c.score = Range(a.value(QStringLiteral("score")), l.no);
    c.name = a.value(QStringLiteral("name"), c.id);
    c.meaning = a.value(QStringLiteral("meaning"));
    c.risk = a.value(QStringLiteral("risk"));
    if (a.contains(QStringLiteral("rank"))) c.rank = Integer(a.value(QStringLiteral("rank")), l.no, QStringLiteral("rank"));
    m_rules.categories << c;
}

void TParser::Undefined(const TLine& l)
{
    const QList<TToken>& t = l.t;
    l.Need(3, QStringLiteral("undefined score=RANGE \"MESSAGE\" or undefined FEATURE=OPT[,OPT]... \"MESSAGE\""));
    TAssistUndefined u;
    u.line = l.no;
    u.message = t.last().value;
    if (!t.last().key.isNull()) Fail(l.no, QStringLiteral("undefined ends with its message in quotes"));
    for (int i = 1; i + 1 < t.size(); ++i) {
        if (t[i].key.isNull()) Fail(l.no, QStringLiteral("unexpected '%1'").arg(t[i].value));
        if (t[i].key == QLatin1String("score")) {
            u.score = Range(t[i].value, l.no);
            continue;
        }
        const TAssistFeature* f = m_rules.Feature(t[i].key);
        if (!f || (f->kind != TAssistKind::One && f->kind != TAssistKind::Many))
            Fail(l.no, QStringLiteral("unknown choice feature '%1'").arg(t[i].key));
        const QStringList opts = t[i].value.split(QLatin1Char(','));
        for (const QString& o : opts)
            if (!f->Option(o)) Fail(l.no, QStringLiteral("feature '%1' has no option '%2'").arg(f->key, o));
        u.when.insert(f->key, opts);
    }
    if (u.score.has_value() == !u.when.isEmpty()) Fail(l.no, QStringLiteral("undefined names either a score or a combination"));
    m_rules.undefined << u;
}

void TParser::Advice(const TLine& l)
{
    const QList<TToken>& t = l.t;
    l.Need(4, QStringLiteral("advice CATEGORY [size>=LENGTH] ID \"TEXT\""));
    TAssistAdvice ad;
    ad.category = t[1].value;
    ad.line = l.no;
    int i = 2;
    if (t[i].value.startsWith(QLatin1String("size>="))) {
        ad.minSize = Length(t[i].value.mid(6), l.no);
        ++i;
    }
    if (t.size() != i + 2) Fail(l.no, QStringLiteral("advice CATEGORY [size>=LENGTH] ID \"TEXT\""));
    ad.id = t[i].value;
    ad.text = t[i + 1].value;
    m_rules.advice << ad;
}

void TParser::Growth(const TLine& l)
{
    const auto a = l.Attributes(1, {QStringLiteral("percent"), QStringLiteral("min"), QStringLiteral("dimensions"),
                                    QStringLiteral("volume"), QStringLiteral("match")});
    TAssistGrowthRule& g = m_rules.growth;
    g.defined = true;
    if (a.contains(QStringLiteral("percent"))) g.percent = Integer(a.value(QStringLiteral("percent")), l.no, QStringLiteral("percent"));
    if (a.contains(QStringLiteral("min"))) g.minIncrease = Length(a.value(QStringLiteral("min")), l.no);
    if (a.contains(QStringLiteral("dimensions"))) g.dimensions = Integer(a.value(QStringLiteral("dimensions")), l.no, QStringLiteral("dimensions"));
    if (a.contains(QStringLiteral("volume"))) g.volumePercent = Integer(a.value(QStringLiteral("volume")), l.no, QStringLiteral("volume"));
    g.match = a.value(QStringLiteral("match"));
    if (!g.match.isEmpty() && !m_rules.Feature(g.match)) Fail(l.no, QStringLiteral("unknown feature '%1'").arg(g.match));
    if (g.dimensions < 1 || g.dimensions > 3) Fail(l.no, QStringLiteral("dimensions is 1, 2 or 3"));
}

void TParser::Text(const TLine& l)
{
    l.Need(3, QStringLiteral("text NAME \"TEMPLATE\""));
    if (m_rules.texts.contains(l.t[1].value)) Fail(l.no, QStringLiteral("text '%1' is declared twice").arg(l.t[1].value));
    m_rules.texts.insert(l.t[1].value, l.t[2].value);
    m_textLines.insert(l.t[1].value, l.no);
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
