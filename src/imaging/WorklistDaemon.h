// SPDX-License-Identifier: MIT
// wr-dicomd's worklist part: the option --test-worklist and the responder handed to the
// DICOM service, configured from the [Dicom] section of --config (CharacterSet, PinyinOnly,
// UidRoot, WorklistLimit). Lives on the main thread; the responder it makes is thread-safe.
#pragma once
#include "WorklistService.h"
#include <QCommandLineOption>
#include <functional>

class QCommandLineParser;

namespace wr::imaging {

class TWorklistDaemonPart {
public:
    // Adds --test-worklist to the parser (call before QCommandLineParser::process).
    explicit TWorklistDaemonPart(QCommandLineParser& parser);

    // Makes the responder from `configFile` (empty: the defaults) and the database opener.
    // With --test-worklist it prints what a machine would receive for today (UTF-8, stdout)
    // and returns the exit code: 0 when the database answered, 1 otherwise. Without the
    // option it returns -1 and the program goes on to serve.
    int Prepare(const QCommandLineParser& parser, const QString& configFile,
                TWorklistService::TConnectionFactory open, TWorklistService::TLog log);

    // The responder for TDicomService::SetWorklistResponder; null before Prepare.
    IWorklistResponder* Responder() { return m_service.get(); }

private:
    QCommandLineOption m_testOption;
    std::unique_ptr<TWorklistService> m_service;
};

}  // namespace wr::imaging
