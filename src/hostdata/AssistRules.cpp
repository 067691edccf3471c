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
    CheckAssistRules(r, textLines, lastLine);
    return r;
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
