#pragma once
// The ".wsr" text itself: parsing bytes into a staged result, applying that result to the
// project state, and writing the state out. No files and no drawing here, so a damaged
// file can be read completely before any field changes.

#include "ProjectKeys.h"
#include "shell/ProjectState.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QStringView>
#include <array>
#include <map>
#include <optional>

struct PointLine {
    qint16 x = 0;
    qint16 y = 0;
    double dist = 0.0;
};

// What a file says: every key line it names (by table row and slot; the last line for a key
// wins) and every point slot it fills.
struct ProjectRead {
    std::map<std::pair<int, int>, KeyValue> keys;
    std::array<std::optional<PointLine>, kPointSlots> points;
    int skippedLines = 0;     // point lines and per-point keys naming a slot outside 0..99
    int heldLines = 0;        // lines with a number held to its key's range (listmax to 0..100)
    int refusedLines = 0;     // texts holding a control character, words a key does not know
    bool windows1252 = false; // the bytes were not UTF-8
};

// Every function takes the table of keys; tests pass their own.
ProjectRead parseProjectText(QByteArrayView bytes, KeyTable keys = projectKeys());

// Writes what the file named into the state. Of the sixteen standard keys, what the file does
// not name keeps its value; any newer key it does not name takes its default.
void applyProjectRead(ProjectState& st, const ProjectRead& read, KeyTable keys = projectKeys());

// The header, the sixteen key lines, one line per route point, then the newer keys whose values
// differ from their defaults; CR LF after each.
QByteArray formatProjectText(const ProjectState& st, KeyTable keys = projectKeys());
