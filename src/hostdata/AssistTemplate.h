// SPDX-License-Identifier: MIT
// The sentence templates of the assistants' rule files: text with {name} placeholders,
// {=name} for another named text of the same file, and {{ / }} for literal braces.
#pragma once
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>

// The placeholders a template uses, in order ("=name" for included texts); *error is set
// (and the list is partial) when a brace is left open or a placeholder is empty.
QStringList AssistTemplatePlaceholders(const QString& text, QString* error);

// Fills a template: `value` answers each placeholder, `texts` holds the named texts that
// {=name} includes. The rule file's load has refused loops; an include deeper than 16
// levels is left out all the same.
QString FillAssistTemplate(const QString& text, const std::function<QString(const QString&)>& value,
                           const QHash<QString, QString>& texts, int depth = 0);
