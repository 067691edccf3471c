// SPDX-License-Identifier: MIT
#include "AssistEvaluate.h"
#include <QRegularExpression>

namespace {

bool IsLength(const QString& unit) { return unit == QLatin1String("mm") || unit == QLatin1String("cm"); }

// One number with an optional unit into thousandths of the feature's unit.
std::optional<qint64> Measure(const TAssistFeature& f, QString text, const QString& defaultUnit, QString* unitSeen)
{
    text = text.trimmed();
    static const QRegularExpression re(QStringLiteral("^([0-9.,+-]+)\\s*([^0-9.,+\\-\\s]*)$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return std::nullopt;
    auto v = ParseAssistDecimal(m.captured(1));
    if (!v) return std::nullopt;
    QString unit = m.captured(2).toLower();
    if (unitSeen) *unitSeen = unit;
    if (unit.isEmpty()) unit = defaultUnit;
    if (unit == f.unit) return v;
    if (IsLength(f.unit) && IsLength(unit)) {
        if (unit == QLatin1String("cm")) return *v * 10;
        if (*v % 10 != 0) return std::nullopt;   // finer than a thousandth of a centimetre
        return *v / 10;
    }
    return std::nullopt;
}

QString RangeError(const TAssistFeature& f, qint64 v)
{
    if (f.kind == TAssistKind::Size && v <= 0) return QStringLiteral("%1必须大于0").arg(f.label);
    if (v < f.minimum)
        return QStringLiteral("%1 %2%3 小于合理范围（≥%4%3）").arg(f.label, AssistDecimalText(v), f.unit, AssistDecimalText(f.minimum));
    if (f.maximum != 0 && v > f.maximum)
        return QStringLiteral("%1 %2%3 超出合理范围（≤%4%3）").arg(f.label, AssistDecimalText(v), f.unit, AssistDecimalText(f.maximum));
    return {};
}

} // namespace

const TAssistFeature* FindAssistFeature(const QList<const TAssistRules*>& systems, const QString& key)
{
    for (const TAssistRules* s : systems)
        if (const TAssistFeature* f = s->Feature(key)) return f;
    return nullptr;
}

bool NormalizeAssistAnswer(const TAssistFeature& f, const QString& text, QString* value, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    const QString t = text.trimmed();
    if (t.isEmpty()) return fail(QStringLiteral("%1未填写").arg(f.label));
    switch (f.kind) {
    case TAssistKind::One:
        if (!f.Option(t)) return fail(QStringLiteral("%1没有选项“%2”").arg(f.label, t));
        *value = t;
        return true;
    case TAssistKind::Many: {
        QList<int> picked;
        for (const QString& part : t.split(QRegularExpression(QStringLiteral("[,，、]")))) {
            const int i = f.OptionIndex(part.trimmed());
            if (i < 0) return fail(QStringLiteral("%1没有选项“%2”").arg(f.label, part.trimmed()));
            if (!picked.contains(i)) picked << i;
        }
        std::sort(picked.begin(), picked.end());
        QStringList ids;
        for (int i : picked) {
            if (f.options[i].alone && picked.size() > 1)
                return fail(QStringLiteral("%1的“%2”不能与其他选项同选").arg(f.label, f.options[i].label));
            ids << f.options[i].id;
        }
        *value = ids.join(QLatin1Char(','));
        return true;
    }
    case TAssistKind::Number: {
        const auto v = Measure(f, t, f.unit, nullptr);
        if (!v) return fail(QStringLiteral("%1“%2”不是以%3为单位的数").arg(f.label, t, f.unit));
        if (const QString why = RangeError(f, *v); !why.isEmpty()) return fail(why);
        *value = AssistDecimalText(*v);
        return true;
    }
    case TAssistKind::Size: {
        const QStringList parts = t.split(QRegularExpression(QStringLiteral("\\s*[xX×*]\\s*")));
        if (parts.size() != 3) return fail(QStringLiteral("%1“%2”应为三个径线，如 12x8x7mm").arg(f.label, t));
        // A unit written after the last dimension holds for all three ("1,2x0,8x0,7cm").
        QString lastUnit;
        Measure(f, parts[2], f.unit, &lastUnit);
        const QString common = lastUnit.isEmpty() ? f.unit : lastUnit;
        QStringList out;
        for (const QString& p : parts) {
            const auto v = Measure(f, p, common, nullptr);
            if (!v) return fail(QStringLiteral("%1“%2”不是以mm或cm为单位的径线").arg(f.label, p));
            if (const QString why = RangeError(f, *v); !why.isEmpty()) return fail(why);
            out << AssistDecimalText(*v);
        }
        *value = out.join(QLatin1Char('x'));
        return true;
    }
    }
    return fail(QStringLiteral("%1无法识别").arg(f.label));
}

std::optional<std::array<qint64, 3>> AssistSizeMicrons(const TAssistFeature& f, const QString& value)
{
    const QStringList parts = value.split(QLatin1Char('x'));
    if (parts.size() != 3) return std::nullopt;
    std::array<qint64, 3> out{};
    for (int i = 0; i < 3; ++i) {
        const auto v = ParseAssistDecimal(parts[i]);
        if (!v || *v <= 0) return std::nullopt;
        out[i] = f.unit == QLatin1String("cm") ? *v * 10 : *v;
    }
    return out;
}

TAssistResult EvaluateAssist(const TAssistRules& rules, const TAssistNodule& nodule)
{
    TAssistResult r;
    const QStringList needed = rules.chosenBy.isEmpty() ? rules.scored : QStringList{rules.chosenBy};
    for (const QString& key : needed)
        if (nodule.value(key).isEmpty()) r.missing << rules.Feature(key)->label;
    if (!r.missing.isEmpty()) return r;

    for (const auto& u : rules.undefined) {
        if (u.when.isEmpty()) continue;
        bool all = true;
        for (auto it = u.when.cbegin(); it != u.when.cend() && all; ++it) {
            bool any = false;
            for (const QString& o : nodule.value(it.key()).split(QLatin1Char(','), Qt::SkipEmptyParts)) any = any || it.value().contains(o);
            all = any;
        }
        if (all) {
            r.state = TAssistResult::State::Undefined;
            r.message = u.message;
            return r;
        }
    }

    if (!rules.chosenBy.isEmpty()) {
        r.category = rules.Category(nodule.value(rules.chosenBy));
    } else {
        for (const QString& key : rules.scored) {
            const TAssistFeature* f = rules.Feature(key);
            for (const QString& o : nodule.value(key).split(QLatin1Char(','), Qt::SkipEmptyParts))
                if (const TAssistOption* opt = f->Option(o)) r.score += opt->points;
        }
        for (const auto& u : rules.undefined)
            if (u.score && u.score->Contains(r.score)) {
                r.state = TAssistResult::State::Undefined;
                r.message = u.message;
                return r;
            }
        for (const auto& c : rules.categories)
            if (c.score->Contains(r.score)) r.category = &c;
    }
    if (!r.category) {
        // Only an answer saved under rules that a site has since changed gets here.
        r.state = TAssistResult::State::Undefined;
        r.message = QStringLiteral("规则中没有对应的分类");
        return r;
    }
    r.state = TAssistResult::State::Complete;

    const TAssistFeature* sizeFeature = rules.SizeFeature();
    const auto size = sizeFeature ? AssistSizeMicrons(*sizeFeature, nodule.value(sizeFeature->key)) : std::nullopt;
    const qint64 largest = size ? std::max({(*size)[0], (*size)[1], (*size)[2]}) : -1;
    for (const auto& ad : rules.advice) {
        if (ad.category != r.category->id) continue;
        if (ad.minSize >= 0 && !size) {
            r.adviceMissing = sizeFeature->label;
            break;
        }
        if (ad.minSize < 0 || largest >= ad.minSize) {
            r.advice = &ad;
            break;
        }
    }
    return r;
}

TAssistGrowth CompareAssistGrowth(const TAssistGrowthRule& rule, const std::array<qint64, 3>& before,
                                  const std::array<qint64, 3>& now)
{
    TAssistGrowth g;
    int grownDims = 0;
    for (int i = 0; i < 3; ++i) {
        const qint64 inc = now[i] - before[i];
        if (inc * 100 > before[i] * rule.percent && inc >= rule.minIncrease) ++grownDims;
    }
    if (grownDims >= rule.dimensions) {
        g.grown = true;
        g.reason = QStringLiteral("%1个径线增大超过%2%且≥%3mm").arg(grownDims).arg(rule.percent).arg(AssistDecimalText(rule.minIncrease));
        return g;
    }
    // Volumes of the ellipsoids; the constant factor cancels. Thousandths of a mm cubed
    // stay below 2^63 for nodules up to 2 m.
    const __int128 vb = __int128(before[0]) * before[1] * before[2];
    const __int128 vn = __int128(now[0]) * now[1] * now[2];
    if (vn * 100 > vb * (100 + rule.volumePercent)) {
        g.grown = true;
        g.reason = QStringLiteral("体积增大超过%1%").arg(rule.volumePercent);
    }
    return g;
}

QList<int> PairAssistNodules(const TAssistGrowthRule& rule, const QList<TAssistNodule>& earlier,
                             const QList<TAssistNodule>& now)
{
    QList<int> out;
    QHash<QString, int> seen;
    for (const auto& n : now) {
        const QString key = rule.match.isEmpty() ? QString() : n.value(rule.match);
        int k = seen[key]++;
        int found = -1;
        for (int i = 0; i < earlier.size() && found < 0; ++i) {
            if ((rule.match.isEmpty() ? QString() : earlier[i].value(rule.match)) != key) continue;
            if (k-- == 0) found = i;
        }
        out << found;
    }
    return out;
}
