#pragma once
// A writer's own copy of a frame, kept in the layout of its file kind: BMP rows are 24-bit and
// bottom-up, packed from the map's 32-bit pixels as they are copied.

#include "FrameFiles.h"

#include <QRect>
#include <vector>

// Brings `into` up to date with `frame`. Given `changed` (the areas changed since `into` last
// held an earlier frame of the same picture), only those areas are copied; otherwise, or when
// the copy cannot be patched, all of it. `into` keeps its buffer while size and layout stay.
void copyFrame(const QImage& frame, const std::vector<QRect>* changed, const FrameFileType& type, QImage& into);
