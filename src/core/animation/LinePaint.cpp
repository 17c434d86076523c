#include "LinePaint.h"

#include "HandStroke.h"
#include "PixelMath.h"
#include "PixelOver.h"
#include "ScratchLayer.h"
#include "TravelLook.h"
#include "shell/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>

namespace {
QPen roundPen(qint32 color, double width) {
    return QPen(toQColor(color), std::max(width, 1.0), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

} // namespace

LineLook lineLookFor(const ProjectState& st) {
    const double s = styleScale(st);
    LineLook look;
    look.width = std::clamp<int>(st.linethick, 1, 1024) * s;
    look.ring = std::clamp<int>(st.circlethick, 1, 1024) * s;
    look.radius = std::abs(double(st.circleradius)) * s;
    look.cased = st.casing >= 0 && st.casingwidth > 0;
    look.casingwidth = st.casingwidth * s;
    look.casing = st.casing;
    look.ringColour = st.color;
    return look;
}

double marksReach(const LineLook& look) {
    return std::max(look.width / 2, look.radius + look.ring / 2) + (look.cased ? look.casingwidth : 0) + 2;
}

void paintMarks(QPainter& p, const LineMarks& marks, std::span<const QPointF> rings, const LineLook& look,
                DiscStamps& stamps) {
    const bool stampable = p.transform().type() <= QTransform::TxTranslate;
    // Outlines first, all beneath every stroke, as the classic frames have them.
    for (const bool outline : {true, false}) {
        if (outline && !look.cased) continue;
        const double grow = outline ? 2.0 * look.casingwidth : 0;
        const double w = look.width + grow;
        auto colourOf = [&](qint32 own) { return outline ? look.casing : own; };
        // The pen and brush change only where the colour does: one colour draws as one run.
        std::optional<qint32> pen;
        // Strokes by hand where the painter would draw the same pixels; Qt works out each
        // stroke's outline as a path first.
        const QTransform toDevice = p.transform();
        std::optional<PaintedPixels> byHand;
        if (stampable) {
            p.resetTransform();
            byHand = paintedPixels(p);
            p.setTransform(toDevice);
        }
        for (const LineMarks::Stroke& s : marks.strokes) {
            if (s.line.p1() == s.line.p2()) continue;
            if (byHand) {
                strokeByHand(*byHand, toDevice.map(s.line), w, toQColor(colourOf(s.colour)).rgb());
                continue;
            }
            if (pen != colourOf(s.colour)) {
                pen = colourOf(s.colour);
                p.setPen(QPen(toQColor(*pen), w, Qt::SolidLine, Qt::FlatCap));
            }
            p.drawLine(s.line);
        }
        p.setPen(Qt::NoPen);
        std::optional<qint32> brush;
        std::vector<std::pair<QPointF, qint32>> stamped;
        auto spot = [&](QPointF at, qint32 colour, bool stamp) {
            if (stamp && stampable) {
                stamped.emplace_back(at, colourOf(colour));
                return;
            }
            if (brush != colourOf(colour)) {
                brush = colourOf(colour);
                p.setBrush(toQColor(*brush));
            }
            p.drawEllipse(at, w / 2, w / 2);
        };
        for (const LineMarks::Stroke& s : marks.strokes) {
            if (s.spotFrom) spot(s.line.p1(), s.colour, s.dash);
            if (s.spotTo) spot(s.line.p2(), s.colour, s.dash);
        }
        for (const LineMarks::Dot& d : marks.dots)
            spot(d.at, d.colour, true);
        if (!stamped.empty()) {
            const QTransform t = p.transform();
            p.resetTransform();
            if (const std::optional<PaintedPixels> to = paintedPixels(p))
                for (const auto& [at, colour] : stamped)
                    stamps.stamp(*to, t.map(at), colour, w);
            else
                for (const auto& [at, colour] : stamped)
                    stamps.stamp(p, t.map(at), colour, w);
            p.setTransform(t);
        }
        p.setBrush(Qt::NoBrush);
        p.setPen(roundPen(colourOf(look.ringColour), look.ring + grow));
        for (QPointF at : rings)
            p.drawEllipse(at, look.radius, look.radius);
    }
}

void FadedParts::paint(QPainter& p, double opacity, const QRectF& bounds,
                       const std::function<void(QPainter&)>& draw) {
    if (opacity >= 1) {
        draw(p);
        return;
    }
    const QRect r = bounds.toAlignedRect() & room_;
    if (opacity <= 0 || r.isEmpty()) return;
    // One layer for the thread, each part clearing what it draws over.
    thread_local ScratchLayer scratch;
    QPainter& lp = scratch.begin(room_.size(), true);
    QImage layer = scratch.part(room_.size());
    const QRect inLayer = r.translated(-room_.topLeft());
    for (int y = inLayer.top(); y <= inLayer.bottom(); ++y)
        std::memset(layer.scanLine(y) + qsizetype(inLayer.left()) * 4, 0, std::size_t(inLayer.width()) * 4);
    lp.setClipRect(inLayer);
    lp.translate(0.5 - room_.x(), 0.5 - room_.y());
    draw(lp);
    const QTransform t = p.transform();
    p.resetTransform();
    if (const std::optional<PaintedPixels> to = paintedPixels(p)) {
        pixelsOver(*to->image, r.topLeft(), layer, inLayer, pixels::opacity256(opacity), to->clip);
    } else {
        p.save();
        p.setOpacity(opacity);
        p.drawImage(r.topLeft(), layer, inLayer);
        p.restore();
    }
    p.setTransform(t);
}
