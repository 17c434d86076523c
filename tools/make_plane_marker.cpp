// Paints the marker picture of the second example project: a small plane seen from above,
// nose to the right (the direction a turned marker takes for a leg going right), on a clear
// background. Usage: make_plane_marker OUTPUT.png
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_plane_marker OUTPUT.png\n");
        return 1;
    }
    QImage img(128, 128, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn nose up in a 128 box, then turned to face right.
    p.translate(64, 64);
    p.rotate(90);
    p.translate(-64, -64);
    QPainterPath body;
    body.moveTo(64, 6);
    body.cubicTo(72, 14, 72, 30, 71, 44);
    body.lineTo(120, 70); // right wing
    body.lineTo(120, 80);
    body.lineTo(71, 68);
    body.lineTo(69, 100);
    body.lineTo(88, 112); // right tail plane
    body.lineTo(88, 120);
    body.lineTo(64, 114);
    body.lineTo(40, 120);
    body.lineTo(40, 112);
    body.lineTo(59, 100);
    body.lineTo(57, 68);
    body.lineTo(8, 80);
    body.lineTo(8, 70);
    body.lineTo(57, 44);
    body.cubicTo(56, 30, 56, 14, 64, 6);
    body.closeSubpath();
    p.setPen(QPen(QColor(30, 40, 60), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(250, 250, 245));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 190)); // cockpit
    p.drawEllipse(QPointF(64, 24), 4.5, 8);
    p.end();
    if (!img.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
