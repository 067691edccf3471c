// SPDX-License-Identifier: MIT
#include "FakeHost.h"

HRESULT TFakeObject::QueryInterface(const TGUID& iid, void** obj)
{
    void* p = Interface(iid);
    if (!p && iid == IInterface::IID) p = static_cast<IInterface*>(this);
    *obj = p;
    return p ? S_OK : E_NOINTERFACE;
}

void* TFakeMainForm::Interface(const TGUID& iid)
{
    return iid == IMainFrom::IID ? static_cast<IMainFrom*>(this) : nullptr;
}

QList<TLogLine> TFakeMainForm::LogsWithTitle(const QString& title) const
{
    QList<TLogLine> r;
    for (const auto& l : logs)
        if (l.title == title) r << l;
    return r;
}

int TFakeMainForm::WriteLogByBpl(const QString& logtitle, const QString& logvalue)
{
    if (!failLogWith.isEmpty()) throw Exception(failLogWith);
    logs.append({logtitle, logvalue});
    return 0;
}

QString TFakeMainForm::GetConfig_String(const QString& section, const QString& key)
{
    return config.value(ConfigKey(section, key));
}

int TFakeMainForm::GetConfig_Integer(const QString& section, const QString& key)
{
    return config.value(ConfigKey(section, key)).toInt();
}

bool TFakeMainForm::GetConfig_Boolean(const QString& section, const QString& key)
{
    const QString v = config.value(ConfigKey(section, key));
    return v == QLatin1String("1") || v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0;
}

void TFakeMainForm::SetConfig_String(const QString& section, const QString& key, const QString& value)
{
    calls << QStringLiteral("SetConfig_String:") + key;
    config.insert(ConfigKey(section, key), value);
}

void TFakeMainForm::SetConfig_Integer(const QString& section, const QString& key, int value)
{
    if (!failSetConfigIntegerWith.isEmpty()) throw Exception(failSetConfigIntegerWith);
    calls << QStringLiteral("SetConfig_Integer:") + key;
    config.insert(ConfigKey(section, key), QString::number(value));
}

void TFakeMainForm::SetConfig_boolean(const QString& section, const QString& key, bool value)
{
    calls << QStringLiteral("SetConfig_boolean:") + key;
    config.insert(ConfigKey(section, key), value ? QStringLiteral("1") : QStringLiteral("0"));
}

void TFakeMainForm::GetLogionInfoFromMainFrom(QString& n, QString& c, QString& k, int& r)
{
    calls << QStringLiteral("GetLogionInfoFromMainFrom");
    n = userName;
    c = userCode;
    k = keshiCode;
    r = roleId;
}

IInterface* TFakeMainForm::GetCurrentReportFrm()
{
    calls << QStringLiteral("GetCurrentReportFrm");
    return nullptr;
}

QString TFakeMainForm::Get_Default_Exm_method()
{
    calls << QStringLiteral("Get_Default_Exm_method");
    return defaultExamMethod;
}

void TFakeMainForm::Picker(const QString& name)
{
    calls << name;
    if (onPicker) onPicker(name);
}

void* TFakeDataModule::Interface(const TGUID& iid)
{
    return iid == ITrDataModle::IID ? static_cast<ITrDataModle*>(this) : nullptr;
}

TDbConnection* TFakeDataModule::GetMainAdoConnection()
{
    ++mainConnectionCalls;
    return mainConnection;
}

TDbConnection* TFakeDataModule::GetModleAdConnection()
{
    ++moduleConnectionCalls;
    return moduleConnection ? moduleConnection : mainConnection;
}
