#pragma once
// Opening a file named by a project or a user for reading. The file is opened once and what
// was opened is checked, so a FIFO, a device or a socket is refused without being read (a FIFO
// would block the program for ever) and no check can be raced by a swap after it.

#include "Error.h"

#include <QFile>

// Opens `path` read-only into `file` when it is an ordinary file; otherwise an error naming the
// file and why it is not read as `what` ("picture file", "project file").
MaybeError openOrdinaryFile(const QString& path, QFile& file, const QString& what);
