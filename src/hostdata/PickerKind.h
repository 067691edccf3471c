// SPDX-License-Identifier: MIT
// The eight pickers the host owes the report editor, by the name scripts use for them.
#pragma once
#include <QString>
#include <QStringList>
#include <optional>

enum class TPickerKind { Item, Method, Part, Lczd, JianYi, BeiZhu, Template, Symbol };

struct TPickerInfo {
    TPickerKind kind;
    const char* name;       // script name: "item", "method", ...
    const char* operation;  // the IMainFrom operation that opens it
    const char* title;      // dialog title
};

const TPickerInfo& PickerInfo(TPickerKind kind);
std::optional<TPickerKind> PickerKindFromName(const QString& name);
QStringList PickerNames();
