#include "FrameCommand.h"

#include "animation/FrameTiles.h"
#include "shell/SafeFile.h"
#include "tiles/TileSource.h"

#include <QBuffer>
#include <cstdio>
#include <limits>

int writeOneFrame(const Workspace& ws, Marker marker, qint64 walkFrames, qint64 n, const QString& file) {
    FrameMaker maker(ws, false, std::move(marker));
    if (!maker.composed()) maker.knowFrames(walkFrames);
    const qint64 frames = maker.frames(std::numeric_limits<qint32>::max());
    // Only the tiles of this frame.
    if (const TileSource* tiles = frameTileSource(maker); tiles && n >= 0 && n < frames) {
        if (MaybeError e = tiles->store().fetch(frameTiles(maker, n, n + 1), {})) {
            std::fprintf(stderr, "pathwright: cannot draw the map: %s\n", qPrintable(e->message()));
            return 2;
        }
    }
    QByteArray png;
    if (n < 0 || n >= frames || !maker.show(n, [&](const QImage& frame, const ChangeLog*) {
            QBuffer out(&png);
            out.open(QIODevice::WriteOnly);
            frame.convertToFormat(QImage::Format_RGB888).save(&out, "PNG");
        })) {
        std::fprintf(stderr,
                     "pathwright: the animation has %lld frames (0 to %lld): there is no frame %lld\n",
                     (long long)frames, (long long)frames - 1, (long long)n);
        return 1;
    }
    if (MaybeError e = writeFileSafely(file, png.constData(), std::size_t(png.size()))) {
        std::fprintf(stderr, "pathwright: cannot write %s\n", qPrintable(e->message()));
        return 2;
    }
    std::printf("pathwright: wrote frame %lld of %lld to %s\n", (long long)n, (long long)frames,
                qPrintable(file));
    return 0;
}
