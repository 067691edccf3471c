// SPDX-License-Identifier: MIT
// The checks of a parsed rule file as a whole (see AssistRules.h): categories, advice,
// templates and the walk over every scored answer. Throws EAssistRuleError at the line of
// the fault; `lastLine` is named for what no single line holds (a score without category).
#pragma once
#include "AssistRules.h"
#include <QHash>

void CheckAssistRules(const TAssistRules& r, const QHash<QString, int>& textLines, int lastLine);
