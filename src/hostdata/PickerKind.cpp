// SPDX-License-Identifier: MIT
#include "hostdata/PickerKind.h"

namespace {
const TPickerInfo kPickers[] = {
    {TPickerKind::Item, "item", "ShowExamItemFrom", "选择检查项目"},
    {TPickerKind::Method, "method", "ShowExamMethodForm", "选择检查方法"},
    {TPickerKind::Part, "part", "ShowExamJCBWForm", "选择检查部位"},
    {TPickerKind::Lczd, "lczd", "ShowExamLCZD", "选择临床诊断"},
    {TPickerKind::JianYi, "jianyi", "ShowExamJianYi", "选择建议"},
    {TPickerKind::BeiZhu, "beizhu", "ShowExamBeiZhu", "选择备注"},
    {TPickerKind::Template, "template", "ShowReportModel", "选择报告模板"},
    {TPickerKind::Symbol, "symbol", "ShowTeShuFuHao", "特殊符号"},
};
} // namespace

const TPickerInfo& PickerInfo(TPickerKind kind)
{
    for (const auto& p : kPickers)
        if (p.kind == kind) return p;
    return kPickers[0];
}

std::optional<TPickerKind> PickerKindFromName(const QString& name)
{
    for (const auto& p : kPickers)
        if (name == QLatin1String(p.name)) return p.kind;
    return std::nullopt;
}

QStringList PickerNames()
{
    QStringList names;
    for (const auto& p : kPickers) names << QLatin1String(p.name);
    return names;
}
