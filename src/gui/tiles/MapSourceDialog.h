#pragma once
// The Map source dialog: the project's map picture, web map tiles (a built-in provider or an
// address template of the user's, with its credit and tile size), an MBTiles package or the
// built-in world map. OK changes the project's map keys as one undoable step; the provider's API
// key goes into the user's settings, never into the project.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class EditHistory;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSettings;

class MapSourceDialog : public QDialog {
    Q_OBJECT
  public:
    // `keyChanged` runs when only the API key changed, so that the map is loaded with it.
    MapSourceDialog(Workspace& ws, EditHistory& history, QSettings& settings,
                    std::function<void()> keyChanged, QWidget* parent = nullptr);

    // Shows the project's map keys.
    void fill();
    // Takes what the dialog shows; false (and a message) when the address cannot be used.
    bool apply();

  private:
    void showChoice();
    void browse();
    QString providerId() const;

    Workspace& ws_;
    EditHistory& history_;
    QSettings& settings_;
    std::function<void()> keyChanged_;
    QComboBox* source_;
    QComboBox* provider_;
    QLineEdit* url_;
    QLineEdit* attribution_;
    QComboBox* size_;
    QLineEdit* key_;
    QLabel* terms_;
    QLineEdit* mbtiles_;
    QPushButton* browse_;
};
