// SPDX-License-Identifier: MIT
#include "UserMessages.h"
#include <QRegularExpression>

bool IsConnectionError(const QString& technical)
{
    // Driver and server wordings (SQL Server's ODBC drivers, FreeTDS, psqlodbc, Qt's ODBC
    // plug-in) and the SQL states of connection failures (class 08, HYT00/HYT01 time-outs).
    static const QRegularExpression re(
        QStringLiteral("communication link|connection (is )?(closed|lost|reset|refused|failure|dead|broken|has been closed)"
                       "|server closed the connection|could not connect|cannot connect|unable to connect|lost connection"
                       "|no connection to the server|terminating connection|TCP Provider|Named Pipes Provider"
                       "|SQLFetchScroll|broken pipe|network (error|is unreachable)|login timeout|timeout expired"
                       "|\\b08(001|003|004|007|S01|006)\\b|\\bHYT0[01]\\b"),
        QRegularExpression::CaseInsensitiveOption);
    return re.match(technical).hasMatch();
}

QString WithoutSql(const QString& technical)
{
    static const QRegularExpression sql(QStringLiteral("\\s*\\(SQL:[^()]*(\\([^()]*\\)[^()]*)*\\)"));
    QString t = technical;
    t.remove(sql);
    return t.trimmed();
}

QString DatabaseErrorForUser(const QString& technical)
{
    if (technical.trimmed().isEmpty()) return {};
    if (IsConnectionError(technical))
        return QStringLiteral("与数据库服务器的连接中断了（网络断开，或服务器正在重新启动）。"
                              "请检查网络后再试一次；如果一直不行，请联系信息科。详细信息已记入日志。");
    // "异常:" marks an error line in the editor's log; the doctor reads what follows it.
    static const QRegularExpression marker(QStringLiteral("(^|; )异常:"));
    QString text = WithoutSql(technical);
    text.replace(marker, QStringLiteral("\\1"));
    return (text.isEmpty() ? QStringLiteral("数据库报告了一个错误") : text) + QStringLiteral("（详细信息已记入日志）");
}
