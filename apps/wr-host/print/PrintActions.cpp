// SPDX-License-Identifier: MIT
#include "print/PrintActions.h"
#include "sign/SignChecksGate.h"
#include "app/HostContext.h"
#include "editor/EditorSession.h"
#include "editor/ReportTask.h"
#include "print/PrintConfig.h"
#include "script/ScriptCommands.h"
#include "script/ScriptSession.h"
#include <QWidget>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <functional>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

TPrintActions::TPrintActions(IHostContext& host) : QObject(host.Window()), m_host(host)
{
    setObjectName(QStringLiteral("printActions"));
    const auto allowed = [this](THostOperation op) {
        return [this, op] { return !m_host.Session().CurrentRuid().isEmpty() && m_host.Rights().Allowed(op); };
    };
    host.AddMenu("menuSignPrint", QStringLiteral("审核与打印(&P)"));
    host.AddActions({
        {"actionPrintPreview", QStringLiteral("打印预览"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
         QStyle::SP_FileDialogContentsView, [this] { QString e; Preview(&e); }, allowed(THostOperation::PrintReport),
         "menuSignPrint", false, true},
        {"actionPrint", QStringLiteral("打印"), QKeySequence::Print, QStyle::SP_DialogSaveButton,
         [this] { QString e; Print(QString(), &e); }, allowed(THostOperation::PrintReport), "menuSignPrint"},
        {"actionExportPdf", QStringLiteral("导出PDF"), QKeySequence(), QStyle::SP_DriveFDIcon,
         [this] { QString e; ExportPdf(QString(), &e); }, allowed(THostOperation::ExportPdf), "menuSignPrint"},
    });
}

bool TPrintActions::Prepare(THostOperation op, const QString& action, QString* ruid, TPrintRecord* record, QString* error)
{
    if (!TaskOpenRuid(m_host, ruid, error)) return false;
    if (TaskRefused(m_host, op, error)) return false;
    if (!m_host.Session().EnsureSaved(action, error)) return false;
    return TaskLoadRecord(m_host, *ruid, record, error);
}

bool TPrintActions::PaintOn(const TPrintRecord& record, QPagedPaintDevice& device, TPrintOutcome* out, QString* error)
{
    QStringList warnings;
    const TPrintSettings settings = PrintSettingsFromConfig(m_host.Config(), &warnings);
    if (!PaintReport(record, settings, device, out, error)) return false;
    for (const QString& w : warnings + out->warnings) m_host.Log(QStringLiteral("wr-host print"), w);
    return true;
}

bool TPrintActions::CountPrinted(const QString& ruid, QString* error)
{
    try {
        CountPrint(m_host.Db(), ruid, TaskSigner(m_host));
        m_host.Log(QStringLiteral("wr-host print"), QStringLiteral("report %1 printed by %2").arg(ruid, TaskSigner(m_host).code));
        return true;
    } catch (const Exception& e) {
        return TaskFail(m_host, QStringLiteral("记录打印次数"),
                        QStringLiteral("报告已打印，但打印次数没有记入数据库：%1").arg(e.Message()), error);
    }
}

bool TPrintActions::PreviewHeadless(const TPrintRecord& record, QString* error)
{
    // Nobody could look at a preview window: lay the pages out and say how many.
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&sink);
    ApplyPageSetup(pdf, PrintSettingsFromConfig(m_host.Config()));
    TPrintOutcome out;
    if (!PaintOn(record, pdf, &out, error)) return TaskFail(m_host, QStringLiteral("打印预览"), *error, error);
    if (TScriptSession* s = m_host.Script()) s->Print(QStringLiteral("preview: %1 page(s)").arg(out.pageCount));
    m_host.Notify(QStringLiteral("打印预览：共 %1 页。").arg(out.pageCount));
    return true;
}

bool TPrintActions::Preview(QString* error)
{
    QString ruid;
    TPrintRecord record;
    if (!Prepare(THostOperation::PrintReport, QStringLiteral("预览"), &ruid, &record, error)) return false;
    if (m_host.Headless()) return PreviewHeadless(record, error);
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer, PrintSettingsFromConfig(m_host.Config()));
    QPrintPreviewDialog dialog(&printer, m_host.Window());
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("打印预览 — %1 %2").arg(record.patientName, record.accnu));
    QString paintError;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* p) {
        TPrintOutcome out;
        if (!PaintOn(record, *p, &out, &paintError)) m_host.Notify(QStringLiteral("打印预览失败：%1").arg(paintError));
    });
    // Readable at once: the whole screen, a page as wide as the window, and the zoom keys
    // every viewer has (Ctrl+加号, Ctrl+减号, Ctrl+0 for the page width again).
    if (auto* view = dialog.findChild<QPrintPreviewWidget*>()) {
        view->setZoomMode(QPrintPreviewWidget::FitToWidth);
        const auto zoomKey = [&dialog](const QList<QKeySequence>& keys, const std::function<void()>& act) {
            auto* a = new QAction(&dialog);
            a->setShortcuts(keys);
            QObject::connect(a, &QAction::triggered, &dialog, act);
            dialog.addAction(a);
        };
        // The tool bar's zoom field follows, as it does for its own buttons.
        auto* field = dialog.findChild<QComboBox*>();
        const auto shown = [view, field] {
            if (field && field->lineEdit()) field->lineEdit()->setText(QString::asprintf("%.1f%%", view->zoomFactor() * 100));
        };
        zoomKey({QKeySequence::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)}, [view, shown] { view->zoomIn(); shown(); });
        zoomKey({QKeySequence::ZoomOut}, [view, shown] { view->zoomOut(); shown(); });
        zoomKey({QKeySequence(Qt::CTRL | Qt::Key_0)}, [view, shown] {
            view->setZoomMode(QPrintPreviewWidget::FitToWidth);
            shown();
        });
    }
    dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    // The dialog's own print button prints on the real printer and accepts the dialog.
    if (dialog.exec() == QDialog::Accepted && paintError.isEmpty()) {
        if (!CountPrinted(ruid, error)) return false;
        m_host.Session().Reopen(true);
        m_host.Notify(QStringLiteral("报告已打印。"));
    }
    return true;
}

bool TPrintActions::Print(const QString& toFile, QString* error)
{
    QString ruid;
    TPrintRecord record;
    if (!Prepare(THostOperation::PrintReport, QStringLiteral("打印"), &ruid, &record, error)) return false;
    if (!record.IsFinal()) {
        TCheckDecision checks;
        if (!ChecksBeforePrint(m_host, ruid, &checks, error)) return TaskFail(m_host, QStringLiteral("打印"), *error, error);
        if (!checks.proceed) {
            *error = QStringLiteral("printing was cancelled after the checks");
            m_host.Notify(QStringLiteral("没有打印：请先修改报告。"));
            return false;
        }
    }
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer, PrintSettingsFromConfig(m_host.Config()));
    printer.setDocName(QStringLiteral("%1 %2").arg(record.accnu, record.patientName));
    if (!toFile.isEmpty()) {
        QDir().mkpath(QFileInfo(toFile).absolutePath());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(toFile);
    } else if (m_host.Headless()) {
        if (QPrinterInfo::defaultPrinter().isNull())
            return TaskFail(m_host, QStringLiteral("打印"), QStringLiteral("没有可用的打印机。"), error);
    } else {
        QPrintDialog dialog(&printer, m_host.Window());
        dialog.setObjectName(QStringLiteral("printDialog"));
        if (dialog.exec() != QDialog::Accepted) {
            *error = QStringLiteral("printing was cancelled");
            m_host.Notify(QStringLiteral("没有打印。"));
            return false;
        }
    }
    TPrintOutcome out;
    if (!PaintOn(record, printer, &out, error)) return TaskFail(m_host, QStringLiteral("打印"), *error, error);
    if (!CountPrinted(ruid, error)) return false;
    m_host.Session().Reopen(true);
    m_host.Notify(QStringLiteral("报告已打印（%1 页，第 %2 次打印）。").arg(out.pageCount).arg(record.printedCount + 1));
    return true;
}

bool TPrintActions::ExportPdf(const QString& file, QString* error)
{
    QString ruid;
    TPrintRecord record;
    if (!Prepare(THostOperation::ExportPdf, QStringLiteral("导出PDF"), &ruid, &record, error)) return false;
    QString target = file;
    if (target.isEmpty()) {
        if (m_host.Headless()) return TaskFail(m_host, QStringLiteral("导出PDF"), QStringLiteral("没有给出文件名。"), error);
        // The exam number names the file, never the patient: file names show in folder
        // listings, recent-file lists and the log.
        QString name;
        for (const QChar ch : record.accnu.trimmed())
            name += ch.isLetterOrNumber() || ch == QLatin1Char('-') || ch == QLatin1Char('_') ? ch : QLatin1Char('_');
        if (name.isEmpty()) name = QStringLiteral("report");
        const QString suggested = QStringLiteral("%1/%2.pdf").arg(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), name);
        target = QFileDialog::getSaveFileName(m_host.Window(), QStringLiteral("导出PDF"), suggested, QStringLiteral("PDF (*.pdf)"));
        if (target.isEmpty()) {
            *error = QStringLiteral("no file was chosen");
            return false;
        }
    }
    QStringList warnings;
    TPrintOutcome out;
    if (!WriteReportPdf(record, PrintSettingsFromConfig(m_host.Config(), &warnings), target, &out, error))
        return TaskFail(m_host, QStringLiteral("导出PDF"), *error, error);
    for (const QString& w : warnings + out.warnings) m_host.Log(QStringLiteral("wr-host pdf"), w);
    m_host.Notify(QStringLiteral("已导出 PDF：%1（%2 页）。").arg(target).arg(out.pageCount));
    return true;
}

QList<TScriptCommandShape> PrintScriptCommands() { return {{"preview", 0, 0, false, false}, {"print", 0, 0, true, false}, {"pdf", 0, 0, true, true}}; }

void InstallPrintRoom(IHostContext& host)
{
    auto* actions = new TPrintActions(host);
    TScriptCommands& commands = host.ScriptCommands();
    commands.Handle("preview", [actions](const TScriptCommand&, QString* error) { return actions->Preview(error); });
    commands.Handle("print", [actions](const TScriptCommand& c, QString* error) { return actions->Print(c.text, error); });
    commands.Handle("pdf", [actions](const TScriptCommand& c, QString* error) { return actions->ExportPdf(c.text, error); });
}
