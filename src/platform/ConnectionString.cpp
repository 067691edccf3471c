// SPDX-License-Identifier: MIT
#include "ConnectionString.h"

qsizetype OdbcPairEnd(const QString& s, qsizetype from)
{
    qsizetype j = from;
    bool braced = false;
    while (j < s.size()) {
        const QChar c = s.at(j);
        if (braced) {
            if (c == QLatin1Char('}')) {
                if (j + 1 < s.size() && s.at(j + 1) == QLatin1Char('}')) ++j;
                else braced = false;
            }
        } else if (c == QLatin1Char('{')) {
            braced = true;
        } else if (c == QLatin1Char(';')) {
            break;
        }
        ++j;
    }
    return j;
}
