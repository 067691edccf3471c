// SPDX-License-Identifier: MIT
// One assistant at work on one report: the organ, its systems, the nodules as the doctor
// (or a script) enters them, and what the assistant would write. The host's assistant window
// and its script commands drive this; it holds no widgets and writes nothing into the report
// itself. Widget-free; UI thread; the library must outlive the session.
#pragma once
#include "AssistStore.h"

class TAssistSession {
public:
    // The systems of `organ` in the library (none: Systems() is empty and nothing validates).
    TAssistSession(const TAssistLibrary& library, const QString& organ);

    const QString& Organ() const { return m_doc.organ; }
    const TAssistSystems& Systems() const { return m_systems; }
    const TAssistDocument& Document() const { return m_doc; }
    const QList<TAssistNodule>& Nodules() const { return m_doc.nodules; }

    // Takes a saved document (reopening a report); answers are kept as saved, also those the
    // current rules would no longer accept (they then show as incomplete or undefined).
    void Load(const TAssistDocument& doc);

    // "key=value key=value ..." as the script's nodule command and the window give them: every
    // key a feature of the organ, every value acceptable (NormalizeAssistAnswer). All or
    // nothing: false with *error naming the first fault, the nodule unchanged.
    bool AddNodule(const QString& answers, QString* error);
    bool SetAnswers(int index, const QString& answers, QString* error);
    bool SetAnswer(int index, const QString& key, const QString& text, QString* error);
    void ClearAnswer(int index, const QString& key);
    void RemoveNodule(int index);

    // Pairs the nodules with those of the same patient's earlier report for growth.
    void CompareWith(const TAssistEarlier& earlier) { AttachEarlierSizes(m_systems, m_doc, earlier); }

    // "nodule N: <score line>" for each nodule.
    QStringList ScoreLines() const;
    // One findings sentence per nodule, and the impression lines.
    QStringList FindingLines() const;
    QStringList ImpressionLines() const { return AssistImpression(m_systems, m_doc.nodules); }
    // What stops the sentences from being complete (AssistProblems); the host asks the doctor
    // before writing while this is not empty.
    QStringList Problems() const { return AssistProblems(m_systems, m_doc.nodules); }

private:
    bool Parse(const QString& answers, TAssistNodule& into, QString* error) const;

    TAssistSystems m_systems;
    TAssistDocument m_doc;
};
