// SPDX-License-Identifier: MIT
// The sentences an assistant writes into a report, from the templates of its rule files:
// one findings sentence per nodule (影像表现), and for the impression (诊断印象) one line per
// nodule with every system's category and advice, then per group (a breast) and overall the
// most worrying category. Also the one-line score of a nodule and the list of what still
// stops the sentences from being complete. Widget-free, any thread.
#pragma once
#include "AssistEvaluate.h"

using TAssistSystems = QList<const TAssistRules*>;

// An answer as the sentences say it: option labels (joined with 、), a number with its unit,
// a size as 12×8×7mm. Empty for an empty value.
QString AssistValueText(const TAssistFeature& f, const QString& value);

// The findings sentence of nodule n (from 1), from the first system with a "finding" text.
QString AssistFinding(const TAssistSystems& systems, const TAssistNodule& nodule, int n);

// "TR4 (5 points), C-TIRADS 4B, <advice>": each system's "scoreline" text (or why it has no
// category), then the advice of the first system that gives one.
QString AssistScoreLine(const TAssistSystems& systems, const TAssistNodule& nodule);

// The impression lines: per nodule (systems with an "impression" text), then per group and
// overall (systems with "group" / "overall" texts).
QStringList AssistImpression(const TAssistSystems& systems, const QList<TAssistNodule>& nodules);

// What keeps the sentences from being complete: unanswered features, undefined combinations,
// advice waiting for a size. Empty when everything can be written as it stands.
QStringList AssistProblems(const TAssistSystems& systems, const QList<TAssistNodule>& nodules);
