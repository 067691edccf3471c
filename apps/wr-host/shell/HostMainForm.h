// SPDX-License-Identifier: MIT
// The host's main window and its IMainFrom: a work list of the database's reports beside the
// embedded report editor, the actions open / unlock / lock / save, and every service the
// editor asks of its host (configuration, user, log, pickers).
//
// The editor is driven only through IReportForm. Every call into it goes through CallForm,
// which catches whatever the plug-in throws and notices the "异常:" lines it logs, so a
// failing open or save is reported in the status bar and the window keeps running.
// UI thread only. Owns nothing of the plug-in but the embedded widget (as its Qt parent).
#pragma once
#include "pickers/PickerKind.h"
#include "app/PluginLoader.h"
#include "host/uPubIntFace_WriteReport.h"
#include "platform/DialogService.h"
#include <QMainWindow>
#include <QSet>
#include <functional>

class QAction;
class QLabel;
class QLineEdit;
class QProgressBar;
class QTreeWidget;
class TConfigStore;
class THostDataModule;
class THostLog;
struct TScriptSession;
class TWorklistPanel;

// The logged-in user, as the database's account says (login/HostLogin.h).
struct THostLogin {
    QString userName, userCode, deptCode;
    int roleId = 0;
    QString roleCode{};        // WrRole.RoleCode
    QSet<QString> granted{};   // the operations the role grants (HostPermissions)
    bool hasRole = false;      // false: no account behind it (tests of parts only): local rule alone
};

// How one call into the editor ended.
struct TFormCallResult {
    bool ok = true;
    bool thrown = false;  // an exception left the plug-in (nobody has told the user yet)
    QString error;        // the exception's message, or the "异常:" lines logged meanwhile
};

class THostMainForm final : public QMainWindow, public IMainFrom {
    Q_OBJECT
public:
    THostMainForm(THostLog& log, TConfigStore& config, THostDataModule& dataModule, THostLogin login,
                  QWidget* parent = nullptr);
    ~THostMainForm() override;

    // Embeds the created form and hands it this main form and the data module.
    void AttachForm(const TLoadedForm& form, const QString& className);
    QWidget* FormWidget() const { return m_form.widget; }
    IReportForm* Report() const { return m_form.report; }
    const THostLogin& Login() const { return m_login; }

    // The work list, re-read from the database. False with the database's message.
    bool RefreshWorklist(QString* error);
    QStringList WorklistGuids() const;

    // The actions. Each answers false with a message the status bar also shows.
    // Opening asks whether to save a report that is being edited.
    bool OpenReport(const QString& ruid, QString* error);
    bool SetEditing(bool enable, QString* error);
    bool SaveReport(QString* error);
    const QString& CurrentRuid() const { return m_currentRuid; }
    // True when a report is open and unlocked (asked from the editor).
    bool ReportIsEdited();

    // Script mode: pickers take their answers from the session and never show a window.
    void SetScriptSession(TScriptSession* session) { m_session = session; }
    TScriptSession* ScriptSession() const { return m_session; }

    // For the host's other capabilities (print/ReportActions.h): the database, the
    // configuration, whether the open report has edits not yet saved, the status bar.
    THostDataModule& DataModule() { return m_dataModule; }
    TConfigStore& Config() { return m_config; }
    bool HasUnsavedChanges();
    void Notify(const QString& text) { ShowStatus(text); }
    // Asked before a report is unlocked: false keeps it locked (the reason in *error).
    std::function<bool(QString* error)> beforeUnlock;
    // Told after each successful save whether the report's content had changed.
    std::function<void(bool changed)> afterSave;

    // The idle lock (lock/IdleLock.h). While the screen is locked, closing the window asks
    // nothing about the report (the question would show it to whoever is at the keyboard):
    // its unsaved edits go to the user's draft.
    void SetScreenLocked(bool locked) { m_screenLocked = locked; }
    bool ScreenLocked() const { return m_screenLocked; }
    // Writes the open report's unsaved edits to the logged-in user's draft now; nothing goes
    // to the database. True when there were none or the draft holds them.
    bool KeepEditsAsDraft(QString* error);
    // Another user takes over (lock/HostLoginSwitch.cpp): the edits go to the current user's
    // draft, the editor is closed without saving and made afresh by createForm, and the host
    // carries on as `login` with no report open, then tells onLoginChanged. False with the
    // reason, and nothing changed, when the edits could not be kept or no editor was made.
    bool SwitchLogin(const THostLogin& login, QString* error);
    std::function<bool(QWidget* parent, TLoadedForm* form, QString* error)> createForm;
    std::function<void(const THostLogin& login)> onLoginChanged;

    // Runs one call into the editor; see TFormCallResult.
    TFormCallResult CallForm(const QString& what, const std::function<void()>& call);

    // IInterface: reference counts never own the window.
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }

    // IMainFrom (HostServices.cpp, HostPickers.cpp)
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
    void ShowStatus(const QString& text);
    void Log(const QString& title, const QString& message);
    void MarkCurrentRow();
    void UpdateActions();
    // Puts the keyboard focus into the editor (after unlocking).
    void FocusEditor();
    // Asks whether to save an edited report before it is left: 保存 / 不保存 / 取消 (Esc and
    // closing the question mean 取消). Cancelled or SaveFailed mean staying on it.
    enum class TLeave { Left, Cancelled, SaveFailed };
    TLeave LeaveCurrentReport();
    // Message boxes through the dialog service (answered by the script in script mode).
    void Tell(const QString& caption, const QString& text, TMsgIcon icon);
    TMsgResult Ask(const QString& caption, const QString& text, TMsgIcon icon, TMsgResult defaultButton);
    // Reports an error in the status bar and, unless the editor already showed one, a box.
    void ReportFailure(const QString& what, const TFormCallResult& r, bool editorShowsBox);

    // Pickers (HostPickers.cpp).
    void RunPicker(TPickerKind kind);
    void RunListPicker(TPickerKind kind);
    void RunTemplatePicker();
    void RunSymbolPicker();
    bool TakeScriptPick(TPickerKind kind, QString* value);
    void PickerFailed(TPickerKind kind, const QString& message);

    THostLog& m_log;
    TConfigStore& m_config;
    THostDataModule& m_dataModule;
    THostLogin m_login;
    TLoadedForm m_form;
    QString m_formClassName;
    QString m_currentRuid;
    QByteArray m_savedContent;                // the editor's content as last opened or saved
    QStringList m_openWarnings;               // the editor's "警告:" notices since the last open
    TScriptSession* m_session = nullptr;
    QStringList* m_capturedErrors = nullptr;  // "异常:" lines of the call in progress

    TWorklistPanel* m_worklistPanel = nullptr;
    QTreeWidget* m_worklist = nullptr;        // the panel's list
    QLineEdit* m_worklistFilter = nullptr;    // the panel's search text
    QWidget* m_formHost = nullptr;
    QLabel* m_userLabel = nullptr;
    QLabel* m_dbLabel = nullptr;
    QProgressBar* m_progress = nullptr;
    class TReportHeader* m_reportHeader = nullptr;  // patient header and changed marker
    QAction* m_openAction = nullptr;
    QAction* m_unlockAction = nullptr;
    QAction* m_lockAction = nullptr;
    QAction* m_saveAction = nullptr;
    QAction* m_refreshAction = nullptr;
    bool m_screenLocked = false;
};
