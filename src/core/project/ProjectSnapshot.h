#pragma once
// The project as an undo step keeps it: its own file text and the map picture. The picture is
// implicitly shared, so a snapshot costs a few kilobytes until the map itself changes, and
// going back to one reads no file.

#include "shell/Workspace.h"

#include <QByteArray>
#include <QImage>

struct ProjectSnapshot {
    QByteArray text;
    QImage picture;
    bool operator==(const ProjectSnapshot& o) const {
        return text == o.text && picture.cacheKey() == o.picture.cacheKey();
    }
};

ProjectSnapshot takeSnapshot(const Workspace& ws);

// Puts every saved field and the map picture back as the snapshot holds them and redraws.
void restoreSnapshot(Workspace& ws, const ProjectSnapshot& snapshot);
