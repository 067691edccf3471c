// SPDX-License-Identifier: MIT
#include "app/HostLog.h"
#include "platform/LogText.h"
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <cstdio>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace {
// The log names exams and files: its owner alone reads it, also one an older version made.
void OwnerOnly(QFile& f)
{
#ifdef Q_OS_UNIX
    if (f.isOpen()) ::fchmod(f.handle(), 0600);
#endif
}
} // namespace

bool THostLog::Open(const QString& fileName, QString* error)
{
    m_file.close();
    m_fileName = fileName;
    QDir().mkpath(QFileInfo(fileName).absolutePath());
    m_file.setFileName(fileName);
    if (m_file.open(QIODevice::Append | QIODevice::Text)) {
        OwnerOnly(m_file);
        return true;
    }
    if (error) *error = QStringLiteral("cannot write the log file %1: %2").arg(fileName, m_file.errorString());
    return false;
}

QString THostLog::FormatLine(const QDateTime& when, const QString& title, const QString& message)
{
    // Whatever a caller passes (a damaged report's values in an error, an exception's bytes),
    // the file stays text of bounded length: control characters escaped, long entries cut.
    QString body = LogSafeText(message);
    body.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    body.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    body.replace(QLatin1Char('\n'), QLatin1String("\n    "));
    return when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) + QLatin1String(" [")
        + LogSafeText(title, kLogTitleChars, TLogLineBreaks::Escape) + QLatin1String("] ") + body + QLatin1Char('\n');
}

void THostLog::RotateIfLarge()
{
    if (!m_file.isOpen() || m_file.size() < kRotateBytes) return;
    m_file.close();
    const QString old = m_fileName + QLatin1String(".1");
    QFile::remove(old);
    QFile::rename(m_fileName, old);
    m_file.open(QIODevice::Append | QIODevice::Text);
    OwnerOnly(m_file);
}

void THostLog::Write(const QString& title, const QString& message)
{
    const QByteArray line = FormatLine(QDateTime::currentDateTime(), title, message).toUtf8();
    if (m_file.isOpen()) {
        RotateIfLarge();
        m_file.write(line);
        m_file.flush();
    }
    if (m_verbose || !m_file.isOpen()) {
        std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
        std::fflush(stderr);
    }
    if (onEntry) onEntry(title, message);
}
