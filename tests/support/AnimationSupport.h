#pragma once
// Workspaces with a small route over a recognisable map picture, and a frame sink that keeps
// the frames in memory or fails like a full disk.

#include "animation/FrameSink.h"
#include "shell/Workspace.h"

#include <QImage>
#include <QStringList>
#include <vector>

// A 200 x 100 map: light grey with a dark band, so the bare map is told from a plain surface.
inline QImage testMapPicture() {
    QImage img(200, 100, QImage::Format_RGB32);
    img.fill(QColor(220, 220, 220));
    for (int y = 80; y < 90; ++y)
        for (int x = 0; x < 200; ++x)
            img.setPixel(x, y, qRgb(40, 60, 80));
    return img;
}

// Red lines 5 px wide, circles of radius 10, PAL, frames "/frames/tour####"; `delay` frames
// per leg.
inline void setUpRoute(Workspace& ws, const std::vector<QPoint>& points, double delay) {
    ProjectState& st = ws.st;
    ws.map.resize(200, 100);
    ws.picture = testMapPicture();
    ws.map.resetTo(ws.picture);
    st.color = rgb(255, 0, 0);
    st.linethick = 5;
    st.circlethick = 3;
    st.circleradius = 10;
    st.fps = 25;
    st.delay = delay;
    st.renderpath = "/frames/";
    st.rendername = "tour";
    st.listmax = qint16(points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        st.pointx[i] = qint16(points[i].x());
        st.pointy[i] = qint16(points[i].y());
    }
}

// Keeps every frame (or only their numbers when `keep` is false) as numbered files do, up to
// 9999; after `failAt` frames it fails as a full disk does.
class MemorySink : public FrameSink {
  public:
    explicit MemorySink(bool keep = true, int failAt = -1) : keep_(keep), failAt_(failAt) {}
    MaybeError put(const QImage& frame, qint64 index, const ChangeLog* = nullptr) override {
        if (failAt_ >= 0 && indices.size() >= failAt_)
            return Error{QString::number(index), "No space left on device"};
        if (keep_) frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
        indices << index;
        return std::nullopt;
    }
    MaybeError finish() override { return std::nullopt; }
    qint64 written() const override { return indices.size(); }
    qint64 frameLimit() const override { return 10000; }

    std::vector<QImage> frames;
    QList<qint64> indices;

  private:
    bool keep_;
    int failAt_;
};
