// SPDX-License-Identifier: MIT
// wr-dicomd: receives the ultrasound machines' DICOM images without the editor: a storage
// service (C-ECHO, C-STORE; Modality Worklist C-FIND when a responder is set) that stores each
// instance atomically, an indexing thread that writes the report database's image index, and
// an archive thread that forwards to the department's PACS and prunes the local store.
// `--import DIR` takes files from a folder through the same path and exits.
#include "DbTarget.h"
#include "imaging/DicomForwarder.h"
#include "imaging/DicomImport.h"
#include "imaging/DicomIndexer.h"
#include "imaging/DicomService.h"
#include "imaging/DicomSettings.h"
#include "imaging/DicomStore.h"
#include "imaging/WorklistDaemon.h"
#include "platform/PrivateFiles.h"
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <pthread.h>
#include <thread>
#ifdef WR_HAVE_VERSION
#include "wr_version.h"
#endif

using namespace wr::imaging;

namespace {

enum { kOk = 0, kFailed = 1, kUsage = 2 };

void Log(const QString& line)
{
    static std::mutex mutex;
    const QByteArray text = (QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz ")) + line + QLatin1Char('\n')).toUtf8();
    std::lock_guard lock(mutex);
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stderr);
    std::fflush(stderr);
}

int Usage(const QString& message)
{
    std::fprintf(stderr, "wr-dicomd: %s\n", message.toLocal8Bit().constData());
    return kUsage;
}

// The program's own options beside the worklist part's.
struct TDicomdOptions {
    const QCommandLineOption port{QStringLiteral("port"), QStringLiteral("Listening port (default 11112)."), QStringLiteral("N")};
    const QCommandLineOption aet{QStringLiteral("aet"), QStringLiteral("Called AE title answered to (default WRSTORE)."), QStringLiteral("TITLE")};
    const QCommandLineOption store{QStringLiteral("store"), QStringLiteral("Store folder (default: the user's data folder, WriteReport/dicom)."), QStringLiteral("DIR")};
    const QCommandLineOption db{QStringLiteral("db"), QStringLiteral("The report database: an SQLite file, an ODBC connection string or DSN=name, as wr-host takes it."), QStringLiteral("TARGET")};
    const QCommandLineOption password{QStringLiteral("db-password-file"), QStringLiteral("File holding the database password, readable by its owner only (default ~/.config/WriteReport/db-password when it exists)."), QStringLiteral("FILE")};
    const QCommandLineOption config{QStringLiteral("config"), QStringLiteral("Configuration file with a [Dicom] section."), QStringLiteral("FILE")};
    const QCommandLineOption importDir{QStringLiteral("import"), QStringLiteral("Import the DICOM files of a folder (or one file) into the store and the index, then exit."), QStringLiteral("DIR")};
};

void DescribeProgram(QCommandLineParser& parser, const TDicomdOptions& o)
{
    parser.setApplicationDescription(QStringLiteral(
        "Receives DICOM images (C-STORE, C-ECHO) from ultrasound machines, stores each instance atomically\n"
        "under its SOP Instance UID, indexes it in the report database, and forwards it to the PACS\n"
        "named by [Dicom] ForwardTo. The [Dicom] section of --config holds the same settings as the\n"
        "options (Port, AETitle, Store, Database, DatabasePasswordFile) and CallingAETitles (accepted\n"
        "calling AE titles, empty: any), ForwardTo (AETITLE@host:port), KeepDays (days an archived\n"
        "instance stays in the local store, default 30), MaxAssociations (default 32), MinFreeMB (free\n"
        "space under which instances are refused with 0xA700, default 100).\n"
        "On the same port it answers the machines' Modality Worklist queries (C-FIND) from the exams\n"
        "of table Study: [Dicom] CharacterSet (ISO_IR 192 by default, or GB18030, for machines that do\n"
        "not ask), PinyinOnly=1 (names in pinyin only, for machines without Chinese fonts), UidRoot\n"
        "(root of the Study Instance UIDs given to exams, default 2.25), WorklistLimit (answers per\n"
        "query, default 500). --test-worklist prints what a machine would receive today.\n"
        "Options override the file. SIGTERM stops it cleanly.\n"
        "Send a test image: storescu -aec WRSTORE localhost 11112 image.dcm"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({o.port, o.aet, o.store, o.db, o.password, o.config, o.importDir});
}

// The [Dicom] settings of --config with the options over them; an error text, or empty.
QString ReadSettings(const QCommandLineParser& parser, const TDicomdOptions& o, TDicomSettings* settings)
{
    settings->store = DefaultDicomStore();
    QString error;
    if (parser.isSet(o.config) && !ReadDicomSettings(parser.value(o.config), settings, &error)) return error;
    if (parser.isSet(o.port)) {
        bool ok = false;
        settings->port = parser.value(o.port).toInt(&ok);
        if (!ok || settings->port <= 0 || settings->port > 65535) return QStringLiteral("--port needs a port number");
    }
    if (parser.isSet(o.aet)) {
        settings->aeTitle = parser.value(o.aet).trimmed();
        if (!IsValidAeTitle(settings->aeTitle)) return QStringLiteral("--aet needs an AE title of 1 to 16 characters");
    }
    if (parser.isSet(o.store)) settings->store = parser.value(o.store);
    if (parser.isSet(o.db)) settings->database = parser.value(o.db);
    if (parser.isSet(o.password)) settings->databasePasswordFile = parser.value(o.password);
    if (settings->database.isEmpty()) return QStringLiteral("no database: give --db or [Dicom] Database");
    return {};
}

// Receives, indexes and archives until a termination signal arrives.
int Serve(const TDicomSettings& settings, TDicomStore& store, TDicomIndexer& indexer, const TDbOpenFn& open,
          TWorklistDaemonPart& worklist, sigset_t* stopSignals)
{
    QString error;
    TDicomService service(settings, store, Log);
    service.SetWorklistResponder(worklist.Responder());
    service.SetStoredCallback([&indexer](const QString&) { indexer.Notify(); });
    if (!service.Start(&error)) {
        Log(QStringLiteral("error: ") + error);
        return kFailed;
    }
    std::atomic<bool> stop{false};
    std::thread indexing([&] { indexer.Run(stop); });
    TDicomForwarder forwarder(settings, store, store.Name(), open, Log);
    std::thread archiving([&] { forwarder.Run(stop); });
    if (settings.forwardTo.IsSet())
        Log(QStringLiteral("archiving to %1@%2:%3, local copies kept %4 day(s) after archiving")
                .arg(settings.forwardTo.aeTitle, settings.forwardTo.host)
                .arg(settings.forwardTo.port)
                .arg(settings.keepDays));

    int received = 0;
    sigwait(stopSignals, &received);
    Log(QStringLiteral("signal %1: stopping; running associations may finish").arg(received));
    service.Stop();
    stop = true;
    indexer.Notify();
    indexing.join();
    archiving.join();
    const auto c = service.Counters();
    Log(QStringLiteral("stopped: %1 association(s), %2 stored, %3 already stored, %4 refused")
            .arg(c.associations)
            .arg(c.stored)
            .arg(c.alreadyStored)
            .arg(c.refused));
    return kOk;
}

} // namespace

int main(int argc, char** argv)
{
    // The database password and patient data must not end up in a core file.
    MakeProcessNonDumpable();
    // Termination signals are taken by sigwait, never by a handler in some thread.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("wr-dicomd"));
#ifdef WR_HAVE_VERSION
    QCoreApplication::setApplicationVersion(QStringLiteral(WR_VERSION));
#endif
    const TDicomdOptions options;
    QCommandLineParser parser;
    DescribeProgram(parser, options);
    TWorklistDaemonPart worklist(parser);
    parser.process(app);

    TDicomSettings settings;
    if (const QString error = ReadSettings(parser, options, &settings); !error.isEmpty()) return Usage(error);
    const TDicomDbTarget dbTarget = ResolveDicomDbTarget(settings.database, settings.databasePasswordFile);
    if (!dbTarget.error.isEmpty()) return Usage(dbTarget.error);
    TDbOpenFn open = [dbTarget] { return OpenDicomDatabase(dbTarget); };
    if (const int rc = worklist.Prepare(parser, parser.value(options.config), open, Log); rc >= 0) return rc;

    TDicomStore store(settings.store);
    QString error;
    if (!store.Prepare(&error)) {
        Log(QStringLiteral("error: ") + error);
        return kFailed;
    }
    if (const int leftovers = store.RemoveLeftovers())
        Log(QStringLiteral("removed %1 unfinished transfer(s) of an earlier run (none was acknowledged)").arg(leftovers));
    TDicomIndexer indexer(store, store.Name(), open, Log);
    indexer.SetForwardPending(settings.forwardTo.IsSet());
    Log(QStringLiteral("store %1 (%2 MB free; instances refused below %3 MB), database %4")
            .arg(store.Root())
            .arg(store.FreeBytes() < 0 ? QStringLiteral("?") : QString::number(store.FreeBytes() / (1024 * 1024)))
            .arg(settings.minFreeMb)
            .arg(dbTarget.display));

    if (parser.isSet(options.importDir)) {
        const TDicomImportResult r = ImportDicomFolder(parser.value(options.importDir), store, indexer, Log);
        return r.Ok() ? kOk : kFailed;
    }
    return Serve(settings, store, indexer, open, worklist, &stopSignals);
}
