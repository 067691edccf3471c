// SPDX-License-Identifier: MIT
// Small helpers shared by the report operations.
#pragma once
#include "platform/Database.h"
#include <QString>

namespace report_text {

// A text field counts as empty when nothing but characters up to code 32 is left.
inline bool IsBlank(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() > 32) return false;
    return true;
}

// The text without the characters up to code 32 at either end (spaces, tabs, line breaks),
// as stored texts are compared and shown without their padding.
inline QString TrimText(const QString& s)
{
    qsizetype b = 0, e = s.size();
    while (b < e && s.at(b).unicode() <= 32) ++b;
    while (e > b && s.at(e - 1).unicode() <= 32) --e;
    return (b == 0 && e == s.size()) ? s : s.mid(b, e - b);
}

// An empty text as a non-null QString: database drivers send a null QString as NULL, and
// the saved row must hold '' where the record holds an empty text.
inline QString NonNull(const QString& s) { return s.isNull() ? QStringLiteral("") : s; }

// The connection the host handed out, or EDatabaseError when it handed out none.
inline TDbConnection& RequireConnection(TDbConnection* connection)
{
    if (!connection) throw EDatabaseError(QStringLiteral("The host supplied no database connection"));
    return *connection;
}

} // namespace report_text
