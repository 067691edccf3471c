// SPDX-License-Identifier: MIT
#include "Database.h"
#include "LogText.h"

bool TDbValue::IsNull() const { return m_value.isNull() || !m_value.isValid(); }

QString TDbValue::AsString() const { return IsNull() ? QString() : m_value.toString(); }

int TDbValue::AsInteger() const
{
    if (IsNull()) return 0;
    bool ok = false;
    const int v = m_value.toInt(&ok);
    if (!ok) {
        // Integral values stored as text with blanks, or as floating point with no fraction.
        // A damaged row may hold anything here: the message quotes only an excerpt.
        const QString s = m_value.toString().trimmed();
        const int t = s.toInt(&ok);
        if (ok) return t;
        throw EConvertError(QStringLiteral("'%1' is not a valid integer value").arg(LogExcerpt(s)));
    }
    return v;
}

TDateTime TDbValue::AsDateTime() const
{
    if (IsNull()) return 0.0;
    if (m_value.typeId() == QMetaType::QDateTime) return QDateTimeToDateTime(m_value.toDateTime());
    if (m_value.typeId() == QMetaType::QDate) return QDateTimeToDateTime(m_value.toDate().startOfDay());
    if (m_value.typeId() == QMetaType::Double || m_value.typeId() == QMetaType::Float) return m_value.toDouble();
    const QString s = m_value.toString().trimmed();
    if (s.isEmpty()) return 0.0;
    QDateTime dt = QDateTime::fromString(s, Qt::ISODateWithMs);
    if (!dt.isValid()) dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    if (!dt.isValid()) dt = QDateTime::fromString(s, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid()) {
        const QDate d = QDate::fromString(s, Qt::ISODate);
        if (d.isValid()) dt = d.startOfDay();
    }
    if (!dt.isValid()) throw EConvertError(QStringLiteral("'%1' is not a valid date and time").arg(LogExcerpt(s)));
    return QDateTimeToDateTime(dt);
}

bool TDbValue::AsBoolean() const
{
    if (IsNull()) return false;
    switch (m_value.typeId()) {
    case QMetaType::Bool: return m_value.toBool();
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::UInt: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort: case QMetaType::Char: case QMetaType::UChar:
        return m_value.toLongLong() != 0;
    case QMetaType::Double: case QMetaType::Float: return m_value.toDouble() != 0.0;
    default: break;
    }
    const QString s = m_value.toString().trimmed();
    if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
    if (s.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0 || s.isEmpty()) return false;
    bool ok = false;
    const double d = s.toDouble(&ok);
    if (ok) return d != 0.0;
    throw EConvertError(QStringLiteral("'%1' is not a valid boolean value").arg(LogExcerpt(s)));
}

void TDbParameter::SetAsString(const QString& v) { Value = TDbValue(QVariant(v)); }
void TDbParameter::SetAsInteger(int v) { Value = TDbValue(QVariant(v)); }
void TDbParameter::SetAsDateTime(TDateTime v) { Value = TDbValue(QVariant(DateTimeToQDateTime(v))); }
void TDbParameter::SetAsBoolean(bool v) { Value = TDbValue(QVariant(v)); }
void TDbParameter::LoadFromBytes(const QByteArray& bytes) { Value = TDbValue(QVariant(QString::fromLatin1(bytes))); }

TDbParameter* TDbStoredProc::FindParam(const QString& name)
{
    for (auto& p : m_params)
        if (p.Name.compare(name, Qt::CaseInsensitive) == 0) return &p;
    return nullptr;
}

TDbParameter& TDbStoredProc::ParamByName(const QString& name)
{
    if (TDbParameter* p = FindParam(name)) return *p;
    throw EDatabaseError(QStringLiteral("Parameter '%1' not found in procedure %2").arg(name, m_name));
}

TRowStamping TDbConnection::RowStamping() const { return RowStampingOf(Dialect()); }

TRowStamping RowStampingOf(const QString& dialect)
{
    if (dialect == QLatin1String("sqlserver")) return TRowStamping::ServerRowVersion;
    // SQLite's triggers cannot assign NEW.x; raising the column would take a second UPDATE.
    if (dialect == QLatin1String("sqlite")) return TRowStamping::SeparateTable;
    return TRowStamping::TriggerSetsColumn;
}

QString QuotedStr(const QString& s)
{
    QString r = s;
    r.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + r + QLatin1Char('\'');
}

void TDbConnection::BeginTransaction()
{
    throw EDatabaseError(QStringLiteral("%1 cannot hold a transaction across calls").arg(Description()));
}

void TDbConnection::CommitTransaction()
{
    throw EDatabaseError(QStringLiteral("%1: no transaction is open").arg(Description()));
}

void TDbConnection::RollbackTransaction() noexcept {}
