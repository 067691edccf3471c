// SPDX-License-Identifier: MIT
#include "app/PluginLoader.h"
#include "app/InstallLayout.h"
#include "platform/ClassRegistry.h"
#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

QString TPluginLoader::DefaultFileName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("WriteReport.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("libWriteReport.dylib");
#else
    return QStringLiteral("libWriteReport.so");
#endif
}

QString TPluginLoader::DefaultPath()
{
    // A build folder (and a Windows install) keeps the plug-in beside the executable; an
    // installation keeps it in its private library folder.
    const QString beside = QCoreApplication::applicationDirPath() + QLatin1Char('/') + DefaultFileName();
    const QString installed = InstalledPluginFolder() + QLatin1Char('/') + DefaultFileName();
    if (!QFileInfo::exists(beside) && QFileInfo::exists(installed)) return installed;
    return beside;
}

TPluginLoader::~TPluginLoader() = default;

bool TPluginLoader::Load(const QString& path, QString* error)
{
    const QFileInfo fi(path);
    if (!fi.exists()) {
        *error = QStringLiteral("plug-in file not found: %1").arg(fi.absoluteFilePath());
        return false;
    }
    m_library.setFileName(fi.absoluteFilePath());
    if (!m_library.load()) {
        *error = QStringLiteral("cannot load the plug-in %1: %2").arg(fi.absoluteFilePath(), m_library.errorString());
        return false;
    }
    return true;
}

bool TPluginLoader::CreateForm(const QString& className, int expectedClassType, QWidget* parent, TLoadedForm* form,
                               QString* error)
{
    *form = {};
    const TFormFactory factory = GetClass(className);
    if (!factory) {
        const QStringList known = RegisteredClassNames();
        *error = QStringLiteral("the plug-in %1 does not register the class %2 (registered: %3)")
                     .arg(m_library.fileName(), className,
                          known.isEmpty() ? QStringLiteral("none") : known.join(QLatin1String(", ")));
        return false;
    }
    TCreatedForm created;
    try {
        created = factory(parent);
    } catch (const Exception& e) {
        *error = QStringLiteral("creating %1 failed: %2").arg(className, e.Message());
        return false;
    } catch (const std::exception& e) {
        *error = QStringLiteral("creating %1 failed: %2").arg(className, QString::fromLocal8Bit(e.what()));
        return false;
    }
    if (!created.widget || !created.intf) {
        delete created.widget;
        *error = QStringLiteral("the class %1 of %2 created no form").arg(className, m_library.fileName());
        return false;
    }
    auto fail = [&](const QString& message) {
        delete created.widget;
        *error = message;
        return false;
    };
    IBPLFuncTion* bpl = nullptr;
    if (!Supports(created.intf, bpl))
        return fail(QStringLiteral("the form %1 does not implement IBPLFuncTion").arg(className));
    const int type = bpl->GetFrmClassType();
    if (type != expectedClassType)
        return fail(QStringLiteral("the form %1 answers class type %2, the host expects %3")
                        .arg(className).arg(type).arg(expectedClassType));
    IReportForm* report = nullptr;
    if (!Supports(created.intf, report))
        return fail(QStringLiteral("the form %1 does not implement IReportForm").arg(className));
    form->widget = created.widget;
    form->object = created.intf;
    form->bpl = bpl;
    form->report = report;
    return true;
}

void TPluginLoader::Unload()
{
    if (m_library.isLoaded()) m_library.unload();
}
