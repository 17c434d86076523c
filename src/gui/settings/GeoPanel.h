#pragma once
// The properties dialog's "Geography": where the map's coordinates come from (with the control
// points' worst residual), the route's length on the earth in all and leg by leg (km, or miles
// where the locale measures so), and the settings of tracks and legs: the track's time scale,
// how long standing still makes a stop, the speed's unit, and straight or arced legs.
// Each change is an undoable edit and shows at once.

#include "shell/Workspace.h"

#include <QGroupBox>
#include <functional>

class EditHistory;
class QComboBox;
class QDoubleSpinBox;
class QFormLayout;
class QLabel;
class QListWidget;

class GeoPanel : public QGroupBox {
    Q_OBJECT
  public:
    GeoPanel(Workspace& ws, EditHistory& history, QWidget* parent = nullptr);

    // Shows the project's values and the route's lengths (changing nothing).
    void fill();

  signals:
    // The speed's unit changed: the speed shows in it.
    void speedUnitChanged();

  private:
    void change(const QString& label, const std::function<void(ProjectState&)>& set, int key);

    Workspace& ws_;
    EditHistory& history_;
    bool filling_ = false;
    QFormLayout* form_ = nullptr;
    QLabel* state_ = nullptr;
    QLabel* length_ = nullptr;
    QListWidget* legs_ = nullptr;
    QDoubleSpinBox* timescale_ = nullptr;
    QDoubleSpinBox* trackstop_ = nullptr;
    QComboBox* speedUnit_ = nullptr;
    QComboBox* path_ = nullptr;
    QDoubleSpinBox* arcbend_ = nullptr;
};

// A length on the earth as the panel shows it: "12.3 km", "0.85 mi".
QString earthDistanceText(double metres, bool imperial);
