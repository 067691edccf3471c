// SPDX-License-Identifier: MIT
// Which characters changed between two versions of a text, for windows that put versions
// side by side (a save conflict, a draft offer, the history). Widget-free; any thread.
#pragma once
#include "PlatformExport.h"
#include <QList>
#include <QString>

struct TDiffPiece {
    enum Kind { Same, Removed, Added };
    Kind kind = Same;
    QString text;
    bool operator==(const TDiffPiece& o) const { return kind == o.kind && text == o.text; }
};

// The pieces that turn `before` into `after`: runs of characters both share (Same), only
// `before` has (Removed) and only `after` has (Added), in text order; a Removed run comes
// before the Added run that replaces it. The shortest such list for changes up to a few
// thousand characters apart; past that the middle part that differs is one replacement.
WR_PLATFORM_EXPORT QList<TDiffPiece> DiffText(const QString& before, const QString& after);

// One side of the comparison as HTML for a rich-text label: `before` (Same and Removed) or
// `after` (Same and Added), the changed characters highlighted. With `context` >= 0, a
// stretch of unchanged text longer than twice that many characters is cut to its ends
// around "…", so only the changed places show; -1 shows the whole text.
WR_PLATFORM_EXPORT QString DiffHtml(const QList<TDiffPiece>& pieces, bool after, int context);

// Whether anything differs, i.e. the pieces are not all Same.
WR_PLATFORM_EXPORT bool DiffChanged(const QList<TDiffPiece>& pieces);
