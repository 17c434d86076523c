// Paints the map picture of the bundled example project: a small harbour with a breakwater,
// quays, a river mouth and a lighthouse, in the PAL frame size.
// Usage: make_harbour_map OUTPUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

namespace {
const QColor kSea(120, 170, 210), kShallow(160, 200, 225), kLand(226, 214, 176), kGrass(170, 200, 140);
const QColor kQuay(150, 150, 150), kRoof(180, 90, 70), kInk(60, 60, 70);

QPainterPath shape(std::initializer_list<QPointF> points) {
    QPainterPath p;
    bool first = true;
    for (QPointF pt : points) {
        if (first)
            p.moveTo(pt);
        else
            p.lineTo(pt);
        first = false;
    }
    p.closeSubpath();
    return p;
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_harbour_map OUTPUT.png\n");
        return 1;
    }
    QImage img(786, 576, QImage::Format_RGB32);
    img.fill(kSea);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);

    // The coast: land along the top and the right, a shallow rim in front of it.
    const QPainterPath land = shape({{0, 0},
                                     {786, 0},
                                     {786, 576},
                                     {640, 576},
                                     {600, 470},
                                     {560, 380},
                                     {470, 330},
                                     {380, 300},
                                     {300, 250},
                                     {200, 230},
                                     {90, 200},
                                     {0, 190}});
    p.setBrush(kShallow);
    p.drawPath(land.translated(0, 14));
    p.drawPath(land.translated(-12, 10));
    p.setBrush(kLand);
    p.drawPath(land);
    // A park and a river mouth.
    p.setBrush(kGrass);
    p.drawEllipse(QPointF(640, 120), 90, 55);
    p.setPen(QPen(kSea, 14, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(420, 0), QPointF(400, 120));
    p.drawLine(QPointF(400, 120), QPointF(350, 270));
    p.setPen(Qt::NoPen);

    // Quays and piers, the breakwater with its lighthouse.
    p.setBrush(kQuay);
    p.drawRect(QRectF(470, 322, 18, 110));
    p.drawRect(QRectF(530, 360, 18, 90));
    p.drawRect(QRectF(250, 240, 80, 16));
    p.drawPath(shape({{120, 576}, {140, 576}, {210, 420}, {330, 390}, {330, 404}, {220, 434}}));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(330, 397), 9, 9);
    p.setBrush(QColor(220, 60, 50));
    p.drawEllipse(QPointF(330, 397), 4, 4);

    // Houses along the shore.
    p.setBrush(kRoof);
    for (int i = 0; i < 9; ++i)
        p.drawRect(QRectF(40 + i * 42, 120 + (i % 3) * 14 - i * 4, 26, 20));
    for (int i = 0; i < 5; ++i)
        p.drawRect(QRectF(560 + i * 40, 230 + (i % 2) * 20, 28, 22));

    // A compass rose and a frame.
    p.setPen(QPen(kInk, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(80, 500), 28, 28);
    p.setBrush(kInk);
    p.drawPath(shape({{80, 462}, {88, 500}, {72, 500}}));
    p.setFont(QFont("DejaVu Sans", 12, QFont::Bold));
    p.drawText(QRectF(70, 440, 20, 20), Qt::AlignCenter, "N");
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 1, 783, 573));
    p.end();
    if (!img.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither).save(argv[1], "PNG")) {
        std::fprintf(stderr, "make_harbour_map: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
