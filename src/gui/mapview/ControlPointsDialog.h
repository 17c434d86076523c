#pragma once
// The map's control points: pixels of a scanned map tied to places on the earth, which give the
// map its coordinates when its picture has none of its own. Lists each with how far the fit puts
// it from its pixel, adds one at a pixel clicked on the map or typed with the coordinates typed
// or pasted, and removes the chosen ones. Each change is an undoable edit. While the dialog is
// open the map shows the points.

#include "shell/Workspace.h"

#include <QDialog>

class EditHistory;
class MapView;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPainter;
class QPushButton;
class QTableWidget;

class ControlPointsDialog : public QDialog {
    Q_OBJECT
  public:
    ControlPointsDialog(Workspace& ws, EditHistory& history, MapView& map, QWidget* parent = nullptr);

    // Shows the project's control points and the fit (changing nothing).
    void fill();
    // Add: a control point at the map pixel with the coordinates in `text`. False, with the
    // reason shown in the dialog, for text that is not coordinates or when every slot is taken.
    bool addPoint(QPointF pixel, const QString& text);
    // Remove: the control points in these slots.
    void removePoints(const QList<int>& chosen);
    // Marks the control points, and the pixel about to be added, on the map (in map pixels).
    void paintOverlay(QPainter& p) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    void pick(bool on);
    void addClicked();

    Workspace& ws_;
    EditHistory& history_;
    MapView& map_;
    QLabel* state_ = nullptr;
    QTableWidget* table_ = nullptr;
    QPushButton* remove_ = nullptr;
    QDoubleSpinBox* x_ = nullptr;
    QDoubleSpinBox* y_ = nullptr;
    QPushButton* pick_ = nullptr;
    QLineEdit* coordinates_ = nullptr;
    QLabel* problem_ = nullptr;
    bool pending_ = false; // a pixel was picked or typed, and not added yet
};
