// SPDX-License-Identifier: MIT
#include "pickers/TemplateTransfer.h"
#include "pickers/RtfText.h"
#include "platform/ProgramDir.h"
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QSaveFile>

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
