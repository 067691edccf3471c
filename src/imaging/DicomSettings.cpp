// SPDX-License-Identifier: MIT
#include "DicomSettings.h"
#include "platform/IniFile.h"
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace wr::imaging {

QString DefaultDicomStore()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/WriteReport/dicom");
}

bool IsValidAeTitle(const QString& title)
{
    const QString t = title.trimmed();
    if (t.isEmpty() || t.size() > 16) return false;
    for (const QChar c : t)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == QLatin1Char('\\')) return false;
    return true;
}

bool ParseForwardTarget(const QString& text, TForwardTarget* target)
{
    static const QRegularExpression re(QStringLiteral("^\\s*([^@\\s]{1,16})@([^:\\s]+):(\\d{1,5})\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch()) return false;
    const int port = m.captured(3).toInt();
    if (port <= 0 || port > 65535 || !IsValidAeTitle(m.captured(1))) return false;
    target->aeTitle = m.captured(1);
    target->host = m.captured(2);
    target->port = port;
    return true;
}

bool ReadDicomSettings(const QString& configFile, TDicomSettings* s, QString* error)
{
    if (configFile.isEmpty()) return true;
    if (!QFileInfo(configFile).isFile()) {
        if (error) *error = QStringLiteral("the configuration file %1 does not exist").arg(configFile);
        return false;
    }
    const TIniFile ini(configFile);
    const QString section = QStringLiteral("Dicom");
    auto fail = [&](const QString& why) {
        if (error) *error = QStringLiteral("%1 [Dicom] %2").arg(configFile, why);
        return false;
    };
    const QString port = ini.ReadString(section, QStringLiteral("Port"), QString()).trimmed();
    if (!port.isEmpty()) {
        bool ok = false;
        const int p = port.toInt(&ok);
        if (!ok || p <= 0 || p > 65535) return fail(QStringLiteral("Port=%1 is not a port number").arg(port));
        s->port = p;
    }
    const QString aet = ini.ReadString(section, QStringLiteral("AETitle"), QString()).trimmed();
    if (!aet.isEmpty()) {
        if (!IsValidAeTitle(aet)) return fail(QStringLiteral("AETitle=%1 is not an AE title (1 to 16 characters)").arg(aet));
        s->aeTitle = aet;
    }
    s->store = ini.ReadString(section, QStringLiteral("Store"), s->store).trimmed();
    s->database = ini.ReadString(section, QStringLiteral("Database"), s->database).trimmed();
    s->databasePasswordFile = ini.ReadString(section, QStringLiteral("DatabasePasswordFile"), s->databasePasswordFile).trimmed();
    const QString calling = ini.ReadString(section, QStringLiteral("CallingAETitles"), QString());
    s->callingAeTitles.clear();
    for (const QString& t : calling.split(QRegularExpression(QStringLiteral("[,;\\s]+")), Qt::SkipEmptyParts))
        s->callingAeTitles << t.trimmed();
    const QString forward = ini.ReadString(section, QStringLiteral("ForwardTo"), QString()).trimmed();
    if (!forward.isEmpty() && !ParseForwardTarget(forward, &s->forwardTo))
        return fail(QStringLiteral("ForwardTo=%1 is not AETITLE@host:port").arg(forward));
    s->keepDays = std::max(0, ini.ReadInteger(section, QStringLiteral("KeepDays"), s->keepDays));
    s->maxAssociations = std::clamp(ini.ReadInteger(section, QStringLiteral("MaxAssociations"), s->maxAssociations), 1, 200);
    s->minFreeMb = std::max(0, ini.ReadInteger(section, QStringLiteral("MinFreeMB"), s->minFreeMb));
    return true;
}

}  // namespace wr::imaging
