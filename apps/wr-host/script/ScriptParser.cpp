// SPDX-License-Identifier: MIT
#include "script/ScriptParser.h"
#include "pickers/PickerKind.h"

namespace {

// How a command's line is split: a number of words, then optionally the rest as a text.
struct TCommandShape {
    const char* name;
    int minWords;
    int maxWords;
    bool text;          // the rest of the line after maxWords words is one text
    bool textRequired;
};

constexpr TCommandShape kShapes[] = {
    {"open", 1, 1, false, false},
    {"unlock", 0, 0, false, false},
    {"lock", 0, 0, false, false},
    {"set", 1, 1, true, false},
    {"check", 2, 2, false, false},
    {"click", 1, 1, false, false},
    {"focus", 1, 1, false, false},
    {"answer", 1, 1, false, false},
    {"pick", 1, 1, true, true},
    {"save", 0, 1, false, false},
    {"dump", 0, 0, true, false},
    {"config", 3, 3, true, false},
    {"expect", 1, 1, true, false},
    {"screenshot", 0, 0, true, true},
    {"wait", 1, 1, false, false},
    {"echo", 0, 0, true, false},
    {"sign", 0, 0, false, false},
    {"withdraw", 0, 0, false, false},
    {"preview", 0, 0, false, false},
    {"print", 0, 0, true, false},
    {"pdf", 0, 0, true, true},
    {"history", 1, 2, false, false},
    {"lock-screen", 0, 0, false, false},
    {"unlock-screen", 0, 1, false, false},
    {"switch-user", 0, 0, true, true},
};

const TCommandShape* FindShape(const QString& name)
{
    for (const auto& s : kShapes)
        if (name == QLatin1String(s.name)) return &s;
    return nullptr;
}

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

QString CheckArguments(const TScriptCommand& c)
{
    auto oneOf = [](const QString& v, std::initializer_list<const char*> allowed) {
        for (const char* a : allowed)
            if (v == QLatin1String(a)) return true;
        return false;
    };
    if (c.name == QLatin1String("check") && !oneOf(c.args.at(1), {"on", "off"}))
        return QStringLiteral("check needs 'on' or 'off', not '%1'").arg(c.args.at(1));
    // A message box's button, or the id of a choice window's choice.
    if (c.name == QLatin1String("answer")
        && !oneOf(c.args.at(0), {"yes", "no", "close", "ok", "cancel", "save", "discard", "keep-mine", "take-theirs",
                                 "password", "wrong-password"}))
        return QStringLiteral("answer needs yes, no, close, ok, cancel, save, discard, keep-mine, take-theirs, password or "
                              "wrong-password, not '%1'")
            .arg(c.args.at(0));
    if (c.name == QLatin1String("wait")) {
        bool ok = false;
        const int ms = c.args.at(0).toInt(&ok);
        if (!ok || ms < 0 || ms > 600000) return QStringLiteral("wait needs milliseconds (0 to 600000), not '%1'").arg(c.args.at(0));
    }
    if (c.name == QLatin1String("history")) {
        const QString& what = c.args.at(0);
        bool number = c.args.size() == 2;
        if (number) c.args.at(1).toUInt(&number);
        if (what == QLatin1String("list") ? c.args.size() != 1 : !(oneOf(what, {"show", "diff", "restore"}) && number))
            return QStringLiteral("history needs 'list', or 'show', 'diff' or 'restore' with a version number");
    }
    if (c.name == QLatin1String("unlock-screen") && !c.args.isEmpty() && c.args.at(0) != QLatin1String("wrong"))
        return QStringLiteral("unlock-screen takes nothing or 'wrong', not '%1'").arg(c.args.at(0));
    if (c.name == QLatin1String("save") && !c.args.isEmpty() && c.args.at(0) != QLatin1String("expect-error"))
        return QStringLiteral("save takes nothing or 'expect-error', not '%1'").arg(c.args.at(0));
    if (c.name == QLatin1String("pick") && !PickerKindFromName(c.args.at(0)))
        return QStringLiteral("unknown picker '%1' (pickers: %2)").arg(c.args.at(0), PickerNames().join(QLatin1String(", ")));
    if (c.name == QLatin1String("config")) {
        if (c.args.at(0) == QLatin1String("get")) {
            if (c.hasText) return QStringLiteral("config get takes a section and a key only");
        } else if (c.args.at(0) != QLatin1String("set")) {
            return QStringLiteral("config needs 'get' or 'set', not '%1'").arg(c.args.at(0));
        }
    }
    return {};
}

} // namespace

QStringList ScriptCommandNames()
{
    QStringList names;
    for (const auto& s : kShapes) names << QLatin1String(s.name);
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
        const TCommandShape* shape = FindShape(name);
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
        const QString bad = CheckArguments(c);
        if (!bad.isEmpty()) return fail(bad);
        r.commands << c;
    }
    return r;
}
