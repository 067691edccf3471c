// SPDX-License-Identifier: MIT
#include "SignCheckReport.h"
#include "platform/ProgramDir.h"
#include "rtf/Rtf.h"
#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

QString CheckPlainText(const QString& rtfOrText)
{
    if (!LooksLikeRtf(rtfOrText)) return rtfOrText;
    QTextDocument doc;
    if (!RtfToDocument(rtfOrText, doc)) return rtfOrText;
    // toPlainText keeps one character per document position (paragraph breaks become '\n'),
    // so the host can mark the words at the same positions in its editor.
    return doc.toPlainText();
}

TCheckInput ReadSavedReportForChecks(TDbConnection& conn, const QString& ruid)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT ItemName, jcpart, SuoJian, JieLun, rtf_SuoJian, rtf_JieLun, YinYangXing, Accnu")
             << QStringLiteral("FROM Report WHERE ruid = %1").arg(QuotedStr(ruid));
    q->Open();
    if (q->Eof()) throw EDatabaseError(QStringLiteral("no report with GUID %1").arg(ruid));
    TCheckInput in;
    in.examItem = q->FieldByName(QStringLiteral("ItemName")).AsString();
    in.examPart = q->FieldByName(QStringLiteral("jcpart")).AsString();
    const auto text = [&q](const char* rtfColumn, const char* plainColumn) {
        const QString rtf = q->FieldByName(QLatin1String(rtfColumn)).AsString();
        return rtf.trimmed().isEmpty() ? q->FieldByName(QLatin1String(plainColumn)).AsString() : CheckPlainText(rtf);
    };
    in.findings = text("rtf_SuoJian", "SuoJian");
    in.impression = text("rtf_JieLun", "JieLun");
    const TDbValue flag = q->FieldByName(QStringLiteral("YinYangXing"));
    if (!flag.IsNull()) in.positive = flag.AsBoolean();
    const QString accnu = q->FieldByName(QStringLiteral("Accnu")).AsString();
    q->Close();
    if (!accnu.isEmpty()) {
        auto s = conn.CreateQuery();
        s->SQL() << QStringLiteral("SELECT Sex FROM Study WHERE Accnu = %1").arg(QuotedStr(accnu));
        s->Open();
        if (!s->Eof()) in.sex = s->FieldByName(QStringLiteral("Sex")).AsString();
    }
    return in;
}

QStringList CheckDataFolders(const QString& installedFolder, const QString& sourceFolder)
{
    QStringList folders;
    const QString site = qEnvironmentVariable("WRITEREPORT_CHECKS_DIR");
    for (const QString& f : {site, ProgramDir() + QStringLiteral("checks"), installedFolder, sourceFolder})
        if (!f.isEmpty()) folders << QDir::cleanPath(f);
    folders.removeDuplicates();
    return folders;
}

QString FindCheckDataFile(const QString& name, const QStringList& folders)
{
    for (const QString& f : folders) {
        const QString path = f + QLatin1Char('/') + name;
        if (QFileInfo(path).isFile()) return path;
    }
    return {};
}

void RecordCheckOverride(TDbConnection& conn, const QString& ruid, const TSigner& user,
                         const QList<TCheckFinding>& findings, const QString& reason)
{
    QStringList rules;
    for (const TCheckFinding& f : findings) {
        if (f.IsBlock()) throw ESignCheckRules(QStringLiteral("%1 blocks signing and cannot be overridden").arg(f.rule));
        if (!rules.contains(f.rule)) rules << f.rule;
    }
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_RecordCheckOverride"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(ruid);
    sp->ParamByName(QStringLiteral("@UserName")).SetAsString(user.name);
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(user.code);
    sp->ParamByName(QStringLiteral("@Rules")).SetAsString(rules.join(QLatin1Char(',')));
    sp->ParamByName(QStringLiteral("@Reason")).SetAsString(reason.trimmed());
    sp->ExecProc();
    sp->Close();
}
