// SPDX-License-Identifier: MIT
#include "app/ConfigStore.h"
#include "platform/Exception.h"
#include "platform/IniFile.h"
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TConfigStore::TConfigStore(QString fileName, TLogFn log) : m_fileName(std::move(fileName)), m_log(std::move(log)) {}

QString TConfigStore::DefaultFileName()
{
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    if (user.isEmpty()) user = QStringLiteral("default");
    // A user name never leaves the configuration folder.
    user.replace(QLatin1Char('/'), QLatin1Char('_')).replace(QLatin1Char('\\'), QLatin1Char('_'));
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QLatin1Char('/') + user
        + QLatin1String(".ini");
}

QString TConfigStore::NormalizeSection(const QString& sectionPath)
{
    QString s = sectionPath.trimmed();
    while (s.startsWith(QLatin1Char('/'))) s.remove(0, 1);
    while (s.endsWith(QLatin1Char('/'))) s.chop(1);
    return s;
}

QString TConfigStore::ReadString(const QString& section, const QString& key) const
{
    try {
        return TIniFile(m_fileName).ReadString(NormalizeSection(section), key, QString());
    } catch (const Exception& e) {
        if (m_log) m_log(QStringLiteral("TConfigStore"), QStringLiteral("cannot read %1: %2").arg(m_fileName, e.Message()));
        return {};
    }
}

int TConfigStore::ReadInteger(const QString& section, const QString& key) const
{
    bool ok = false;
    const int v = ReadString(section, key).trimmed().toInt(&ok);
    return ok ? v : 0;
}

bool TConfigStore::ReadBool(const QString& section, const QString& key) const
{
    const QString v = ReadString(section, key).trimmed();
    if (v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
        || v.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0
        || v.compare(QLatin1String("on"), Qt::CaseInsensitive) == 0)
        return true;
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok && n != 0;
}

bool TConfigStore::HasKey(const QString& section, const QString& key) const
{
    try {
        return TIniFile(m_fileName).ReadSection(NormalizeSection(section)).contains(key, Qt::CaseInsensitive);
    } catch (const Exception&) {
        return false;
    }
}

QStringList TConfigStore::SectionValues(const QString& section) const
{
    QStringList r;
    try {
        const TIniFile ini(m_fileName);
        const QString s = NormalizeSection(section);
        for (const QString& key : ini.ReadSection(s)) r << key + QLatin1Char('=') + ini.ReadString(s, key, QString());
    } catch (const Exception& e) {
        if (m_log) m_log(QStringLiteral("TConfigStore"), QStringLiteral("cannot read %1: %2").arg(m_fileName, e.Message()));
    }
    return r;
}

bool TConfigStore::WriteString(const QString& section, const QString& key, const QString& value)
{
    if (!m_refusal.isEmpty()) {
        if (m_log)
            m_log(QStringLiteral("TConfigStore"), QStringLiteral("[%1] %2 not written: %3").arg(section, key, m_refusal));
        return false;
    }
    try {
        QDir().mkpath(QFileInfo(m_fileName).absolutePath());
        TIniFile(m_fileName).WriteString(NormalizeSection(section), key, value);
        return true;
    } catch (const Exception& e) {
        if (m_log)
            m_log(QStringLiteral("TConfigStore"),
                  QStringLiteral("cannot write [%1] %2 to %3: %4").arg(section, key, m_fileName, e.Message()));
        return false;
    }
}

bool TConfigStore::WriteInteger(const QString& section, const QString& key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool TConfigStore::WriteBool(const QString& section, const QString& key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}
