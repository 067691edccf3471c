// SPDX-License-Identifier: MIT
#include "AssistTemplate.h"

namespace {

// Walks the template, calling `literal` for plain text and `field` for each placeholder.
// Returns an error text, or empty.
QString Walk(const QString& t, const std::function<void(const QString&)>& literal,
             const std::function<void(const QString&)>& field)
{
    QString run;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t[i];
        if ((c == QLatin1Char('{') || c == QLatin1Char('}')) && i + 1 < t.size() && t[i + 1] == c) {
            run += c;
            ++i;
        } else if (c == QLatin1Char('{')) {
            const int end = t.indexOf(QLatin1Char('}'), i + 1);
            if (end < 0) return QStringLiteral("a { without its }");
            const QString name = t.mid(i + 1, end - i - 1).trimmed();
            if (name.isEmpty() || name == QLatin1String("=")) return QStringLiteral("an empty placeholder {}");
            if (name.contains(QLatin1Char('{'))) return QStringLiteral("a { inside a placeholder");
            literal(run);
            run.clear();
            field(name);
            i = end;
        } else if (c == QLatin1Char('}')) {
            return QStringLiteral("a } without its {");
        } else {
            run += c;
        }
    }
    literal(run);
    return {};
}

} // namespace

QStringList AssistTemplatePlaceholders(const QString& text, QString* error)
{
    QStringList out;
    const QString e = Walk(text, [](const QString&) {}, [&](const QString& n) { out << n; });
    if (error) *error = e;
    return out;
}

QString FillAssistTemplate(const QString& text, const std::function<QString(const QString&)>& value,
                           const QHash<QString, QString>& texts, int depth)
{
    QString out;
    Walk(text, [&](const QString& s) { out += s; },
         [&](const QString& n) {
             if (!n.startsWith(QLatin1Char('='))) out += value(n);
             else if (depth < 16) out += FillAssistTemplate(texts.value(n.mid(1)), value, texts, depth + 1);
         });
    return out;
}
