// SPDX-License-Identifier: MIT
#include "ClassRegistry.h"
#include <QHash>

namespace {
QHash<QString, TFormFactory>& registry()
{
    static QHash<QString, TFormFactory> r;
    return r;
}
} // namespace

void RegisterClass(const QString& className, TFormFactory factory)
{
    if (factory) registry().insert(className, factory);
}

void UnRegisterClass(const QString& className) { registry().remove(className); }

TFormFactory GetClass(const QString& className) { return registry().value(className, nullptr); }

TFormFactory FindClass(const QString& className)
{
    if (TFormFactory f = GetClass(className)) return f;
    throw EClassNotFound(QStringLiteral("Class %1 not found").arg(className));
}

QStringList RegisteredClassNames() { return registry().keys(); }
