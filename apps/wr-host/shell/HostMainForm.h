// SPDX-License-Identifier: MIT
// The host's main window: the work list beside the embedded report editor, the tool bar and
// menus of the action table, the status bar; the host context the rooms receive
// (app/HostContext.h); and the editor's IMainFrom (configuration, user, log, pickers), whose
// report work it leaves to the editor session (editor/EditorSession.h).
// UI thread only. Owns nothing of the plug-in but the embedded widget (as its Qt parent).
#pragma once
#include "app/HostContext.h"
#include "app/PluginLoader.h"
#include "editor/EditorSession.h"
#include "host/uPubIntFace_WriteReport.h"
#include "hostdata/PickerKind.h"
#include "platform/DialogService.h"
#include "script/ScriptCommands.h"
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QAction;
class QLabel;
class QMenu;
class QProgressBar;
class QToolBar;
class TConfigStore;
class THostDataModule;
class THostLog;
class THostShortcutGuard;
class TReportHeader;
struct TScriptSession;
class TWorklistPanel;

class THostMainForm final : public QMainWindow, public IMainFrom, public IHostContext {
    Q_OBJECT
public:
    THostMainForm(THostLog& log, TConfigStore& config, THostDataModule& dataModule, THostLogin login,
                  QWidget* parent = nullptr);
    ~THostMainForm() override;

    // Embeds the created form and hands it this main form and the data module.
    void AttachForm(const TLoadedForm& form, const QString& className);
    QWidget* FormWidget() const { return m_session.FormWidget(); }
    IReportForm* Report() const { return m_session.Report(); }
    const THostLogin& Login() const { return m_session.Login(); }

    // The work list, re-read from the database. False with the database's message.
    bool RefreshWorklist(QString* error);
    QStringList WorklistGuids() const;

    // The editor session's actions, for the program's start and the tests.
    bool OpenReport(const QString& ruid, QString* error) { return m_session.Open(ruid, error); }
    bool SetEditing(bool enable, QString* error) { return m_session.SetEditing(enable, error); }
    bool SaveReport(QString* error) { return m_session.Save(error); }
    const QString& CurrentRuid() const { return m_session.CurrentRuid(); }
    bool ReportIsEdited() { return m_session.IsEdited(); }
    bool ScreenLocked() const { return m_session.ScreenLocked(); }

    // Script mode: pickers take their answers from the session and never show a window.
    void SetScriptSession(TScriptSession* session);

    // IHostContext
    TEditorSession& Session() override { return m_session; }
    const THostLogin& User() const override { return m_session.Login(); }
    HostPermissions Rights() override;
    TConfigStore& Config() override { return m_config; }
    THostDataModule& DataModule() override { return m_dataModule; }
    TDbConnection& Db() override;
    void Notify(const QString& text) override { ShowStatus(text); }
    void Status(const QString& text) override;
    QString StatusText() const override;
    void Log(const QString& title, const QString& message) override;
    QWidget* Window() override { return this; }
    TScriptSession* Script() override { return m_script; }
    bool Headless() const override;
    QWidget* Cover() const override { return m_cover; }
    void SetCover(QWidget* cover) override { m_cover = cover; }
    void AddMenu(const char* objectName, const QString& title) override;
    void AddActions(const QList<THostActionSpec>& rows) override;
    void UpdateActions() override;
    TScriptCommands& ScriptCommands() override { return m_scriptCommands; }
    void SetPickerRunner(std::function<void(TPickerKind)> run) override { m_runPicker = std::move(run); }

    // IInterface: reference counts never own the window.
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }

    // IMainFrom (HostServices.cpp; the pickers are the pickers room's)
    int WriteLogByBpl(const QString& logtitle, const QString& logvalue) override;
    QStringList Get_ExFieldItemLst_configValues(const QString& section) override;
    QString GetConfig_String(const QString& section, const QString& key) override;
    int GetConfig_Integer(const QString& section, const QString& key) override;
    bool GetConfig_Boolean(const QString& section, const QString& key) override;
    void SetConfig_String(const QString& section, const QString& key, const QString& value) override;
    void SetConfig_Integer(const QString& section, const QString& key, int value) override;
    void SetConfig_boolean(const QString& section, const QString& key, bool value) override;
    QString GetLogFileName() override;
    void GetLogionInfoFromMainFrom(QString& userName, QString& userCode, QString& keshiCode, int& roleId) override;
    IInterface* GetLoadedPackageFrmObject(const QString& className) override;
    void SetAndInitProgressBarMaxAndMin(int maxValue, int minValue) override;
    void UpdateProcessBarPositon(int position) override;
    void ProcessBarPostionAdd(int step) override;
    void OpenStudyInfo(const QString& accnu) override;
    QString GetCurrentExamModality() override;
    IInterface* GetCurrentReportFrm() override;
    void ShowExamItemFrom() override { RunPicker(TPickerKind::Item); }
    void ShowExamMethodForm() override { RunPicker(TPickerKind::Method); }
    void ShowExamJCBWForm() override { RunPicker(TPickerKind::Part); }
    void ShowExamLCZD() override { RunPicker(TPickerKind::Lczd); }
    void ShowExamJianYi() override { RunPicker(TPickerKind::JianYi); }
    void ShowExamBeiZhu() override { RunPicker(TPickerKind::BeiZhu); }
    void ShowReportModel() override { RunPicker(TPickerKind::Template); }
    void ShowTeShuFuHao() override { RunPicker(TPickerKind::Symbol); }
    bool DeleteFileInLocalAndServer(const QString& fileName) override;
    QString Get_UpLoadFileJsonString(const QString& fileName) override;
    QString Get_DownLoadFileJsonString(const QString& fileName) override;
    QString Get_DeleteFileJsonString(const QString& fileName) override;
    QString GetPrintMessage(const QString& ruid) override;
    int Get_UserOperateQuXian(const QString& operation) override;
    QString Get_Default_Exm_method() override;
    void HT_onoffHouTaicap(bool on) override;
    bool HT_getHouTaiCapStatus() override { return false; }
    void HT_SetNewHouTaiCapInfo(const QString& info) override;
    void ht_HouTaicapAddNewCap(const QString& fileName) override;
    QString ht_GetCurrentHouTaiCapInfo() override { return {}; }
    void* ht_GetHouTaiStatus_address() override { return nullptr; }
    void* Dengj_getCallBackFunAddress() override { return nullptr; }
    void* GetCallBackAddress_Trqueue() override { return nullptr; }
    bool GetisLocalWorkMode() override;


protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildUi();
    void BuildStatusBar();
    void ConnectSession();
    void ShowStatus(const QString& text);
    void MarkCurrentRow();
    QString DescribeOpened(const QString& ruid);
    void OnReportOpened(const QString& ruid);
    void OnReportSaved(const QString& ruid);
    void RefreshWorklistRow(const QString& ruid);
    QString UserLabelText(const THostLogin& login);
    void OnReportClosed();
    void OnFormReplaced(QWidget* form);
    void RunPicker(TPickerKind kind);

    struct TRegisteredAction {
        QAction* action;
        std::function<bool()> enabled;
    };

    THostLog& m_log;
    TConfigStore& m_config;
    THostDataModule& m_dataModule;
    TEditorSession m_session;
    TScriptCommands m_scriptCommands;
    TScriptSession* m_script = nullptr;
    std::function<void(TPickerKind)> m_runPicker;
    QPointer<QWidget> m_cover;

    TWorklistPanel* m_worklistPanel = nullptr;
    QWidget* m_formHost = nullptr;
    QLabel* m_userLabel = nullptr;
    QLabel* m_dbLabel = nullptr;
    QProgressBar* m_progress = nullptr;
    QToolBar* m_toolBar = nullptr;
    TReportHeader* m_reportHeader = nullptr;  // patient header and changed marker
    THostShortcutGuard* m_shortcutGuard = nullptr;
    QList<TRegisteredAction> m_actions;
    QList<QMenu*> m_menus;
};
