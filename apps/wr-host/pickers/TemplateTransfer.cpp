// SPDX-License-Identifier: MIT
#include "pickers/TemplateTransfer.h"
#include "platform/ProgramDir.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QSaveFile>
#include <QTextDocument>

QByteArray RtfBytes(const QString& rtf)
{
    QByteArray out;
    out.reserve(rtf.size());
    for (const QChar ch : rtf) {
        const ushort u = ch.unicode();
        if (u < 128) {
            out += static_cast<char>(u);
        } else {
            // RTF's \u takes a signed 16-bit number; '?' is the fallback for old readers.
            out += "\\u" + QByteArray::number(static_cast<short>(u)) + '?';
        }
    }
    return out;
}

QString PlainTextToRtf(const QString& text)
{
    QString body;
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\\') || ch == QLatin1Char('{') || ch == QLatin1Char('}')) body += QLatin1Char('\\') + ch;
        else if (ch == QLatin1Char('\n')) body += QLatin1String("\\par\n");
        else if (ch == QLatin1Char('\r')) continue;
        else body += ch;
    }
    // The font is 微软雅黑 spelled in GBK, as RichEdit writes it.
    return QStringLiteral("{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fcharset134 "
                          "\\'ce\\'a2\\'c8\\'ed\\'d1\\'c5\\'ba\\'da;}}\\f0 %1}").arg(body);
}

QString RtfPlainText(const QByteArray& rtf)
{
    // A template saved with stray closing braces before it still starts at its "{\rtf".
    const qsizetype start = rtf.indexOf("{\\rtf");
    QTextDocument doc;
    if (start < 0 || !RtfToDocument(start == 0 ? rtf : rtf.mid(start), doc)) return {};
    QString text = DocumentPlainText(doc);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

QString ModelFilePath(TTemplateSection section)
{
    return ProgramDir() + QLatin1String("Temp/Model/")
        + (section == TTemplateSection::SuoJian ? QLatin1String("sj.rtf") : QLatin1String("jl.rtf"));
}

void PutRtfOnClipboard(const QString& rtf)
{
    const QByteArray bytes = RtfBytes(rtf);
    auto* mime = new QMimeData;
    mime->setData(QStringLiteral("text/rtf"), bytes);
    mime->setData(QStringLiteral("application/rtf"), bytes);
    mime->setText(RtfPlainText(bytes));
    QApplication::clipboard()->setMimeData(mime);
}

void PutTextOnClipboard(const QString& text) { QApplication::clipboard()->setText(text); }

bool WriteModelFile(TTemplateSection section, const QString& rtf, QString* error)
{
    const QString path = ModelFilePath(section);
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        *error = QStringLiteral("cannot create the folder of %1").arg(path);
        return false;
    }
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    f.write(RtfBytes(rtf));
    if (!f.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, f.errorString());
        return false;
    }
    return true;
}
