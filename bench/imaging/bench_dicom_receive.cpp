// SPDX-License-Identifier: MIT
// The receiver's speed and memory, with storescu as the machine:
//   1. 100 Secondary Capture images of 800x600 sent to wr-dicomd and indexed (thumbnails
//      included), in images per second, against dcmtk's storescp writing the same files to a
//      folder in the same run (the network and disk alone: the baseline);
//   2. the thumbnails of those 100 images read from the index, against decoding each image's
//      first frame from its file;
//   3. the peak memory of wr-dicomd while a loop of about 500 MB arrives, against its peak
//      after the 100 small images; and the peak growth of this process decoding one frame in
//      the middle of that loop.
//
//   bench_dicom_receive [--check] [--loop-mb N]
// --check exits 1 when a target is missed.
#include "TestDatabase.h"
#include "imaging/DicomDecode.h"
#include "imaging/DicomHeader.h"
#include "imaging/DicomIndex.h"
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdio>

using namespace wr::imaging;

namespace {

bool Run(const QString& program, const QStringList& args, int timeoutMs = 600000)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(timeoutMs) || p.exitCode() != 0) {
        std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), p.readAll().constData());
        return false;
    }
    return true;
}

// VmHWM (peak resident memory) of a process, in MB.
double PeakMb(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

int Count(const QString& db)
{
    auto conn = OpenDatabase(db);
    return QueryTestValue(*conn, QStringLiteral("SELECT count(*) FROM DicomInstance")).AsInteger();
}

int FreePort(int base) { return base + int(QCoreApplication::applicationPid() % 1000); }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const bool check = app.arguments().contains(QStringLiteral("--check"));
    int loopMb = 500;
    if (const qsizetype at = app.arguments().indexOf(QStringLiteral("--loop-mb")); at > 0 && at + 1 < app.arguments().size())
        loopMb = app.arguments().at(at + 1).toInt();
    QTemporaryDir dir;
    const QString images = dir.path() + QStringLiteral("/images");
    QDir().mkpath(images);

    // 100 distinct instances of one drawn 800x600 picture.
    const QString bmp = dir.path() + QStringLiteral("/p.bmp");
    if (!Run(QStringLiteral("convert"), {QStringLiteral("-size"), QStringLiteral("800x600"), QStringLiteral("plasma:"),
                                         QStringLiteral("-type"), QStringLiteral("TrueColor"), QStringLiteral("BMP3:") + bmp})
        || !Run(QStringLiteral("img2dcm"), {QStringLiteral("-i"), QStringLiteral("BMP"), bmp, images + QStringLiteral("/i000.dcm"),
                                            QStringLiteral("-k"), QStringLiteral("AccessionNumber=BENCH")}))
        return 2;
    QStringList files{images + QStringLiteral("/i000.dcm")};
    for (int i = 1; i < 100; ++i) {
        const QString f = images + QStringLiteral("/i%1.dcm").arg(i, 3, 10, QLatin1Char('0'));
        QFile::copy(files.first(), f);
        files << f;
    }
    if (!Run(QStringLiteral("dcmodify"), QStringList{QStringLiteral("-nb"), QStringLiteral("-gin")} + files.mid(1))) return 2;

    // Baseline: storescp writing the files to a folder.
    const int basePort = FreePort(41000);
    const QString plain = dir.path() + QStringLiteral("/plain");
    QDir().mkpath(plain);
    QProcess storescp;
    storescp.start(QStringLiteral("storescp"), {QStringLiteral("-od"), plain, QString::number(basePort)});
    storescp.waitForStarted();
    QThread::msleep(500);
    QElapsedTimer t;
    t.start();
    if (!Run(QStringLiteral("storescu"), QStringList{QStringLiteral("-R"), QStringLiteral("localhost"), QString::number(basePort)} + files))
        return 2;
    const double baseSeconds = t.nsecsElapsed() / 1e9;
    ::kill(static_cast<pid_t>(storescp.processId()), SIGTERM);
    storescp.waitForFinished();

    // wr-dicomd: stored, indexed, thumbnails made.
    const QString db = CreateTestDatabaseFile(dir.path(), false);
    const int port = FreePort(42000);
    QProcess daemon;
    daemon.setProcessChannelMode(QProcess::MergedChannels);
    daemon.setStandardOutputFile(dir.path() + QStringLiteral("/wr-dicomd.log"));
    daemon.start(QStringLiteral(WR_BINARY_DIR "/bin/wr-dicomd"),
                 {QStringLiteral("--port"), QString::number(port), QStringLiteral("--store"), dir.path() + QStringLiteral("/store"),
                  QStringLiteral("--db"), db});
    daemon.waitForStarted();
    QThread::msleep(800);
    t.restart();
    if (!Run(QStringLiteral("storescu"), QStringList{QStringLiteral("-R"), QStringLiteral("-aec"), QStringLiteral("WRSTORE"),
                                                     QStringLiteral("localhost"), QString::number(port)} + files))
        return 2;
    while (Count(db) < 100 && t.elapsed() < 120000) QThread::msleep(20);
    const double wrSeconds = t.nsecsElapsed() / 1e9;
    const int indexed = Count(db);
    const double smallPeak = PeakMb(daemon.processId());

    // Thumbnails from the index, against decoding the files.
    auto conn = OpenDatabase(db);
    TDicomIndex index(*conn);
    const auto rows = index.ListExam(QStringLiteral("BENCH"));
    t.restart();
    int thumbs = 0;
    for (const auto& r : rows) thumbs += index.Thumbnail(r.sopInstanceUid).isNull() ? 0 : 1;
    const double thumbMs = t.nsecsElapsed() / 1e6 / std::max<size_t>(1, rows.size());
    t.restart();
    for (const auto& r : rows) DecodeDicomFrame(r.filePath, 0);
    const double decodeMs = t.nsecsElapsed() / 1e6 / std::max<size_t>(1, rows.size());

    // The loop.
    const QString loop = dir.path() + QStringLiteral("/loop.dcm");
    if (!Run(QStringLiteral("/usr/bin/python3"), {QStringLiteral(WR_SOURCE_DIR "/tests/imaging/make_fixture.py"), QStringLiteral("loop"),
                                                  loop, QStringLiteral("LOOP"), QString::number(loopMb)}))
        return 2;
    const double loopMbActual = QFileInfo(loop).size() / 1048576.0;
    t.restart();
    if (!Run(QStringLiteral("storescu"), {QStringLiteral("-R"), QStringLiteral("-aec"), QStringLiteral("WRSTORE"),
                                          QStringLiteral("localhost"), QString::number(port), loop}))
        return 2;
    while (Count(db) < 101 && t.elapsed() < 300000) QThread::msleep(50);
    const double loopSeconds = t.nsecsElapsed() / 1e9;
    const double loopPeak = PeakMb(daemon.processId());
    ::kill(static_cast<pid_t>(daemon.processId()), SIGTERM);
    daemon.waitForFinished(60000);

    TDicomHeader h;
    QString error;
    ReadDicomHeader(loop, &h, &error);
    const double before = PeakMb(QCoreApplication::applicationPid());
    t.restart();
    const TDecodedFrame middle = DecodeDicomFrame(loop, h.frames / 2);
    const double frameMs = t.nsecsElapsed() / 1e6;
    const double decodeGrowth = PeakMb(QCoreApplication::applicationPid()) - before;

    const double rate = indexed / wrSeconds;
    std::printf("receive+index 100 x 800x600: %.2f s, %.1f images/s (storescp alone %.2f s, %.1f images/s; ratio %.2f)\n",
                wrSeconds, rate, baseSeconds, 100 / baseSeconds, wrSeconds / baseSeconds);
    std::printf("thumbnails from the index: %.2f ms each (%d read); decoding the file instead: %.2f ms each (ratio %.2f)\n",
                thumbMs, thumbs, decodeMs, thumbMs / decodeMs);
    std::printf("loop of %.0f MB (%d frames): received and indexed in %.1f s; wr-dicomd peak %.1f MB (after the small images %.1f MB)\n",
                loopMbActual, h.frames, loopSeconds, loopPeak, smallPeak);
    std::printf("decoding frame %d of the loop: %.1f ms, peak memory growth %.1f MB%s\n", h.frames / 2, frameMs, decodeGrowth,
                middle.image.isNull() ? " (FAILED)" : "");
    bool ok = indexed == 100 && thumbs == 100 && Count(db) == 101 && !middle.image.isNull();
    if (check) {
        // Storing durably (synced) and indexing may cost at most 2.5 times what storescp takes to
        // write the files; a thumbnail from the index must beat decoding the file tenfold.
        ok = ok && wrSeconds <= 2.5 * baseSeconds && thumbMs * 10 <= decodeMs && loopPeak <= 150 && decodeGrowth <= 100;
        std::printf("%s\n", ok ? "targets met" : "TARGET MISSED (receive+index <= 2.5 x storescp, thumbnail <= 1/10 of a decode, "
                                                "peak <= 150 MB, frame growth <= 100 MB)");
    }
    return ok ? 0 : 1;
}
