#pragma once
// Colour for the video files: the RGB frames become Y'CbCr in limited range with the matrix a
// player expects for the frame size, and the stream is tagged with it. Standard-definition
// sizes use BT.601 (SMPTE 170M for 480 lines, BT.470 B/G for 576), larger ones BT.709; a wrong
// matrix or range would shift every colour of the route and map.

#include <QImage>
#include <memory>

struct AVFrame;
struct SwsContext;

struct ColourTags {
    int primaries; // AVColorPrimaries
    int transfer;  // AVColorTransferCharacteristic
    int matrix;    // AVColorSpace
    int swsMatrix; // SWS_CS_ITU601 or SWS_CS_ITU709
};

// The tags for a frame size.
ColourTags colourFor(int width, int height);

// Converts frames of one size and layout into the encoder's pixel format. Not thread-safe:
// one converter per thread.
class ColourConverter {
  public:
    // `layout` is a QImage format the writer accepts (see supportedLayout); `target` an
    // AVPixelFormat.
    ColourConverter(int width, int height, QImage::Format layout, int target, const ColourTags& tags);
    ~ColourConverter();
    ColourConverter(const ColourConverter&) = delete;
    ColourConverter& operator=(const ColourConverter&) = delete;

    bool valid() const { return ctx_ != nullptr; }
    void convert(const uchar* pixels, qsizetype stride, AVFrame* out) const;

  private:
    int height_;
    SwsContext* ctx_ = nullptr;
};

// True for the QImage formats that convert without an extra pass; other frames are first
// turned into ARGB32.
bool supportedLayout(QImage::Format format);

// Premultiplied pixels become straight alpha in place (video alpha is straight, as the
// encoders expect it).
void unpremultiply(uchar* pixels, int width, int height, qsizetype stride);

// Pictures of any accepted layout into frames of one size and pixel format: premultiplied pixels
// are straightened in place first, and the converter is made again only when the layout changes.
class FrameConverter {
  public:
    FrameConverter(int width, int height, int target, const ColourTags& tags)
        : width_(width), height_(height), target_(target), tags_(tags) {}
    // False, and `out` untouched, when no converter takes the layout or `out` cannot be written.
    bool convert(uchar* pixels, qsizetype stride, QImage::Format layout, AVFrame* out);

  private:
    int width_, height_, target_;
    ColourTags tags_;
    QImage::Format layout_ = QImage::Format_Invalid;
    std::unique_ptr<ColourConverter> converter_;
};
