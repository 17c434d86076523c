#pragma once
// The render dialog `frmRender`: the output directory (a path box in the place of a drive list
// and the directory list), the base name of the frame files, Render, Cancel and its own frame
// label. Render sets `renderpath` and `rendername` and asks for the render to start; the dialog
// is hidden when the render is over. While a preview or a render runs, Render does nothing at
// all (the running render keeps its names). Cancel only hides it, also while a render runs.

#include "shell/Workspace.h"

#include <QDialog>
#include <functional>

class DirectoryList;
class QLabel;
class QLineEdit;

class RenderDialog : public QDialog {
    Q_OBJECT
  public:
    // `startRender` runs the render (it returns at once; the render runs from the event loop);
    // `busy` tells whether a preview or a render runs.
    RenderDialog(Workspace& ws, std::function<void()> startRender, std::function<bool()> busy,
                 QWidget* parent = nullptr);

    void setFrameText(const QString& text);

    void Form_Activate();
    void Dir1_Change();
    void btnRender_Click();

  protected:
    bool event(QEvent* e) override;

  private:
    Workspace& ws_;
    std::function<void()> startRender_;
    std::function<bool()> busy_;
    DirectoryList* dir_;
    QLineEdit* name_;
    QLabel* frame_;
};
