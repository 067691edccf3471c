// SPDX-License-Identifier: MIT
#include "DicomImport.h"
#include "DicomAcceptance.h"
#include "DicomHeader.h"
#include "DicomIndexer.h"
#include "DicomStore.h"
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace wr::imaging {

namespace {

// DICOM Part 10 files carry "DICM" at offset 128; files from old machines may lack the
// preamble, so those are left to the parser to judge.
bool LooksLikeDicom(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = f.read(132);
    if (head.size() == 132 && head.mid(128, 4) == "DICM") return true;
    // No preamble: a data set starting with a group 0x0008 element (little endian).
    return head.size() >= 8 && static_cast<uchar>(head[0]) == 0x08 && head[1] == 0;
}

void ImportFile(const QString& path, TDicomStore& store, const TDicomLogFn& log, TDicomImportResult& r)
{
    const QString name = QFileInfo(path).fileName();
    if (name.compare(QLatin1String("DICOMDIR"), Qt::CaseInsensitive) == 0 || !LooksLikeDicom(path)) {
        ++r.notDicom;
        return;
    }
    TDicomHeader header;
    QString error;
    if (!ReadDicomHeader(path, &header, &error)) {
        ++r.refused;
        log(QStringLiteral("import %1: refused, %2").arg(path, error));
        return;
    }
    if (!IsAcceptedSopClass(header.sopClassUid) || !IsAcceptedTransferSyntax(header.transferSyntaxUid)) {
        ++r.refused;
        log(QStringLiteral("import %1: refused, class %2 with transfer syntax %3 is not accepted")
                .arg(path, header.sopClassUid, header.transferSyntaxUid));
        return;
    }
    if (!TDicomStore::IsValidUid(header.sopInstanceUid)) {
        ++r.refused;
        log(QStringLiteral("import %1: refused, invalid SOP Instance UID").arg(path));
        return;
    }
    if (QFileInfo::exists(store.PathFor(header.sopInstanceUid))) {
        ++r.alreadyStored;
        log(QStringLiteral("import %1: %2 already stored, kept once").arg(path, header.sopInstanceUid));
        return;
    }
    const QString temporary = store.NewTemporaryPath();
    if (!QFile::copy(path, temporary)) {
        QFile::remove(temporary);
        ++r.failed;
        log(QStringLiteral("import %1: cannot copy into the store (disk full?)").arg(path));
        return;
    }
    switch (store.Commit(temporary, header.sopInstanceUid, &error)) {
    case TDicomStore::TCommit::Stored:
        ++r.stored;
        log(QStringLiteral("import %1: stored %2").arg(path, header.sopInstanceUid));
        break;
    case TDicomStore::TCommit::AlreadyStored:
        ++r.alreadyStored;
        break;
    case TDicomStore::TCommit::Failed:
        ++r.failed;
        log(QStringLiteral("import %1: not stored: %2").arg(path, error));
        break;
    }
}

} // namespace

TDicomImportResult ImportDicomFolder(const QString& folder, TDicomStore& store, TDicomIndexer& indexer,
                                     const TDicomLogFn& log)
{
    TDicomImportResult r;
    const QFileInfo root(folder);
    if (root.isFile()) {
        ImportFile(root.absoluteFilePath(), store, log, r);
    } else if (root.isDir()) {
        QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        QStringList files;
        while (it.hasNext()) files << it.next();
        files.sort();
        for (const QString& f : files) ImportFile(f, store, log, r);
    } else {
        ++r.failed;
        log(QStringLiteral("import: %1 is neither a file nor a folder").arg(folder));
        return r;
    }
    const TDicomIndexer::TDrainResult drained = indexer.Drain();
    r.indexed = drained.indexed;
    r.databaseDown = drained.databaseDown;
    log(QStringLiteral("import of %1: %2 stored, %3 already stored, %4 refused, %5 not DICOM, %6 failed, %7 indexed%8")
            .arg(folder)
            .arg(r.stored)
            .arg(r.alreadyStored)
            .arg(r.refused)
            .arg(r.notDicom)
            .arg(r.failed)
            .arg(r.indexed)
            .arg(r.databaseDown ? QStringLiteral(" (the database is unavailable: the rest is indexed when it is back)") : QString()));
    return r;
}

}  // namespace wr::imaging
