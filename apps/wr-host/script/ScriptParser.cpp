// SPDX-License-Identifier: MIT
#include "script/ScriptParser.h"
#include "script/ScriptCommands.h"

namespace {

// Splits off up to `count` blank-separated words; `rest` gets what follows the separator
// after the last word, untouched.
QStringList TakeWords(const QString& line, int count, QString* rest)
{
    QStringList words;
    int i = 0;
    const int n = line.size();
    while (words.size() < count) {
        while (i < n && line.at(i).isSpace()) ++i;
        if (i >= n) break;
        const int start = i;
        while (i < n && !line.at(i).isSpace()) ++i;
        words << line.mid(start, i - start);
    }
    if (i < n && line.at(i).isSpace()) ++i; // the single separator before the text
    *rest = i < n ? line.mid(i) : QString();
    return words;
}

} // namespace

QStringList ScriptCommandNames()
{
    QStringList names;
    for (const TScriptCommandShape& s : ScriptCommandTable()) names << QLatin1String(s.name);
    return names;
}

QString UnescapeScriptText(const QString& raw, QString* error)
{
    QString s = raw;
    if (s.size() >= 2 && s.startsWith(QLatin1Char('"')) && s.endsWith(QLatin1Char('"'))
        && !s.endsWith(QLatin1String("\\\""))) {
        s = s.mid(1, s.size() - 2);
    }
    QString out;
    out.reserve(s.size());
    for (int i = 0; i < s.size(); ++i) {
        const QChar ch = s.at(i);
        if (ch != QLatin1Char('\\')) {
            out += ch;
            continue;
        }
        if (i + 1 >= s.size()) {
            *error = QStringLiteral("a text ends with a lone backslash (write \\\\ for one)");
            return {};
        }
        const QChar e = s.at(++i);
        if (e == QLatin1Char('n')) out += QLatin1Char('\n');
        else if (e == QLatin1Char('t')) out += QLatin1Char('\t');
        else if (e == QLatin1Char('\\') || e == QLatin1Char('"')) out += e;
        else {
            *error = QStringLiteral("unknown escape \\%1 (known: \\n \\t \\\" \\\\)").arg(e);
            return {};
        }
    }
    return out;
}

TScriptParseResult ParseScript(const QString& source)
{
    TScriptParseResult r;
    const QStringList lines = source.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        // Only leading blanks go: trailing ones may belong to a text.
        int start = 0;
        while (start < line.size() && line.at(start).isSpace()) ++start;
        line = line.mid(start);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;

        auto fail = [&](const QString& message) {
            r.error = QStringLiteral("line %1: %2").arg(n + 1).arg(message);
            r.commands.clear();
            return r;
        };
        QString rest;
        const QString name = TakeWords(line, 1, &rest).constFirst();
        const TScriptCommandShape* shape = FindScriptCommand(name);
        if (!shape)
            return fail(QStringLiteral("unknown command '%1' (commands: %2)").arg(name, ScriptCommandNames().join(QLatin1String(", "))));

        TScriptCommand c;
        c.line = n + 1;
        c.name = name;
        QString text;
        c.args = TakeWords(rest, shape->maxWords, &text);
        if (c.args.size() < shape->minWords)
            return fail(QStringLiteral("'%1' needs %2 argument(s)").arg(name).arg(shape->minWords));
        if (shape->text) {
            // Trailing blanks are an accident of editing; quote a text to keep them.
            QString raw = text;
            while (!raw.isEmpty() && raw.back().isSpace()) raw.chop(1);
            c.hasText = !raw.isEmpty();
            QString error;
            c.text = UnescapeScriptText(raw, &error);
            if (!error.isEmpty()) return fail(error);
            if (shape->textRequired && !c.hasText) return fail(QStringLiteral("'%1' needs a text").arg(name));
        } else if (!text.trimmed().isEmpty()) {
            return fail(QStringLiteral("'%1' takes %2 argument(s); unexpected '%3'").arg(name).arg(shape->maxWords).arg(text.trimmed()));
        }
        if (shape->check) {
            const QString bad = shape->check(c);
            if (!bad.isEmpty()) return fail(bad);
        }
        r.commands << c;
    }
    return r;
}
