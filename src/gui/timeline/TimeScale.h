#pragma once
// Frames to pixels along the timeline and back, and the ruler's ticks for the zoom: labelled
// ticks far enough apart to read, in frames when zoomed in far, else in whole seconds.

#include <QString>
#include <QtGlobal>
#include <cmath>

struct TimeScale {
    static constexpr int kMargin = 10; // pixels before frame 0
    double pixelsPerFrame = 4;
    int scroll = 0; // pixels scrolled off at the left
    double fps = 25;

    int x(qint64 frame) const { return int(std::lround(double(frame) * pixelsPerFrame)) + kMargin - scroll; }
    // The frame whose slot holds x, held to 0..last.
    qint64 frameAt(int x, qint64 last) const;
    // Width of frames 0..frames-1 in pixels.
    int width(qint64 frames) const { return int(std::lround(double(frames) * pixelsPerFrame)) + 2 * kMargin; }

    struct Ticks {
        qint64 major = 1; // frames between labelled ticks; a whole second or more counts in seconds
        int minors = 1;   // parts of a major step with a small tick
        bool seconds = false;
    };
    Ticks ticks() const;
    // The frame shown at `seconds` into the animation (29.97 frames a second have no whole second).
    qint64 secondFrame(double seconds) const { return qint64(std::llround(seconds * fps)); }
    // "0:12" for a whole second, "0:12+05" five frames after it.
    QString label(qint64 frame) const;
};
