// SPDX-License-Identifier: MIT
#include "RtfReader.h"

namespace rtf {

QStringList Diagnostics::messages() const
{
    QStringList m;
    if (openGroupsAtEnd)
        m << QStringLiteral("input ends with %1 group(s) still open (truncated?)").arg(openGroupsAtEnd);
    if (extraCloseBraces)
        m << QStringLiteral("%1 unmatched '}' ignored").arg(extraCloseBraces);
    if (textAfterEnd)
        m << QStringLiteral("text after the document's closing brace was read as well");
    if (truncatedTokens)
        m << QStringLiteral("input ends inside a control word or escape");
    if (badEscapes)
        m << QStringLiteral("%1 malformed \\'hh escape(s) ignored").arg(badEscapes);
    if (brokenDoubleByte)
        m << QStringLiteral("%1 incomplete double-byte character(s) replaced by U+FFFD").arg(brokenDoubleByte);
    if (depthLimited)
        m << QStringLiteral("groups nested deeper than %1 levels share the state of level %1").arg(kMaxGroupDepth);
    if (skippedPictures)
        m << QStringLiteral("%1 picture(s) of an unknown kind skipped").arg(skippedPictures);
    if (badPictures)
        m << QStringLiteral("%1 picture(s) with damaged data skipped").arg(badPictures);
    if (foldedParagraphs)
        m << QStringLiteral("%1 empty paragraphs in a row beyond the first %2 kept as line breaks")
                 .arg(foldedParagraphs).arg(DocBuilder::kMaxEmptyRun);
    for (int cp : unavailableCodePages)
        m << QStringLiteral("code page %1 is not available; its bytes were read as Latin-1").arg(cp);
    return m;
}

Reader::Reader(DocBuilder& out, Diagnostics& diag) : m_out(out), m_diag(diag) {}

} // namespace rtf
