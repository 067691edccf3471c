// SPDX-License-Identifier: MIT
// The drop-down lists of doctors and dictionaries and the dictionaries' default values.
#include "ReportData.h"
#include "ReportText.h"

using report_text::RequireConnection;

namespace {

// Every non-empty value of `column`, in the order the database returns the rows.
QStringList ReadColumn(TDbConnection& connection, const QString& sql, const QString& column)
{
    std::unique_ptr<TDbQuery> qry = connection.CreateQuery();
    qry->SQL() = QStringList{sql};
    qry->Open();
    QStringList values;
    const int n = qry->RecordCount();
    if (n > 0) qry->First();
    for (int i = 0; i < n; ++i) {
        const QString v = qry->FieldByName(column).AsString();
        if (!v.isEmpty()) values.append(v);
        qry->Next();
    }
    qry->Close();
    return values;
}

// The value of `column` in the first row, untrimmed; empty without rows.
QString ReadFirst(TDbConnection& connection, const QString& sql, const QString& column)
{
    std::unique_ptr<TDbQuery> qry = connection.CreateQuery();
    qry->SQL() = QStringList{sql};
    qry->Open();
    QString value;
    if (qry->RecordCount() >= 1) {
        qry->First();
        value = qry->FieldByName(column).AsString();
    }
    qry->Close();
    return value;
}

} // namespace

void TReportData::GetDoctors(QStringList& uItems)
{
    const QString keshiCode = FLogion_user.ukeshiCode;
    FmainConnection = DataModule()->GetMainAdoConnection();
    const QString sql = QStringLiteral(" SELECT  姓名 FROM  [csdoctor] where  kscode=") + QuotedStr(keshiCode) +
                        QStringLiteral(" order by displayindex desc ");
    // Assigned only once every row is read, so a failure leaves the list as it was.
    uItems = ReadColumn(RequireConnection(FmainConnection), sql, QStringLiteral("姓名"));
}

void TReportData::GetJianChaTuJing(QStringList& uItems)
{
    FModuleConnection = DataModule()->GetModleAdConnection();
    uItems = ReadColumn(RequireConnection(FModuleConnection), QStringLiteral("select cname from 检查途径"),
                        QStringLiteral("cname"));
}

void TReportData::GetTanTouPinLv(QStringList& uItems)
{
    FModuleConnection = DataModule()->GetModleAdConnection();
    uItems = ReadColumn(RequireConnection(FModuleConnection), QStringLiteral("select 探头频率 from 探头频率 order by uorder"),
                        QStringLiteral("探头频率"));
}

void TReportData::GetTuXiangZhiLiang(QStringList& uItems)
{
    FModuleConnection = DataModule()->GetModleAdConnection();
    uItems = ReadColumn(RequireConnection(FModuleConnection), QStringLiteral("select 图像质量 from 图像质量"),
                        QStringLiteral("图像质量"));
}

QString TReportData::GetJianChaTuJing_Default()
{
    FModuleConnection = DataModule()->GetModleAdConnection();
    return ReadFirst(RequireConnection(FModuleConnection), QStringLiteral("select cname from 检查途径 order by uorder"),
                     QStringLiteral("cname"));
}

QString TReportData::GetTanTouPinLv_default()
{
    FModuleConnection = DataModule()->GetModleAdConnection();
    return ReadFirst(RequireConnection(FModuleConnection), QStringLiteral("select 探头频率 from 探头频率 order by uorder"),
                     QStringLiteral("探头频率"));
}

QString TReportData::GetTuXiangZhiLiang_Default()
{
    FModuleConnection = DataModule()->GetModleAdConnection();
    return ReadFirst(RequireConnection(FModuleConnection), QStringLiteral("select 图像质量 from 图像质量 order by uorder"),
                     QStringLiteral("图像质量"));
}
