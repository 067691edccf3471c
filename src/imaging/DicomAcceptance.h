// SPDX-License-Identifier: MIT
// What the receiver accepts: the image storage classes an ultrasound room sends and the
// transfer syntaxes DCMTK here can decode. Everything else is refused at negotiation (the
// presentation context is rejected) or, when a file claims otherwise, with a DIMSE status.
#pragma once
#include <QString>
#include <QStringList>

namespace wr::imaging {

// US Image (and its retired form), US Multi-frame (and retired), Secondary Capture,
// Multi-frame True Colour Secondary Capture, VL Photographic.
const QStringList& AcceptedSopClasses();
// Implicit and explicit little endian, JPEG baseline, extended and lossless (process 14 and
// its first-order predictor), RLE, JPEG-LS lossless and near-lossless.
const QStringList& AcceptedTransferSyntaxes();

bool IsAcceptedSopClass(const QString& uid);
bool IsAcceptedTransferSyntax(const QString& uid);

// DIMSE statuses the receiver answers a C-STORE with.
enum TStoreStatus : unsigned short {
    StoreSuccess = 0x0000,
    StoreOutOfResources = 0xA700,     // the disk is full, the store cannot be written
    StoreDataSetMismatch = 0xA900,    // the data set is not the instance the request names
    StoreCannotUnderstand = 0xC000,   // not a readable instance
    StoreSopClassNotSupported = 0x0122,
};

}  // namespace wr::imaging
