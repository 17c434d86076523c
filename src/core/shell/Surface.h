#pragma once
// A drawing surface with persistent drawing: what is drawn stays in its image until the next
// clear or reset. Coordinates are pixels (origin top left, y down) given as single-precision
// numbers; an integer coordinate names the centre of that pixel.
//
// An opaque surface keeps 32-bit pixels, which Qt paints on its fast path (on 24-bit rows it
// paints wide strokes ten times slower, handing each to its thread pool). A transparent surface
// is a layer over the picture: premultiplied ARGB on a clear background, and a reset leaves the
// picture out, so the same drawing calls give only what is drawn over it.

#include "ChangeLog.h"

#include <QColor>
#include <QFont>
#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <functional>
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

    // A new drawing area of the same size, showing only the background (clear when transparent).
    void setTransparent(bool transparent);
    bool transparent() const { return transparent_; }

    void setPenWidth(int width);
    int penWidth() const { return penWidth_; }

    void dot(float x, float y, qint32 color);
    void line(float x1, float y1, float x2, float y2, qint32 color);
    void circle(float x, float y, float r, qint32 color);
    // The rectangle with both corners included.
    void box(float x1, float y1, float x2, float y2, qint32 color);
    void clear();
    // The picture at its natural size at the origin, background elsewhere, drawing discarded
    // (a transparent surface is only cleared).
    void resetTo(const QImage& picture);

    // The drawing area as it is now (finishes any painting in progress).
    const QImage& image();
    // Every change to the drawing area, the picture shown by showOver included.
    const ChangeLog& changes() const { return changes_; }
    // Hands `use` the drawing area with `paint` drawn over it within `area` for the moment:
    // what was there is put back afterwards, so that drawing never stays.
    void showOver(const QRect& area, const std::function<void(QPainter&)>& paint,
                  const std::function<void(const QImage&)>& use);

    // What the surface shows and holds in its layers, to come back to later: frame n on demand
    // goes back to the nearest kept frame before it and draws on from there.
    struct Saved {
        QImage image, under, strokes, top;
        bool layered = false;
        qint64 bytes() const {
            return image.sizeInBytes() + under.sizeInBytes() + strokes.sizeInBytes() + top.sizeInBytes();
        }
    };
    Saved save();
    // Back to a saved state of a surface of the same size and kind; logged as a change of everything.
    void restore(const Saved& saved);

    // Layers, for a surface that keeps what it draws in three: the background picture with
    // outlines, the strokes, and text on top. An outline `width` pixels wider on each side is
    // drawn beneath every dot, line and circle from now on (width 0: none); as outlines stay
    // beneath all strokes, no piece's outline ever covers another piece's stroke. Layers take
    // effect at the next clear or reset; without them the surface draws as it always did.
    void setLayers(bool on, qint32 outlineColor = 0, int outlineWidth = 0);
    bool layered() const { return layered_; }
    // Text above every stroke, in a halo of `halo` that reaches `haloWidth` / 2 beyond the
    // letters, which start that far inside the top left of `box`. Nothing is drawn outside the
    // box, however far the letters' marks reach.
    void text(const QRectF& box, QStringView text, const QFont& font, qint32 color, qint32 halo,
              double haloWidth);

  private:
    QPainter& painter();
    void finish();
    // Spots and rings at whole-pixel centres are drawn once into a small picture and then
    // copied: anti-aliased curves cost far more to rasterise than to blend. Null when the
    // shape is too large to keep.
    const QImage* sprite(bool ring, int radius, qint32 color);
    bool blitSprite(float x, float y, bool ring, float radius, qint32 color);
    void dotOn(float x, float y, qint32 color);
    void lineOn(float x1, float y1, float x2, float y2, qint32 color);
    void circleOn(float x, float y, float r, qint32 color);
    // With layers: runs `draw` on the outline layer with the pen widened, then on the strokes,
    // and shows the result around `box`. Without: runs it on the image.
    template <class Draw> void layered(QRectF box, qint32 color, Draw draw);
    void compose(const QRectF& area);
    // A glyph's halo or letter, outlined once for its font, colour and quarter-pixel position;
    // `at` is its top left relative to the whole pixel the glyph's origin falls in.
    struct Glyph {
        QImage image;
        QPoint at;
    };
    const Glyph& glyph(const QRawFont& font, const QByteArray& fontKey, quint32 index, QPointF fraction,
                       qint32 color, double haloWidth);
    // Logs a change within `area` (pixel centres, as drawn), or of everything.
    void changed(const QRectF& area);
    void changedAll();
    void resetLayers();

    QImage image_;
    bool layered_ = false, wantLayers_ = false;
    qint32 outlineColor_ = 0;
    int outlineWidth_ = 0;
    QImage under_, strokes_, top_; // with layers: what image_ shows, composed
    QPainter* target_ = nullptr;   // where the shapes go while layers draw
    std::unordered_map<const QImage*, std::unique_ptr<QPainter>> layerPainters_;
    QPainter& layerPainter(QImage& layer);
    QColor background_;
    bool transparent_ = false;
    int penWidth_ = 1;
    std::unique_ptr<QPainter> painter_;
    std::unordered_map<quint64, QImage> sprites_;
    QHash<QByteArray, Glyph> glyphs_;
    qint64 glyphBytes_ = 0;
    ChangeLog changes_;
};
