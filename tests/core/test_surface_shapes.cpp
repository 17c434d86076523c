// The surface draws spots and rings by copying a picture drawn once, and round-capped lines as
// flat-capped ones with a spot at each end. These must look as Qt draws the shapes directly.

#include "shell/Surface.h"

#include <QTest>

namespace {

struct Difference {
    int worst = 0;   // largest difference of one colour channel
    int visible = 0; // pixels differing by more than 8 in some channel
};

Difference compare(const QImage& a, const QImage& b) {
    Difference d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int c = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            d.worst = std::max(d.worst, c);
            d.visible += c > 8;
        }
    return d;
}

} // namespace

class TestSurfaceShapes : public QObject {
    Q_OBJECT
  private slots:
    void sameAsDirect_data();
    void sameAsDirect();
};

void TestSurfaceShapes::sameAsDirect_data() {
    QTest::addColumn<QString>("shape");
    QTest::addColumn<int>("width");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("radius");
    for (int width : {2, 3, 5, 9}) {
        const QByteArray w = QByteArray::number(width);
        QTest::newRow("dot " + w) << "dot" << width << 40.0 << 30.0 << 0;
        QTest::newRow("circle " + w) << "circle" << width << 40.0 << 30.0 << 13;
        QTest::newRow("line " + w) << "line" << width << 40.0 << 30.0 << 0;
    }
    QTest::newRow("circle radius 1") << "circle" << 9 << 40.0 << 40.0 << 1;
    QTest::newRow("circle at the edge") << "circle" << 7 << 0.0 << 79.0 << 12;
    QTest::newRow("circle larger than a copy") << "circle" << 9 << 60.0 << 40.0 << 60;
    QTest::newRow("dot between pixels") << "dot" << 5 << 40.5 << 30.25 << 0;
    QTest::newRow("line between pixels") << "line" << 5 << 40.5 << 30.25 << 0;
}

void TestSurfaceShapes::sameAsDirect() {
    QFETCH(QString, shape);
    QFETCH(int, width);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(int, radius);
    const QColor blue(0, 128, 255);
    Surface s(120, 80);
    s.setPenWidth(width);
    QImage direct(120, 80, QImage::Format_RGB32);
    direct.fill(Qt::white);
    QPainter p(&direct);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(0.5, 0.5);
    p.setPen(QPen(blue, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (shape == "dot") {
        s.dot(x, y, 128 * 256 + 255 * 65536);
        p.setPen(Qt::NoPen);
        p.setBrush(blue);
        p.drawEllipse(QPointF(x, y), width / 2.0, width / 2.0);
    } else if (shape == "circle") {
        s.circle(x, y, radius, 128 * 256 + 255 * 65536);
        p.drawEllipse(QPointF(x, y), radius, radius);
    } else {
        s.line(x, y, 110, 10, 128 * 256 + 255 * 65536);
        p.drawLine(QPointF(x, y), QPointF(110, 10));
    }
    p.end();
    const Difference d = compare(s.image(), direct);
    const QString why = QString("worst %1, visible %2").arg(d.worst).arg(d.visible);
    if (shape == "line") {
        // Only the soft corners where a cap meets the body blend differently.
        QVERIFY2(d.visible <= 8 && d.worst <= 64, qPrintable(why));
    } else {
        QVERIFY2(d.worst <= 8, qPrintable(why));
    }
}

QTEST_GUILESS_MAIN(TestSurfaceShapes)
#include "test_surface_shapes.moc"
