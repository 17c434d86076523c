#pragma once
// Opening a file named by a project or a user for reading. The file is opened once and what
// was opened is checked, so a FIFO, a device or a socket is refused without being read (a FIFO
// would block the program for ever) and no check can be raced by a swap after it.

#include <QFile>

enum class OpenedKind { Ordinary, Missing, Directory, NotOrdinary, Unreadable };

// Opens `path` read-only into `file` when it is an ordinary file; `reason` says why not.
OpenedKind openOrdinaryFile(const QString& path, QFile& file, QString* reason = nullptr);
