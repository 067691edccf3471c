// SPDX-License-Identifier: MIT
// The three panels without a single text control: hip-joint screening, other values, and
// report state with doctors and dates. Their inner positions are this form's own; what
// matters to the rest of the form is the names, kinds, lists and initial texts.
#include "GrafHints.h"
#include "LayoutHelpers.h"
#include "ReportUnit.h"
#include "SectionPanel.h"
#include <QLineEdit>

using namespace formbuild;

namespace {
// Columns shared by the three panels, so their rows line up down the form.
constexpr int kCaptionX = 2;
constexpr int kLabelX = 70;
constexpr int kFieldX = 140;
constexpr int kFieldW = 150;
constexpr int kLabel2X = 318;
constexpr int kField2X = 388;

QStringList AngleItems()
{
    QStringList items;
    for (int a = 5; a <= 70; a += 5) items << QString::number(a);
    return items;
}
} // namespace

void TReportForm::BuildHipJointPanel()
{
    TSectionPanel* p = Panel_kuanGuanJie;
    SpeedButton1 = CaptionButton(p, "SpeedButton1", QStringLiteral("髋关节\n筛查："), kCaptionX, 4, 59, 221);

    QFont bold = font();
    bold.setBold(true);
    Label10 = Label(p, "Label10", QStringLiteral("左侧"), kFieldX, 4);
    Label10->setFont(bold);
    Label5 = Label(p, "Label5", QStringLiteral("右侧"), kField2X - 50, 4);
    Label5->setFont(bold);

    Bevel1 = new QFrame(p);
    Bevel1->setObjectName(QStringLiteral("Bevel1"));
    Bevel1->setFrameShape(QFrame::VLine);
    Bevel1->setFrameShadow(QFrame::Sunken);
    Bevel1->setGeometry(kFieldX + kFieldW + 34, 6, 2, 250);

    const QStringList baseLine{QStringLiteral("平直"), QStringLiteral("斜向"), QStringLiteral("曲线"), QStringLiteral("无法判断")};
    const QStringList roof{QStringLiteral("凹面"), QStringLiteral("斜面"), QStringLiteral("直面"), QStringLiteral("无法判断")};
    const QStringList rim{QStringLiteral("锐"), QStringLiteral("钝"), QStringLiteral("缺失"), QStringLiteral("无法判断")};
    const QStringList labrum{QStringLiteral("长"), QStringLiteral("短"), QStringLiteral("宽,强"), QStringLiteral("内翻或消失"),
                             QStringLiteral("宽"), QStringLiteral("强"), QStringLiteral("内翻"), QStringLiteral("消失")};
    const QStringList centre{QStringLiteral("未出现"), QStringLiteral("刚出现"), QStringLiteral("清晰可见"), QStringLiteral("新月形")};
    const QStringList angles = AngleItems();

    struct TRow {
        QLabel* TReportForm::*label;
        const char* labelName;
        const char* labelText;
        QComboBox* TReportForm::*left;
        const char* leftName;
        QComboBox* TReportForm::*right;
        const char* rightName;
        const QStringList* items;
        const char* initial;
    };
    const TRow rows[] = {
        {&TReportForm::Label8, "Label8", "基线:", &TReportForm::Cbx_kgj_Left_BaseLine, "Cbx_kgj_Left_BaseLine",
         &TReportForm::Cbx_kgj_Right_BaseLine, "Cbx_kgj_Right_BaseLine", &baseLine, "无法判断"},
        {&TReportForm::Label9, "Label9", "髋臼骨顶:", &TReportForm::Cbx_kgj_Left_kjgd, "Cbx_kgj_Left_kjgd",
         &TReportForm::Cbx_kgj_Right_kjgd, "Cbx_kgj_Right_kjgd", &roof, "无法判断"},
        {&TReportForm::Label11, "Label11", "骨性突起:", &TReportForm::Cbx_kgj_Left_gxtq, "Cbx_kgj_Left_gxtq",
         &TReportForm::Cbx_kgj_Right_gxtq, "Cbx_kgj_Right_gxtq", &rim, "无法判断"},
        {&TReportForm::Label18, "Label18", "软骨盂唇:", &TReportForm::Cbx_kgj_Left_rgyc, "Cbx_kgj_Left_rgyc",
         &TReportForm::Cbx_kgj_Right_rgyc, "Cbx_kgj_Right_rgyc", &labrum, "内翻或消失"},
        {&TReportForm::Label19, "Label19", "骨化中心:", &TReportForm::Cbx_kgj_Left_gxzx, "Cbx_kgj_Left_gxzx",
         &TReportForm::Cbx_kgj_Right_gxzx, "Cbx_kgj_Right_gxzx", &centre, "未出现"},
        {&TReportForm::Label20, "Label20", "α角:", &TReportForm::Cbx_kgj_Left_α, "Cbx_kgj_Left_α",
         &TReportForm::Cbx_kgj_Right_α, "Cbx_kgj_Right_α", &angles, "0"},
        {&TReportForm::Label21, "Label21", "β角:", &TReportForm::Cbx_kgj_Left_β, "Cbx_kgj_Left_β",
         &TReportForm::Cbx_kgj_Right_β, "Cbx_kgj_Right_β", &angles, "0"},
    };
    int tag = 0;
    int y = 32;
    for (const auto& r : rows) {
        this->*r.label = Label(p, r.labelName, QString::fromUtf8(r.labelText), kLabelX, y, 66, 24);
        QComboBox* left = Combo(p, r.leftName, kFieldX, y, kFieldW, *r.items, QString::fromUtf8(r.initial));
        QComboBox* right = Combo(p, r.rightName, kField2X - 50, y, kFieldW, *r.items, QString::fromUtf8(r.initial));
        // The tag names the box's section in the hip-joint defaults file.
        left->setProperty("Tag", tag++);
        right->setProperty("Tag", tag++);
        this->*r.left = left;
        this->*r.right = right;
        y += 32;
    }
    const int degreeLeftX = kFieldX + kFieldW + 6;
    const int degreeRightX = kField2X - 50 + kFieldW + 6;
    Label22 = Label(p, "Label22", QStringLiteral("度"), degreeLeftX, Cbx_kgj_Left_α->y());
    Label25 = Label(p, "Label25", QStringLiteral("度"), degreeLeftX, Cbx_kgj_Left_β->y());
    Label23 = Label(p, "Label23", QStringLiteral("度"), degreeRightX, Cbx_kgj_Right_α->y());
    Label24 = Label(p, "Label24", QStringLiteral("度"), degreeRightX, Cbx_kgj_Right_β->y());
    InstallGrafHints(*this);
}

void TReportForm::BuildOtherPanel()
{
    TSectionPanel* p = Panel_Other;
    Label1 = Label(p, "Label1", QStringLiteral("其它"), kCaptionX + 6, 4, 50, 22);

    Label3 = Label(p, "Label3", QStringLiteral("探头频率"), kLabelX, 4);
    Cbx_TanTouRate = Combo(p, "Cbx_TanTouRate", kFieldX, 4, kFieldW);
    Label2 = Label(p, "Label2", QStringLiteral("危急值"), kLabel2X, 4);
    edt_weiJiZhi = new QLineEdit(QStringLiteral("0"), p);
    edt_weiJiZhi->setObjectName(QStringLiteral("edt_weiJiZhi"));
    edt_weiJiZhi->setGeometry(kField2X, 4, 56, 24);
    ReadableWhenDisabled(edt_weiJiZhi);
    Check_YinYiang = Check(p, "Check_YinYiang", QStringLiteral("阳性"));
    Check_YinYiang->setGeometry(kField2X + 70, 4, 64, 24);

    Label6 = Label(p, "Label6", QStringLiteral("检查途径"), kLabelX, 33);
    cbx_jcTuJing = Combo(p, "cbx_jcTuJing", kFieldX, 33, kFieldW);
    Label4 = Label(p, "Label4", QStringLiteral("图像质量"), kLabel2X, 33);
    cbx_ImageQuality = Combo(p, "cbx_ImageQuality", kField2X, 33, kFieldW);
}

void TReportForm::BuildReportStatePanel()
{
    TSectionPanel* p = panel_reportState;
    Label7 = Label(p, "Label7", QStringLiteral("报告状态"), kCaptionX + 6, 4, 58, 22);

    Label13 = Label(p, "Label13", QStringLiteral("报告医生"), kLabelX, 5);
    Cbx_ReportDoctor = Combo(p, "Cbx_ReportDoctor", kFieldX, 5, kFieldW);
    Cbx_ReportDoctor->setFrame(false);  // flat bevel
    Label15 = Label(p, "Label15", QStringLiteral("检查医生"), kLabel2X, 5);
    cbx_ExamDoctor = Combo(p, "cbx_ExamDoctor", kField2X, 5, kFieldW);

    Label14 = Label(p, "Label14", QStringLiteral("会诊医生"), kLabelX, 35);
    Cbx_HuiZhenDoctor = Combo(p, "Cbx_HuiZhenDoctor", kFieldX, 35, kFieldW);
    Label12 = Label(p, "Label12", QStringLiteral("审核医生"), kLabel2X, 35);
    Cbx_ShenHedoctor = Combo(p, "Cbx_ShenHedoctor", kField2X, 35, kFieldW);

    Label16 = Label(p, "Label16", QStringLiteral("报告日期"), kLabelX, 65);
    L_ReportDate = new TDateTimePicker(p);
    L_ReportDate->setObjectName(QStringLiteral("L_ReportDate"));
    L_ReportDate->setGeometry(kFieldX, 65, kFieldW, 24);
    ReadableWhenDisabled(L_ReportDate);
    Label17 = Label(p, "Label17", QStringLiteral("审核日期"), kLabel2X, 65);
    L_ShenHeDate = new TDateTimePicker(p);
    L_ShenHeDate->setObjectName(QStringLiteral("L_ShenHeDate"));
    L_ShenHeDate->setGeometry(kField2X, 65, kFieldW, 24);
    ReadableWhenDisabled(L_ShenHeDate);
}
