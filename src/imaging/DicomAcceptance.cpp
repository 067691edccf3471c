// SPDX-License-Identifier: MIT
#include "DicomAcceptance.h"
#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcuid.h>

namespace wr::imaging {

const QStringList& AcceptedSopClasses()
{
    static const QStringList classes = {
        QString::fromLatin1(UID_UltrasoundImageStorage),
        QString::fromLatin1(UID_RETIRED_UltrasoundImageStorage),
        QString::fromLatin1(UID_UltrasoundMultiframeImageStorage),
        QString::fromLatin1(UID_RETIRED_UltrasoundMultiframeImageStorage),
        QString::fromLatin1(UID_SecondaryCaptureImageStorage),
        QString::fromLatin1(UID_MultiframeTrueColorSecondaryCaptureImageStorage),
        QString::fromLatin1(UID_VLPhotographicImageStorage),
    };
    return classes;
}

const QStringList& AcceptedTransferSyntaxes()
{
    // Uncompressed first: a sender offering several gets the one that needs no decoding.
    static const QStringList syntaxes = {
        QString::fromLatin1(UID_LittleEndianExplicitTransferSyntax),
        QString::fromLatin1(UID_LittleEndianImplicitTransferSyntax),
        QString::fromLatin1(UID_JPEGProcess1TransferSyntax),
        QString::fromLatin1(UID_JPEGProcess2_4TransferSyntax),
        QString::fromLatin1(UID_JPEGProcess14TransferSyntax),
        QString::fromLatin1(UID_JPEGProcess14SV1TransferSyntax),
        QString::fromLatin1(UID_RLELosslessTransferSyntax),
        QString::fromLatin1(UID_JPEGLSLosslessTransferSyntax),
        QString::fromLatin1(UID_JPEGLSLossyTransferSyntax),
    };
    return syntaxes;
}

bool IsAcceptedSopClass(const QString& uid) { return AcceptedSopClasses().contains(uid.trimmed()); }
bool IsAcceptedTransferSyntax(const QString& uid) { return AcceptedTransferSyntaxes().contains(uid.trimmed()); }

}  // namespace wr::imaging
