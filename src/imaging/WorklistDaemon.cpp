// SPDX-License-Identifier: MIT
#include "WorklistDaemon.h"
#include "platform/IniFile.h"
#include <QCommandLineParser>
#include <cstdio>
#include <dcmtk/dcmdata/dcdatset.h>

namespace wr::imaging {

TWorklistDaemonPart::TWorklistDaemonPart(QCommandLineParser& parser)
    : m_testOption(QStringLiteral("test-worklist"),
                   QStringLiteral("Print what an ultrasound machine (modality US, any station) would receive as "
                                  "today's worklist, then exit."))
{
    parser.addOption(m_testOption);
}

int TWorklistDaemonPart::Prepare(const QCommandLineParser& parser, const QString& configFile,
                                 TWorklistService::TConnectionFactory open, TWorklistService::TLog log)
{
    const TWorklistSettings settings = configFile.isEmpty() ? TWorklistSettings() : TWorklistSettings::FromIni(TIniFile(configFile));
    m_service = std::make_unique<TWorklistService>(std::move(open), settings, std::move(log));
    if (!parser.isSet(m_testOption))
        return -1;
    const TWorklistResult r = m_service->Find(*StandardWorklistQuery(QDate::currentDate()), QStringLiteral("TEST"));
    const QByteArray text = DescribeWorklistAnswer(r).toUtf8();
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    std::fflush(stdout);
    return (r.finalStatus & 0xF000) == 0xA000 || (r.finalStatus & 0xF000) == 0xC000 ? 1 : 0;
}

}  // namespace wr::imaging
