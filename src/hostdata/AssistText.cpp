// SPDX-License-Identifier: MIT
#include "AssistText.h"
#include "AssistTemplate.h"

namespace {

const QString kUnanswered = QStringLiteral("（未填）");

// The placeholder values of one nodule under one system.
class TResolver {
public:
    TResolver(const TAssistSystems& systems, const TAssistRules& system, const TAssistNodule& nodule, int n)
        : m_systems(systems), m_system(system), m_nodule(nodule), m_n(n), m_result(EvaluateAssist(system, nodule))
    {
    }

    const TAssistResult& Result() const { return m_result; }

    QString operator()(const QString& name) const
    {
        if (name == QLatin1String("n")) return QString::number(m_n);
        if (name == QLatin1String("system")) return m_system.name;
        if (name == QLatin1String("score")) return QString::number(m_result.score);
        if (name == QLatin1String("earlier")) return EarlierText();
        if (name == QLatin1String("growth")) return GrowthText();
        const TAssistCategory* c = m_result.category;
        if (name == QLatin1String("id")) return c ? c->id : QString();
        if (name == QLatin1String("category")) return c ? c->name : QString();
        if (name == QLatin1String("meaning")) return c ? c->meaning : QString();
        if (name == QLatin1String("risk")) return c ? c->risk : QString();
        if (name == QLatin1String("advice"))
            return m_result.advice ? m_result.advice->text
                                   : m_result.adviceMissing.isEmpty() ? QString() : QStringLiteral("（缺少%1，无法给出建议）").arg(m_result.adviceMissing);
        const TAssistFeature* f = FindAssistFeature(m_systems, name);
        const QString v = f ? AssistValueText(*f, m_nodule.value(name)) : QString();
        return v.isEmpty() ? kUnanswered : v;
    }

    QString Fill(const QString& textName) const
    {
        return FillAssistTemplate(m_system.texts.value(textName), [this](const QString& n) { return (*this)(n); }, m_system.texts);
    }

private:
    QString EarlierText() const
    {
        const QStringList d = m_nodule.value(QStringLiteral("@earlier")).split(QLatin1Char('x'));
        return d.size() == 3 ? d.join(QStringLiteral("×")) + QStringLiteral("mm") : QString();
    }

    QString GrowthText() const
    {
        const TAssistFeature* f = m_system.SizeFeature();
        if (!m_system.growth.defined || !f || !m_nodule.contains(QStringLiteral("@earlier"))) return {};
        TAssistFeature mm = *f;
        mm.unit = QStringLiteral("mm");
        const auto before = AssistSizeMicrons(mm, m_nodule.value(QStringLiteral("@earlier")));
        const auto now = AssistSizeMicrons(*f, m_nodule.value(f->key));
        if (!before || !now) return {};
        const TAssistGrowth g = CompareAssistGrowth(m_system.growth, *before, *now);
        return g.grown ? Fill(QStringLiteral("grown")) : Fill(QStringLiteral("stable"));
    }

    const TAssistSystems& m_systems;
    const TAssistRules& m_system;
    const TAssistNodule& m_nodule;
    int m_n;
    TAssistResult m_result;
};

const TAssistRules* FirstWith(const TAssistSystems& systems, const char* text)
{
    for (const TAssistRules* s : systems)
        if (s->texts.contains(QLatin1String(text))) return s;
    return nullptr;
}

QString WhyNoCategory(const TAssistRules& s, const TAssistResult& r)
{
    if (r.state == TAssistResult::State::Incomplete)
        return QStringLiteral("%1未完成（缺少%2）").arg(s.name, r.missing.join(QStringLiteral("、")));
    return QStringLiteral("%1未定义：%2").arg(s.name, r.message);
}

// How worrying a category is: its rank, or else its place in the file.
int Worry(const TAssistRules& s, const TAssistCategory* c)
{
    return c->rank != 0 ? c->rank : int(c - s.categories.constData());
}

} // namespace

QString AssistValueText(const TAssistFeature& f, const QString& value)
{
    if (value.isEmpty()) return {};
    switch (f.kind) {
    case TAssistKind::One:
    case TAssistKind::Many: {
        QStringList labels;
        for (const QString& id : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const TAssistOption* o = f.Option(id);
            labels << (o ? o->label : id);
        }
        return labels.join(QStringLiteral("、"));
    }
    case TAssistKind::Number:
        return value + f.unit;
    case TAssistKind::Size:
        return QString(value).replace(QLatin1Char('x'), QStringLiteral("×")) + f.unit;
    }
    return value;
}

QString AssistFinding(const TAssistSystems& systems, const TAssistNodule& nodule, int n)
{
    const TAssistRules* s = FirstWith(systems, "finding");
    return s ? TResolver(systems, *s, nodule, n).Fill(QStringLiteral("finding")) : QString();
}

QString AssistScoreLine(const TAssistSystems& systems, const TAssistNodule& nodule)
{
    QStringList parts;
    QString advice;
    for (const TAssistRules* s : systems) {
        const TResolver r(systems, *s, nodule, 0);
        if (r.Result().state != TAssistResult::State::Complete) {
            parts << WhyNoCategory(*s, r.Result());
            continue;
        }
        if (s->texts.contains(QStringLiteral("scoreline"))) parts << r.Fill(QStringLiteral("scoreline"));
        if (advice.isEmpty()) advice = r(QStringLiteral("advice"));
    }
    if (!advice.isEmpty()) parts << advice;
    return parts.join(QStringLiteral(", "));
}

QStringList AssistImpression(const TAssistSystems& systems, const QList<TAssistNodule>& nodules)
{
    QStringList lines;
    const TAssistRules* headed = FirstWith(systems, "heading");
    for (int i = 0; i < nodules.size(); ++i) {
        QStringList parts;
        for (const TAssistRules* s : systems) {
            if (!s->texts.contains(QStringLiteral("impression"))) continue;
            const TResolver r(systems, *s, nodules[i], i + 1);
            parts << (r.Result().state == TAssistResult::State::Complete ? r.Fill(QStringLiteral("impression")) : WhyNoCategory(*s, r.Result()));
        }
        if (parts.isEmpty()) continue;
        const QString heading = headed ? TResolver(systems, *headed, nodules[i], i + 1).Fill(QStringLiteral("heading"))
                                       : QStringLiteral("结节%1").arg(i + 1);
        lines << heading + QStringLiteral("：") + parts.join(QStringLiteral("；")) + QStringLiteral("。");
    }
    for (const TAssistRules* s : systems) {
        // The most worrying nodule of a set; -1 when the set is empty, -2 when one of it has
        // no category yet (it might be the worst).
        auto worst = [&](const QList<int>& set) {
            int best = -1;
            for (int i : set) {
                const TAssistResult r = EvaluateAssist(*s, nodules[i]);
                if (r.state != TAssistResult::State::Complete) return -2;
                if (best < 0 || Worry(*s, r.category) > Worry(*s, EvaluateAssist(*s, nodules[best]).category)) best = i;
            }
            return best;
        };
        auto line = [&](const QList<int>& set, const char* text, const QString& what) {
            const int w = worst(set);
            if (w == -2) lines << QStringLiteral("%1：%2分类未完成。").arg(what, s->name);
            else if (w >= 0) lines << TResolver(systems, *s, nodules[w], w + 1).Fill(QLatin1String(text));
        };
        if (s->texts.contains(QStringLiteral("group")) && !s->groupBy.isEmpty()) {
            QStringList values;
            QHash<QString, QList<int>> members;
            for (int i = 0; i < nodules.size(); ++i) {
                const QString v = nodules[i].value(s->groupBy);
                if (!members.contains(v)) values << v;
                members[v] << i;
            }
            for (const QString& v : values) {
                const TAssistFeature* f = s->Feature(s->groupBy);
                const QString label = v.isEmpty() ? QStringLiteral("%1%2").arg(f->label, kUnanswered) : AssistValueText(*f, v);
                line(members.value(v), "group", label);
            }
        }
        if (s->texts.contains(QStringLiteral("overall")) && !nodules.isEmpty()) {
            QList<int> all;
            for (int i = 0; i < nodules.size(); ++i) all << i;
            line(all, "overall", QStringLiteral("综合评估"));
        }
    }
    return lines;
}

QStringList AssistProblems(const TAssistSystems& systems, const QList<TAssistNodule>& nodules)
{
    QStringList out;
    const TAssistRules* finder = FirstWith(systems, "finding");
    for (int i = 0; i < nodules.size(); ++i) {
        const QString who = QStringLiteral("结节%1").arg(i + 1);
        QStringList missing;
        if (finder) {
            for (const QString& p : AssistTemplatePlaceholders(finder->texts.value(QStringLiteral("finding")), nullptr)) {
                const TAssistFeature* f = FindAssistFeature(systems, p);
                if (f && nodules[i].value(p).isEmpty() && !missing.contains(f->label)) missing << f->label;
            }
        }
        for (const TAssistRules* s : systems) {
            const TAssistResult r = EvaluateAssist(*s, nodules[i]);
            for (const QString& m : r.missing)
                if (!missing.contains(m)) missing << m;
            if (r.state == TAssistResult::State::Undefined) out << QStringLiteral("%1：%2未定义：%3").arg(who, s->name, r.message);
            if (!r.adviceMissing.isEmpty() && !missing.contains(r.adviceMissing)) missing << r.adviceMissing;
        }
        if (!missing.isEmpty()) out << QStringLiteral("%1：缺少%2").arg(who, missing.join(QStringLiteral("、")));
    }
    return out;
}
