// SPDX-License-Identifier: MIT
// The form's own glyph artwork, drawn at run time: the tool-bar list (bold, underline,
// italic, centre, save default font, bullets, right, left, special symbol) and the
// context-menu list (copy, cut, paste, font tool bar, select all). 16 x 16 each.
#pragma once
#include <QIcon>
#include <QList>

QList<QIcon> ToolBarGlyphs();
QList<QIcon> PopupMenuGlyphs();
