#include "LinePaint.h"

#include "ScratchLayer.h"
#include "TravelLook.h"
#include "shell/Surface.h"

#include <algorithm>
#include <cmath>
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
        for (const LineMarks::Stroke& s : marks.strokes) {
            if (s.line.p1() == s.line.p2()) continue;
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
    const QRect inLayer = r.translated(-room_.topLeft());
    lp.setClipRect(inLayer);
    lp.setCompositionMode(QPainter::CompositionMode_Source);
    lp.fillRect(inLayer, Qt::transparent);
    lp.setCompositionMode(QPainter::CompositionMode_SourceOver);
    lp.translate(0.5 - room_.x(), 0.5 - room_.y());
    draw(lp);
    const QImage layer = scratch.part(room_.size());
    p.save();
    p.resetTransform();
    p.setOpacity(opacity);
    p.drawImage(r.topLeft(), layer, inLayer);
    p.restore();
}
