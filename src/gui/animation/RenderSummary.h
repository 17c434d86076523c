#pragma once
// The word a render leaves when it ends well: what was written, how large, how long it took, and
// a button that shows the folder.

#include "animation/FrameSink.h"

class QWidget;

// A message that does not hold up the window; it closes itself.
void showRenderSummary(QWidget* parent, qint64 frames, const SinkOutput& out, double seconds);
