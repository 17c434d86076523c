#pragma once
// The bar under the map for moving through the animation: a slider over its frames with the
// frame number, and a play button. The map shows the frame exactly as the render writes it.
// Keys while the slider has focus: Home and End, Left and Right one frame, Shift+Left and
// Shift+Right one second, Space to play and pause from there.

#include <QWidget>
#include <functional>

class QLabel;
class QSlider;
class QToolButton;

class ScrubBar : public QWidget {
    Q_OBJECT
  public:
    struct Host {
        std::function<qint64()> frames;   // frames of the animation as it is now
        std::function<void(qint64)> seek; // show that frame
        std::function<void(qint64)> play; // play from that frame
        std::function<void()> pause;
        std::function<bool()> playing;
        std::function<double()> fps;
    };
    ScrubBar(Host host, QWidget* parent = nullptr);

    // The project changed: the frame count is taken again when next needed.
    void forget();
    // Follows a preview that plays: the frame it shows.
    void follow(qint64 frame);

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void fillRange();
    void showNumber();
    void playOrPause();

    Host host_;
    QSlider* slider_;
    QLabel* number_;
    QToolButton* play_;
    bool known_ = false;
    bool following_ = false;
};
