#pragma once
// The values of one route point a person types: its label, its hold, the time, line, way of travel
// and line style of the leg ending there, and the coordinates that place it. The point dialog and the points
// panel both read, check and store them here, through the key table's own rows, so that a value either of
// them takes is one a project file could hold, and both refuse the same text.

#include "shell/ProjectState.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

enum class PointValue { Label, Hold, LegTime, Path, Mode, LineStyle, Coordinates };

// A hold or a leg time takes at most this many seconds; below zero a point follows the default.
double maxPointSeconds();
// The words a leg's line may be, the default (as the project's `path`) first as the empty word.
const QStringList& pointPathWords();
// The same for any value given by a word (line, way of travel, line style); empty for others.
const QStringList& pointWords(PointValue v);
// A leg's time, line, way of travel and line style need a leg ending at the point: the first
// point has none.
bool pointValueApplies(PointValue v, int i);

// The value as it is typed: empty for a value left at its default.
QString pointValueText(const ProjectState& st, int i, PointValue v);
// Sets the value from typed text; false, and nothing changed, for text refused (a number that is
// not one, or off the range; a word not known; control characters; coordinates off the earth)
// and for a value that does not apply. Empty text puts the default back. A long label is cut as
// a file's is.
bool setPointValue(ProjectState& st, int i, PointValue v, QStringView text);
// The same for seconds as a spin box gives them: below zero the default.
bool setPointSeconds(ProjectState& st, int i, PointValue v, double seconds);
// Typed coordinates: unset for empty text, nullopt for text that is not a place on the earth.
std::optional<GeoPoint> typedCoordinates(QStringView text);
