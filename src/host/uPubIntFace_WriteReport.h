// SPDX-License-Identifier: MIT
// The shared interfaces of the workstation: the contract between the host application and
// its plug-ins. A host compiled against this header and the platform library, and nothing
// else of this project, can drive the report editor.
//
// Each interface's own methods are declared in contract order: that order is the vtable
// slot order after the three IInterface methods, so never reorder, insert or remove one.
// Texts are QString; date-times are TDateTime; connections are TDbConnection, owned by the
// host's data module and only borrowed by plug-ins. All calls happen on the UI thread.
#pragma once
#include "platform/Database.h"
#include "platform/DateTime.h"
#include "platform/Interface.h"
#include <QString>
#include <QStringList>

class QWidget;

// ---------------------------------------------------------------------------------------
// The host's data module.
class ITrDataModle : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{A1BE192E-888D-45CA-B866-41C77144D797}");
    // Opens the two connections; false with a message when they cannot be opened.
    virtual bool DM_ConnectDB(QString& errorMessage) = 0;
    // The open connection to the report database (reports, procedures, doctors).
    virtual TDbConnection* GetMainAdoConnection() = 0;
    // The open connection holding the dictionary tables.
    virtual TDbConnection* GetModleAdConnection() = 0;
    virtual TDateTime Get_Server_time() = 0;
    virtual void SetLogionSession(const QString& userCode, const QString& sessionId) = 0;
    virtual QStringList GetTableOrViewFildNames(const QString& tableOrView) = 0;
    virtual QString GetDataTypeFromFieldName(const QString& tableOrView, const QString& fieldName) = 0;
    virtual QString Get_SelectSqlString_Header(const QString& tableOrView) = 0;
    virtual bool GetRoleQuanXianEnable(int roleId, const QString& optionName) = 0;

protected:
    ~ITrDataModle() = default;
};

// Implemented by every plug-in form: how the host learns its kind and hands over objects.
class IBPLFuncTion : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{9ABFF7C8-2871-43B5-819C-EBA6B3E4D568}");
    virtual int GetFrmClassType() = 0;
    // Stores the host's main form and data module; they are queried at each later use.
    virtual void GetMainFormObject(IInterface* Main_Form, IInterface* uPubDm) = 0;

protected:
    ~IBPLFuncTion() = default;
};

class IDengJiInfo : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{41662BE6-2ACC-4365-838A-F6559FD8B834}");
    virtual void OpenAccnuByDengjLib(const QString& accnu) = 0;
    virtual void RefshLeftDengJiList() = 0;
    virtual QString GetMainPath() = 0;
    virtual QString GetSubImagePath() = 0;

protected:
    ~IDengJiInfo() = default;
};

// The host's main form: configuration, user, logging, pickers and other services.
class IMainFrom : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{BF09800C-EBFF-490E-82B5-53DC57BED617}");
    // 1: records one log line; the result is not used by callers.
    virtual int WriteLogByBpl(const QString& logtitle, const QString& logvalue) = 0;
    virtual QStringList Get_ExFieldItemLst_configValues(const QString& section) = 0;
    // 3-8: the configuration store, addressed by section path and key. An absent key reads
    // as the empty text, 0 or false.
    virtual QString GetConfig_String(const QString& section, const QString& key) = 0;
    virtual int GetConfig_Integer(const QString& section, const QString& key) = 0;
    virtual bool GetConfig_Boolean(const QString& section, const QString& key) = 0;
    virtual void SetConfig_String(const QString& section, const QString& key, const QString& value) = 0;
    virtual void SetConfig_Integer(const QString& section, const QString& key, int value) = 0;
    virtual void SetConfig_boolean(const QString& section, const QString& key, bool value) = 0;
    virtual QString GetLogFileName() = 0;
    // 10: the logged-in user: name, code, department code, role id.
    virtual void GetLogionInfoFromMainFrom(QString& userName, QString& userCode, QString& keshiCode,
                                           int& roleId) = 0;
    virtual IInterface* GetLoadedPackageFrmObject(const QString& className) = 0;
    virtual void SetAndInitProgressBarMaxAndMin(int maxValue, int minValue) = 0;
    virtual void UpdateProcessBarPositon(int position) = 0;
    virtual void ProcessBarPostionAdd(int step) = 0;
    virtual void OpenStudyInfo(const QString& accnu) = 0;
    virtual QString GetCurrentExamModality() = 0;
    // 17: the host's current report form; callers ignore the result.
    virtual IInterface* GetCurrentReportFrm() = 0;
    // 18-25: open the host's pickers; the picked value comes back later through IReportForm.
    virtual void ShowExamItemFrom() = 0;
    virtual void ShowExamMethodForm() = 0;
    virtual void ShowExamJCBWForm() = 0;
    virtual void ShowExamLCZD() = 0;
    virtual void ShowExamJianYi() = 0;
    virtual void ShowExamBeiZhu() = 0;
    virtual void ShowReportModel() = 0;
    virtual void ShowTeShuFuHao() = 0;
    virtual bool DeleteFileInLocalAndServer(const QString& fileName) = 0;
    virtual QString Get_UpLoadFileJsonString(const QString& fileName) = 0;
    virtual QString Get_DownLoadFileJsonString(const QString& fileName) = 0;
    virtual QString Get_DeleteFileJsonString(const QString& fileName) = 0;
    virtual QString GetPrintMessage(const QString& ruid) = 0;
    virtual int Get_UserOperateQuXian(const QString& operation) = 0;
    // 32: the default examination method for a report that has none.
    virtual QString Get_Default_Exm_method() = 0;
    virtual void HT_onoffHouTaicap(bool on) = 0;
    virtual bool HT_getHouTaiCapStatus() = 0;
    virtual void HT_SetNewHouTaiCapInfo(const QString& info) = 0;
    virtual void ht_HouTaicapAddNewCap(const QString& fileName) = 0;
    virtual QString ht_GetCurrentHouTaiCapInfo() = 0;
    virtual void* ht_GetHouTaiStatus_address() = 0;
    virtual void* Dengj_getCallBackFunAddress() = 0;
    virtual void* GetCallBackAddress_Trqueue() = 0;
    virtual bool GetisLocalWorkMode() = 0;

protected:
    ~IMainFrom() = default;
};

class ILog_View : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{5ECE8156-39EA-457D-A9DD-0934A606F4DC}");
    virtual void WriteLogToLogViewWindow(const QString& logtitle, const QString& logvalue) = 0;
    virtual void SetLogFilename(const QString& fileName) = 0;

protected:
    ~ILog_View() = default;
};

class IQuan_Xian : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{1D2C9A10-FAE2-4DFA-86E2-08EA7BC0D7AD}");
    virtual bool GetIsEnableOptionbyRoleId(int roleId, const QString& optionName) = 0;

protected:
    ~IQuan_Xian() = default;
};

class IVideo_Cap : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{62F0F3B6-F881-4B31-8C9B-ACA486B97512}");
    virtual bool CapImage() = 0;
    virtual bool CapImageToFiles(const QString& folder) = 0;
    virtual bool StartRecord(const QString& fileName) = 0;
    virtual bool StopRecord() = 0;
    virtual bool PauseRecord() = 0;
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void SetVideoCutVarConfig(const QString& config) = 0;
    virtual void ImportExternalImagesFromOpenDialogs() = 0;

protected:
    ~IVideo_Cap() = default;
};

class IExamImagesView : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{06E3BA79-9A6B-4A8C-8C12-5E815B94F66F}");
    virtual void ReceiveCapImgMessage(const QString& fileName) = 0;
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void SetCurrentReportRuid(const QString& ruid) = 0;
    virtual void StartDownLoadImageUiDisplay() = 0;
    virtual void ImageDownLoadedFinshedLoadImage(const QString& fileName) = 0;

protected:
    ~IExamImagesView() = default;
};

// Implemented by the report editor; how the host drives it.
class IReportForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{C948F79D-C52B-4C43-A01D-63856C2A09F1}");
    virtual void OpenReportByRuid(const QString& rguid) = 0;
    virtual void SaveReportToDb(const QString& rguid) = 0;
    virtual void SetcontrolsEnable(bool uEnable) = 0;
    virtual bool GetReportIsEdited(const QString& rguid) = 0;
    virtual void SetModValues_SuoJianPasteFromClipboard() = 0;
    virtual void SetModValues_JieLunPasteFromClipboard() = 0;
    virtual void SetJinCha_ItemString(const QString& itemNames) = 0;
    virtual void SetExamMethodString(const QString& uExamMethod) = 0;
    virtual void SetExamBeiZhuString(const QString& uExamBeiZhu) = 0;
    virtual void SetExamJianYiString(const QString& uExamJianYi) = 0;
    virtual void SetExamBuWeiString(const QString& uExamBuWei) = 0;
    virtual void SetExamLCZDString(const QString& uLczd) = 0;
    virtual void SetTeShuFuHao(const QString& uTsfh) = 0;

protected:
    ~IReportForm() = default;
};

class IPrintedImagesForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{67A56D48-A192-4B04-B537-485E75F8C5EA}");
    virtual void LoadPrintedImages(const QString& ruid) = 0;
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void LoadPrintImagesAfterCaptured(const QString& fileName) = 0;
    virtual void StartDownLoadImageUiDisplay() = 0;
    virtual void ImageDownLoadedFinshedLoadImage(const QString& fileName) = 0;

protected:
    ~IPrintedImagesForm() = default;
};

class IModleForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{16B443E3-BE30-4507-823E-4BBDA48EBB8E}");
    virtual QString GetModBasicInfo() = 0;

protected:
    ~IModleForm() = default;
};

class IExamItemForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{F7095B90-DB21-4902-9A5E-15A2F631CFD4}");
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void ProcessCurrentReportItem(const QString& ruid) = 0;

protected:
    ~IExamItemForm() = default;
};

class IFileTransferForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{529825A5-802D-4E84-B982-0239B94EC27F}");
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void ReceivedJSonMessage(const QString& json) = 0;

protected:
    ~IFileTransferForm() = default;
};

class IMsgCenterForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{8CF11E85-317E-4C39-B829-E866B93ECB5A}");
    virtual void MSMQ_SendMsgToClient(const QString& client, const QString& message) = 0;

protected:
    ~IMsgCenterForm() = default;
};

// The phrase pickers' forms share one shape.
class IExamMethodFrom : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{55C8B4DF-40C2-40F9-8FBC-F17C70481C73}");
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void ProcessCurrentReportExamMethod(const QString& ruid) = 0;
    virtual void SetModalityAndDeptCode(const QString& modality, const QString& deptCode) = 0;

protected:
    ~IExamMethodFrom() = default;
};

class IExamJCBWForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{93DD7DEC-39AC-4BAC-8EBE-6DDE89DF0648}");
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void ProcessCurrentReportExamJCBW(const QString& ruid) = 0;
    virtual void SetModalityAndDeptCode(const QString& modality, const QString& deptCode) = 0;

protected:
    ~IExamJCBWForm() = default;
};

class IExamLCZDFrom : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{A2BC2A68-18D9-4DDC-AC9A-71E0009B6D96}");
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void ProcessCurrentReportExamLCZD(const QString& ruid) = 0;
    virtual void SetModalityAndDeptCode(const QString& modality, const QString& deptCode) = 0;

protected:
    ~IExamLCZDFrom() = default;
};

class IExamJIANYIFrom : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{D2A4EDF6-70C9-400E-BFDD-8E4DC314A052}");
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void ProcessCurrentReportExamJIANYI(const QString& ruid) = 0;
    virtual void SetModalityAndDeptCode(const QString& modality, const QString& deptCode) = 0;

protected:
    ~IExamJIANYIFrom() = default;
};

class IExamBEIZHUFrom : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{4716B3B7-D768-4C39-816B-D06CE274A557}");
    virtual void SetStudyInfo(const QString& accnu, const QString& ruid) = 0;
    virtual void ProcessCurrentReportExamBEIZHU(const QString& ruid) = 0;
    virtual void SetModalityAndDeptCode(const QString& modality, const QString& deptCode) = 0;

protected:
    ~IExamBEIZHUFrom() = default;
};

class IReportCeLiangGridForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{77725874-79F4-45B4-BB2E-2FBBB434BB05}");
    virtual void OpenReportGridByRuid(const QString& ruid) = 0;
    virtual void FreeOleObject() = 0;
    virtual void SetModalityAndDeptCode(const QString& modality, const QString& deptCode) = 0;

protected:
    ~IReportCeLiangGridForm() = default;
};

class IFootSwicthForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{58BCCD2A-34E8-4FC9-B299-D1F7C3C7E995}");

protected:
    ~IFootSwicthForm() = default;
};

class IFastModelForm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{E8817068-574C-43D2-91FF-8759E8F3FFB6}");

protected:
    ~IFastModelForm() = default;
};

class ITrFootSwitch : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{5748D962-04FC-497E-BDEE-E365F9C7AAD3}");
    virtual bool Start_Com(const QString& port) = 0;
    virtual void Stop_com() = 0;
    virtual bool Start_Joy() = 0;
    virtual void Stop_Joy() = 0;
    virtual void setCapDelayTimer(int milliseconds) = 0;

protected:
    ~ITrFootSwitch() = default;
};

class IWaitExecuting : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{E59BBF1B-5F82-4ADA-AFDE-0C55878B3C45}");
    virtual void SetCloseWaitFormVar(bool close) = 0;

protected:
    ~IWaitExecuting() = default;
};

class ITrQueueFrm : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{71BC008F-86CC-4D98-BC79-0EC9021C537B}");
    virtual void SetDotNetDllFrmWindowsStateMax() = 0;

protected:
    ~ITrQueueFrm() = default;
};

class ITeShuFuHao : public IInterface {
public:
    static constexpr TGUID IID = TGUID::parse("{DB41CB0C-C122-43A1-A15B-8391EA8127BF}");

protected:
    ~ITeShuFuHao() = default;
};

// The class code every report editor form answers through GetFrmClassType.
inline constexpr int kReportFormClassType = 1002;
