// SPDX-License-Identifier: MIT
// The one render path of a printed report: print preview, printing, PDF export and the
// headless --pdf all paint through PaintReport onto a QPagedPaintDevice (QPrinter is one,
// QPdfWriter another).
//
// Every page gets the header (logo, hospital name, title, department, patient and exam
// number), the body part that falls on it, and the footer ("第 N 页 / 共 M 页"); a report that
// is not final also gets the draft line "草稿，未审核" on every page. The body is laid out
// with the page's height, so a line of text is always moved whole to the next page, never
// cut. Needs a QGuiApplication; UI thread or any one thread at a time.
#pragma once
#include "PrintRecord.h"
#include "PrintSettings.h"
#include <QDateTime>
#include <QList>
#include <QStringList>

class QPagedPaintDevice;

// What was painted, for the status bar and the tests.
struct TPrintOutcome {
    int pageCount = 0;
    // The body's text lines as laid out, per page (index 0 = page 1).
    QList<QStringList> pageLines;
    // Body lines that would cross a page's lower edge (none, unless a single line is taller
    // than the body area of a page).
    QStringList cutLines;
    QStringList warnings;   // unreadable logo, RTF problems, unusable settings
    QStringList fontFamilies;  // the families the body's text asked for
};

// Sets page size and margins of the device from the settings (call before a print dialog,
// so the dialog starts from them).
void ApplyPageSetup(QPagedPaintDevice& device, const TPrintSettings& settings);

// Paints the report on the device with the device's current page layout. False with a
// message when the device cannot be painted on (e.g. an unwritable output file).
bool PaintReport(const TPrintRecord& record, const TPrintSettings& settings, QPagedPaintDevice& device,
                 TPrintOutcome* outcome, QString* error);

// Writes the report as a PDF file: page setup from the settings, fonts embedded, text
// extractable as the characters printed (PdfTextMap.h). The file appears whole or not at all
// (written beside it, then renamed).
bool WriteReportPdf(const TPrintRecord& record, const TPrintSettings& settings, const QString& fileName,
                    TPrintOutcome* outcome, QString* error);
