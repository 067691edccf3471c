// SPDX-License-Identifier: MIT
#include "BufferedQuery.h"

void TBufferedQuery::Close()
{
    m_active = false;
    m_columns.clear();
    m_rows.clear();
    m_pos = 0;
}

void TBufferedQuery::Next()
{
    if (m_pos < m_rows.size()) ++m_pos;
}

TDbValue TBufferedQuery::FieldByName(const QString& name) const
{
    if (!m_active) throw EDatabaseError(QStringLiteral("Cannot read field '%1': the query is not open").arg(name));
    for (qsizetype c = 0; c < m_columns.size(); ++c) {
        if (m_columns.at(c).compare(name, Qt::CaseInsensitive) != 0) continue;
        return Eof() ? TDbValue() : TDbValue(m_rows[m_pos].at(c));
    }
    throw EDatabaseError(QStringLiteral("Field '%1' not found").arg(name));
}

void TBufferedQuery::SetResult(QStringList columns, std::vector<QVariantList> rows)
{
    m_columns = std::move(columns);
    m_rows = std::move(rows);
    m_pos = 0;
    m_active = true;
}
