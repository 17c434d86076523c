#pragma once
// A drawing surface with persistent drawing: what is drawn stays in its image until the next
// clear or reset. Coordinates are pixels (origin top left, y down) given as single-precision
// numbers; an integer coordinate names the centre of that pixel.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <memory>
#include <unordered_map>

QColor toQColor(qint32 color);

class Surface {
  public:
    explicit Surface(int width = 0, int height = 0, QColor background = Qt::white);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;
    ~Surface();

    // A new drawing area of that size showing only the background.
    void resize(int width, int height);
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    void setPenWidth(int width);
    int penWidth() const { return penWidth_; }

    void dot(float x, float y, qint32 color);
    void line(float x1, float y1, float x2, float y2, qint32 color);
    void circle(float x, float y, float r, qint32 color);
    // The rectangle with both corners included.
    void box(float x1, float y1, float x2, float y2, qint32 color);
    void clear();
    // The picture at its natural size at the origin, background elsewhere, drawing discarded.
    void resetTo(const QImage& picture);

    // The drawing area as it is now (finishes any painting in progress).
    const QImage& image();

  private:
    QPainter& painter();
    void finish();
    // Spots and rings at whole-pixel centres are drawn once into a small picture and then
    // copied: anti-aliased curves cost far more to rasterise than to blend. Null when the
    // shape is too large to keep.
    const QImage* sprite(bool ring, int radius, qint32 color);
    bool blitSprite(float x, float y, bool ring, float radius, qint32 color);

    QImage image_;
    QColor background_;
    int penWidth_ = 1;
    std::unique_ptr<QPainter> painter_;
    std::unordered_map<quint64, QImage> sprites_;
};
