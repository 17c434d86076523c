#pragma once
// Pictures for the tool bar's mode and order buttons, drawn here rather than loaded: strokes in
// the palette's button text colour with the route's red as the accent, so that they read on
// light and dark buttons alike.

#include <QIcon>
#include <QPalette>

class QWidget;

enum class ToolGlyph { Add, Delete, Select, Move, Back, Forward, Play, Pause };

// The picture at the usual tool bar sizes.
QIcon toolIcon(ToolGlyph glyph, const QPalette& palette);

// Gives the bar's buttons btnPlus, btnMinus, btnSeek, btnMove, btnBack and btnFore their pictures
// in place of their text (which stays their accessible name and is named in their tooltip), and
// draws them again whenever the palette changes.
void showToolIcons(QWidget* bar);
