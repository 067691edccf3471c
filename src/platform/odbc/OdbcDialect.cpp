// SPDX-License-Identifier: MIT
#include "OdbcDialect.h"

namespace {

bool IsIdentChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.unicode() >= 0x80;
}

// Length of a dollar-quote opener "$tag$" starting at i, or 0 when none starts there.
qsizetype DollarTagLength(const QString& s, qsizetype i)
{
    if (s.at(i) != QLatin1Char('$')) return 0;
    if (i > 0 && IsIdentChar(s.at(i - 1))) return 0;  // part of a name like a$b
    qsizetype j = i + 1;
    if (j < s.size() && s.at(j).isDigit()) return 0;  // $1 is a positional parameter
    while (j < s.size() && (s.at(j).isLetterOrNumber() || s.at(j) == QLatin1Char('_'))) ++j;
    if (j < s.size() && s.at(j) == QLatin1Char('$')) return j - i + 1;
    return 0;
}

QString LowerAscii(const QString& s)
{
    QString r = s;
    for (QChar& c : r)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) c = QChar(c.unicode() + 32);
    return r;
}

// End of a quoted run closed by `close` (doubled to stand for itself), from just after its
// opener: just past the closing character, or the text's end when it is never closed.
qsizetype QuotedRunEnd(const QString& sql, qsizetype from, QChar close)
{
    const qsizetype n = sql.size();
    qsizetype j = from;
    while (j < n) {
        if (sql.at(j) == close) {
            if (j + 1 < n && sql.at(j + 1) == close) { j += 2; continue; }
            return j + 1;
        }
        ++j;
    }
    return n;
}

} // namespace

QString RewriteBracketIdentifiers(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 8);
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto copyUntil = [&](qsizetype end) { out += QStringView(sql).mid(i, end - i); i = end; };

    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            // Literal or quoted identifier; a doubled quote stays inside.
            qsizetype j = i + 1;
            while (j < n) {
                if (sql.at(j) == c) {
                    if (j + 1 < n && sql.at(j + 1) == c) { j += 2; continue; }
                    ++j;
                    break;
                }
                ++j;
            }
            if (j > n) j = n;
            copyUntil(j);
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            qsizetype j = sql.indexOf(QLatin1Char('\n'), i);
            copyUntil(j < 0 ? n : j + 1);
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            int depth = 0;
            qsizetype j = i;
            while (j < n) {
                if (sql.at(j) == QLatin1Char('/') && j + 1 < n && sql.at(j + 1) == QLatin1Char('*')) { ++depth; j += 2; }
                else if (sql.at(j) == QLatin1Char('*') && j + 1 < n && sql.at(j + 1) == QLatin1Char('/')) {
                    j += 2;
                    if (--depth == 0) break;
                } else ++j;
            }
            copyUntil(j);
        } else if (const qsizetype tag = DollarTagLength(sql, i)) {
            const QString opener = sql.mid(i, tag);
            const qsizetype close = sql.indexOf(opener, i + tag);
            copyUntil(close < 0 ? n : close + tag);
        } else if (c == QLatin1Char('[')) {
            QString name;
            qsizetype j = i + 1;
            bool closed = false;
            while (j < n) {
                if (sql.at(j) == QLatin1Char(']')) {
                    if (j + 1 < n && sql.at(j + 1) == QLatin1Char(']')) { name += QLatin1Char(']'); j += 2; continue; }
                    closed = true;
                    ++j;
                    break;
                }
                name += sql.at(j++);
            }
            if (!closed) { copyUntil(n); break; }
            out += QuotePostgreSqlIdentifier(LowerAscii(name));
            i = j;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString AddNationalLiteralPrefixes(const QString& sql)
{
    QString out;
    out.reserve(sql.size() + 8);
    const qsizetype n = sql.size();
    qsizetype i = 0;
    auto copyUntil = [&](qsizetype end) { out += QStringView(sql).mid(i, end - i); i = end; };
    auto runEnd = [&](qsizetype from, QChar close) { return QuotedRunEnd(sql, from, close); };

    while (i < n) {
        const QChar c = sql.at(i);
        if (c == QLatin1Char('\'')) {
            const qsizetype end = runEnd(i + 1, c);
            bool wide = false;
            for (qsizetype j = i + 1; j < end && !wide; ++j) wide = sql.at(j).unicode() > 0x7F;
            // A letter or digit right before the quote is N (already national) or part of a
            // name; either way the literal is not ours to change.
            const bool prefixed = i > 0 && IsIdentChar(sql.at(i - 1));
            if (wide && !prefixed) out += QLatin1Char('N');
            copyUntil(end);
        } else if (c == QLatin1Char('"')) {
            copyUntil(runEnd(i + 1, c));
        } else if (c == QLatin1Char('[')) {
            copyUntil(runEnd(i + 1, QLatin1Char(']')));
        } else if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            const qsizetype j = sql.indexOf(QLatin1Char('\n'), i);
            copyUntil(j < 0 ? n : j + 1);
        } else if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            // T-SQL comments nest.
            int depth = 0;
            qsizetype j = i;
            while (j < n) {
                if (sql.at(j) == QLatin1Char('/') && j + 1 < n && sql.at(j + 1) == QLatin1Char('*')) { ++depth; j += 2; }
                else if (sql.at(j) == QLatin1Char('*') && j + 1 < n && sql.at(j + 1) == QLatin1Char('/')) {
                    j += 2;
                    if (--depth == 0) break;
                } else ++j;
            }
            copyUntil(j);
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

QString QuoteSqlServerIdentifier(const QString& name)
{
    QString r = name;
    r.replace(QLatin1Char(']'), QLatin1String("]]"));
    return QLatin1Char('[') + r + QLatin1Char(']');
}

QString QuotePostgreSqlIdentifier(const QString& name)
{
    QString r = name;
    r.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + r + QLatin1Char('"');
}

TDbFieldType OdbcFieldTypeFromServerType(const QString& typeName, bool unbounded)
{
    const QString t = typeName.toLower();
    auto starts = [&](const char* p) { return t.startsWith(QLatin1String(p)); };
    if (t == QLatin1String("text") || t == QLatin1String("ntext")) return TDbFieldType::Memo;
    if (t.contains(QLatin1String("char")) || t == QLatin1String("sysname") || t == QLatin1String("xml")
        || t == QLatin1String("uniqueidentifier"))
        return unbounded ? TDbFieldType::Memo : TDbFieldType::String;
    if (t == QLatin1String("bit") || t == QLatin1String("boolean")) return TDbFieldType::Boolean;
    if (t == QLatin1String("int") || t == QLatin1String("integer") || t == QLatin1String("smallint")
        || t == QLatin1String("tinyint") || t == QLatin1String("bigint"))
        return TDbFieldType::Integer;
    if (starts("date") || starts("time") || t == QLatin1String("smalldatetime")) return TDbFieldType::DateTime;
    if (t == QLatin1String("float") || t == QLatin1String("real") || starts("double") || starts("decimal")
        || starts("numeric") || t.contains(QLatin1String("money")))
        return TDbFieldType::Float;
    return TDbFieldType::Unknown;
}

QString SqlServerTypeText(const QString& typeName, int maxLength, int precision, int scale)
{
    const QString t = typeName.toLower();
    if (t == QLatin1String("nvarchar") || t == QLatin1String("nchar"))
        return maxLength < 0 ? typeName + QLatin1String("(max)") : QStringLiteral("%1(%2)").arg(typeName).arg(qMax(1, maxLength / 2));
    if (t == QLatin1String("varchar") || t == QLatin1String("char") || t == QLatin1String("varbinary") || t == QLatin1String("binary"))
        return maxLength < 0 ? typeName + QLatin1String("(max)") : QStringLiteral("%1(%2)").arg(typeName).arg(qMax(1, maxLength));
    if (t == QLatin1String("decimal") || t == QLatin1String("numeric"))
        return QStringLiteral("%1(%2,%3)").arg(typeName).arg(precision).arg(scale);
    if (t == QLatin1String("datetime2") || t == QLatin1String("time") || t == QLatin1String("datetimeoffset"))
        return QStringLiteral("%1(%2)").arg(typeName).arg(scale);
    return typeName;
}

QString DefaultTypeText(TOdbcDialect dialect, TDbFieldType type)
{
    const bool ms = dialect == TOdbcDialect::SqlServer;
    switch (type) {
    case TDbFieldType::Integer: return ms ? QStringLiteral("int") : QStringLiteral("integer");
    case TDbFieldType::Boolean: return ms ? QStringLiteral("bit") : QStringLiteral("boolean");
    case TDbFieldType::DateTime: return ms ? QStringLiteral("datetime2(3)") : QStringLiteral("timestamp(3)");
    case TDbFieldType::Float: return ms ? QStringLiteral("float") : QStringLiteral("double precision");
    default: return ms ? QStringLiteral("nvarchar(max)") : QStringLiteral("text");
    }
}

void SplitProcedureName(const QString& full, QString& schema, QString& name)
{
    // Split on the last dot outside brackets or quotes, then strip one level of quoting.
    qsizetype dot = -1;
    QChar quote;
    for (qsizetype i = 0; i < full.size(); ++i) {
        const QChar c = full.at(i);
        if (!quote.isNull()) {
            if ((quote == QLatin1Char('[') && c == QLatin1Char(']')) || (quote == QLatin1Char('"') && c == QLatin1Char('"')))
                quote = QChar();
        } else if (c == QLatin1Char('[') || c == QLatin1Char('"')) {
            quote = c;
        } else if (c == QLatin1Char('.')) {
            dot = i;
        }
    }
    auto unquote = [](QString s) {
        s = s.trimmed();
        if (s.size() >= 2 && ((s.front() == QLatin1Char('[') && s.back() == QLatin1Char(']'))
                              || (s.front() == QLatin1Char('"') && s.back() == QLatin1Char('"'))))
            s = s.mid(1, s.size() - 2);
        return s;
    };
    schema = dot < 0 ? QString() : unquote(full.left(dot));
    name = unquote(dot < 0 ? full : full.mid(dot + 1));
    // A trailing ";1" (procedure group number) names the same procedure.
    if (name.endsWith(QLatin1String(";1"))) name.chop(2);
}

QString SqlServerProcedureCatalogueSql()
{
    // One row per parameter, or one row with a NULL name for a procedure without any.
    // Bound: the procedure name as given (OBJECT_ID resolves the caller's default schema).
    return QStringLiteral(
        "SELECT OBJECT_SCHEMA_NAME(o.object_id) AS schema_name, o.name AS proc_name, o.type AS kind,"
        " p.name AS param_name, TYPE_NAME(p.user_type_id) AS type_name, p.max_length, p.precision, p.scale,"
        " p.is_output, p.parameter_id"
        " FROM sys.objects AS o LEFT JOIN sys.parameters AS p ON p.object_id = o.object_id"
        " WHERE o.object_id = OBJECT_ID(?) AND o.type IN ('P', 'PC')"
        " ORDER BY p.parameter_id");
}

QString PostgreSqlProcedureCatalogueSql()
{
    // pg_proc rather than information_schema.parameters: format_type gives the exact type
    // text to cast each placeholder to, and prokind tells procedures from functions.
    // Bound: name, schema, schema, schema (empty schema = the search path).
    return QStringLiteral(
        "SELECT n.nspname AS schema_name, p.proname AS proc_name, p.prokind::text AS kind, p.oid::bigint AS proc_id,"
        " a.ord AS param_ord, a.argname AS param_name, coalesce(a.argmode, 'i') AS param_mode,"
        " format_type(a.argtype, NULL) AS type_name"
        " FROM pg_catalog.pg_proc AS p"
        " JOIN pg_catalog.pg_namespace AS n ON n.oid = p.pronamespace"
        " LEFT JOIN LATERAL unnest(coalesce(p.proallargtypes, p.proargtypes::oid[]), p.proargnames, p.proargmodes::text[])"
        "   WITH ORDINALITY AS a(argtype, argname, argmode, ord) ON true"
        " WHERE lower(p.proname) = lower(CAST(? AS text)) AND p.prokind IN ('p', 'f')"
        "   AND n.nspname NOT IN ('pg_catalog', 'information_schema')"
        "   AND (CAST(? AS text) = '' OR lower(n.nspname) = lower(CAST(? AS text)))"
        "   AND (CAST(? AS text) <> '' OR n.nspname = ANY (current_schemas(false)))"
        " ORDER BY p.oid, a.ord");
}

TOdbcCall BuildProcedureCall(TOdbcDialect dialect, const TOdbcProcInfo& proc, const QList<TOdbcParamInfo>& params)
{
    TOdbcCall call;
    auto typeOf = [&](const TOdbcParamInfo& p) { return p.typeText.isEmpty() ? DefaultTypeText(dialect, TDbFieldType::String) : p.typeText; };

    if (dialect == TOdbcDialect::SqlServer) {
        QString declare, args, select;
        QString target = proc.schema.isEmpty() ? QuoteSqlServerIdentifier(proc.name)
                                               : QuoteSqlServerIdentifier(proc.schema) + QLatin1Char('.') + QuoteSqlServerIdentifier(proc.name);
        int var = 0;
        QString returnVar;
        for (int i = 0; i < params.size(); ++i) {
            const TOdbcParamInfo& p = params.at(i);
            if (p.direction == TParamDirection::ReturnValue) {
                returnVar = QStringLiteral("@wr_rv");
                declare += QStringLiteral("DECLARE @wr_rv int;\n");
                select += (select.isEmpty() ? QString() : QStringLiteral(", ")) + QStringLiteral("@wr_rv AS ") + QuoteSqlServerIdentifier(QLatin1Char('@') + p.name);
                continue;
            }
            const QString argName = QLatin1Char('@') + p.name;
            if (!args.isEmpty()) args += QStringLiteral(", ");
            if (p.direction == TParamDirection::Input) {
                args += argName + QStringLiteral(" = ?");
                continue;
            }
            const QString v = QStringLiteral("@wr_o%1").arg(++var);
            declare += QStringLiteral("DECLARE %1 %2 = ?;\n").arg(v, typeOf(p));
            call.bindOrder << i;
            args += argName + QStringLiteral(" = ") + v + QStringLiteral(" OUTPUT");
            select += (select.isEmpty() ? QString() : QStringLiteral(", ")) + v + QStringLiteral(" AS ") + QuoteSqlServerIdentifier(argName);
        }
        // Inputs bind after the DECLAREs, in EXEC order.
        for (int i = 0; i < params.size(); ++i)
            if (params.at(i).direction == TParamDirection::Input) call.bindOrder << i;
        call.sql = QStringLiteral("SET NOCOUNT ON;\n") + declare + QStringLiteral("EXEC ")
                   + (returnVar.isEmpty() ? QString() : returnVar + QStringLiteral(" = ")) + target
                   + (args.isEmpty() ? QString() : QLatin1Char(' ') + args) + QStringLiteral(";\n");
        if (!select.isEmpty()) call.sql += QStringLiteral("SELECT ") + select + QStringLiteral(";\n");
        return call;
    }

    QString args;
    for (int i = 0; i < params.size(); ++i) {
        const TOdbcParamInfo& p = params.at(i);
        if (p.direction == TParamDirection::ReturnValue) continue;
        if (proc.isFunction && p.direction == TParamDirection::Output) continue;
        if (!args.isEmpty()) args += QStringLiteral(", ");
        if (!p.name.isEmpty()) args += QuotePostgreSqlIdentifier(p.name) + QStringLiteral(" => ");
        args += QStringLiteral("CAST(? AS %1)").arg(typeOf(p));
        call.bindOrder << i;
    }
    const QString target = (proc.schema.isEmpty() ? QString() : QuotePostgreSqlIdentifier(proc.schema) + QLatin1Char('.'))
                           + QuotePostgreSqlIdentifier(proc.name);
    call.sql = (proc.isFunction ? QStringLiteral("SELECT * FROM ") : QStringLiteral("CALL ")) + target
               + QLatin1Char('(') + args + QLatin1Char(')');
    return call;
}

bool IsLockTimeoutError(TOdbcDialect dialect, const QString& nativeCode, const QString& text)
{
    if (dialect == TOdbcDialect::SqlServer) {
        // The server's message is in its own language; the error number is not.
        const QStringList codes = nativeCode.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (const QString& c : codes)
            if (c.trimmed() == QLatin1String("1222")) return true;
        return text.contains(QLatin1String("Lock request time out period exceeded"), Qt::CaseInsensitive);
    }
    // psqlodbc passes the server's SQL state on in the text; the words are the server's.
    return text.contains(QLatin1String("55P03")) || text.contains(QLatin1String("due to lock timeout"), Qt::CaseInsensitive);
}

QString LockTimeoutStatement(TOdbcDialect dialect, int ms)
{
    if (dialect == TOdbcDialect::SqlServer) return QStringLiteral("SET LOCK_TIMEOUT %1").arg(ms > 0 ? ms : -1);
    return QStringLiteral("SET lock_timeout = %1").arg(qMax(0, ms));
}

bool IsSingleReadStatement(const QString& sql)
{
    // Words that begin a statement other than a read (UPDATE only when not in FOR UPDATE).
    static const QStringList kOtherStatements{
        QStringLiteral("insert"), QStringLiteral("update"),   QStringLiteral("delete"),  QStringLiteral("merge"),
        QStringLiteral("exec"),   QStringLiteral("execute"),  QStringLiteral("call"),    QStringLiteral("declare"),
        QStringLiteral("set"),    QStringLiteral("create"),   QStringLiteral("alter"),   QStringLiteral("drop"),
        QStringLiteral("truncate"), QStringLiteral("begin"),  QStringLiteral("commit"),  QStringLiteral("rollback"),
        QStringLiteral("grant"),  QStringLiteral("revoke"),   QStringLiteral("if"),      QStringLiteral("while"),
        QStringLiteral("print"),  QStringLiteral("raiserror"), QStringLiteral("throw"),  QStringLiteral("do"),
        QStringLiteral("copy"),   QStringLiteral("lock"),     QStringLiteral("vacuum"),  QStringLiteral("use")};
    const qsizetype n = sql.size();
    qsizetype i = 0;
    QString first, previous;
    bool ended = false;  // a ';' has closed the statement
    auto runEnd = [&](qsizetype from, QChar close) { return QuotedRunEnd(sql, from, close); };
    while (i < n) {
        const QChar c = sql.at(i);
        if (c.isSpace()) { ++i; continue; }
        if (c == QLatin1Char('-') && i + 1 < n && sql.at(i + 1) == QLatin1Char('-')) {
            const qsizetype j = sql.indexOf(QLatin1Char('\n'), i);
            i = j < 0 ? n : j + 1;
            continue;
        }
        if (c == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) {
            int depth = 0;
            while (i < n) {
                if (sql.at(i) == QLatin1Char('/') && i + 1 < n && sql.at(i + 1) == QLatin1Char('*')) { ++depth; i += 2; }
                else if (sql.at(i) == QLatin1Char('*') && i + 1 < n && sql.at(i + 1) == QLatin1Char('/')) {
                    i += 2;
                    if (--depth == 0) break;
                } else ++i;
            }
            continue;
        }
        if (ended) return false;  // something after the ';'
        if (c == QLatin1Char(';')) { ended = true; ++i; continue; }
        if (first.isEmpty() && !IsIdentChar(c)) return false;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) { i = runEnd(i + 1, c); previous.clear(); continue; }
        if (c == QLatin1Char('[')) { i = runEnd(i + 1, QLatin1Char(']')); previous.clear(); continue; }
        if (const qsizetype tag = DollarTagLength(sql, i)) {
            const qsizetype close = sql.indexOf(sql.mid(i, tag), i + tag);
            i = close < 0 ? n : close + tag;
            previous.clear();
            continue;
        }
        if (IsIdentChar(c) && c != QLatin1Char('$')) {
            qsizetype j = i;
            while (j < n && (IsIdentChar(sql.at(j)) || sql.at(j) == QLatin1Char('$'))) ++j;
            const QString word = LowerAscii(sql.mid(i, j - i));
            const bool quotedBefore = i > 0 && (sql.at(i - 1) == QLatin1Char('.') || sql.at(i - 1) == QLatin1Char('@'));
            if (first.isEmpty()) {
                if (word != QLatin1String("select") && word != QLatin1String("with")) return false;
                first = word;
            } else if (!quotedBefore && kOtherStatements.contains(word)
                       && !(word == QLatin1String("update") && previous == QLatin1String("for"))) {
                return false;
            }
            previous = word;
            i = j;
            continue;
        }
        previous.clear();
        ++i;
    }
    return !first.isEmpty();
}
