#pragma once
// The ".wsr" text itself: parsing bytes into a staged result, applying that result to the
// project state, and writing the state out. No files and no drawing here, so a damaged
// file can be read completely before any field changes.

#include "shell/ProjectState.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringView>
#include <array>
#include <optional>

struct PointLine {
    qint16 x = 0;
    qint16 y = 0;
    double dist = 0.0;
};

// What a file says: every field it names (the last line for a key wins) and every slot it fills.
struct ProjectRead {
    std::optional<QChar> format;
    std::optional<double> fps, interval;
    std::optional<qint16> frameheight, framewidth, linethick, circlethick, circleradius, selected, listmax;
    std::optional<QString> imagepath, imagename, renderpath, rendername;
    std::optional<qint32> color, selcolor;
    std::array<std::optional<PointLine>, kPointSlots> points;
    int skippedLines = 0; // point lines naming a slot outside 0..99
    int heldLines = 0;    // lines with a number held to its field's range (listmax to 0..100)
};

ProjectRead parseProjectText(QByteArrayView bytes);

// Writes what the file named into the state; everything else keeps its value.
void applyProjectRead(ProjectState& st, const ProjectRead& read);

// The header, the sixteen key lines and one line per route point, CR LF after each.
QByteArray formatProjectText(const ProjectState& st);

// Lines end at CR (an LF right after it belongs to it) and at a lone LF.
QList<QStringView> splitLines(QStringView text);
