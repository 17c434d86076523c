#include "SpanRow.h"

#include "shell/EditHistory.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>
#include <tuple>

namespace {
constexpr int kGrip = 5; // pixels either side of an end that take a drag

// Seconds to the thousandth, as a file keeps them.
double seconds(qint64 frames, double fps) {
    return std::clamp(std::round(double(frames) / fps * 1000) / 1000, 0.0, 3600.0);
}
} // namespace

SpanRow::SpanRow(Timeline& timeline, QWidget* parent) : TimelineRow(timeline, 30, parent) {
    setObjectName("timelineSpans");
    setMouseTracking(true);
}

QString SpanRow::fixedLeg(const ProjectState& st, int i) {
    if (st.pointinterval[std::size_t(i)] >= 0 || st.timing == QLatin1String("leg")) return {};
    return st.timing == QLatin1String("gps")
               ? tr("This leg takes the time its track recorded (timing = gps): it cannot be dragged.")
               : tr("This leg's time follows from its length and the speed (timing = speed): it cannot be "
                    "dragged.");
}

void SpanRow::paintRow(QPainter& p) {
    const TimeScale& s = scale();
    const ProjectState& st = tl_.workspace().st;
    // The camera's intro and outro, which no leg or hold makes.
    const TimeSpans& all = tl_.spans();
    for (const auto& [first, end, name] : {std::tuple(qint64(0), all.intro, tr("intro")),
                                           std::tuple(all.frames - all.outro, all.frames, tr("outro"))}) {
        if (end <= first) continue;
        const QRect r(QPoint(s.x(first), 4), QPoint(s.x(end) - 1, height() - 5));
        p.setPen(palette().mid().color());
        p.setBrush(QBrush(palette().mid().color(), Qt::BDiagPattern));
        p.drawRect(r);
        p.setPen(palette().text().color());
        if (p.fontMetrics().horizontalAdvance(name) + 6 < r.width())
            p.drawText(r.adjusted(3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, name);
    }
    for (const TimeSpan& span : all.spans) {
        const QRect r(QPoint(s.x(span.first), 4), QPoint(s.x(span.end) - 1, height() - 5));
        if (r.right() < 0 || r.left() > width()) continue;
        const bool fixed = !span.hold && !fixedLeg(st, span.point).isEmpty();
        p.setPen(palette().dark().color());
        p.setBrush(span.hold ? QColor(235, 190, 90) : fixed ? QColor(170, 175, 185) : QColor(120, 170, 230));
        p.drawRect(r);
        p.setPen(palette().text().color());
        const QString name = span.hold ? tr("hold %1").arg(span.point) : tr("leg %1").arg(span.point);
        if (p.fontMetrics().horizontalAdvance(name) + 6 < r.width())
            p.drawText(r.adjusted(3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, name);
    }
}

int SpanRow::endAt(int x) {
    const auto& spans = tl_.spans().spans;
    for (int k = int(spans.size()) - 1; k >= 0; --k)
        if (std::abs(scale().x(spans[std::size_t(k)].end) - x) <= kGrip) return k;
    return -1;
}

int SpanRow::spanAt(int x) {
    const auto& spans = tl_.spans().spans;
    for (int k = 0; k < int(spans.size()); ++k)
        if (x >= scale().x(spans[std::size_t(k)].first) && x < scale().x(spans[std::size_t(k)].end)) return k;
    return -1;
}

bool SpanRow::event(QEvent* e) {
    if (e->type() != QEvent::ToolTip) return TimelineRow::event(e);
    auto* help = static_cast<QHelpEvent*>(e);
    const int k = spanAt(help->pos().x());
    if (k < 0) {
        QToolTip::hideText();
        return true;
    }
    const TimeSpan& span = tl_.spans().spans[std::size_t(k)];
    const double fps = scale().fps;
    QString text = span.hold ? tr("Hold at point %1: %2 frames (%3 s). Drag its end to change it.")
                             : tr("Leg to point %1: %2 frames (%3 s). Drag its end to change its time; with "
                                  "Shift, the hold at its point.");
    text =
        text.arg(span.point).arg(span.end - span.first).arg(double(span.end - span.first) / fps, 0, 'f', 2);
    if (!span.hold)
        if (const QString why = fixedLeg(tl_.workspace().st, span.point); !why.isEmpty()) text += "\n" + why;
    QToolTip::showText(help->globalPos(), text, this);
    return true;
}

void SpanRow::mousePressEvent(QMouseEvent* e) {
    const int x = int(e->position().x());
    const int k = e->button() == Qt::LeftButton ? endAt(x) : -1;
    if (k < 0) {
        // Elsewhere a press scrubs, as on the ruler.
        if (e->button() == Qt::LeftButton) tl_.seek(scale().frameAt(x, tl_.last()));
        return;
    }
    const TimeSpan& span = tl_.spans().spans[std::size_t(k)];
    const bool hold = span.hold || (e->modifiers() & Qt::ShiftModifier);
    if (!hold && !fixedLeg(tl_.workspace().st, span.point).isEmpty()) return;
    // A hold made from a leg's end starts where the leg ends.
    drag_ = {true, hold, span.point, hold && !span.hold ? span.end : span.first};
}

void SpanRow::mouseMoveEvent(QMouseEvent* e) {
    const int x = int(e->position().x());
    if (!drag_.on) {
        const int k = endAt(x);
        const bool grip =
            k >= 0 && (tl_.spans().spans[std::size_t(k)].hold ||
                       fixedLeg(tl_.workspace().st, tl_.spans().spans[std::size_t(k)].point).isEmpty());
        setCursor(grip ? Qt::SizeHorCursor : Qt::ArrowCursor);
        return;
    }
    const qint64 end = std::max(scale().frameAt(x, std::numeric_limits<qint32>::max()), drag_.first);
    const int i = drag_.point;
    const double fps = tl_.workspace().st.fps;
    if (drag_.hold)
        tl_.history().editSettings(
            tr("Hold at point %1").arg(i),
            [&](ProjectState& st) { st.pointhold[std::size_t(i)] = seconds(end - drag_.first, fps); },
            kDragTimeline);
    else // the leg's span counts the frame that marks its point as well as its steps
        tl_.history().editSettings(
            tr("Time of the leg to point %1").arg(i),
            [&](ProjectState& st) {
                st.pointinterval[std::size_t(i)] = seconds(std::max<qint64>(end - drag_.first - 1, 0), fps);
            },
            kDragTimeline);
}

void SpanRow::mouseReleaseEvent(QMouseEvent*) {
    if (!drag_.on) return;
    drag_.on = false;
    tl_.history().endDrag();
}
