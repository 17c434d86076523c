#pragma once
// Help > About Pathwright: the program's version, the libraries it runs on, and the credits and
// licences of the map in use.

#include "shell/Workspace.h"

#include <QDialog>

// The credits the project's map owes, one line each: the tiles' own attribution, and the terms
// of the sources the program knows (the world picture, OpenStreetMap).
QStringList mapCredits(const Workspace& ws);

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    // Loads the video library, if not loaded yet, to ask it for the FFmpeg versions.
    AboutDialog(const Workspace& ws, QWidget* parent = nullptr);

    static QString version();
};
