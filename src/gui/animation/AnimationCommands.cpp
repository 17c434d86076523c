#include "AnimationCommands.h"

// Placeholder until the preview and the render land.
AnimationCommands::AnimationCommands(Workspace& ws, QWidget* mainWindow, QTimer* timerRoute,
                                     std::function<void(const QString&)> setFrameText,
                                     std::function<void()> refresh)
    : ws_(ws), main_(mainWindow), timer_(timerRoute), setFrameText_(std::move(setFrameText)),
      refresh_(std::move(refresh)) {}

void AnimationCommands::btnRoute_Click() {}
void AnimationCommands::timerRoute_Timer() {}
void AnimationCommands::btnRender_Click() {}
