#pragma once
// The render dialog `frmRender`: the output directory (a path box in the place of a drive list
// and the directory list), the base name, what to write (the output kind and, for video files,
// the quality), Render, Cancel and its own frame label; while a render runs, a progress bar over
// the planned frames, the speed and the time left, and Stop. Choosing a kind or a quality sets
// `renderformat` or `renderquality`; Render sets `renderpath` and `rendername` and asks for the
// render to start; the dialog is hidden when a render ends by itself. While a preview or a render runs,
// Render does nothing at all (the running render keeps its names). Cancel only hides it, also while a render
// runs; Stop ends the render, keeping what is written.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class DirectoryList;
class EditHistory;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

class RenderDialog : public QDialog {
    Q_OBJECT
  public:
    struct Actions {
        std::function<void()> startRender; // returns at once; the render runs from the event loop
        std::function<bool()> busy;        // a preview or a render runs
        std::function<void()> stopRender;
    };
    // Changes to the render settings go through `history`.
    RenderDialog(Workspace& ws, EditHistory& history, Actions actions, QWidget* parent = nullptr);

    void setFrameText(const QString& text);
    // The running render's figures; `total` 0 while not known yet.
    void showProgress(qint64 written, qint64 total, double framesPerSecond);
    // The tiles of a tiled map fetched before the first frame.
    void showTileProgress(int done, int wanted);
    // Between the start and the end of a render Stop is enabled; `status` says how it ended.
    void renderStarted();
    void renderEnded(const QString& status);

    void Form_Activate();
    void Dir1_Change();
    void btnRender_Click();

  protected:
    bool event(QEvent* e) override;

  private:
    void kindChosen();

    Workspace& ws_;
    EditHistory& history_;
    Actions actions_;
    DirectoryList* dir_;
    QLineEdit* name_;
    QComboBox* kind_;
    QComboBox* quality_;
    QLabel* frame_;
    QProgressBar* progress_;
    QPushButton* stop_;
    QLabel* speed_;
};
