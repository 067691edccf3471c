// SPDX-License-Identifier: MIT
// A query whose whole result is held in memory once it is opened: the row count is exact,
// First/Next walk the rows, and the statement holds no database lock afterwards. Backends
// derive from it and hand over the fetched result with SetResult.
#pragma once
#include "Database.h"
#include <vector>

class WR_PLATFORM_EXPORT TBufferedQuery : public TDbQuery {
public:
    void Close() override;
    bool Active() const override { return m_active; }
    int RecordCount() const override { return static_cast<int>(m_rows.size()); }
    void First() override { m_pos = 0; }
    void Next() override;
    bool Eof() const override { return m_pos >= m_rows.size(); }
    // Case-insensitive; past the last row every field reads as NULL, as on an empty data set.
    // EDatabaseError when the query is not open or has no such column.
    TDbValue FieldByName(const QString& name) const override;
    QStringList FieldNames() const override { return m_columns; }

protected:
    // Makes the query active on this result, positioned on the first row.
    void SetResult(QStringList columns, std::vector<QVariantList> rows);

private:
    bool m_active = false;
    QStringList m_columns;
    std::vector<QVariantList> m_rows;
    size_t m_pos = 0;
};
