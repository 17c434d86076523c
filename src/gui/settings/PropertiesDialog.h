#pragma once
// The properties dialog `frmProperties`: line and circle style, colours and the leg interval.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class PropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // `refresh` repaints the map window and the swatch after a redraw.
    PropertiesDialog(Workspace& ws, std::function<void()> refresh, QWidget* parent = nullptr);

private:
    Workspace& ws_;
    std::function<void()> refresh_;
};
