#pragma once
// The scene the benchmarks draw: a map-like picture (a gradient with a grid, so frames are not
// trivially uniform) and a route scattered over it the same way on every run.

#include "shell/ProjectState.h"

#include <QImage>

inline QImage benchMap(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         (x % 40 == 0 || y % 40 == 0) ? qRgb(90, 90, 90)
                                                      : qRgb(120 + x * 100 / w, 160 + y * 60 / h, 200));
    return img;
}

// `points` points at least 20 pixels inside a frame of w x h.
inline void scatterRoute(ProjectState& st, int points, int w, int h) {
    unsigned seed = 12345;
    auto next = [&seed](int range) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 8) % unsigned(range));
    };
    st.listmax = qint16(points);
    for (int i = 0; i < points; ++i) {
        st.pointx[i] = qint16(20 + next(w - 40));
        st.pointy[i] = qint16(20 + next(h - 40));
    }
}
