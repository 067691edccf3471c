// SPDX-License-Identifier: MIT
#include "images/ImageImport.h"
#include "app/ConfigStore.h"
#include "imaging/DicomIndexer.h"
#include "imaging/DicomSettings.h"
#include "imaging/DicomStore.h"
#include "platform/Database.h"
#include <QFileInfo>

using namespace wr::imaging;

TImageImportPlace::TImageImportPlace(const TConfigStore& config)
{
    store = config.ReadString(QStringLiteral("Dicom"), QStringLiteral("Store")).trimmed();
    if (store.isEmpty()) store = DefaultDicomStore();
    forward = !config.ReadString(QStringLiteral("Dicom"), QStringLiteral("ForwardTo")).trimmed().isEmpty();
}

QString TImageImportRun::Summary() const
{
    if (!error.isEmpty()) return QStringLiteral("import failed: %1").arg(error);
    const TDicomImportResult& r = result;
    QString s = QStringLiteral("imported %1 new, %2 already stored, %3 refused, %4 not DICOM, %5 failed; %6 indexed")
                    .arg(r.stored).arg(r.alreadyStored).arg(r.refused).arg(r.notDicom).arg(r.failed).arg(r.indexed);
    if (r.databaseDown) s += QStringLiteral("; the database is down: the stored images are indexed once it is back");
    return s;
}

TImageImportRun ImportDicomIntoHost(const QString& dbTarget, const TImageImportPlace& place, const QString& path,
                                    const TDicomLogFn& log)
{
    TImageImportRun run;
    if (!QFileInfo::exists(path)) {
        run.error = QStringLiteral("%1 does not exist").arg(path);
        return run;
    }
    TDicomStore store(place.store);
    if (!store.Prepare(&run.error)) return run;
    TDicomIndexer indexer(store, store.Name(), [dbTarget] { return OpenDatabase(dbTarget); }, log);
    indexer.SetForwardPending(place.forward);
    run.result = ImportDicomFolder(path, store, indexer, log);
    return run;
}
