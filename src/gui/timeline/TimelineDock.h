#pragma once
// The timeline docked under the map (View > Timeline shows it again once closed): a ruler, the
// legs and holds, the camera's zoom keys and the transport. The main window gives it the way to
// the preview (Timeline::Host) and tells it each frame the preview shows (follow).
//
// Keys while it has focus, before the window's own (the arrows nudge a point elsewhere): Space
// plays or pauses; J, K, L play backwards, pause, play forwards (again: twice as fast, up to 4x);
// Left and Right one frame, with Shift one second; Home and End; I and O set the render's in and
// out at the playhead, Alt+X clears them; Z adds a zoom key, Delete removes the selected one.

#include "Timeline.h"

#include <QDockWidget>

class KeyRow;
class QLabel;
class QScrollBar;
class QToolButton;
class Transport;

class TimelineDock : public QDockWidget {
    Q_OBJECT
  public:
    TimelineDock(Workspace& ws, EditHistory& history, Timeline::Host host, QWidget* parent);

    Timeline& timeline() { return *tl_; }
    Transport& transport() { return *transport_; }
    // The preview shows this frame.
    void follow(qint64 frame);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    QWidget* buildButtons(QWidget* parent);
    bool key(int key, Qt::KeyboardModifiers mods);
    void step(qint64 frames);
    void setRange(qint32 from, qint32 to, const QString& label);
    void showState();
    // The whole animation across the width.
    void fit();

    Timeline* tl_;
    Transport* transport_;
    KeyRow* keys_;
    QWidget* body_;
    QScrollBar* scroll_;
    QLabel* frame_;
    QToolButton* play_;
    bool fitted_ = false; // fitted once frames were there
};
