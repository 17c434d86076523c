// docs/modes.png: the icons of the ways of travel side by side at 64 pixels, each on a light and
// a dark ground so that both show they read on any map. make_mode_sheet docs/modes.png
#include "animation/ModeIcons.h"

#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_mode_sheet OUT.png\n");
        return 2;
    }
    QGuiApplication app(argc, argv);
    constexpr int side = 64, gap = 12, cell = side + 2 * gap;
    const auto modes = travelModes().subspan(1);
    QImage sheet(int(modes.size()) * cell, 2 * cell + 20, QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(236, 232, 220));
    QPainter p(&sheet);
    p.fillRect(0, cell, sheet.width(), cell, QColor(52, 72, 92));
    for (std::size_t k = 0; k < modes.size(); ++k) {
        const int x = int(k) * cell;
        const QImage icon = modeIcon(modes[k].mode, side, rgb(255, 255, 255));
        p.drawImage(x + gap, gap, icon);
        p.drawImage(x + gap, cell + gap, icon);
        p.setPen(Qt::black);
        p.drawText(QRect(x, 2 * cell, cell, 20), Qt::AlignCenter, QLatin1String(modes[k].id));
    }
    p.end();
    return sheet.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
