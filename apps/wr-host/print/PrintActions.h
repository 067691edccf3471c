// SPDX-License-Identifier: MIT
// Print preview, print and PDF export of the open report, in the tool bar and the
// "审核与打印" menu (objectNames actionPrintPreview, actionPrint, actionExportPdf) and as the
// script commands preview / print [FILE] / pdf FILE. Every one checks the user's right
// first and offers to save pending edits; a print is counted in the database and the report
// is then opened again (it holds the count).
//
// Without a user (script mode, offscreen) no window waits: boxes go through the dialog
// service, a print goes to the given file or the default printer, a preview only lays out.
// UI thread only; a child of the window.
#pragma once
#include "hostdata/HostPermissions.h"
#include "hostdata/PrintRender.h"
#include <QObject>

class IHostContext;
class QPagedPaintDevice;

class TPrintActions final : public QObject {
    Q_OBJECT
public:
    explicit TPrintActions(IHostContext& host);

    // Each answers false with a message (also in the status bar, and in a box where a
    // person must know).
    bool Preview(QString* error);
    // Prints through Qt's printer support; `toFile` non-empty prints into that PDF file
    // (as a printer set to print to a file does).
    bool Print(const QString& toFile, QString* error);
    // `file` empty: asks for one (not in headless runs).
    bool ExportPdf(const QString& file, QString* error);

private:
    // The right, the open report, its pending edits and its stored record, in that order.
    bool Prepare(THostOperation op, const QString& action, QString* ruid, TPrintRecord* record, QString* error);
    bool PaintOn(const TPrintRecord& record, QPagedPaintDevice& device, TPrintOutcome* out, QString* error);
    bool CountPrinted(const QString& ruid, QString* error);
    bool PreviewHeadless(const TPrintRecord& record, QString* error);

    IHostContext& m_host;
};

// The room's entry (app/HostRooms.cpp).
QList<struct TScriptCommandShape> PrintScriptCommands();
void InstallPrintRoom(IHostContext& host);
