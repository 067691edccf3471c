// SPDX-License-Identifier: MIT
// Test doubles of the host: a main form that records every call and keeps its configuration
// in memory, and a data module that hands out real database connections.
#pragma once
#include "host/uPubIntFace_WriteReport.h"
#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <functional>

// Base that answers QueryInterface for exactly the interfaces listed by the subclass and
// keeps no reference count (test objects live on the stack or in a fixture).
class TFakeObject : public IInterface {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override;
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }

protected:
    virtual void* Interface(const TGUID& iid) = 0;
};

// An object that implements no interface at all.
class TBareObject final : public TFakeObject {
protected:
    void* Interface(const TGUID&) override { return nullptr; }
};

struct TLogLine {
    QString title;
    QString value;
};

class TFakeMainForm final : public TFakeObject, public IMainFrom {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TFakeObject::QueryInterface(iid, obj); }
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }

    // Recorded state -------------------------------------------------------------------
    QList<TLogLine> logs;
    QStringList calls;                     // names of every picker / service call, in order
    QHash<QString, QString> config;        // key "section|key" -> stored text
    QString userName = QStringLiteral("张医生");
    QString userCode = QStringLiteral("D001");
    QString keshiCode = QStringLiteral("US01");
    int roleId = 1;
    QString defaultExamMethod = QStringLiteral("经腹部超声检查");
    // When set, WriteLogByBpl / SetConfig_Integer throw this message (fault injection).
    QString failLogWith;
    QString failSetConfigIntegerWith;
    // Called on each picker operation (name of the operation), so tests can answer.
    std::function<void(const QString&)> onPicker;

    static QString ConfigKey(const QString& section, const QString& key) { return section + QLatin1Char('|') + key; }
    // Log lines whose title equals the given one.
    QList<TLogLine> LogsWithTitle(const QString& title) const;

    // IMainFrom -------------------------------------------------------------------------
    int WriteLogByBpl(const QString& logtitle, const QString& logvalue) override;
    QStringList Get_ExFieldItemLst_configValues(const QString&) override { return {}; }
    QString GetConfig_String(const QString& section, const QString& key) override;
    int GetConfig_Integer(const QString& section, const QString& key) override;
    bool GetConfig_Boolean(const QString& section, const QString& key) override;
    void SetConfig_String(const QString& section, const QString& key, const QString& value) override;
    void SetConfig_Integer(const QString& section, const QString& key, int value) override;
    void SetConfig_boolean(const QString& section, const QString& key, bool value) override;
    QString GetLogFileName() override { return {}; }
    void GetLogionInfoFromMainFrom(QString& n, QString& c, QString& k, int& r) override;
    IInterface* GetLoadedPackageFrmObject(const QString&) override { return nullptr; }
    void SetAndInitProgressBarMaxAndMin(int, int) override {}
    void UpdateProcessBarPositon(int) override {}
    void ProcessBarPostionAdd(int) override {}
    void OpenStudyInfo(const QString&) override {}
    QString GetCurrentExamModality() override { return QStringLiteral("US"); }
    IInterface* GetCurrentReportFrm() override;
    void ShowExamItemFrom() override { Picker(QStringLiteral("ShowExamItemFrom")); }
    void ShowExamMethodForm() override { Picker(QStringLiteral("ShowExamMethodForm")); }
    void ShowExamJCBWForm() override { Picker(QStringLiteral("ShowExamJCBWForm")); }
    void ShowExamLCZD() override { Picker(QStringLiteral("ShowExamLCZD")); }
    void ShowExamJianYi() override { Picker(QStringLiteral("ShowExamJianYi")); }
    void ShowExamBeiZhu() override { Picker(QStringLiteral("ShowExamBeiZhu")); }
    void ShowReportModel() override { Picker(QStringLiteral("ShowReportModel")); }
    void ShowTeShuFuHao() override { Picker(QStringLiteral("ShowTeShuFuHao")); }
    bool DeleteFileInLocalAndServer(const QString&) override { return false; }
    QString Get_UpLoadFileJsonString(const QString&) override { return {}; }
    QString Get_DownLoadFileJsonString(const QString&) override { return {}; }
    QString Get_DeleteFileJsonString(const QString&) override { return {}; }
    QString GetPrintMessage(const QString&) override { return {}; }
    // Operations the logged-in user may not perform (answered 0); every other one is allowed.
    QSet<QString> refusedOperations;
    int Get_UserOperateQuXian(const QString& operation) override { return refusedOperations.contains(operation) ? 0 : 1; }
    QString Get_Default_Exm_method() override;
    void HT_onoffHouTaicap(bool) override {}
    bool HT_getHouTaiCapStatus() override { return false; }
    void HT_SetNewHouTaiCapInfo(const QString&) override {}
    void ht_HouTaicapAddNewCap(const QString&) override {}
    QString ht_GetCurrentHouTaiCapInfo() override { return {}; }
    void* ht_GetHouTaiStatus_address() override { return nullptr; }
    void* Dengj_getCallBackFunAddress() override { return nullptr; }
    void* GetCallBackAddress_Trqueue() override { return nullptr; }
    bool GetisLocalWorkMode() override { return true; }

protected:
    void* Interface(const TGUID& iid) override;

private:
    void Picker(const QString& name);
};

class TFakeDataModule final : public TFakeObject, public ITrDataModle {
public:
    HRESULT QueryInterface(const TGUID& iid, void** obj) override { return TFakeObject::QueryInterface(iid, obj); }
    int _AddRef() override { return -1; }
    int _Release() override { return -1; }

    TDbConnection* mainConnection = nullptr;    // not owned
    TDbConnection* moduleConnection = nullptr;  // not owned; falls back to mainConnection
    int mainConnectionCalls = 0;
    int moduleConnectionCalls = 0;

    bool DM_ConnectDB(QString&) override { return true; }
    TDbConnection* GetMainAdoConnection() override;
    TDbConnection* GetModleAdConnection() override;
    TDateTime Get_Server_time() override { return Now(); }
    void SetLogionSession(const QString&, const QString&) override {}
    QStringList GetTableOrViewFildNames(const QString&) override { return {}; }
    QString GetDataTypeFromFieldName(const QString&, const QString&) override { return {}; }
    QString Get_SelectSqlString_Header(const QString&) override { return {}; }
    bool GetRoleQuanXianEnable(int, const QString&) override { return true; }

protected:
    void* Interface(const TGUID& iid) override;
};
