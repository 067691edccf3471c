// SPDX-License-Identifier: MIT
#include "print/ReportActions.h"
#include "app/ConfigStore.h"
#include "database/HostDataModule.h"
#include "shell/HostMainForm.h"
#include "script/ScriptSession.h"
#include "login/HostLogin.h"
#include "platform/DialogService.h"
#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace {
const QString kPermissionSection = QStringLiteral("Permissions");
const QString kPrintSection = QStringLiteral("Print");

void Tell(QWidget* parent, const QString& caption, const QString& text, TMsgIcon icon)
{
    TMessageRequest box;
    box.parent = parent;
    box.caption = caption;
    box.text = text;
    box.icon = icon;
    Dialogs().MessageBox(box);
}

bool AskYes(QWidget* parent, const QString& caption, const QString& text)
{
    TMessageRequest q;
    q.parent = parent;
    q.caption = caption;
    q.text = text;
    q.buttons = TMsgButtons::YesNo;
    q.icon = TMsgIcon::Question;
    q.defaultButton = TMsgResult::No;
    return Dialogs().MessageBox(q) == TMsgResult::Yes;
}
} // namespace

HostPermissions PermissionsFor(const THostLogin& login, TConfigStore& config)
{
    auto local = [&config](const QString& name) -> std::optional<QString> {
        if (!config.HasKey(kPermissionSection, name)) return std::nullopt;
        return config.ReadString(kPermissionSection, name);
    };
    if (!login.hasRole) return HostPermissions(local);
    return HostPermissions(login.granted, local);
}

TPrintSettings PrintSettingsFromConfig(TConfigStore& config, QStringList* warnings)
{
    return PrintSettingsFrom([&config](const QString& key) { return config.ReadString(kPrintSection, key); }, warnings);
}

TReportActions::TReportActions(THostMainForm& host) : QObject(&host), m_host(host)
{
    setObjectName(QStringLiteral("reportActions"));
    QStyle* st = host.style();
    auto make = [&](const char* name, const QString& text, QStyle::StandardPixmap icon, const QKeySequence& keys) {
        auto* a = new QAction(st->standardIcon(icon), text, &host);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(keys);
        a->setToolTip(keys.isEmpty() ? text : QStringLiteral("%1 (%2)").arg(text, keys.toString()));
        return a;
    };
    m_sign = make("actionSign", QStringLiteral("审核"), QStyle::SP_DialogApplyButton, QKeySequence(Qt::Key_F8));
    m_withdraw = make("actionWithdraw", QStringLiteral("撤销审核"), QStyle::SP_DialogResetButton, QKeySequence());
    m_preview = make("actionPrintPreview", QStringLiteral("打印预览"), QStyle::SP_FileDialogContentsView,
                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P));
    m_print = make("actionPrint", QStringLiteral("打印"), QStyle::SP_DialogSaveButton, QKeySequence::Print);
    m_pdf = make("actionExportPdf", QStringLiteral("导出PDF"), QStyle::SP_DriveFDIcon, QKeySequence());
    const QList<QAction*> actions{m_sign, m_withdraw, m_preview, m_print, m_pdf};
    if (auto* bar = host.findChild<QToolBar*>(QStringLiteral("hostToolBar"))) {
        bar->addSeparator();
        bar->addActions(actions);
    }
    QMenu* menu = host.menuBar()->addMenu(QStringLiteral("审核与打印(&P)"));
    menu->setObjectName(QStringLiteral("menuSignPrint"));
    menu->addActions({m_sign, m_withdraw});
    menu->addSeparator();
    menu->addActions({m_preview, m_print, m_pdf});
    connect(menu, &QMenu::aboutToShow, this, &TReportActions::UpdateActions);

    connect(m_sign, &QAction::triggered, this, [this] { QString e; Sign(&e); });
    connect(m_withdraw, &QAction::triggered, this, [this] { QString e; Withdraw(&e); });
    connect(m_preview, &QAction::triggered, this, [this] { QString e; Preview(&e); });
    connect(m_print, &QAction::triggered, this, [this] { QString e; Print(QString(), &e); });
    connect(m_pdf, &QAction::triggered, this, [this] { QString e; ExportPdf(QString(), &e); });

    // The window tells no one when a report opens; its title and status bar change then, so
    // they drive the enabled state (coalesced: one update per turn of the event loop).
    m_updateTimer.setSingleShot(true);
    m_updateTimer.setInterval(0);
    connect(&m_updateTimer, &QTimer::timeout, this, &TReportActions::UpdateActions);
    connect(&host, &QWidget::windowTitleChanged, &m_updateTimer, qOverload<>(&QTimer::start));
    connect(host.statusBar(), &QStatusBar::messageChanged, &m_updateTimer, qOverload<>(&QTimer::start));

    host.beforeUnlock = [this](QString* error) { return BeforeUnlock(error); };
    host.afterSave = [this](bool changed) { AfterSave(changed); };
    UpdateActions();
}

// Enabled state from the open report's state and the user's rights, in one place.
void TReportActions::UpdateActions()
{
    const HostPermissions p = Permissions();
    const QString ruid = m_host.CurrentRuid();
    bool final = false;
    if (!ruid.isEmpty()) {
        try {
            final = ReadSignState(*m_host.DataModule().GetMainAdoConnection(), ruid).IsFinal();
        } catch (const Exception&) {
        }
    }
    const bool open = !ruid.isEmpty();
    m_sign->setEnabled(open && !final && p.Allowed(THostOperation::SignReport));
    m_withdraw->setEnabled(open && final && p.Allowed(THostOperation::WithdrawSignature));
    m_preview->setEnabled(open && p.Allowed(THostOperation::PrintReport));
    m_print->setEnabled(open && p.Allowed(THostOperation::PrintReport));
    m_pdf->setEnabled(open && p.Allowed(THostOperation::ExportPdf));
}

bool TReportActions::Headless() const
{
    const QString platform = QGuiApplication::platformName();
    return m_host.ScriptSession() || platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

HostPermissions TReportActions::Permissions() const { return PermissionsFor(m_host.Login(), m_host.Config()); }

bool TReportActions::Refuse(THostOperation op, QString* error)
{
    if (Permissions().Allowed(op)) return false;
    Fail(OperationName(op), QStringLiteral("没有“%1”的权限。").arg(OperationName(op)), error);
    return true;
}

bool TReportActions::ConfirmPassword(const QString& what, QString* error)
{
    QString reason;
    const auto log = [this](const QString& line) { m_host.WriteLogByBpl(QStringLiteral("wr-host login"), line); };
    if (ConfirmUserPassword(*m_host.DataModule().GetMainAdoConnection(), m_host.Login(), what, &m_host, log, &reason))
        return true;
    return Fail(what, reason, error);
}

bool TReportActions::Fail(const QString& what, const QString& message, QString* error)
{
    *error = message;
    m_host.Notify(QStringLiteral("%1失败：%2").arg(what, message));
    Tell(&m_host, what, message, TMsgIcon::Warning);
    return false;
}

TSigner TReportActions::User() const { return TSigner{m_host.Login().userName, m_host.Login().userCode}; }

bool TReportActions::OpenReportRuid(QString* ruid, QString* error)
{
    *ruid = m_host.CurrentRuid();
    if (!ruid->isEmpty()) return true;
    *error = QStringLiteral("no report is open");
    m_host.Notify(QStringLiteral("没有打开的报告。"));
    return false;
}

bool TReportActions::EnsureSaved(const QString& action, QString* error)
{
    if (!m_host.HasUnsavedChanges()) return true;
    if (!AskYes(&m_host, action, QStringLiteral("报告有未保存的修改。先保存再%1吗？\n选择“否”则不%1。").arg(action))) {
        *error = QStringLiteral("the report has unsaved edits; %1 cancelled").arg(action);
        m_host.Notify(QStringLiteral("报告有未保存的修改，没有%1。").arg(action));
        return false;
    }
    return m_host.SaveReport(error);
}

bool TReportActions::LoadRecord(const QString& ruid, TPrintRecord* record, QString* error)
{
    try {
        *record = LoadPrintRecord(*m_host.DataModule().GetMainAdoConnection(), ruid);
        return true;
    } catch (const Exception& e) {
        return Fail(QStringLiteral("读取报告"), e.Message(), error);
    }
}

bool TReportActions::PaintOn(const TPrintRecord& record, QPagedPaintDevice& device, TPrintOutcome* out, QString* error)
{
    QStringList warnings;
    const TPrintSettings settings = PrintSettingsFromConfig(m_host.Config(), &warnings);
    if (!PaintReport(record, settings, device, out, error)) return false;
    for (const QString& w : warnings + out->warnings) m_host.WriteLogByBpl(QStringLiteral("wr-host print"), w);
    return true;
}

bool TReportActions::CountPrinted(const QString& ruid, QString* error)
{
    try {
        CountPrint(*m_host.DataModule().GetMainAdoConnection(), ruid, User());
        m_host.WriteLogByBpl(QStringLiteral("wr-host print"), QStringLiteral("report %1 printed by %2").arg(ruid, User().code));
        return true;
    } catch (const Exception& e) {
        return Fail(QStringLiteral("记录打印次数"), QStringLiteral("报告已打印，但打印次数没有记入数据库：%1").arg(e.Message()), error);
    }
}

void TReportActions::Reopen(bool keepEditing)
{
    const QString ruid = m_host.CurrentRuid();
    const bool editing = keepEditing && m_host.ReportIsEdited();
    m_reopening = true;
    QString error;
    if (m_host.OpenReport(ruid, &error) && editing) m_host.SetEditing(true, &error);
    m_reopening = false;
    UpdateActions();
}

bool TReportActions::Sign(QString* error)
{
    QString ruid;
    if (!OpenReportRuid(&ruid, error)) return false;
    if (Refuse(THostOperation::SignReport, error)) return false;
    // Pending edits are part of what is signed.
    if (m_host.HasUnsavedChanges() && !m_host.SaveReport(error)) return false;
    TPrintRecord record;
    if (!LoadRecord(ruid, &record, error)) return false;
    if (record.IsFinal()) return Fail(QStringLiteral("审核"), QStringLiteral("报告已审核。"), error);
    if ((record.suoJian + record.jieLun + record.rtfSuoJian + record.rtfJieLun).trimmed().isEmpty())
        return Fail(QStringLiteral("审核"), QStringLiteral("报告还没有影像表现和诊断印像，不能审核。"), error);
    // The signature is the person's, not the workstation's: the password again, now.
    if (!ConfirmPassword(QStringLiteral("审核"), error)) return false;
    try {
        SignReport(*m_host.DataModule().GetMainAdoConnection(), ruid, User());
    } catch (const Exception& e) {
        return Fail(QStringLiteral("审核"), e.Message(), error);
    }
    m_host.WriteLogByBpl(QStringLiteral("wr-host sign"), QStringLiteral("report %1 signed by %2").arg(ruid, User().code));
    m_unlockConfirmed.clear();
    Reopen(false);
    m_host.Notify(QStringLiteral("报告已审核，审核医生：%1。").arg(User().name));
    return true;
}

bool TReportActions::Withdraw(QString* error)
{
    QString ruid;
    if (!OpenReportRuid(&ruid, error)) return false;
    if (Refuse(THostOperation::WithdrawSignature, error)) return false;
    if (!EnsureSaved(QStringLiteral("撤销审核"), error)) return false;
    if (!AskYes(&m_host, QStringLiteral("撤销审核"),
                QStringLiteral("撤销审核后报告回到待审核状态，需要重新审核。确定撤销吗？"))) {
        *error = QStringLiteral("withdrawing the signature was cancelled");
        m_host.Notify(QStringLiteral("没有撤销审核。"));
        return false;
    }
    if (!ConfirmPassword(QStringLiteral("撤销审核"), error)) return false;
    try {
        WithdrawSignature(*m_host.DataModule().GetMainAdoConnection(), ruid, User());
    } catch (const Exception& e) {
        return Fail(QStringLiteral("撤销审核"), e.Message(), error);
    }
    m_host.WriteLogByBpl(QStringLiteral("wr-host sign"), QStringLiteral("signature of report %1 withdrawn by %2").arg(ruid, User().code));
    m_unlockConfirmed.clear();
    Reopen(false);
    m_host.Notify(QStringLiteral("已撤销审核，报告回到待审核状态。"));
    return true;
}

bool TReportActions::Preview(QString* error)
{
    QString ruid;
    if (!OpenReportRuid(&ruid, error)) return false;
    if (Refuse(THostOperation::PrintReport, error)) return false;
    if (!EnsureSaved(QStringLiteral("预览"), error)) return false;
    TPrintRecord record;
    if (!LoadRecord(ruid, &record, error)) return false;
    const TPrintSettings settings = PrintSettingsFromConfig(m_host.Config());
    if (Headless()) {
        // Nobody could look at a preview window: lay the pages out and say how many.
        QBuffer sink;
        sink.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&sink);
        ApplyPageSetup(pdf, settings);
        TPrintOutcome out;
        if (!PaintOn(record, pdf, &out, error)) return Fail(QStringLiteral("打印预览"), *error, error);
        if (TScriptSession* s = m_host.ScriptSession()) s->Print(QStringLiteral("preview: %1 page(s)").arg(out.pageCount));
        m_host.Notify(QStringLiteral("打印预览：共 %1 页。").arg(out.pageCount));
        return true;
    }
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer, settings);
    QPrintPreviewDialog dialog(&printer, &m_host);
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));
    dialog.setWindowTitle(QStringLiteral("打印预览 — %1 %2").arg(record.patientName, record.accnu));
    QString paintError;
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this, [&](QPrinter* p) {
        TPrintOutcome out;
        if (!PaintOn(record, *p, &out, &paintError)) m_host.Notify(QStringLiteral("打印预览失败：%1").arg(paintError));
    });
    // The dialog's own print button prints on the real printer and accepts the dialog.
    if (dialog.exec() == QDialog::Accepted && paintError.isEmpty()) {
        if (!CountPrinted(ruid, error)) return false;
        Reopen(true);
        m_host.Notify(QStringLiteral("报告已打印。"));
    }
    return true;
}

bool TReportActions::Print(const QString& toFile, QString* error)
{
    QString ruid;
    if (!OpenReportRuid(&ruid, error)) return false;
    if (Refuse(THostOperation::PrintReport, error)) return false;
    if (!EnsureSaved(QStringLiteral("打印"), error)) return false;
    TPrintRecord record;
    if (!LoadRecord(ruid, &record, error)) return false;
    QPrinter printer(QPrinter::HighResolution);
    ApplyPageSetup(printer, PrintSettingsFromConfig(m_host.Config()));
    printer.setDocName(QStringLiteral("%1 %2").arg(record.accnu, record.patientName));
    if (!toFile.isEmpty()) {
        QDir().mkpath(QFileInfo(toFile).absolutePath());
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(toFile);
    } else if (Headless()) {
        if (QPrinterInfo::defaultPrinter().isNull())
            return Fail(QStringLiteral("打印"), QStringLiteral("没有可用的打印机。"), error);
    } else {
        QPrintDialog dialog(&printer, &m_host);
        dialog.setObjectName(QStringLiteral("printDialog"));
        if (dialog.exec() != QDialog::Accepted) {
            *error = QStringLiteral("printing was cancelled");
            m_host.Notify(QStringLiteral("没有打印。"));
            return false;
        }
    }
    TPrintOutcome out;
    if (!PaintOn(record, printer, &out, error)) return Fail(QStringLiteral("打印"), *error, error);
    if (!CountPrinted(ruid, error)) return false;
    Reopen(true);
    m_host.Notify(QStringLiteral("报告已打印（%1 页，第 %2 次打印）。").arg(out.pageCount).arg(record.printedCount + 1));
    return true;
}

bool TReportActions::ExportPdf(const QString& file, QString* error)
{
    QString ruid;
    if (!OpenReportRuid(&ruid, error)) return false;
    if (Refuse(THostOperation::ExportPdf, error)) return false;
    if (!EnsureSaved(QStringLiteral("导出PDF"), error)) return false;
    TPrintRecord record;
    if (!LoadRecord(ruid, &record, error)) return false;
    QString target = file;
    if (target.isEmpty()) {
        if (Headless()) return Fail(QStringLiteral("导出PDF"), QStringLiteral("没有给出文件名。"), error);
        const QString suggested = QStringLiteral("%1/%2-%3.pdf")
                                      .arg(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                           record.accnu, record.patientName);
        target = QFileDialog::getSaveFileName(&m_host, QStringLiteral("导出PDF"), suggested, QStringLiteral("PDF (*.pdf)"));
        if (target.isEmpty()) {
            *error = QStringLiteral("no file was chosen");
            return false;
        }
    }
    QStringList warnings;
    TPrintOutcome out;
    if (!WriteReportPdf(record, PrintSettingsFromConfig(m_host.Config(), &warnings), target, &out, error))
        return Fail(QStringLiteral("导出PDF"), *error, error);
    for (const QString& w : warnings + out.warnings) m_host.WriteLogByBpl(QStringLiteral("wr-host pdf"), w);
    m_host.Notify(QStringLiteral("已导出 PDF：%1（%2 页）。").arg(target).arg(out.pageCount));
    return true;
}

bool TReportActions::BeforeUnlock(QString* error)
{
    const QString ruid = m_host.CurrentRuid();
    TReportSignState state;
    try {
        state = ReadSignState(*m_host.DataModule().GetMainAdoConnection(), ruid);
    } catch (const Exception& e) {
        // The editor has the report on screen; a database that cannot tell its state now
        // must not keep the doctor from the text (a save meets the same database and says so).
        m_host.WriteLogByBpl(QStringLiteral("wr-host unlock"), QStringLiteral("report state unknown: %1").arg(e.Message()));
        return true;
    }
    if (!state.IsFinal()) return true;
    if (Refuse(THostOperation::EditSignedReport, error)) return false;
    if (m_reopening && m_unlockConfirmed.compare(ruid, Qt::CaseInsensitive) == 0) return true;
    if (!AskYes(&m_host, QStringLiteral("修改已审核报告"),
                QStringLiteral("该报告已审核。解锁修改并保存后，报告仍为已审核状态，"
                               "并在工作列表和报告历史中标记为审核后修改。确定解锁吗？"))) {
        *error = QStringLiteral("unlocking the final report was cancelled");
        m_host.Notify(QStringLiteral("已审核的报告保持锁定。"));
        return false;
    }
    m_unlockConfirmed = ruid;
    return true;
}

void TReportActions::AfterSave(bool changed)
{
    const QString ruid = m_host.CurrentRuid();
    if (!changed || m_unlockConfirmed.compare(ruid, Qt::CaseInsensitive) != 0) return;
    try {
        TDbConnection& conn = *m_host.DataModule().GetMainAdoConnection();
        if (!ReadSignState(conn, ruid).IsFinal()) return;
        NoteSignedEdit(conn, ruid, User());
    } catch (const Exception& e) {
        m_host.Notify(QStringLiteral("报告已保存，但审核后修改的标记没有记入数据库：%1").arg(e.Message()));
        return;
    }
    Reopen(true);
    m_host.Notify(QStringLiteral("已审核的报告已保存，并标记为审核后修改。"));
}
