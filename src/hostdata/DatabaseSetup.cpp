// SPDX-License-Identifier: MIT
#include "DatabaseSetup.h"
#include "platform/ProgramDir.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

// Set by cmake/WriteReportInstall.cmake from the install layout.
#ifndef WR_INSTALL_BIN_TO_DATA
#define WR_INSTALL_BIN_TO_DATA "../share/writereport"
#endif

QString DialectOfTarget(const QString& target)
{
    const QString t = target.trimmed();
    if (!t.contains(QLatin1Char('=')) || QFileInfo(t).isFile()) return QStringLiteral("sqlite");
    return t.contains(QLatin1String("postgres"), Qt::CaseInsensitive) ? QStringLiteral("postgresql")
                                                                       : QStringLiteral("sqlserver");
}

QString FindDbScriptsFolder(const QString& dialect)
{
    const QString app = QCoreApplication::applicationDirPath();
    // The source tree comes last: an installed copy must use the scripts installed with it.
    const QStringList candidates{ProgramDir() + QLatin1String("db/") + dialect,
                                 app + QLatin1String("/db/") + dialect,
                                 app + QLatin1String("/" WR_INSTALL_BIN_TO_DATA "/db/") + dialect,
#ifdef WR_SOURCE_DB_DIR
                                 QStringLiteral(WR_SOURCE_DB_DIR "/") + dialect
#endif
    };
    for (const QString& c : candidates)
        if (QFileInfo::exists(c + QLatin1String("/schema.sql"))) return QDir::cleanPath(c);
    return {};
}

QStringList UpgradeScripts(const QString& folder, const QString& dialect)
{
    const QDir d(QDir(folder).filePath(QStringLiteral("upgrades")));
    QStringList files;
    for (const QString& name : d.entryList({QStringLiteral("*.sql")}, QDir::Files, QDir::Name))
        files << d.filePath(name);
    // The procedures after the upgrades: their bodies may use what the upgrades add.
    files << QDir(folder).filePath(QStringLiteral("procedures.sql"));
    if (dialect != QLatin1String("sqlite")) files << QDir(folder).filePath(QStringLiteral("grants.sql"));
    return files;
}

QStringList CreationScripts(const QString& folder, const QString& dialect, bool withDemoData)
{
    QStringList files{QDir(folder).filePath(QStringLiteral("schema.sql"))};
    files << UpgradeScripts(folder, dialect);
    if (withDemoData) files << QDir(folder).filePath(QStringLiteral("demo.sql"));
    return files;
}

QStringList ScriptBatches(const QString& text, const QString& dialect)
{
    if (dialect != QLatin1String("sqlserver")) return {text};
    static const QRegularExpression go(QStringLiteral(R"(^[ \t]*GO[ \t]*\r?$)"),
                                       QRegularExpression::CaseInsensitiveOption | QRegularExpression::MultilineOption);
    QStringList batches;
    for (const QString& b : text.split(go))
        if (!b.trimmed().isEmpty()) batches << b;
    return batches;
}

void RunServerScript(TDbConnection& conn, const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) throw EDatabaseError(QStringLiteral("Cannot read %1").arg(file));
    const QString text = QString::fromUtf8(f.readAll());
    for (const QString& batch : ScriptBatches(text, conn.Dialect())) {
        try {
            auto q = conn.CreateQuery();
            q->SQL() << batch;
            q->ExecSQL();
        } catch (const EDatabaseError& e) {
            throw EDatabaseError(QStringLiteral("%1: %2").arg(QFileInfo(file).fileName(), e.Message()));
        }
    }
}

bool HoldsReportTables(TDbConnection& conn)
{
    try {
        auto q = conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT COUNT(*) AS n FROM Report WHERE 1 = 0");
        q->Open();
        return true;
    } catch (const Exception&) {
        return false;
    }
}

QStringList OwnerCommands(const QString& dialect, const QStringList& scripts)
{
    QStringList lines;
    for (const QString& s : scripts) {
        const QString file = QDir::toNativeSeparators(QFileInfo(s).absoluteFilePath());
        if (dialect == QLatin1String("postgresql"))
            lines << QStringLiteral("psql -v ON_ERROR_STOP=1 -d DATABASE -f '%1'").arg(file);
        else
            lines << QStringLiteral("sqlcmd -S SERVER -d DATABASE -f 65001 -b -i \"%1\"").arg(file);
    }
    return lines;
}
