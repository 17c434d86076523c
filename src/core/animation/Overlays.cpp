#include "Overlays.h"

#include "TimeSpans.h"

#include "geo/RouteShape.h"
#include "mapview/Labels.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace {
constexpr double kFadeSeconds = 0.5;
constexpr double kVeil = 0.55; // the veil's darkness at the card's full strength

QFont textFont(const ProjectState& st, double pixels, bool bold) {
    QFont f(textFamily(st));
    f.setStyleHint(QFont::SansSerif);
    f.setPixelSize(std::max(1, int(std::lround(pixels))));
    f.setBold(bold);
    return f;
}

// A line too wide for `width` is made smaller until it fits.
QFont fitted(QFont f, const QString& text, double width) {
    const double wide = QFontMetricsF(f).horizontalAdvance(text);
    if (wide > width && wide > 0) f.setPixelSize(std::max(1, int(f.pixelSize() * width / wide)));
    return f;
}

// Lines of text centred on `x` (or starting there), the block's top at `y`.
void drawLines(QPainter& p, const std::vector<std::pair<QString, QFont>>& lines, double x, double y,
               bool centred) {
    for (const auto& [text, font] : lines) {
        const QFontMetricsF fm(font);
        y += fm.ascent();
        p.setFont(font);
        p.drawText(QPointF(centred ? x - fm.horizontalAdvance(text) / 2 : x, y), text);
        y += fm.descent() + fm.leading() + fm.height() * 0.15;
    }
}

double linesHeight(const std::vector<std::pair<QString, QFont>>& lines) {
    double h = 0;
    for (const auto& line : lines) {
        const QFontMetricsF fm(line.second);
        h += fm.height() + fm.leading() + fm.height() * 0.15;
    }
    return h;
}

void drawTitle(QPainter& p, const ProjectState& st, QSizeF frame, double opacity) {
    const double h = frame.height(), w = frame.width();
    std::vector<std::pair<QString, QFont>> lines;
    // Cut as the file's keys are, so a long text costs little.
    const QString title = st.titletext.left(200), subtitle = st.subtitletext.left(200);
    if (!title.isEmpty()) lines.push_back({title, fitted(textFont(st, h * 0.075, true), title, w * 0.88)});
    if (!subtitle.isEmpty())
        lines.push_back({subtitle, fitted(textFont(st, h * 0.04, false), subtitle, w * 0.88)});
    const bool bottom = st.titleposition == QLatin1String("bottom");
    // A lower third darkens only its band; the centred card the whole frame.
    const QRectF veil = bottom ? QRectF(0, h * 2 / 3, w, h / 3) : QRectF(0, 0, w, h);
    p.setOpacity(opacity);
    p.fillRect(veil, QColor(0, 0, 0, int(std::lround(255 * kVeil))));
    p.setPen(Qt::white);
    const double block = linesHeight(lines);
    if (bottom)
        drawLines(p, lines, w * 0.06, veil.center().y() - block / 2, false);
    else
        drawLines(p, lines, w / 2, (h - block) / 2, true);
    p.setOpacity(1);
}

QFont counterFont(const ProjectState& st, QSizeF frame) {
    return textFont(st, frame.height() * 0.035, true);
}

QRectF counterBox(const QFontMetricsF& fm, QSizeF frame, const QString& text) {
    const double h = frame.height();
    const double pad = h * 0.012, margin = h * 0.025;
    const QSizeF box(fm.horizontalAdvance(text) + 2 * pad, fm.height() + pad);
    return QRectF(QPointF(margin, h - margin - box.height()), box);
}

// The counter's text at frame n; empty when it shows none.
QString counterAt(const ProjectState& st, qint64 n, const FramePose& pose) {
    const bool counter = st.counter == QLatin1String("km") || st.counter == QLatin1String("mi");
    // The counter waits for the card to be gone.
    if (!counter || n < titleFrames(st)) return {};
    const double metres = metresTravelled(st, pose);
    return std::isfinite(metres) ? counterText(metres, st.counter == QLatin1String("mi")) : QString();
}

void drawCounter(QPainter& p, const ProjectState& st, QSizeF frame, const QString& text) {
    const double h = frame.height();
    const QFont font = counterFont(st, frame);
    const QFontMetricsF fm(font);
    const double pad = h * 0.012;
    const QRectF r = counterBox(fm, frame, text);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 150));
    p.drawRoundedRect(r, r.height() * 0.25, r.height() * 0.25);
    p.setBrush(Qt::NoBrush);
    p.setPen(Qt::white);
    p.setFont(font);
    p.drawText(QPointF(r.left() + pad, r.top() + pad / 2 + fm.ascent()), text);
}
} // namespace

double metresTravelled(const ProjectState& st, const FramePose& pose) {
    const RouteShape* shape = st.route.get();
    const int count = std::clamp<int>(st.listmax, 0, kPointSlots);
    if (!shape || count < 1) return std::nan("");
    double metres = 0;
    for (int i = 1; i < count; ++i) {
        const double leg = shape->metres(i);
        if (!std::isfinite(leg)) return std::nan("");
        if (i <= pose.reached)
            metres += leg;
        else if (i == pose.reached + 1 && pose.leg == i)
            metres += leg * std::clamp(pose.legFraction, 0.0, 1.0);
    }
    return metres;
}

QString counterText(double metres, bool miles) {
    const double d = std::max(0.0, metres) / (miles ? 1609.344 : 1000.0);
    const QString unit = miles ? QStringLiteral(" mi") : QStringLiteral(" km");
    if (d < 9.95) return QString::number(d, 'f', 1) + unit;
    QString digits = QString::number(std::min(d, 1e12), 'f', 0);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, u' ');
    return digits + unit;
}

double titleOpacity(const ProjectState& st, qint64 n) {
    const qint64 frames = titleFrames(st);
    if (n < 0 || n >= frames) return 0;
    const double rate = std::isfinite(st.fps) ? std::clamp(st.fps, 1.0, 1000.0) : 25.0;
    // A short card fades over a quarter of its time each way.
    const double fade = std::min(kFadeSeconds, frames / rate / 4);
    if (fade <= 0) return 1;
    const double in = (n + 1) / rate / fade, out = (frames - n) / rate / fade;
    return std::clamp(std::min(in, out), 0.0, 1.0);
}

void drawOverlays(QImage& frame, const ProjectState& st, qint64 n, const FramePose& pose, const QRect& area) {
    const QString counter = counterAt(st, n, pose);
    const double title = titleOpacity(st, n);
    if (counter.isEmpty() && title <= 0) return;
    QPainter p(&frame);
    if (!area.isNull()) p.setClipRect(area);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const QSizeF size(frame.size());
    if (!counter.isEmpty()) drawCounter(p, st, size, counter);
    if (title > 0) drawTitle(p, st, size, title);
}

QRect counterArea(const ProjectState& st, QSize frame, qint64 n, const FramePose& pose) {
    const QString counter = counterAt(st, n, pose);
    if (counter.isEmpty()) return {};
    const QFontMetricsF fm(counterFont(st, QSizeF(frame)));
    return counterBox(fm, QSizeF(frame), counter).toAlignedRect().adjusted(-2, -2, 2, 2);
}
