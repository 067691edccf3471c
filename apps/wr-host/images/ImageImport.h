// SPDX-License-Identifier: MIT
// DICOM files from a folder or a USB stick into this workstation's store and the index,
// through the same checks, store and indexing as wr-dicomd --import (imaging/DicomImport.h).
// Used by --import-dicom, the menu entry and the script command `images import`.
#pragma once
#include "imaging/DicomImport.h"
#include <QString>

class TConfigStore;

// Where imports go, read from the configuration on the UI thread: the store folder ([Dicom]
// Store, else the user's data folder, as wr-dicomd's default, so a receiver on this PC keeps
// the same files) and whether [Dicom] ForwardTo names an archive (the receiver then forwards
// what is imported too).
struct TImageImportPlace {
    explicit TImageImportPlace(const TConfigStore& config);
    QString store;
    bool forward = false;
};

struct TImageImportRun {
    wr::imaging::TDicomImportResult result;
    QString error;   // the store could not be prepared; nothing was imported
    bool Ok() const { return error.isEmpty() && result.Ok(); }
    // One line for the status bar and the script's output.
    QString Summary() const;
};

// Imports `path` (a file, or every file under a folder). `dbTarget` is what OpenDatabase takes
// (the indexer opens a connection of its own). Any thread.
TImageImportRun ImportDicomIntoHost(const QString& dbTarget, const TImageImportPlace& place, const QString& path,
                                    const wr::imaging::TDicomLogFn& log);
