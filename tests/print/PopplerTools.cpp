// SPDX-License-Identifier: MIT
#include "PopplerTools.h"
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {
QString Run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return QStringLiteral("<%1 failed: %2>").arg(program, QString::fromUtf8(p.readAllStandardError()));
    return QString::fromUtf8(p.readAllStandardOutput());
}
} // namespace

QString PopplerMissing()
{
    QStringList missing;
    for (const char* tool : {"pdftotext", "pdffonts", "pdftoppm", "pdfinfo"})
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty()) missing << QLatin1String(tool);
    return missing.isEmpty() ? QString() : QStringLiteral("poppler-utils missing: %1").arg(missing.join(QLatin1Char(' ')));
}

QString Comparable(const QString& text)
{
    QString s = text.normalized(QString::NormalizationForm_KC);
    s.remove(QRegularExpression(QStringLiteral("\\s")));
    return s;
}

QString PdfPageText(const QString& pdf, int page)
{
    return Comparable(Run(QStringLiteral("pdftotext"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"),
                                                        QString::number(page), QStringLiteral("-l"), QString::number(page), pdf,
                                                        QStringLiteral("-")}));
}

int PdfPageCount(const QString& pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(Run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QList<TPdfFont> PdfFonts(const QString& pdf)
{
    QList<TPdfFont> fonts;
    const QStringList lines = Run(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    // Two header lines. The type column may hold blanks ("CID TrueType"), so the row is read
    // from its end: ... encoding emb sub uni object-number generation.
    for (int i = 2; i < lines.size(); ++i) {
        const QStringList cells = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (cells.size() < 7) continue;
        fonts << TPdfFont{cells.first(), cells.at(cells.size() - 5) == QLatin1String("yes")};
    }
    return fonts;
}

QStringList PdfToPng(const QString& pdf, const QString& prefix, int dpi)
{
    QDir().mkpath(QFileInfo(prefix).absolutePath());
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"), pdf, prefix});
    QStringList files;
    const QFileInfo info(prefix);
    for (const QFileInfo& f : QDir(info.absolutePath()).entryInfoList({info.fileName() + QStringLiteral("-*.png")}, QDir::Files, QDir::Name))
        files << f.absoluteFilePath();
    return files;
}

QList<TPdfImage> PdfImages(const QString& pdf)
{
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    QList<TPdfImage> out;
    for (const QString& line : Run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(QLatin1Char('\n'))) {
        const QStringList f = line.simplified().split(QLatin1Char(' '));
        bool page = false;
        if (f.size() < 14 || (f[0].toInt(&page), !page)) continue;
        out << TPdfImage{f[0].toInt(), f[3].toInt(), f[4].toInt(), f[8], f[12].toInt()};
    }
    return out;
}
