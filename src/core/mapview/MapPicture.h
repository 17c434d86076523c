#pragma once
// Loading map pictures and listing the picture files of a directory.

#include "PictureFile.h"
#include "shell/Workspace.h"

#include <QStringList>

// Loads the map picture into the master copy and redraws the map with the route over it. On
// failure both stay as they were and the error says why.
MaybeError loadMapPicture(Workspace& ws, const QString& path);

// True when the text after the name's last dot, lower-cased, occurs anywhere inside `accepted`
// (".bmp .gif .jpg .jpeg .png" for pictures, ".wsr" for projects); names without a dot fail.
bool extensionAccepted(const QString& name, const QString& accepted);

extern const QString kPictureExtensions;

// The ordinary, non-hidden files of a directory in the order the listing returns them.
QStringList plainFilesIn(const QString& dir);

// The picture files of a directory, sorted without regard to case.
QStringList pictureFilesIn(const QString& dir);
