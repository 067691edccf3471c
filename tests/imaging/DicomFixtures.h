// SPDX-License-Identifier: MIT
// DICOM files for the imaging tests, made at test time by Debian's dcmtk tools (img2dcm from a
// drawn picture, dcmcjpeg, dcmcrle, dcmcjpls, dcmodify) and pydicom (make_fixture.py), and
// the peers the tests talk to: wr-dicomd as a process, storescu.
//
// Every picture is white with a red block at x 10-150, y 10-120 (320x240), so a test can
// check a pixel's colour as well as compare with dcmj2pnm's rendering.
#pragma once
#include <QImage>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

namespace fixtures {

// Runs a program to its end; false (with its output in `output`) when it fails or times out.
bool Run(const QString& program, const QStringList& args, QString* output = nullptr, int timeoutMs = 120000);

// Makes `kind` in `dir` and returns its path (empty on failure, with QWARN of why):
//   sc                 Secondary Capture RGB, explicit little endian (img2dcm)
//   jpeg-baseline      the same as JPEG baseline, YBR_FULL_422 (dcmcjpeg +eb)
//   jpeg-labelled-rgb  the JPEG baseline stream labelled RGB, as many machines send it
//   jpeg-lossless      JPEG lossless (dcmcjpeg default)
//   rle                RLE lossless (dcmcrle)
//   jpeg-ls            JPEG-LS lossless (dcmcjpls)
//   planar, ybrfull, palette, mono16, multiframe    see make_fixture.py
// `keys` are extra img2dcm/dcmodify "Tag=value" pairs (AccessionNumber, PatientName, ...).
QString Make(const QString& dir, const QString& kind, const QString& name, const QStringList& keys = {});
// A large multi-frame RGB loop of about `megabytes` MB (800x600 frames).
QString MakeLoop(const QString& dir, const QString& name, int megabytes);

// dcmj2pnm's rendering of `frame` (0-based), as 8-bit PNG, with the colour conversion decided
// from the JPEG stream, and the first VOI window for monochrome images that have one.
QImage Reference(const QString& file, int frame, bool useWindow);

// The largest difference of any channel of any pixel, and the mean difference; -1 when the
// sizes differ.
int MaxDifference(const QImage& a, const QImage& b, double* mean = nullptr);

// A TCP port nothing listens on now.
int FreePort();

// wr-dicomd started with `args`; stopped with SIGTERM (or killed) when the object goes.
class Daemon
{
public:
    Daemon(const QStringList& args);
    ~Daemon();
    // Waits until it listens (or exits); false when it did not come up.
    bool WaitListening(int timeoutMs = 10000);
    void Terminate();     // SIGTERM, then waits for the exit
    void Kill();          // SIGKILL
    QString Log();        // everything it wrote so far
    int ExitCode() const { return m_process.exitCode(); }
    QProcess& Process() { return m_process; }

private:
    QProcess m_process;
    QString m_logFile;
};

QString DaemonPath();

// storescu -aec AET localhost PORT files...; returns its exit code; `output` gets its
// verbose output.
int StoreScu(int port, const QString& calledAet, const QStringList& files, QString* output = nullptr,
             const QStringList& extra = {});

}  // namespace fixtures
