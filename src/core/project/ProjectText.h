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

// A value read that its key could not take as written, as the load note names it.
struct HeldValue {
    int line = 0;     // in the file, from 1; 0 for a value no line of the file gave
    QString key;      // "speed", "label.3", "point 6"
    QString read;     // as written, shortened when long; for a cut text, its length
    QString used;     // the value taken; for a cut text, the length kept
    bool cut = false; // a text cut to its longest length
};

struct StagedKey {
    KeyValue value;
    int line = 0;
};

// What a file says: every key line it names (by table row and slot; the last line for a key
// wins) and every point slot it fills.
struct ProjectRead {
    std::map<std::pair<int, int>, StagedKey> keys;
    std::array<std::optional<PointLine>, kPointSlots> points;
    int skippedLines = 0;     // point lines and per-point keys naming a slot outside 0..99
    int heldLines = 0;        // lines whose value was held to its key's range or cut to its length
    QList<HeldValue> held;    // the first kHeldNamed of them, for the note
    int refusedLines = 0;     // texts holding a control character, words a key does not know
    bool windows1252 = false; // the bytes were not UTF-8
};

// The note names this many held values and counts the rest, so a file of many held lines
// makes a short note.
constexpr int kHeldNamed = 5;
void noteHeld(ProjectRead& read, HeldValue held);
// A long value read as the note shows it: its beginning and its length.
QString shortValue(QStringView text);
// The line of the key `name` (a row that is not per point) in the file; 0 when it names none.
int lineOfKey(const ProjectRead& read, const char* name, KeyTable keys = projectKeys());

// Every function takes the table of keys; tests pass their own.
ProjectRead parseProjectText(QByteArrayView bytes, KeyTable keys = projectKeys());

// Writes what the file named into the state. Of the sixteen standard keys, what the file does
// not name keeps its value; any newer key it does not name takes its default.
void applyProjectRead(ProjectState& st, const ProjectRead& read, KeyTable keys = projectKeys());

// The header, the sixteen key lines, one line per route point, then the newer keys whose values
// differ from their defaults; CR LF after each.
QByteArray formatProjectText(const ProjectState& st, KeyTable keys = projectKeys());
