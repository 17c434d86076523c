#include "RenderReport.h"

#include "CommandLine.h"
#include "ProgressLine.h"
#include "StopSignals.h"
#include "animation/FrameWriters.h"

#include <QFileInfo>
#include <cstdio>

int report(const RenderResult& result, const FrameSink& writer, const RenderTarget& target, double secs,
           int signal) {
    const bool video = isVideoKind(*target.kind);
    if (result.error) {
        if (result.error->file.isEmpty()) {
            say(stderr, result.message());
        } else if (video) {
            say(stderr, "cannot write the video file " + result.error->message());
            say(stderr,
                "the render stopped and left no file under that name (--output DIR writes it elsewhere)");
        } else {
            say(stderr, "cannot write frame " + result.error->message());
            say(stderr, QString("the render stopped; the %1 frames before it were written "
                                "(--output DIR writes the frames elsewhere)")
                            .arg(result.frames));
        }
        return 2;
    }
    const SinkOutput out = writer.output();
    const QString files =
        video ? QString("to %1, %2").arg(shown(out.first), sizeText(out.bytes))
              : QString("(%1 to %2)").arg(shown(out.first), shown(QFileInfo(out.last).fileName()));
    say(stdout, QString("rendered %1 frames %2 in %3 s, %4 frames/s")
                    .arg(result.frames)
                    .arg(files)
                    .arg(secs, 0, 'f', 2)
                    .arg(secs > 0 ? result.frames / secs : 0.0, 0, 'f', 0));
    if (result.stopped) {
        say(stderr, QString("stopped by %1 after %2 frames; %3")
                        .arg(StopSignals::name(signal))
                        .arg(result.frames)
                        .arg(video ? "the video file is complete up to there and plays"
                                   : "the frames up to there are written"));
        return 4;
    }
    if (result.cutShort) {
        say(stderr, result.message());
        return 3;
    }
    return 0;
}
