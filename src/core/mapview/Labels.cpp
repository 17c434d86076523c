#include "Labels.h"

#include "SegmentClip.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {
double haloWidth(const QFont& f) {
    return std::max(2.0, f.pixelSize() / 5.0);
}

// Black or white, whichever stands out more from the text colour.
qint32 haloFor(qint32 color) {
    const QColor c = toQColor(color);
    return 0.299 * c.red() + 0.587 * c.green() + 0.114 * c.blue() > 140 ? rgb(0, 0, 0) : rgb(255, 255, 255);
}

// The label as drawn: at most the length a file or the point dialog lets it have, so drawing
// costs little whatever the state holds.
QStringView shownLabel(const ProjectState& st, int i) {
    const QString& t = st.pointlabel[i];
    if (t.size() <= kMaxLabelLength) return t;
    return QStringView(t).first(t[kMaxLabelLength - 1].isHighSurrogate() ? kMaxLabelLength - 1
                                                                         : kMaxLabelLength);
}

// Whether the segment comes within `reach` of the box.
bool crosses(const QRectF& box, QLineF seg, double reach) {
    QPointF a = seg.p1(), b = seg.p2();
    return clipSegment(a, b, box.adjusted(-reach, -reach, reach, reach));
}
} // namespace

QString textFamily(const ProjectState& st) {
    if (!st.font.isEmpty() && QFontDatabase::hasFamily(st.font)) return st.font;
    return QStringLiteral("DejaVu Sans");
}

QFont labelFont(const ProjectState& st) {
    QFont f(textFamily(st));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::clamp<int>(st.labelsize, 4, 200));
    f.setBold(true);
    return f;
}

QRectF labelBox(const ProjectState& st, QSize frame, int i) {
    return labelBoxAt(st, frame, i, [&](int j) { return QPointF(st.pointx[j], st.pointy[j]); });
}

QRectF labelBoxAt(const ProjectState& st, QSize frame, int i, const std::function<QPointF(int)>& at,
                  double scale) {
    const QFont font = labelFont(st);
    const QFontMetricsF fm(font);
    const double m = haloWidth(font) / 2;
    const QSizeF size =
        QSizeF(fm.horizontalAdvance(shownLabel(st, i).toString()) + 2 * m, fm.height() + 2 * m) * scale;
    const QPointF p = at(i);
    const double w = size.width(), ht = size.height();
    // Eight sides around the point, right and left first; then the same further out.
    auto side = [&](int k) {
        const double g = (std::abs(double(st.circleradius)) + st.circlethick / 2.0 + 3) * (1 + k / 8) * scale;
        const double h = g * 0.7;
        const QPointF at[] = {{g, -ht / 2}, {-g - w, -ht / 2}, {-w / 2, -g - ht},
                              {-w / 2, g},  {h, -h - ht},      {-h - w, -h - ht},
                              {h, h},       {-h - w, h}};
        return QRectF(p + at[k % 8], size);
    };
    const QRectF inside(QPointF(0, 0), QSizeF(frame));
    const int last = std::min<int>(st.listmax, kPointSlots) - 1;
    const double reach =
        (std::max<int>(st.linethick, 1) / 2.0 + (st.casing >= 0 ? st.casingwidth : 0)) * scale;
    auto clear = [&](const QRectF& b) {
        for (int j : {i - 1, i + 1})
            if (j >= 0 && j <= last && crosses(b, QLineF(p, at(j)), reach)) return false;
        return true;
    };
    // Never outside the frame: moved in, and a box wider than the frame starts at its edge.
    auto within = [&](QRectF b) {
        b.moveLeft(std::max(0.0, std::min(b.left(), frame.width() - b.width())));
        b.moveTop(std::max(0.0, std::min(b.top(), frame.height() - b.height())));
        return b;
    };
    // A side that fits as it is comes first, then a side moved into the frame.
    for (bool moved : {false, true})
        for (int k = 0; k < 24; ++k) {
            const QRectF b = side(k);
            if ((moved || inside.contains(b)) && clear(within(b))) return within(b);
        }
    return within(side(0));
}

void drawLabel(Workspace& ws, int i) {
    const ProjectState& st = ws.st;
    if (st.pointlabel[i].isEmpty()) return;
    const QFont font = labelFont(st);
    const QRectF b = labelBox(st, QSize(ws.map.width(), ws.map.height()), i);
    ws.map.text(b, shownLabel(st, i), font, st.labelcolor, haloFor(st.labelcolor), haloWidth(font));
}

void paintLabel(QPainter& p, const ProjectState& st, const QRectF& box, int i, double scale) {
    const QFont font = labelFont(st);
    double m = haloWidth(font) / 2;
    QPainterPath path;
    if (scale == 1) {
        path.addText(box.left() + m, box.top() + m + QFontMetricsF(font).ascent(), font,
                     shownLabel(st, i).toString());
    } else {
        // The outline of the text at its own size, scaled: the same shape on every frame size.
        path.addText(0, 0, font, shownLabel(st, i).toString());
        const double ascent = QFontMetricsF(font).ascent();
        path = QTransform(scale, 0, 0, scale, box.left() + m * scale, box.top() + (m + ascent) * scale)
                   .map(path);
        m *= scale;
    }
    p.save();
    p.setClipRect(box, Qt::IntersectClip);
    p.strokePath(path,
                 QPen(toQColor(haloFor(st.labelcolor)), 2 * m, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, toQColor(st.labelcolor));
    p.restore();
}

void prepareLook(Workspace& ws) {
    const ProjectState& st = ws.st;
    const bool cased = st.casing >= 0 && st.casingwidth > 0;
    const int n = std::min<int>(st.listmax, kPointSlots);
    const bool labels = std::any_of(st.pointlabel.begin(), st.pointlabel.begin() + std::max(n, 0),
                                    [](const QString& t) { return !t.isEmpty(); });
    ws.map.setLayers(cased || labels, cased ? st.casing : 0, cased ? st.casingwidth : 0);
}
