#pragma once
// Names of numbered frame files: prefix, four digits, suffix. Numbers end at 9999.

#include "Legs.h"

#include <QString>

constexpr qint64 kNumberedFileLimit = 10000;

struct NumberedFiles {
    QString prefix; // folder and base name
    QString suffix; // ".bmp"
    QString path(qint64 n) const { return prefix + frameText(n) + suffix; }
};
