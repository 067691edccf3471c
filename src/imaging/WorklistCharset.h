// SPDX-License-Identifier: MIT
// The character sets the worklist answers in, named by their Specific Character Set terms:
// the default repertoire (ASCII, no term), ISO_IR 100 (Latin-1), ISO_IR 192 (UTF-8), GB18030
// and GBK. A character a set cannot hold becomes '?', the replacement the default repertoire
// itself has. Pure functions, any thread.
#pragma once
#include <QByteArray>
#include <QString>
#include <optional>

namespace wr::imaging {

enum class TWorklistCharset { Ascii, Latin1, Utf8, Gb18030, Gbk };

// The set of one Specific Character Set value ("" and "ISO_IR 6" are the default repertoire);
// nothing for a term the worklist cannot answer in (the ISO 2022 forms among them).
std::optional<TWorklistCharset> WorklistCharsetFromTerm(const QString& term);
// The term the answer carries in Specific Character Set; empty for the default repertoire.
QString WorklistCharsetTerm(TWorklistCharset set);

// Whether every character of `text` has a code in `set`.
bool CanEncode(const QString& text, TWorklistCharset set);
// `text` in `set`, each character it cannot hold replaced by '?' and counted in *replaced.
QByteArray EncodeText(const QString& text, TWorklistCharset set, int* replaced = nullptr);

}  // namespace wr::imaging
