// Renders the program's icon, data/icons/pathwright.svg, into the PNG sizes of the hicolor icon
// theme: make_icons SVG OUTDIR writes OUTDIR/<n>x<n>/apps/pathwright.png for each size.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_icons ICON.svg OUTDIR\n");
        return 1;
    }
    QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
    if (!svg.isValid()) return 1;
    for (int n : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QImage icon(n, n, QImage::Format_ARGB32_Premultiplied);
        icon.fill(Qt::transparent);
        QPainter p(&icon);
        svg.render(&p);
        p.end();
        const QString dir = QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[2])).arg(n);
        if (!QDir().mkpath(dir) || !icon.save(dir + "/pathwright.png")) return 1;
    }
    return 0;
}
