// SPDX-License-Identifier: MIT
#include "shell/HostMainForm.h"
#include "app/ConfigStore.h"
#include "app/HostLog.h"
#include "database/HostDataModule.h"
#include "hostdata/HostQueries.h"
#include "login/HostRights.h"
#include "print/PrintConfig.h"
#include "script/ControlAccess.h"
#include "shell/ComposingShortcuts.h"
#include "shell/HostShortcuts.h"
#include "shell/ReportHeader.h"
#include "worklist/WorklistPanel.h"
#include "platform/HeadlessDialogs.h"
#include "platform/InputComposition.h"
#include "platform/UserMessages.h"
#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kRuidRole = TWorklistPanel::kRuidRole;
constexpr int kAccnuColumn = TWorklistPanel::ColAccnu;
// The window system adds the program's name ("WriteReport") after the title.
const QString kTitle = QStringLiteral("报告编辑");
} // namespace

THostMainForm::THostMainForm(THostLog& log, TConfigStore& config, THostDataModule& dataModule, THostLogin login,
                             QWidget* parent)
    : QMainWindow(parent), m_log(log), m_config(config), m_dataModule(dataModule),
      m_session(log, dataModule, std::move(login), this)
{
    setObjectName(QStringLiteral("HostMainForm"));
    m_session.SetDialogParent(this);
    BuildUi();
    ConnectSession();
}

THostMainForm::~THostMainForm() = default;

HRESULT THostMainForm::QueryInterface(const TGUID& iid, void** obj)
{
    if (iid == IMainFrom::IID || iid == IInterface::IID) {
        *obj = static_cast<IMainFrom*>(this);
        return S_OK;
    }
    *obj = nullptr;
    return E_NOINTERFACE;
}

void THostMainForm::BuildUi()
{
    setWindowTitle(kTitle);
    resize(1280, 900);

    auto* split = new QSplitter(this);
    split->setObjectName(QStringLiteral("hostSplitter"));
    m_worklistPanel = new TWorklistPanel([this] { return m_dataModule.GetMainAdoConnection(); }, split);
    connect(m_worklistPanel, &TWorklistPanel::statusMessage, this, &THostMainForm::ShowStatus);
    connect(m_worklistPanel->Tree(), &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        QString error;
        m_session.Open(item->data(kAccnuColumn, kRuidRole).toString(), &error);
    });

    m_formHost = new QWidget(split);
    m_formHost->setObjectName(QStringLiteral("formHost"));
    auto* fl = new QVBoxLayout(m_formHost);
    fl->setContentsMargins(0, 0, 0, 0);
    auto* placeholder = new QLabel(QStringLiteral("没有加载报告编辑器"), m_formHost);
    placeholder->setObjectName(QStringLiteral("formPlaceholder"));
    placeholder->setAlignment(Qt::AlignCenter);
    fl->addWidget(placeholder);
    m_session.SetFormHost(m_formHost);
    split->addWidget(m_worklistPanel);
    split->addWidget(m_formHost);
    split->setStretchFactor(0, 0);
    split->setStretchFactor(1, 1);
    split->setSizes({430, 850});
    setCentralWidget(split);

    m_toolBar = addToolBar(QStringLiteral("报告"));
    m_toolBar->setObjectName(QStringLiteral("hostToolBar"));
    m_toolBar->setMovable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // The window's own rows of the action table: the report in the editor and the list.
    const auto open = [this] { return m_session.Report() && !m_session.CurrentRuid().isEmpty(); };
    AddActions({
        {"actionOpen", QStringLiteral("打开"), QKeySequence::Open, QStyle::SP_DialogOpenButton,
         [this] {
             if (QTreeWidgetItem* item = m_worklistPanel->Tree()->currentItem()) {
                 QString error;
                 m_session.Open(item->data(kAccnuColumn, kRuidRole).toString(), &error);
             }
         },
         [this] { return m_session.Report() != nullptr; }},
        {"actionUnlock", QStringLiteral("解锁编辑"), QKeySequence(Qt::CTRL | Qt::Key_E), QStyle::SP_FileDialogDetailedView,
         [this] { QString e; m_session.SetEditing(true, &e); }, open},
        {"actionLock", QStringLiteral("锁定"), QKeySequence(Qt::CTRL | Qt::Key_L), QStyle::SP_BrowserStop,
         [this] { QString e; m_session.SetEditing(false, &e); }, open},
        {"actionSave", QStringLiteral("保存"), QKeySequence::Save, QStyle::SP_DialogSaveButton,
         [this] { QString e; m_session.Save(&e); }, open},
        {"actionRefresh", QStringLiteral("刷新列表"), QKeySequence::Refresh, QStyle::SP_BrowserReload,
         [this] { QString e; RefreshWorklist(&e); }},
    });
    BuildStatusBar();
    InstallCompositionTracker();
    // Shortcuts keep working while a word is being composed, also where the input method
    // would keep the key (the editor's own keys excepted).
    new TComposingShortcuts(this, m_formHost);
    // The doctor starts in the work list, not in its search field.
    m_worklistPanel->Tree()->setFocus(Qt::OtherFocusReason);
}

QString THostMainForm::UserLabelText(const THostLogin& login)
{
    // The department's name as the printed sheet names it; its code means nothing to a reader.
    const QString department = PrintSettingsFromConfig(m_config).department.trimmed();
    return department.isEmpty() ? QStringLiteral("用户：%1").arg(login.userName)
                                : QStringLiteral("用户：%1（%2）").arg(login.userName, department);
}

void THostMainForm::BuildStatusBar()
{
    m_userLabel = new QLabel(this);
    m_userLabel->setText(UserLabelText(Login()));
    m_dbLabel = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setMaximumWidth(160);
    m_progress->hide();
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->addPermanentWidget(m_progress);
    statusBar()->addPermanentWidget(m_userLabel);
    statusBar()->addPermanentWidget(m_dbLabel);
}

void THostMainForm::ConnectSession()
{
    m_session.describeReport = [this](const QString& ruid) { return DescribeOpened(ruid); };
    m_session.describePatient = [this] {
        const QTreeWidgetItem* item = m_worklistPanel->Tree()->currentItem();
        return item ? QStringLiteral("%1（%2）").arg(item->text(TWorklistPanel::ColPatient), item->text(kAccnuColumn)) : QString();
    };
    connect(&m_session, &TEditorSession::notice, this, &THostMainForm::ShowStatus);
    connect(&m_session, &TEditorSession::reportOpened, this, &THostMainForm::OnReportOpened);
    connect(&m_session, &TEditorSession::reportSaved, this, &THostMainForm::OnReportSaved);
    connect(&m_session, &TEditorSession::reportClosed, this, &THostMainForm::OnReportClosed);
    connect(&m_session, &TEditorSession::formReplaced, this, &THostMainForm::OnFormReplaced);
    connect(&m_session, &TEditorSession::editingChanged, this, [this] {
        if (m_reportHeader) m_reportHeader->Refresh();
        UpdateActions();
    });
    connect(&m_session, &TEditorSession::userChanged, this, [this](const THostLogin& now) {
        m_userLabel->setText(UserLabelText(now));
        UpdateActions();
    });
}

void THostMainForm::AttachForm(const TLoadedForm& form, const QString& className)
{
    if (QWidget* placeholder = m_formHost->findChild<QWidget*>(QStringLiteral("formPlaceholder"))) delete placeholder;
    form.widget->setParent(m_formHost);
    m_formHost->layout()->addWidget(form.widget);
    form.widget->show();
    m_session.Attach(form, className, static_cast<IMainFrom*>(this));
    // Host shortcuts win over the keys text controls claim; the editor's own menus are its own.
    m_shortcutGuard = new THostShortcutGuard(this, form.widget);
    m_reportHeader = new TReportHeader(this, m_formHost, statusBar(), [this] { return m_session.HasUnsavedChanges(); });
    m_reportHeader->Watch(form.widget);
    UpdateActions();
}

void THostMainForm::SetScriptSession(TScriptSession* session)
{
    m_script = session;
    m_session.SetScripted(session != nullptr);
}

void THostMainForm::Log(const QString& title, const QString& message) { m_log.Write(title, message); }

void THostMainForm::ShowStatus(const QString& text)
{
    statusBar()->showMessage(text);
    Log(QStringLiteral("wr-host"), text);
}

void THostMainForm::Status(const QString& text) { statusBar()->showMessage(text); }

QString THostMainForm::StatusText() const { return statusBar()->currentMessage(); }

bool THostMainForm::Headless() const { return m_script || THeadlessDialogService::PlatformIsHeadless(); }

HostPermissions THostMainForm::Rights() { return PermissionsFor(Login(), m_config); }

TDbConnection& THostMainForm::Db() { return *m_dataModule.GetMainAdoConnection(); }

bool THostMainForm::RefreshWorklist(QString* error)
{
    try {
        m_dbLabel->setText(QStringLiteral("数据库：%1").arg(m_dataModule.GetMainAdoConnection()->Description()));
    } catch (const Exception& e) {
        *error = QStringLiteral("cannot read the work list: %1").arg(e.Message());
        Log(QStringLiteral("wr-host"), QStringLiteral("异常:") + e.Message());
        ShowStatus(QStringLiteral("读取工作列表失败：%1").arg(DatabaseErrorForUser(e.Message())));
        return false;
    }
    if (!m_worklistPanel->Reload(error)) return false;
    MarkCurrentRow();
    return true;
}

void THostMainForm::MarkCurrentRow()
{
    QTreeWidget* list = m_worklistPanel->Tree();
    const QString& ruid = m_session.CurrentRuid();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        const bool current = !ruid.isEmpty()
            && item->data(kAccnuColumn, kRuidRole).toString().compare(ruid, Qt::CaseInsensitive) == 0;
        for (int c = 0; c < TWorklistPanel::ColCount; ++c) {
            QFont f = item->font(c);
            f.setBold(current);
            item->setFont(c, f);
        }
        if (current) list->setCurrentItem(item);
    }
}

QStringList THostMainForm::WorklistGuids() const { return m_worklistPanel->Guids(); }

QString THostMainForm::DescribeOpened(const QString&)
{
    QTreeWidgetItem* item = m_worklistPanel->Tree()->currentItem();
    return item ? item->text(kAccnuColumn) : QString();
}

void THostMainForm::OnReportOpened(const QString& ruid)
{
    // Signing, withdrawing and printing open the report again: its row shows the state the
    // database now holds, and so does a row opened from a list read a while ago.
    RefreshWorklistRow(ruid);
    MarkCurrentRow();
    UpdateActions();
    const QString accnu = DescribeOpened(ruid);
    setWindowTitle(QStringLiteral("%1 — %2[*]").arg(kTitle, accnu.isEmpty() ? ruid : accnu));
    if (m_reportHeader) m_reportHeader->ShowReport(*m_dataModule.GetMainAdoConnection(), ruid);
}

void THostMainForm::OnReportSaved(const QString& ruid)
{
    if (m_reportHeader) m_reportHeader->Refresh();
    RefreshWorklistRow(ruid);
    MarkCurrentRow();
    UpdateActions();
}

void THostMainForm::RefreshWorklistRow(const QString& ruid)
{
    // Only that row is read again: the list may hold thousands of reports. Its failure is
    // logged; the status line keeps saying what the doctor did.
    QObject::disconnect(m_worklistPanel, &TWorklistPanel::statusMessage, this, &THostMainForm::ShowStatus);
    const QMetaObject::Connection quiet = connect(m_worklistPanel, &TWorklistPanel::statusMessage, this,
                                                  [this](const QString& text) { Log(QStringLiteral("wr-host"), text); });
    QString ignored;
    m_worklistPanel->RefreshRow(ruid, &ignored);
    QObject::disconnect(quiet);
    connect(m_worklistPanel, &TWorklistPanel::statusMessage, this, &THostMainForm::ShowStatus);
}

void THostMainForm::OnReportClosed()
{
    if (auto* header = m_formHost->findChild<QLabel*>(QStringLiteral("patientHeader"))) {
        header->clear();
        header->hide();
    }
    if (m_reportHeader) m_reportHeader->Refresh();
    setWindowTitle(kTitle + QStringLiteral("[*]"));
    MarkCurrentRow();
    UpdateActions();
}

void THostMainForm::OnFormReplaced(QWidget* form)
{
    // The guard watching the old editor goes with it.
    delete m_shortcutGuard;
    m_shortcutGuard = nullptr;
    if (!form) return;
    m_shortcutGuard = new THostShortcutGuard(this, form);
    if (m_reportHeader) m_reportHeader->Watch(form);
}

void THostMainForm::OpenStudyInfo(const QString& accnu)
{
    QTreeWidget* list = m_worklistPanel->Tree();
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = list->topLevelItem(i);
        if (item->text(kAccnuColumn) == accnu) {
            QString error;
            m_session.Open(item->data(kAccnuColumn, kRuidRole).toString(), &error);
            return;
        }
    }
    // The list holds one page of one filter: the accession may well be outside it.
    try {
        if (const auto row = TWorklistQuery(*m_dataModule.GetMainAdoConnection()).NewestOfAccession(accnu)) {
            QString error;
            m_session.Open(row->ruid, &error);
            return;
        }
    } catch (const Exception& e) {
        Log(QStringLiteral("wr-host OpenStudyInfo"), QStringLiteral("异常:") + e.Message());
        return;
    }
    Log(QStringLiteral("wr-host OpenStudyInfo"), QStringLiteral("no report of accession %1").arg(accnu));
}

void THostMainForm::RunPicker(TPickerKind kind)
{
    if (m_runPicker) m_runPicker(kind);
}

void THostMainForm::closeEvent(QCloseEvent* event)
{
    if (m_session.MayClose()) event->accept();
    else event->ignore();
}
