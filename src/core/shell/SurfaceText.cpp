// Text on the surface, copied glyph by glyph from pictures outlined once: outlining the halo of
// every letter anew cost over a second for a hundred long labels.
#include "Surface.h"

#include <QGlyphRun>
#include <QPainterPath>
#include <QTextLayout>
#include <cmath>

namespace {
// Glyph positions per pixel: a quarter across; a line of text stands on one baseline, so a
// whole pixel up and down (a label's baseline moves by at most half a pixel).
constexpr int kSteps = 4;
constexpr qint64 kMaxGlyphBytes = qint64(32) << 20; // pictures kept; more start the store afresh
} // namespace

const Surface::Glyph& Surface::glyph(const QRawFont& font, const QByteArray& fontKey, quint32 index,
                                     QPointF fraction, qint32 color, double haloWidth) {
    QByteArray key = fontKey;
    key += '|' + QByteArray::number(index) + '|' + QByteArray::number(qRound(fraction.x() * kSteps)) + '|' +
           QByteArray::number(color) + '|' + QByteArray::number(haloWidth);
    if (const auto it = glyphs_.constFind(key); it != glyphs_.cend()) return *it;
    if (glyphBytes_ > kMaxGlyphBytes) {
        glyphs_.clear();
        glyphBytes_ = 0;
    }

    const QPainterPath path = font.pathForGlyph(index).translated(fraction);
    const int pad = int(std::ceil(haloWidth / 2)) + 1;
    const QRect r = path.boundingRect().toAlignedRect().adjusted(-pad, -pad, pad, pad);
    Glyph g{QImage(r.size().expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied), r.topLeft()};
    g.image.fill(Qt::transparent);
    QPainter p(&g.image);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(-r.topLeft());
    if (haloWidth > 0)
        p.strokePath(path, QPen(toQColor(color), haloWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    else
        p.fillPath(path, toQColor(color));
    p.end();
    glyphBytes_ += g.image.sizeInBytes();
    return *glyphs_.insert(key, std::move(g));
}

void Surface::text(const QRectF& box, QStringView text, const QFont& font, qint32 color, qint32 halo,
                   double haloWidth) {
    // Whole pixels, the box's pixel centres included (integer coordinates name centres).
    const QRect clip = box.translated(0.5, 0.5).toAlignedRect().intersected(image_.rect());
    if (clip.isEmpty()) return;
    QTextLayout layout(text.toString(), font);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid()) return;
    // The first letter's origin in pixels: integer coordinates name pixel centres.
    const QPointF origin = box.topLeft() + QPointF(haloWidth / 2 + 0.5, haloWidth / 2 + 0.5);
    QPainter& p = layered_ ? layerPainter(top_) : painter();
    p.save();
    p.resetTransform();
    p.setClipRect(clip);
    QRect area;
    const QList<QGlyphRun> runs = layout.glyphRuns();
    // Every halo first, so that no halo covers a neighbouring letter.
    for (const bool haloPass : {true, false}) {
        for (const QGlyphRun& run : runs) {
            const QRawFont font = run.rawFont();
            const QByteArray fontKey = font.familyName().toUtf8() + '|' + font.styleName().toUtf8() + '|' +
                                       QByteArray::number(font.pixelSize());
            const QList<quint32> indexes = run.glyphIndexes();
            const QList<QPointF> places = run.positions();
            for (qsizetype i = 0; i < indexes.size(); ++i) {
                const QPointF at = origin + places[i];
                const QPointF steps(std::floor(at.x() * kSteps) / kSteps, std::round(at.y()));
                const QPoint whole(int(std::floor(steps.x())), int(std::floor(steps.y())));
                const double reach = haloWidth / 2 + 2;
                if (!run.rawFont()
                         .boundingRect(indexes[i])
                         .translated(steps)
                         .adjusted(-reach, -reach, reach, reach)
                         .intersects(QRectF(clip)))
                    continue; // wholly outside: never outlined
                const Glyph& g = glyph(font, fontKey, indexes[i], steps - QPointF(whole),
                                       haloPass ? halo : color, haloPass ? haloWidth : 0);
                const QRect r(whole + g.at, g.image.size());
                if (!r.intersects(clip)) continue;
                p.drawImage(r.topLeft(), g.image);
                area |= r;
            }
        }
    }
    p.restore();
    area &= clip;
    if (area.isEmpty()) return;
    const QRectF centres(area.topLeft(), area.bottomRight()); // the coordinates the log takes
    if (layered_)
        compose(centres);
    else
        changed(centres);
}
