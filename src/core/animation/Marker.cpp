#include "Marker.h"

#include "ModeIcons.h"
#include "TravelLook.h"

#include "mapview/PictureFile.h"

#include <QFileInfo>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace {
constexpr int kMaxPictureSide = 4096;
// The file, the sides, and room for a 4096 x 4096 picture decoded and converted.
constexpr PictureLimits kMarkerLimits{qint64(128) << 20, qint64(8) << 20, kMaxPictureSide};

QString markerPath(const ProjectState& st) {
    if (QFileInfo(st.markerpicture).isAbsolute() || st.projectpath.isEmpty()) return st.markerpicture;
    return QFileInfo(st.projectpath).absolutePath() + u'/' + st.markerpicture;
}
} // namespace

QImage readMarkerPicture(const ProjectState& st, Error* error) {
    const QString path = markerPath(st);
    Error why;
    QImage img;
    if (st.markerpicture.isEmpty()) {
        why = {path, "no marker picture is named"};
    } else if (std::any_of(st.markerpicture.begin(), st.markerpicture.end(),
                           [](QChar c) { return c.unicode() < 32 || c.unicode() == 127; })) {
        why = {path, "the name holds a control character"};
    } else {
        img = readPicture(path, &why, kMarkerLimits);
    }
    if (img.isNull() && error) {
        *error = why;
        error->what = QStringLiteral("the marker picture");
    }
    return img.isNull() ? img : img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

Marker Marker::fromState(const ProjectState& st, Error* error) {
    Marker m;
    const QString& k = st.marker;
    m.kind_ = k == QLatin1String("dot")       ? Kind::Dot
              : k == QLatin1String("arrow")   ? Kind::Arrow
              : k == QLatin1String("picture") ? Kind::Picture
                                              : Kind::None;
    m.size_ = std::clamp<double>(st.markersize, 2, 512) * styleScale(st);
    m.color_ = st.markercolor;
    m.turn_ = st.markerturn;
    if (m.kind_ == Kind::None) {
        const int side = std::max(1, int(std::lround(m.size_)));
        for (int i = 0; i < kPointSlots; ++i) {
            const TravelModeRow& row = legMode(st, i);
            const auto mode = std::size_t(row.mode);
            m.legMode_[std::size_t(i)] = quint8(mode);
            m.upright_[mode] = row.upright;
            if (mode && m.icons_[mode].isNull()) m.icons_[mode] = modeIcon(TravelMode(mode), side, m.color_);
        }
    }
    if (m.kind_ != Kind::Picture) return m;
    const QImage img = readMarkerPicture(st, error);
    if (img.isNull()) {
        m.kind_ = Kind::Dot;
        return m;
    }
    // The longer side takes the marker's size.
    m.picture_ = img.scaled(int(m.size_), int(m.size_), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return m;
}

void Marker::paint(QPainter& p, const Head& head, int leg) const {
    if (kind_ != Kind::None || !head.shown || leg < 0 || leg >= kPointSlots) {
        paint(p, head);
        return;
    }
    // At the first point, before any leg has run, the first leg's way of travel.
    const std::size_t mode = legMode_[std::size_t(std::max(leg, 1))];
    const QImage& icon = icons_[mode];
    if (icon.isNull()) return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(head.at.x() + 0.5, head.at.y() + 0.5);
    // A way of travel's icon always follows the leg: a vehicle seen from above turns with it; a
    // walker or cyclist, seen from the side, stays upright and looks left when travelling left
    // (past the vertical by more than rounding).
    if (upright_[mode]) {
        if (std::cos(qDegreesToRadians(head.heading)) < -1e-9) p.scale(-1, 1);
    } else {
        p.rotate(head.heading);
    }
    p.drawImage(QPointF(-icon.width() / 2.0, -icon.height() / 2.0), icon);
    p.restore();
}

void Marker::paint(QPainter& p, const Head& head) const {
    if (kind_ == Kind::None || !head.shown) return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    // Integer coordinates name pixel centres, as on the map surface.
    p.translate(head.at.x() + 0.5, head.at.y() + 0.5);
    if (turn_) p.rotate(head.heading);
    const double r = size_ / 2;
    const QColor fill = toQColor(color_);
    const QColor edge = fill.lightness() > 128 ? Qt::black : Qt::white;
    if (kind_ == Kind::Picture) {
        p.drawImage(QPointF(-picture_.width() / 2.0, -picture_.height() / 2.0), picture_);
    } else if (kind_ == Kind::Dot) {
        p.setPen(QPen(edge, std::max(1.0, size_ / 10)));
        p.setBrush(fill);
        p.drawEllipse(QPointF(0, 0), r, r);
    } else {
        QPainterPath arrow;
        arrow.moveTo(r, 0);
        arrow.lineTo(-r, -r * 0.8);
        arrow.lineTo(-r * 0.45, 0);
        arrow.lineTo(-r, r * 0.8);
        arrow.closeSubpath();
        p.setPen(QPen(edge, std::max(1.0, size_ / 12), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(fill);
        p.drawPath(arrow);
    }
    p.restore();
}

void Marker::over(Surface& surface, const Head& head, const std::function<void(const QImage&)>& use) const {
    if (kind_ == Kind::None || !head.shown) {
        use(surface.image());
        return;
    }
    // Turned, the marker reaches at most half its diagonal from the head; edges blur a pixel.
    const int r = int(reach());
    const QRect area(qFloor(head.at.x()) - r, qFloor(head.at.y()) - r, 2 * r + 2, 2 * r + 2);
    surface.showOver(
        area, [&](QPainter& p) { paint(p, head); }, use);
}
