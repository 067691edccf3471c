// SPDX-License-Identifier: MIT
// The receiver's settings: command-line options over the [Dicom] section of the
// configuration file over the defaults. Keys of [Dicom]:
//
//   Port=11112                      the listening port
//   AETitle=WRSTORE                 the called AE title the receiver answers to
//   Store=DIR                       where instances are stored (default: the user's data folder)
//   Database=TARGET                 the report database, as wr-host's --db
//   DatabasePasswordFile=FILE       as wr-host's --db-password-file
//   CallingAETitles=US1,US2         calling AE titles accepted; empty: any
//   ForwardTo=PACS@pacs-host:104    the archive every stored instance goes to; empty: none
//   KeepDays=30                     days an archived instance stays in the local store
//   MaxAssociations=32              associations served at once
//   MinFreeMB=100                   below this much free space on the store's disk, instances are
//                                   refused with 0xA700 (out of resources) instead of half written
#pragma once
#include <QString>
#include <QStringList>

namespace wr::imaging {

struct TForwardTarget
{
    QString aeTitle, host;
    int port = 0;
    bool IsSet() const { return !aeTitle.isEmpty() && !host.isEmpty() && port > 0; }
};

struct TDicomSettings
{
    int port = 11112;
    QString aeTitle = QStringLiteral("WRSTORE");
    QString store;
    QString database;
    QString databasePasswordFile;
    QStringList callingAeTitles;
    TForwardTarget forwardTo;
    int keepDays = 30;
    int maxAssociations = 32;
    int minFreeMb = 100;
};

// The default store folder: <the user's data folder>/WriteReport/dicom.
QString DefaultDicomStore();

// Reads [Dicom] of `configFile` over `settings`; false and `error` for a bad value (a port out
// of range, an AE title over 16 characters, a ForwardTo that is not AET@host:port).
bool ReadDicomSettings(const QString& configFile, TDicomSettings* settings, QString* error);

// "AET@host:port"; false for anything else.
bool ParseForwardTarget(const QString& text, TForwardTarget* target);
// An AE title DICOM allows: 1 to 16 characters, no backslash or control character.
bool IsValidAeTitle(const QString& title);

}  // namespace wr::imaging
