#pragma once
// Playing from the playhead. Forwards at the video's own speed is the preview itself; backwards,
// and forwards faster (a second L or J doubles the speed, up to 4x), step the playhead on a timer
// at the frame rate, each step shown exactly as rendered.

#include <QObject>
#include <QTimer>

class Timeline;

class Transport : public QObject {
    Q_OBJECT
  public:
    explicit Transport(Timeline& timeline, QObject* parent = nullptr);

    // Space: plays forwards from the playhead, or pauses.
    void playOrPause();
    void forwards();  // L
    void backwards(); // J
    void pause();     // K
    // Frames a second in video frames, negative backwards; 0 when nothing plays.
    int speed() const;

  signals:
    void stateChanged();

  private:
    void shuttle(int speed);
    void tick();

    Timeline& tl_;
    QTimer timer_;
    int speed_ = 0; // of the timer's shuttle; the preview plays at 1
};
