#pragma once
// The properties dialog `frmProperties`: line and circle style, colours and the leg interval,
// then the animation's timing and look (LookPanel), and beside them the geography (GeoPanel) and
// the travel film's look (FilmPanel).
// Every change goes straight into the project state, as an undoable edit; there is no OK or Cancel.

#include "settings/StyleSettings.h"
#include "shell/Workspace.h"

#include <QDialog>
#include <array>

class EditHistory;
class FilmPanel;
class GeoPanel;
class LookPanel;
class PaletteBox;
class QLabel;
class QScrollBar;

class PropertiesDialog : public QDialog {
    Q_OBJECT
  public:
    // Changes go through `history`, which repaints the views.
    PropertiesDialog(Workspace& ws, EditHistory& history, QWidget* parent = nullptr);

  protected:
    // Every activation refills the dialog from the project state.
    bool event(QEvent* event) override;

  private:
    void buildStyleRow(StyleField f, const QString& caption, int top, const char* label, const char* bar,
                       const char* value);
    void Form_Activate();
    void showValues();
    void fillStyleBar(StyleField f);
    void fillIntervalBar();
    void styleChanged(StyleField f, int value);
    void scrlinterval_Change(int value);
    void colourPicked(qint32& target, QLabel* shown, QPointF pos);
    // The colour dialog for any colour, as one step.
    void colourChosen(qint32& target, QLabel* shown, const QString& caption);
    void showColour(QLabel* label, qint32 color);

    Workspace& ws_;
    EditHistory& history_;
    std::array<QScrollBar*, 3> styleBars_{};
    std::array<QLabel*, 3> styleLabels_{};
    QScrollBar* scrlinterval_ = nullptr;
    QLabel* lblInterval_ = nullptr;
    PaletteBox* piccolor_ = nullptr;
    PaletteBox* picselcolor_ = nullptr;
    QLabel* lblcolor_ = nullptr;
    QLabel* lblSelcolor_ = nullptr;
    LookPanel* look_ = nullptr;
    GeoPanel* geo_ = nullptr;
    FilmPanel* film_ = nullptr;
};
