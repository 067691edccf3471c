// SPDX-License-Identifier: MIT
// Loads a plug-in file by path, the way the workstation loads a package: loading runs the
// plug-in's registration, the form class is then found by name in the shared class registry,
// created, and checked for the interfaces and class type the host relies on.
// UI thread only.
#pragma once
#include "host/uPubIntFace_WriteReport.h"
#include <QLibrary>
#include <QString>

class QWidget;

// The form as the host holds it: the widget it embeds (owned by its Qt parent) and the
// interfaces it drives. Interface pointers do not own the form.
struct TLoadedForm {
    QWidget* widget = nullptr;
    IInterface* object = nullptr;
    IBPLFuncTion* bpl = nullptr;
    IReportForm* report = nullptr;
};

class TPluginLoader {
public:
    // The plug-in's file name on this platform, e.g. "libWriteReport.so".
    static QString DefaultFileName();
    // DefaultFileName() in the folder of the running executable, or in the installed plug-in
    // folder (InstalledPluginFolder()) when only that one holds it.
    static QString DefaultPath();

    ~TPluginLoader();

    // Loads the file. False with a message when it does not exist or cannot be loaded.
    bool Load(const QString& path, QString* error);
    // Creates the registered class under parent and checks it: it must implement
    // IBPLFuncTion answering `expectedClassType` and IReportForm. On failure the created
    // widget is deleted again and the message says what was missing.
    bool CreateForm(const QString& className, int expectedClassType, QWidget* parent, TLoadedForm* form,
                    QString* error);
    // Unloads the file; the caller must have destroyed every object it created first.
    void Unload();
    QString Path() const { return m_library.fileName(); }

private:
    QLibrary m_library;
};
