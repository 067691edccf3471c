// SPDX-License-Identifier: MIT
#include "DicomHeader.h"
#include "DicomCodecs.h"
#include <QFile>
#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcdeftag.h>
#include <dcmtk/dcmdata/dcfilefo.h>
#include <dcmtk/dcmdata/dcmetinf.h>
#include <dcmtk/dcmdata/dcxfer.h>

namespace wr::imaging {

namespace {

QString Text(DcmItem& item, const DcmTagKey& tag)
{
    OFString value;
    if (item.findAndGetOFStringArray(tag, value).bad()) return {};
    return QString::fromUtf8(value.c_str(), static_cast<qsizetype>(value.size())).trimmed();
}

QString Latin1Text(DcmItem& item, const DcmTagKey& tag)
{
    OFString value;
    if (item.findAndGetOFStringArray(tag, value).bad()) return {};
    return QString::fromLatin1(value.c_str(), static_cast<qsizetype>(value.size())).trimmed();
}

// Terms machines write that DICOM does not define, and what they mean.
void NormaliseCharacterSet(DcmItem& item)
{
    OFString value;
    if (item.findAndGetOFStringArray(DCM_SpecificCharacterSet, value).bad()) return;
    QString s = QString::fromLatin1(value.c_str()).trimmed();
    const QString upper = s.toUpper();
    if (upper == QLatin1String("GB2312") || upper == QLatin1String("GB 2312") || upper == QLatin1String("CP936"))
        s = QStringLiteral("GB18030");
    else if (upper == QLatin1String("UTF-8") || upper == QLatin1String("UTF8"))
        s = QStringLiteral("ISO_IR 192");
    else
        return;
    item.putAndInsertString(DCM_SpecificCharacterSet, s.toLatin1().constData());
}

} // namespace

QString ReadablePersonName(const QString& dicomName)
{
    const QStringList groups = dicomName.split(QLatin1Char('='));
    QString chosen = groups.value(0);
    if (groups.size() > 1 && !groups.at(1).trimmed().isEmpty()) chosen = groups.at(1);
    QStringList parts = chosen.split(QLatin1Char('^'));
    while (!parts.isEmpty() && parts.last().trimmed().isEmpty()) parts.removeLast();
    for (QString& p : parts) p = p.trimmed();
    // Chinese, Japanese and Korean names are written without a space between family and
    // given name.
    bool ideographic = false;
    for (const QChar c : chosen)
        if (c.unicode() >= 0x2E80) ideographic = true;
    return parts.join(ideographic ? QString() : QStringLiteral(" ")).trimmed();
}

bool HeaderFromDataset(DcmItem& ds, TDicomHeader* h, QString* error)
{
    RegisterDicomCodecs();
    *h = TDicomHeader();
    h->specificCharacterSet = Latin1Text(ds, DCM_SpecificCharacterSet);
    NormaliseCharacterSet(ds);
    const OFCondition converted = ds.convertToUTF8();
    h->charsetDecoded = converted.good();
    auto text = [&](const DcmTagKey& tag) { return h->charsetDecoded ? Text(ds, tag) : Latin1Text(ds, tag); };

    h->sopClassUid = Latin1Text(ds, DCM_SOPClassUID);
    h->sopInstanceUid = Latin1Text(ds, DCM_SOPInstanceUID);
    h->studyInstanceUid = Latin1Text(ds, DCM_StudyInstanceUID);
    h->seriesInstanceUid = Latin1Text(ds, DCM_SeriesInstanceUID);
    h->accessionNumber = text(DCM_AccessionNumber);
    h->patientId = text(DCM_PatientID);
    h->patientName = ReadablePersonName(text(DCM_PatientName));
    h->modality = Latin1Text(ds, DCM_Modality);
    h->photometricInterpretation = Latin1Text(ds, DCM_PhotometricInterpretation);
    h->instanceNumber = Latin1Text(ds, DCM_InstanceNumber).toInt();
    const int frames = Latin1Text(ds, DCM_NumberOfFrames).toInt();
    h->frames = frames > 0 ? frames : 1;
    Uint16 rows = 0, columns = 0;
    ds.findAndGetUint16(DCM_Rows, rows);
    ds.findAndGetUint16(DCM_Columns, columns);
    h->width = columns;
    h->height = rows;
    if (h->sopInstanceUid.isEmpty()) {
        if (error) *error = QStringLiteral("no SOP Instance UID");
        return false;
    }
    if (h->sopClassUid.isEmpty()) {
        if (error) *error = QStringLiteral("no SOP Class UID");
        return false;
    }
    return true;
}

bool ReadDicomHeader(const QString& path, TDicomHeader* h, QString* error)
{
    RegisterDicomCodecs();
    DcmFileFormat file;
    // Elements over 4 KB (the pixel data) stay in the file until someone asks for them.
    const OFCondition loaded =
        file.loadFile(OFFilename(QFile::encodeName(path).constData()), EXS_Unknown, EGL_noChange, 4096, ERM_autoDetect);
    if (loaded.bad()) {
        if (error) *error = QStringLiteral("not a readable DICOM file: %1").arg(QString::fromLatin1(loaded.text()));
        return false;
    }
    DcmDataset* ds = file.getDataset();
    if (!HeaderFromDataset(*ds, h, error)) return false;
    OFString ts;
    if (file.getMetaInfo()->findAndGetOFString(DCM_TransferSyntaxUID, ts).good() && !ts.empty())
        h->transferSyntaxUid = QString::fromLatin1(ts.c_str()).trimmed();
    else
        h->transferSyntaxUid = QString::fromLatin1(DcmXfer(ds->getOriginalXfer()).getXferID());
    return true;
}

}  // namespace wr::imaging
