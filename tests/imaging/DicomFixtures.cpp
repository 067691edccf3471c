// SPDX-License-Identifier: MIT
#include "DicomFixtures.h"
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#include <csignal>

namespace fixtures {

bool Run(const QString& program, const QStringList& args, QString* output, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    const bool finished = p.waitForStarted(10000) && p.waitForFinished(timeoutMs);
    const QString out = QString::fromLocal8Bit(p.readAll());
    if (output) *output = out;
    if (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning().noquote() << program << args.join(QLatin1Char(' ')) << "failed:" << out.left(2000);
        return false;
    }
    return true;
}

namespace {

QString Script() { return QStringLiteral(WR_SOURCE_DIR "/tests/imaging/make_fixture.py"); }

QStringList KeyArgs(const QStringList& keys)
{
    QStringList args;
    for (const QString& k : keys) args << QStringLiteral("-k") << k;
    return args;
}

} // namespace

QString Make(const QString& dir, const QString& kind, const QString& name, const QStringList& keys)
{
    const QString out = QDir(dir).filePath(name);
    static const QStringList pythonKinds = {QStringLiteral("planar"), QStringLiteral("ybrfull"), QStringLiteral("palette"),
                                            QStringLiteral("mono16"), QStringLiteral("multiframe")};
    if (pythonKinds.contains(kind)) {
        if (!Run(QStringLiteral("/usr/bin/python3"), {Script(), kind, out})) return {};
        if (!keys.isEmpty()) {
            QStringList args{QStringLiteral("-nb")};
            for (const QString& k : keys) args << QStringLiteral("-i") << k;
            if (!Run(QStringLiteral("dcmodify"), args << out)) return {};
        }
        return out;
    }
    const QString bmp = QDir(dir).filePath(name + QStringLiteral(".bmp"));
    if (!QFile::exists(bmp)
        && !Run(QStringLiteral("convert"), {QStringLiteral("-size"), QStringLiteral("320x240"), QStringLiteral("xc:white"),
                                            QStringLiteral("-fill"), QStringLiteral("red"), QStringLiteral("-draw"),
                                            QStringLiteral("rectangle 10,10 150,120"), QStringLiteral("-fill"),
                                            QStringLiteral("blue"), QStringLiteral("-draw"),
                                            QStringLiteral("circle 230,170 260,200"), QStringLiteral("-type"),
                                            QStringLiteral("TrueColor"), QStringLiteral("BMP3:") + bmp}))
        return {};
    const QString sc = kind == QLatin1String("sc") ? out : out + QStringLiteral(".src");
    if (!Run(QStringLiteral("img2dcm"), QStringList{QStringLiteral("-i"), QStringLiteral("BMP"), bmp, sc} + KeyArgs(keys)))
        return {};
    if (kind == QLatin1String("sc")) return out;
    bool ok = false;
    if (kind == QLatin1String("jpeg-baseline")) {
        ok = Run(QStringLiteral("dcmcjpeg"), {QStringLiteral("+eb"), sc, out});
    } else if (kind == QLatin1String("jpeg-labelled-rgb")) {
        ok = Run(QStringLiteral("dcmcjpeg"), {QStringLiteral("+eb"), sc, out})
            && Run(QStringLiteral("dcmodify"), {QStringLiteral("-nb"), QStringLiteral("-m"),
                                                QStringLiteral("PhotometricInterpretation=RGB"), out});
    } else if (kind == QLatin1String("jpeg-lossless")) {
        ok = Run(QStringLiteral("dcmcjpeg"), {sc, out});
    } else if (kind == QLatin1String("rle")) {
        ok = Run(QStringLiteral("dcmcrle"), {sc, out});
    } else if (kind == QLatin1String("jpeg-ls")) {
        ok = Run(QStringLiteral("dcmcjpls"), {sc, out});
    } else {
        qWarning() << "unknown fixture kind" << kind;
    }
    QFile::remove(sc);
    return ok ? out : QString();
}

QString MakeLoop(const QString& dir, const QString& name, int megabytes)
{
    const QString out = QDir(dir).filePath(name);
    return Run(QStringLiteral("/usr/bin/python3"), {Script(), QStringLiteral("loop"), out, QStringLiteral("LOOP1"),
                                                    QString::number(megabytes)}, nullptr, 600000)
        ? out
        : QString();
}

QImage Reference(const QString& file, int frame, bool useWindow)
{
    const QString png = file + QStringLiteral(".ref%1.png").arg(frame);
    QStringList args{QStringLiteral("+on"), QStringLiteral("+cgl"), QStringLiteral("+F"), QString::number(frame + 1)};
    if (useWindow) args << QStringLiteral("+Wi") << QStringLiteral("1");
    // dcmj2pnm has no JPEG-LS decoder; dcml2pnm is the same program with it.
    QString header;
    Run(QStringLiteral("dcmdump"), {QStringLiteral("-M"), QStringLiteral("+P"), QStringLiteral("0002,0010"), file}, &header);
    const bool jpegLs = header.contains(QLatin1String("JPEGLS"));
    if (jpegLs) args.removeAt(1);  // +cgl is a JPEG option
    if (!Run(jpegLs ? QStringLiteral("dcml2pnm") : QStringLiteral("dcmj2pnm"), args << file << png)) return {};
    return QImage(png);
}

int MaxDifference(const QImage& a, const QImage& b, double* mean)
{
    if (a.size() != b.size()) return -1;
    const QImage x = a.convertToFormat(QImage::Format_RGB888), y = b.convertToFormat(QImage::Format_RGB888);
    int worst = 0;
    qint64 sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar* p = x.constScanLine(row);
        const uchar* q = y.constScanLine(row);
        for (int i = 0; i < x.width() * 3; ++i) {
            const int d = std::abs(int(p[i]) - int(q[i]));
            worst = std::max(worst, d);
            sum += d;
        }
    }
    if (mean) *mean = double(sum) / (double(x.width()) * x.height() * 3);
    return worst;
}

int FreePort()
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int port = 20000 + int(QRandomGenerator::global()->bounded(20000));
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(static_cast<uint16_t>(port));
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool free = ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        ::close(fd);
        if (free) return port;
    }
    return 0;
}

QString DaemonPath() { return QStringLiteral(WR_BINARY_DIR "/bin/wr-dicomd"); }

Daemon::Daemon(const QStringList& args)
{
    // Into a file, not a pipe: a pipe nobody reads would block the daemon's log writes.
    static int serial = 0;
    m_logFile = QDir::temp().filePath(QStringLiteral("wr-dicomd-test-%1-%2.log").arg(QCoreApplication::applicationPid()).arg(++serial));
    QFile::remove(m_logFile);
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.setStandardOutputFile(m_logFile);
    m_process.start(DaemonPath(), args);
}

Daemon::~Daemon()
{
    if (m_process.state() != QProcess::NotRunning) Terminate();
    QFile::remove(m_logFile);
}

QString Daemon::Log()
{
    QFile f(m_logFile);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

bool Daemon::WaitListening(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (Log().contains(QLatin1String("listening on port"))) return true;
        // Without an event loop the process's end is noticed only while waiting for it.
        if (m_process.state() == QProcess::NotRunning || m_process.waitForFinished(50)) return false;
    }
    return false;
}

void Daemon::Terminate()
{
    if (m_process.state() == QProcess::NotRunning) return;
    ::kill(static_cast<pid_t>(m_process.processId()), SIGTERM);
    m_process.waitForFinished(60000);
    Log();
}

void Daemon::Kill()
{
    if (m_process.state() == QProcess::NotRunning) return;
    ::kill(static_cast<pid_t>(m_process.processId()), SIGKILL);
    m_process.waitForFinished(10000);
    Log();
}

int StoreScu(int port, const QString& calledAet, const QStringList& files, QString* output, const QStringList& extra)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    // -R: only the classes and transfer syntaxes of the files, as a machine proposes them
    // (storescu's default list leaves compressed syntaxes out).
    const QStringList required = extra.contains(QStringLiteral("-xf")) ? QStringList() : QStringList{QStringLiteral("-R")};
    p.start(QStringLiteral("storescu"), QStringList{QStringLiteral("-v"), QStringLiteral("-aec"), calledAet} + required + extra
                                            + QStringList{QStringLiteral("localhost"), QString::number(port)} + files);
    p.waitForStarted(10000);
    p.waitForFinished(600000);
    if (output) *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
}

}  // namespace fixtures
