#include "MapCredit.h"

#include <QFontMetricsF>
#include <algorithm>

void paintAttribution(QPainter& p, const QString& text, const QRect& area) {
    if (text.isEmpty() || area.isEmpty()) return;
    p.save();
    QFont font = p.font();
    font.setFamily(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(11, area.height() / 60));
    p.setFont(font);
    const QFontMetricsF metrics(font);
    const double pad = font.pixelSize() * 0.35;
    // A credit longer than the frame is cut with an ellipsis, never left off.
    const QString shownText = metrics.elidedText(text, Qt::ElideMiddle, area.width() - 4 * pad);
    const QSizeF size(metrics.horizontalAdvance(shownText) + 2 * pad, metrics.height() + pad);
    const QRectF box(QPointF(area.right() + 1 - size.width(), area.bottom() + 1 - size.height()), size);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 190));
    p.drawRect(box);
    p.setPen(QColor(40, 40, 40));
    p.drawText(box, Qt::AlignCenter, shownText);
    p.restore();
}
