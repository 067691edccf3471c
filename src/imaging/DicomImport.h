// SPDX-License-Identifier: MIT
// Import without a network: DICOM files from a folder (a USB stick, a CD copied to disk) go
// through the same path as received ones: checked (readable, an accepted class and transfer
// syntax), stored atomically under their SOP Instance UID (an instance stored before is kept
// once), queued and indexed. Files that are not DICOM (DICOMDIR, autorun files, pictures) are
// counted and skipped with a line in the log, never half stored.
//
// Runs on the caller's thread; `indexer` is drained at the end (and indexes with its own
// connection). Used by `wr-dicomd --import DIR` and the host's import.
#pragma once
#include "DicomLog.h"
#include <QString>

namespace wr::imaging {

class TDicomStore;
class TDicomIndexer;

struct TDicomImportResult
{
    int stored = 0, alreadyStored = 0, refused = 0, notDicom = 0, failed = 0, indexed = 0;
    bool databaseDown = false;  // stored instances wait in the queue for the index
    bool Ok() const { return failed == 0 && !databaseDown; }
};

// Imports every file under `folder` (sub-folders too), or the one file `folder` names.
TDicomImportResult ImportDicomFolder(const QString& folder, TDicomStore& store, TDicomIndexer& indexer,
                                     const TDicomLogFn& log);

}  // namespace wr::imaging
