// SPDX-License-Identifier: MIT
// rtfconv: shows what a stored report holds. Reads RTF and writes its plain text, re-written
// RTF or HTML to standard output. Runs without any GUI application object, so it starts fast
// and needs no display.
#include "rtf/Rtf.h"

#include <QFile>
#include <QFont>
#include <QTextDocument>
#include <cstdio>
#include <cstring>

namespace {

const char kUsage[] =
    "Usage: rtfconv [--to text|rtf|html] [FILE|-]\n"
    "Reads an RTF document from FILE, or from standard input when FILE is '-' or missing,\n"
    "and writes it to standard output as:\n"
    "  text  (default) its plain text in UTF-8: paragraphs and line breaks end in \"\\n\"\n"
    "        (the \"\\r\\n\" of the plain text the editor stores becomes \"\\n\"), table cells\n"
    "        are separated by a tab and rows by \"\\n\", pictures are left out; the output\n"
    "        ends with \"\\n\" unless the document is empty\n"
    "  rtf   the document re-written the way the report editor saves it (7-bit RTF, CR LF)\n"
    "  html  the document as HTML (UTF-8)\n"
    "Problems found in damaged input are reported on standard error; what could be read is\n"
    "still converted.\n"
    "Exit status: 0 converted, 1 input unreadable, 2 input is not RTF or wrong usage.\n";

int fail(int status, const QByteArray& message)
{
    std::fprintf(stderr, "rtfconv: %s\n", message.constData());
    return status;
}

bool writeAll(const QByteArray& data)
{
    return std::fwrite(data.constData(), 1, size_t(data.size()), stdout) == size_t(data.size())
           && std::fflush(stdout) == 0;
}

} // namespace

int main(int argc, char** argv)
{
    QByteArray to = "text";
    QByteArray path = "-";
    bool havePath = false;
    for (int i = 1; i < argc; ++i) {
        const QByteArray arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--to" && i + 1 < argc) {
            to = argv[++i];
        } else if (arg.startsWith("--to=")) {
            to = arg.mid(5);
        } else if ((arg == "-" || !arg.startsWith('-')) && !havePath) {
            path = arg;
            havePath = true;
        } else {
            std::fputs(kUsage, stderr);
            return fail(2, "unexpected argument '" + arg + "'");
        }
    }
    if (to != "text" && to != "rtf" && to != "html") {
        std::fputs(kUsage, stderr);
        return fail(2, "unknown output kind '" + to + "' (text, rtf or html)");
    }

    QFile file;
    const bool opened = path == "-" ? file.open(stdin, QIODevice::ReadOnly)
                                    : (file.setFileName(QFile::decodeName(path)), file.open(QIODevice::ReadOnly));
    if (!opened)
        return fail(1, path + ": cannot open: " + file.errorString().toLocal8Bit());
    // A file is mapped rather than copied; a pipe is read whole.
    uchar* mapped = path == "-" || file.size() <= 0 ? nullptr : file.map(0, file.size());
    const QByteArray input = mapped ? QByteArray::fromRawData(reinterpret_cast<const char*>(mapped), file.size())
                                    : file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(1, path + ": cannot read: " + file.errorString().toLocal8Bit());

    QTextDocument doc;
    // Text without a font of its own shows in the report editor's default font.
    doc.setDefaultFont(QFont(QStringLiteral("宋体"), 12));
    QStringList warnings;
    if (!RtfToDocument(input, doc, &warnings))
        return fail(2, (path == "-" ? QByteArray("standard input") : path)
                           + ": not RTF (does not start with \"{\\rtf\")");
    for (const QString& w : warnings)
        std::fprintf(stderr, "rtfconv: %s: warning: %s\n", path.constData(), w.toLocal8Bit().constData());

    QByteArray out;
    if (to == "rtf") {
        out = DocumentToRtf(doc);
    } else if (to == "html") {
        out = DocumentToHtml(doc).toUtf8();
    } else {
        const QString plain = DocumentPlainText(doc);
        // One pass: QString::replace moves the rest of the text for every batch of matches,
        // which is slow on millions of line breaks.
        QString text(plain.size() + 1, Qt::Uninitialized);
        QChar* o = text.data();
        const QChar* s = plain.constData();
        const qsizetype n = plain.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (!(s[i] == u'\r' && i + 1 < n && s[i + 1] == u'\n'))
                *o++ = s[i];
        }
        if (n > 0)
            *o++ = u'\n';
        text.truncate(o - text.constData());
        out = text.toUtf8();
    }
    if (!writeAll(out))
        return fail(1, "cannot write to standard output");
    return 0;
}
