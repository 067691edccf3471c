// SPDX-License-Identifier: MIT
// Text bound for a log file. Whatever a value came from (a damaged report row, a driver's
// message, a file name, an exception), what reaches the log is readable text of bounded
// length: a log must stay greppable and small, and must never become a second copy of a
// patient's report.
//
// Escaped: control characters (C0 but for tab and, when kept, line breaks; DEL; C1), line
// and paragraph separators, the bidirectional embedding and isolate controls, lone
// surrogates and noncharacters as \xHH or \uHHHH; a backslash stays as it is. Bytes that are
// no valid UTF-8 (the byte overload) become \xHH. A text longer than `maxChars` keeps its
// first characters (never half a surrogate pair) followed by "…[N chars]", N the length of
// the whole text. Pure, any thread.
#pragma once
#include "PlatformExport.h"
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// How much of a report's value a log line may quote.
inline constexpr qsizetype kLogExcerptChars = 60;
// How long one log entry may be in all (the longest that is written is a statement of a
// few lines).
inline constexpr qsizetype kLogEntryChars = 4000;

enum class TLogLineBreaks { Keep, Escape };

WR_PLATFORM_EXPORT QString LogSafeText(QStringView text, qsizetype maxChars = kLogEntryChars,
                                       TLogLineBreaks breaks = TLogLineBreaks::Keep);
WR_PLATFORM_EXPORT QString LogSafeText(QByteArrayView utf8, qsizetype maxChars = kLogEntryChars,
                                       TLogLineBreaks breaks = TLogLineBreaks::Keep);

// A short excerpt of a value for a log line or a message: one line, escaped, cut at
// kLogExcerptChars characters with its length said.
inline QString LogExcerpt(QStringView value) { return LogSafeText(value, kLogExcerptChars, TLogLineBreaks::Escape); }
