// SPDX-License-Identifier: MIT
// The toolkit's class registry: plug-ins register their form classes by name when their
// module is loaded and remove them when it is unloaded; the host creates forms by name.
// Lives in the platform library so host and plug-ins share one registry. UI thread only.
#pragma once
#include "Interface.h"
#include <QString>
#include <QStringList>

class QWidget;

// What creating a registered class yields: the widget the host embeds and owns, and the
// same object as IInterface for the interface queries. Both null on failure.
struct TCreatedForm {
    QWidget* widget = nullptr;
    IInterface* intf = nullptr;
};

using TFormFactory = TCreatedForm (*)(QWidget* parent);

// Registers (or replaces) a class under its name.
WR_PLATFORM_EXPORT void RegisterClass(const QString& className, TFormFactory factory);
// Removes the class; an unknown name is ignored.
WR_PLATFORM_EXPORT void UnRegisterClass(const QString& className);
// The factory, or null when the name is not registered.
WR_PLATFORM_EXPORT TFormFactory GetClass(const QString& className);
// The factory, or EClassNotFound when the name is not registered.
WR_PLATFORM_EXPORT TFormFactory FindClass(const QString& className);
WR_PLATFORM_EXPORT QStringList RegisteredClassNames();
