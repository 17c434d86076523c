#pragma once
// A worker's encoders of bands of a frame: the changed macroblock rows of a picture, converted
// and compressed as a picture of their own of the frame's width. Encoders and converters are
// bound to a height, so a few of them are kept, the least used one going first.

#include "VideoEncoder.h"

#include <QImage>
#include <memory>
#include <vector>

struct AVFrame;
struct AVPacket;

class StripCoder {
  public:
    // `name`: the file named in errors.
    StripCoder(const VideoEncoder& encoder, int width, int height, QString name);

    // Compresses the picture's lines of macroblock rows [firstRow, firstRow + rows) into `out`,
    // converted through `frame` (the worker's, of the frame's size, writable).
    MaybeError encode(const uchar* pixels, qsizetype stride, QImage::Format layout, int firstRow, int rows,
                      AVFrame* frame, qint64 index, AVPacket* out);

  private:
    struct Coder {
        int lines = 0;
        QImage::Format layout = QImage::Format_Invalid;
        std::unique_ptr<FrameCoder> coder;
        std::unique_ptr<ColourConverter> converter;
        quint64 used = 0;
    };
    MaybeError coderFor(int lines, QImage::Format layout, Coder*& found);

    const VideoEncoder& encoder_;
    int width_, height_;
    QString name_;
    std::vector<Coder> coders_;
    quint64 uses_ = 0;
};
