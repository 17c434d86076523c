#pragma once
// A picture drawn on again and again, frame after frame: kept with its painter active and grown
// when a larger one is asked for, so a small layer costs neither fresh memory nor a painter's
// start (which costs more than drawing a small layer).

#include <QImage>
#include <QPainter>
#include <memory>

class ScratchLayer {
  public:
    ScratchLayer() = default;
    ScratchLayer(const ScratchLayer&) = delete;
    ScratchLayer& operator=(const ScratchLayer&) = delete;
    ~ScratchLayer();

    // The painter on a layer of at least `size` pixels (premultiplied), in a fresh state: no
    // transform or clip, full opacity, drawing over, no pen or brush. The pixels are as the last
    // use left them: clear what is drawn on.
    QPainter& begin(QSize size, bool antialiased);
    // The part (0, 0, size) as a picture over the layer's memory.
    QImage part(QSize size);

  private:
    QImage image_;
    std::unique_ptr<QPainter> painter_;
};
