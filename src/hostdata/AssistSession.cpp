// SPDX-License-Identifier: MIT
#include "AssistSession.h"
#include <QRegularExpression>

TAssistSession::TAssistSession(const TAssistLibrary& library, const QString& organ) : m_systems(library.ForOrgan(organ))
{
    m_doc.organ = organ;
    for (const TAssistRules* s : m_systems) m_doc.systems << s->id;
}

void TAssistSession::Load(const TAssistDocument& doc)
{
    const QStringList systems = m_doc.systems;
    m_doc = doc;
    m_doc.systems = systems;
}

bool TAssistSession::Parse(const QString& answers, TAssistNodule& into, QString* error) const
{
    for (const QString& pair : answers.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        const int eq = pair.indexOf(QLatin1Char('='));
        const QString key = pair.left(eq);
        const TAssistFeature* f = eq > 0 ? FindAssistFeature(m_systems, key) : nullptr;
        if (!f) {
            if (error) *error = eq > 0 ? QStringLiteral("没有“%1”这一项").arg(key) : QStringLiteral("“%1”应写成 名称=值").arg(pair);
            return false;
        }
        QString value;
        if (!NormalizeAssistAnswer(*f, pair.mid(eq + 1), &value, error)) return false;
        into.insert(key, value);
    }
    return true;
}

bool TAssistSession::AddNodule(const QString& answers, QString* error)
{
    TAssistNodule n;
    if (m_systems.isEmpty()) {
        if (error) *error = QStringLiteral("没有“%1”的规则文件").arg(m_doc.organ);
        return false;
    }
    if (!Parse(answers, n, error)) return false;
    m_doc.nodules << n;
    return true;
}

bool TAssistSession::SetAnswers(int index, const QString& answers, QString* error)
{
    if (index < 0 || index >= m_doc.nodules.size()) {
        if (error) *error = QStringLiteral("没有结节%1").arg(index + 1);
        return false;
    }
    TAssistNodule n = m_doc.nodules[index];
    if (!Parse(answers, n, error)) return false;
    m_doc.nodules[index] = n;
    return true;
}

bool TAssistSession::SetAnswer(int index, const QString& key, const QString& text, QString* error)
{
    const TAssistFeature* f = FindAssistFeature(m_systems, key);
    QString value;
    if (index < 0 || index >= m_doc.nodules.size() || !f) {
        if (error) *error = f ? QStringLiteral("没有结节%1").arg(index + 1) : QStringLiteral("没有“%1”这一项").arg(key);
        return false;
    }
    if (!NormalizeAssistAnswer(*f, text, &value, error)) return false;
    m_doc.nodules[index].insert(key, value);
    return true;
}

void TAssistSession::ClearAnswer(int index, const QString& key)
{
    if (index >= 0 && index < m_doc.nodules.size()) m_doc.nodules[index].remove(key);
}

void TAssistSession::RemoveNodule(int index)
{
    if (index >= 0 && index < m_doc.nodules.size()) m_doc.nodules.removeAt(index);
}

QStringList TAssistSession::ScoreLines() const
{
    QStringList out;
    for (int i = 0; i < m_doc.nodules.size(); ++i)
        out << QStringLiteral("nodule %1: %2").arg(i + 1).arg(AssistScoreLine(m_systems, m_doc.nodules[i]));
    return out;
}

QStringList TAssistSession::FindingLines() const
{
    QStringList out;
    for (int i = 0; i < m_doc.nodules.size(); ++i) out << AssistFinding(m_systems, m_doc.nodules[i], i + 1);
    return out;
}
