// SPDX-License-Identifier: MIT
// A shown report form wired to a recording host and scripted message boxes, with its own
// empty program folder, for the editing-tool tests.
#pragma once
#include "FakeHost.h"
#include "ScriptedDialogs.h"
#include "form/ReportUnit.h"
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTest>
#include <memory>

struct TEditingFixture {
    TEditingFixture();
    ~TEditingFixture();
    TEditingFixture(const TEditingFixture&) = delete;
    TEditingFixture& operator=(const TEditingFixture&) = delete;

    // The form as the host sees it.
    IReportForm* Intf();
    // The program folder with a trailing '/'.
    QString ProgramDir() const { return programDir.path() + QLatin1Char('/'); }

    QTemporaryDir programDir;
    TFakeMainForm host;
    TFakeDataModule dataModule;
    TScriptedDialogs dialogs;
    std::unique_ptr<TReportForm> form;
};

// The control of that objectName inside the form (null, with a warning, when missing).
template <class T>
T* Ctl(const TEditingFixture& f, const char* name)
{
    T* w = f.form->findChild<T*>(QString::fromUtf8(name));
    if (!w) qWarning("control %s missing or of another kind", name);
    return w;
}

// Selects from `from` to `to` in the rich edit (backwards when to < from), as the user would.
void Select(QTextEdit* re, int from, int to);

// Replaces the system clipboard's content; an empty format list empties it.
void SetClipboard(const QList<QPair<QString, QByteArray>>& formats);
void SetClipboardText(const QString& text);
