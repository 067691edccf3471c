// SPDX-License-Identifier: MIT
// The thyroid and breast assistants (结构化): the action and its shortcut, the assistant
// window for the open report, the script commands assist / nodule / lesion, and the save
// step that writes the assistant's values with the report. The rules come from the shared
// data folder's assist/ (in a build folder: the source tree's data/assist) and a site's own
// <program folder>/assist, read once when the room is installed.
//
// The values belong to one report: opening another report or closing it drops them (they
// were saved with the report, or the doctor chose not to save). Writing puts the findings
// sentences into 影像表现 and the category lines into 诊断印像 through the editor's paste of a
// template (the 追加 setting decides caret or append); while something is incomplete or
// undefined the doctor is asked first. UI thread only; a child of the window.
#pragma once
#include "hostdata/AssistSession.h"
#include <QObject>
#include <QPointer>
#include <memory>
#include <optional>

class IHostContext;
class TAssistWindow;

class TAssistRoom final : public QObject {
    Q_OBJECT
public:
    explicit TAssistRoom(IHostContext& host);

    const TAssistLibrary& Library() const { return m_library; }
    // The assistant on the open report for `organ` ("" : by the exam items). Reads the
    // values saved with the report, and the same patient's earlier values for growth.
    bool Start(const QString& organ, QString* error);
    TAssistSession* Session() { return m_session.get(); }
    // Adds a nodule from key=value words, for an assistant started on `organ`.
    bool AddNodule(const QString& organ, const QStringList& words, QString* error);
    // Score lines, the values as saved ("nodule N: key=value ..."), writing into the report.
    bool ScoreLines(QStringList* lines, QString* error);
    bool Values(QStringList* lines, QString* error);
    bool Write(QString* error);
    // The 结构化 action: starts the assistant and shows its window.
    void OpenWindow();
    // The window changed the session.
    void Touched() { emit changed(); }

signals:
    void changed();

private:
    bool Running(QString* error);
    void Drop();
    void SaveStep(TDbConnection& conn, const QString& ruid);
    QString State() const;   // what the save step would store; empty without nodules

    IHostContext& m_host;
    TAssistLibrary m_library;
    std::unique_ptr<TAssistSession> m_session;
    QString m_ruid;
    QString m_saved;          // State() as the database holds it
    QString m_pending;        // State() written by the save in progress
    bool m_tables = false;    // the database has StructuredFinding
    std::optional<TAssistEarlier> m_earlier;
    QPointer<TAssistWindow> m_window;
};

QList<struct TScriptCommandShape> AssistScriptCommands();
void InstallAssistRoom(IHostContext& host);
