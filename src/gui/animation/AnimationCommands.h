#pragma once
// Preview in the map window and the render dialog.

#include "shell/Workspace.h"

#include <QObject>
#include <functional>

class QTimer;
class QWidget;

class AnimationCommands : public QObject {
    Q_OBJECT
public:
    // `timerRoute` is the main window's timer; `setFrameText` sets the main window's `lblFrame`;
    // `refresh` repaints the map window and the swatch.
    AnimationCommands(Workspace& ws, QWidget* mainWindow, QTimer* timerRoute,
                      std::function<void(const QString&)> setFrameText, std::function<void()> refresh);

    void btnRoute_Click();
    void timerRoute_Timer();
    void btnRender_Click();  // also the Render menu entry

private:
    Workspace& ws_;
    QWidget* main_;
    QTimer* timer_;
    std::function<void(const QString&)> setFrameText_;
    std::function<void()> refresh_;
};
