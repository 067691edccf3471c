// SPDX-License-Identifier: MIT
// IMainFrom's services other than the pickers: configuration, user, log, progress, and the
// honest answers of a stand-alone host for what it does not have (no file server, no
// printing, no background capture).
#include "app/ConfigStore.h"
#include "database/HostDataModule.h"
#include "app/HostLog.h"
#include "shell/HostMainForm.h"
#include "hostdata/HostQueries.h"
#include "login/HostRights.h"
#include <QProgressBar>

namespace {
const QString kHostSection = QStringLiteral("Host");
const QString kPermissionSection = QStringLiteral("Permissions");
} // namespace

int THostMainForm::WriteLogByBpl(const QString& logtitle, const QString& logvalue)
{
    m_log.Write(logtitle, logvalue);
    return 0;
}

QStringList THostMainForm::Get_ExFieldItemLst_configValues(const QString& section)
{
    return m_config.SectionValues(section);
}

QString THostMainForm::GetConfig_String(const QString& section, const QString& key) { return m_config.ReadString(section, key); }
int THostMainForm::GetConfig_Integer(const QString& section, const QString& key) { return m_config.ReadInteger(section, key); }
bool THostMainForm::GetConfig_Boolean(const QString& section, const QString& key) { return m_config.ReadBool(section, key); }

void THostMainForm::SetConfig_String(const QString& section, const QString& key, const QString& value)
{
    m_config.WriteString(section, key, value);
}

void THostMainForm::SetConfig_Integer(const QString& section, const QString& key, int value)
{
    m_config.WriteInteger(section, key, value);
}

void THostMainForm::SetConfig_boolean(const QString& section, const QString& key, bool value)
{
    m_config.WriteBool(section, key, value);
}

QString THostMainForm::GetLogFileName() { return m_log.FileName(); }

void THostMainForm::GetLogionInfoFromMainFrom(QString& userName, QString& userCode, QString& keshiCode, int& roleId)
{
    const THostLogin& login = Login();
    userName = login.userName;
    userCode = login.userCode;
    keshiCode = login.deptCode;
    roleId = login.roleId;
}

IInterface* THostMainForm::GetLoadedPackageFrmObject(const QString& className)
{
    return className == m_session.FormClassName() ? m_session.FormObject() : nullptr;
}

void THostMainForm::SetAndInitProgressBarMaxAndMin(int maxValue, int minValue)
{
    m_progress->setRange(std::min(minValue, maxValue), std::max(minValue, maxValue));
    m_progress->setValue(m_progress->minimum());
    m_progress->show();
}

void THostMainForm::UpdateProcessBarPositon(int position)
{
    m_progress->setValue(std::clamp(position, m_progress->minimum(), m_progress->maximum()));
    m_progress->setVisible(m_progress->value() < m_progress->maximum());
}

void THostMainForm::ProcessBarPostionAdd(int step) { UpdateProcessBarPositon(m_progress->value() + step); }

QString THostMainForm::GetCurrentExamModality()
{
    const QString m = m_config.ReadString(kHostSection, QStringLiteral("Modality"));
    return m.isEmpty() ? QStringLiteral("US") : m;
}

IInterface* THostMainForm::GetCurrentReportFrm() { return m_session.FormObject(); }

bool THostMainForm::DeleteFileInLocalAndServer(const QString& fileName)
{
    Log(QStringLiteral("wr-host DeleteFileInLocalAndServer"),
        QStringLiteral("this host has no file server; %1 was not deleted").arg(fileName));
    return false;
}

QString THostMainForm::Get_UpLoadFileJsonString(const QString& fileName)
{
    Log(QStringLiteral("wr-host Get_UpLoadFileJsonString"), QStringLiteral("no file server for %1").arg(fileName));
    return {};
}

QString THostMainForm::Get_DownLoadFileJsonString(const QString& fileName)
{
    Log(QStringLiteral("wr-host Get_DownLoadFileJsonString"), QStringLiteral("no file server for %1").arg(fileName));
    return {};
}

QString THostMainForm::Get_DeleteFileJsonString(const QString& fileName)
{
    Log(QStringLiteral("wr-host Get_DeleteFileJsonString"), QStringLiteral("no file server for %1").arg(fileName));
    return {};
}

QString THostMainForm::GetPrintMessage(const QString&) { return {}; }

int THostMainForm::Get_UserOperateQuXian(const QString& operation)
{
    // A stand-alone workstation allows everything unless the configuration says otherwise;
    // whether it does is the host's one permission rule. A level above 1 is passed on.
    if (!Rights().Allowed(operation)) return 0;
    return std::max(1, m_config.ReadInteger(kPermissionSection, operation));
}

QString THostMainForm::Get_Default_Exm_method()
{
    const QString configured = m_config.ReadString(kHostSection, QStringLiteral("DefaultExamMethod"));
    if (!configured.isEmpty()) return configured;
    try {
        const QList<TPickerEntry> methods = LoadPhrases(*m_dataModule.GetMainAdoConnection(), TPickerKind::Method, Login().deptCode);
        if (!methods.isEmpty()) return methods.constFirst().text;
    } catch (const Exception& e) {
        Log(QStringLiteral("wr-host Get_Default_Exm_method"), QStringLiteral("error: ") + e.Message());
    }
    return {};
}

void THostMainForm::HT_onoffHouTaicap(bool on)
{
    if (on) Log(QStringLiteral("wr-host HT_onoffHouTaicap"), QStringLiteral("this host has no background capture"));
}

void THostMainForm::HT_SetNewHouTaiCapInfo(const QString&) {}
void THostMainForm::ht_HouTaicapAddNewCap(const QString&) {}

bool THostMainForm::GetisLocalWorkMode()
{
    try {
        return m_dataModule.GetMainAdoConnection()->Dialect() == QLatin1String("sqlite");
    } catch (const Exception&) {
        return true;
    }
}
