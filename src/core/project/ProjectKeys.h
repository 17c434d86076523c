#pragma once
// Pieces of the reader shared by its key lines and its point lines.

#include "ProjectText.h"

// Only blanks are trimmed: a tab is part of a key or value.
QStringView trimBlanks(QStringView s);

// Stores the value of a key line whose key (blanks trimmed, any case) is one of the sixteen
// keys; any other key is ignored.
void storeKeyLine(QStringView key, QStringView value, ProjectRead& r);
