// SPDX-License-Identifier: MIT
#include "WorkflowFixture.h"
#include "rtf/Rtf.h"
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

TWorkflowFixture::TWorkflowFixture()
{
    InstallCjkFontSubstitutes();
    db = CreateTestDatabase(dir.path(), false);
    InsertDoctors(*db, QStringLiteral("US01"), {{"张医生", 3}, {"李医生", 2}, {"王医生", 1}});
    InsertDoctors(*db, QStringLiteral("US02"), {{"外科医生", 5}});
    InsertDictionary(*db, QStringLiteral("检查途径"), QStringLiteral("cname"), {{"经腹", 2}, {"经阴道", 1}});
    InsertDictionary(*db, QStringLiteral("探头频率"), QStringLiteral("探头频率"), {{"7.5MHz", 2}, {"3.5MHz", 1}});
    InsertDictionary(*db, QStringLiteral("图像质量"), QStringLiteral("图像质量"), {{"良", 2}, {"优", 1}});
    dm.mainConnection = db.get();
    NewForm();
}

TWorkflowFixture::~TWorkflowFixture()
{
    form.reset();
    db.reset();
}

QStringList TWorkflowFixture::Doctors()
{
    return {QStringLiteral("张医生"), QStringLiteral("李医生"), QStringLiteral("王医生")};
}

void TWorkflowFixture::NewForm()
{
    form.reset();
    form = NewShownForm();
    void* p = nullptr;
    if (form->QueryInterface(IBPLFuncTion::IID, &p) != S_OK || !p) qFatal("form without IBPLFuncTion");
    static_cast<IBPLFuncTion*>(p)->GetMainFormObject(static_cast<TFakeObject*>(&host), static_cast<TFakeObject*>(&dm));
}

IReportForm& TWorkflowFixture::Report()
{
    void* p = nullptr;
    if (form->QueryInterface(IReportForm::IID, &p) != S_OK || !p) qFatal("form without IReportForm");
    return *static_cast<IReportForm*>(p);
}

void TWorkflowFixture::SetConfig(const QString& section, const QString& key, const QString& value)
{
    host.config.insert(TFakeMainForm::ConfigKey(section, key), value);
}

QString TWorkflowFixture::Config(const QString& section, const QString& key) const
{
    return host.config.value(TFakeMainForm::ConfigKey(section, key), QStringLiteral("<unset>"));
}

QPlainTextEdit* TWorkflowFixture::Memo(const char* name) { return Control<QPlainTextEdit>(form.get(), name); }
QComboBox* TWorkflowFixture::Combo(const char* name) { return Control<QComboBox>(form.get(), name); }
QTextEdit* TWorkflowFixture::Rich(const char* name) { return Control<QTextEdit>(form.get(), name); }
QWidget* TWorkflowFixture::Widget(const char* name) { return Control<QWidget>(form.get(), name); }

QString TWorkflowFixture::Column(const QString& column, const QString& ruid)
{
    auto q = db->CreateQuery();
    q->SQL() << QStringLiteral("SELECT %1 FROM Report WHERE ruid = %2").arg(column, QuotedStr(ruid));
    q->Open();
    if (q->RecordCount() < 1) return QStringLiteral("<none>");
    const TDbValue v = q->FieldByName(column);
    return v.IsNull() ? QStringLiteral("<NULL>") : v.AsString();
}

QByteArray FormattedRtf(const QString& boldText, const QString& plainText, const QString& secondParagraph)
{
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(255, 0, 0));
    c.insertText(boldText, bold);
    c.insertText(plainText, QTextCharFormat());
    c.insertBlock();
    c.insertText(secondParagraph, QTextCharFormat());
    return DocumentToRtf(doc);
}

const QList<TControlColumn> kControlColumns = {
    {"memo_jcmethod", "jcMethod"}, {"Memo_jcItem", "ItemName"}, {"Memo_jcpart", "jcpart"},
    {"cbx_jcTuJing", "jcTuJing"}, {"cbx_ImageQuality", "ImgQuality"}, {"Memo_JianYi", "JianYi"},
    {"Cbx_TanTouRate", "TanTouRate"}, {"cbx_ExamDoctor", "ExamDoctor"}, {"Cbx_ReportDoctor", "ReportDoctor"},
    {"Cbx_ShenHedoctor", "ShenHeDoctor"}, {"Cbx_HuiZhenDoctor", "HuiZhenDoctor"}, {"L_ReportDate", "ReportDate"},
    {"L_ShenHeDate", "shenHeDate"}, {"Check_YinYiang", "YinYangXing"}, {"edt_weiJiZhi", "WeiJiValue"},
    {"memo_beizhu", "BeiZhu"}, {"memo_lczd", "lczd"}, {"Cbx_kgj_Left_BaseLine", "kgjLBaseLine"},
    {"Cbx_kgj_Left_kjgd", "kgjLKjgd"}, {"Cbx_kgj_Left_gxtq", "kgjLGxtq"}, {"Cbx_kgj_Left_rgyc", "kgjLRgyc"},
    {"Cbx_kgj_Left_gxzx", "kgjLGxzx"}, {"Cbx_kgj_Right_BaseLine", "kgjRBaseLine"}, {"Cbx_kgj_Right_kjgd", "kgjRKjgd"},
    {"Cbx_kgj_Right_gxtq", "kgjRGxtq"}, {"Cbx_kgj_Right_rgyc", "kgjRRgyc"}, {"Cbx_kgj_Right_gxzx", "kgjRGxzx"},
    {"Cbx_kgj_Left_α", "kgjL_A"}, {"Cbx_kgj_Right_α", "kgjR_A"}, {"Cbx_kgj_Left_β", "kgjL_B"},
    {"Cbx_kgj_Right_β", "kgjR_B"},
};

namespace {
const QString kStamp = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");
}

QString ShownValue(QWidget* w)
{
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) return m->toPlainText().replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* r = qobject_cast<QTextEdit*>(w)) return DocumentPlainText(*r->document());
    if (auto* b = qobject_cast<QCheckBox*>(w)) return b->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* d = qobject_cast<TDateTimePicker*>(w)) return d->DateTime().toString(kStamp);
    return QStringLiteral("<unknown control>");
}

void EnterValue(QWidget* w, const QString& value)
{
    if (auto* m = qobject_cast<QPlainTextEdit*>(w)) m->setPlainText(value);
    else if (auto* c = qobject_cast<QComboBox*>(w)) c->setEditText(value);
    else if (auto* e = qobject_cast<QLineEdit*>(w)) e->setText(value);
    else if (auto* b = qobject_cast<QCheckBox*>(w)) b->setChecked(value == QLatin1String("1"));
    else if (auto* d = qobject_cast<TDateTimePicker*>(w)) d->SetDateTime(QDateTime::fromString(value, kStamp));
    else qWarning("cannot enter a value into %s", qPrintable(w->objectName()));
}

QString FieldText(const TReportInfo& r, const QString& column)
{
    return ReportFieldTexts(r).at(ReportColumns().indexOf(column));
}
