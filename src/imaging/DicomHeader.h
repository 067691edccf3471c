// SPDX-License-Identifier: MIT
// The attributes of an instance that the index and the receiver need, read from a file's
// header without its pixel data (a 500 MB loop reads in a few kilobytes), with texts decoded
// by the instance's Specific Character Set: ISO_IR 192 (UTF-8), GB18030, GBK, the ISO 2022
// forms with code extensions (ISO 2022 IR 58 / IR 87 / IR 149 ...), the single-byte sets, and
// the undefined term "GB2312" that some machines write, read as GB18030 (its superset).
// Pure: any thread.
#pragma once
#include <QString>

class DcmItem;

namespace wr::imaging {

struct TDicomHeader
{
    QString sopClassUid, sopInstanceUid, studyInstanceUid, seriesInstanceUid;
    QString accessionNumber, patientId, patientName, modality;
    QString transferSyntaxUid;   // as stored in the file
    QString specificCharacterSet;  // as the instance declared it
    QString photometricInterpretation;
    int instanceNumber = 0;
    int frames = 1;
    int width = 0, height = 0;
    bool charsetDecoded = true;  // false: an unknown character set, texts read as Latin-1
};

// Reads the header of a DICOM file (with or without a meta header). False and `error` for a
// file that is not DICOM, is truncated inside the header, or lacks a SOP Instance UID.
bool ReadDicomHeader(const QString& path, TDicomHeader* header, QString* error);

// The same from a dataset in memory; `dataset` gets its texts converted to UTF-8.
bool HeaderFromDataset(DcmItem& dataset, TDicomHeader* header, QString* error);

// A person name as people read it: "王^小明" becomes "王小明" for Chinese names and
// "DOE^JOHN" becomes "DOE JOHN"; of the alphabetic, ideographic and phonetic groups
// ("Wang^XiaoDong=王^小东=") the ideographic one is preferred when present.
QString ReadablePersonName(const QString& dicomName);

}  // namespace wr::imaging
