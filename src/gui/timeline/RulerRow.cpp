#include "RulerRow.h"

#include <QMouseEvent>
#include <QPainter>

RulerRow::RulerRow(Timeline& timeline, QWidget* parent) : TimelineRow(timeline, 26, parent) {
    setObjectName("timelineRuler");
    setToolTip(tr("Click or drag to show any frame as it is rendered"));
}

void RulerRow::paintRow(QPainter& p) {
    const qint64 frames = tl_.frames();
    if (frames <= 0) return;
    const TimeScale& s = scale();
    const ProjectState& st = tl_.workspace().st;
    // The render's range, when one is set: the frames outside it darker.
    if (st.renderfrom >= 0 || st.renderto >= 0) {
        const qint64 from = std::max<qint64>(st.renderfrom, 0);
        const qint64 to = st.renderto >= 0 ? st.renderto : frames - 1;
        const QColor out(0, 0, 0, 70);
        p.fillRect(QRect(QPoint(s.x(0), 0), QPoint(s.x(from) - 1, height())), out);
        p.fillRect(QRect(QPoint(s.x(to + 1), 0), QPoint(s.x(frames), height())), out);
        p.fillRect(QRect(QPoint(s.x(from), height() - 5), QPoint(s.x(to + 1) - 1, height())),
                   QColor(70, 130, 220));
    }
    // The playhead's handle; its line is drawn over every row.
    const int head = s.x(tl_.playhead());
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 40, 40));
    p.drawPolygon(QPolygon({QPoint(head - 5, 0), QPoint(head + 5, 0), QPoint(head, 7)}));
    p.setPen(palette().text().color());
    const TimeScale::Ticks t = s.ticks();
    const int left = 0, right = width();
    // Major steps in frames or seconds; the labelled tick at each, small ones between.
    const qint64 majors =
        t.seconds ? qint64(double(frames) / s.fps / double(t.major)) + 1 : frames / t.major + 1;
    const qint64 firstMajor =
        std::max<qint64>(0, qint64((s.scroll - TimeScale::kMargin) /
                                   (double(t.major) * s.pixelsPerFrame * (t.seconds ? s.fps : 1))) -
                                1);
    for (qint64 k = firstMajor; k <= majors; ++k) {
        for (int m = 0; m < t.minors; ++m) {
            const double part = double(k) + double(m) / t.minors;
            const qint64 f =
                t.seconds ? s.secondFrame(part * double(t.major)) : qint64(part * double(t.major));
            if (f >= frames) break;
            const int x = s.x(f);
            if (x > right) return;
            if (x < left) continue;
            p.drawLine(x, height() - (m == 0 ? 12 : 6), x, height() - 1);
            if (m == 0) p.drawText(x + 3, 11, s.label(f));
        }
    }
}

void RulerRow::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) tl_.seek(scale().frameAt(int(e->position().x()), tl_.last()));
}

void RulerRow::mouseMoveEvent(QMouseEvent* e) {
    if (e->buttons() & Qt::LeftButton) tl_.seek(scale().frameAt(int(e->position().x()), tl_.last()));
}
