#include "ToolIcons.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QTimer>
#include <cmath>

namespace {
// Drawn on a 24-unit square; the sizes are scaled from it.
constexpr double kGrid = 24;
constexpr int kSizes[] = {16, 22, 24, 32, 44, 48, 64};

// The route's red, a little lighter on dark buttons so that it keeps its contrast.
QColor accent(const QPalette& palette) {
    return palette.color(QPalette::Button).lightness() < 128 ? QColor(255, 92, 80) : QColor(210, 20, 20);
}

QPen stroke(const QColor& c, double width) {
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// A route point: a ring, as the map draws them.
void point(QPainter& p, QPointF at, double r, const QColor& c) {
    p.setPen(stroke(c, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(at, r, r);
}

void dot(QPainter& p, QPointF at, double r, const QColor& c) {
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(at, r, r);
}

// An arrow from `from` to `to` with its head at `to`.
void arrow(QPainter& p, QPointF from, QPointF to, const QColor& c) {
    p.setPen(stroke(c, 2.2));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
    const QPointF n(-d.y(), d.x());
    p.drawPolyline(QPolygonF{to - 4.5 * d + 4 * n, to, to - 4.5 * d - 4 * n});
}

// The order buttons: the route's line with the selected point on it, moving one way along it.
void order(QPainter& p, bool forward, const QColor& ink, const QColor& red) {
    p.setPen(stroke(ink, 1.6));
    p.drawLine(QPointF(3, 17), QPointF(21, 17));
    dot(p, {4.5, 17}, 2.2, ink);
    dot(p, {19.5, 17}, 2.2, ink);
    dot(p, {12, 17}, 3.4, red);
    if (forward)
        arrow(p, {6, 7}, {18, 7}, ink);
    else
        arrow(p, {18, 7}, {6, 7}, ink);
}

void draw(QPainter& p, ToolGlyph glyph, const QColor& ink, const QColor& red) {
    switch (glyph) {
    case ToolGlyph::Add: // a point with a plus
        point(p, {9, 15}, 5, ink);
        p.setPen(stroke(red, 2.6));
        p.drawLine(QPointF(18, 2.5), QPointF(18, 11.5));
        p.drawLine(QPointF(13.5, 7), QPointF(22.5, 7));
        break;
    case ToolGlyph::Delete: // a point with a minus
        point(p, {9, 15}, 5, ink);
        p.setPen(stroke(red, 2.6));
        p.drawLine(QPointF(13.5, 7), QPointF(22.5, 7));
        break;
    case ToolGlyph::Select: // a point picked out
        point(p, {12, 12}, 8, ink);
        dot(p, {12, 12}, 4, red);
        break;
    case ToolGlyph::Move: // a point carried to a new place
        p.setPen(QPen(ink, 1.6, Qt::DashLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(QPointF(5.5, 18.5), 3.2, 3.2);
        arrow(p, {8.5, 15.5}, {15, 9}, ink);
        dot(p, {18.5, 5.5}, 3.6, red);
        break;
    case ToolGlyph::Back:
    case ToolGlyph::Forward:
        order(p, glyph == ToolGlyph::Forward, ink, red);
        break;
    case ToolGlyph::Play:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPolygon(QPolygonF{{7, 4}, {20, 12}, {7, 20}});
        break;
    case ToolGlyph::Pause:
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawRect(QRectF(6, 4, 4, 16));
        p.drawRect(QRectF(14, 4, 4, 16));
        break;
    }
}

// `on`: the pressed mode button, on a tint of the highlight colour, since a pressed button
// alone hardly differs from the others in some styles' dark palettes.
QPixmap picture(ToolGlyph glyph, int size, const QPalette& palette, bool on) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    if (on) {
        QColor tint = palette.color(QPalette::Active, QPalette::Highlight);
        tint.setAlpha(110);
        p.setPen(Qt::NoPen);
        p.setBrush(tint);
        p.drawRoundedRect(QRectF(0.5, 0.5, kGrid - 1, kGrid - 1), 4, 4);
    }
    draw(p, glyph, palette.color(QPalette::Active, QPalette::ButtonText), accent(palette));
    return pm;
}

struct Named {
    const char* button;
    ToolGlyph glyph;
};
constexpr Named kButtons[] = {{"btnPlus", ToolGlyph::Add},    {"btnMinus", ToolGlyph::Delete},
                              {"btnSeek", ToolGlyph::Select}, {"btnMove", ToolGlyph::Move},
                              {"btnBack", ToolGlyph::Back},   {"btnFore", ToolGlyph::Forward}};

void paintButtons(QWidget* bar) {
    for (const Named& n : kButtons)
        if (auto* b = bar->findChild<QPushButton*>(n.button)) b->setIcon(toolIcon(n.glyph, b->palette()));
}

// Draws the pictures again when the application's colours change (light or dark), once the
// buttons have taken the new palette: the bar may hear of it before them.
class Repaint : public QObject {
  public:
    explicit Repaint(QWidget* bar) : QObject(bar), bar_(bar) {}
    bool eventFilter(QObject*, QEvent* e) override {
        const auto t = e->type();
        if ((t == QEvent::PaletteChange || t == QEvent::ApplicationPaletteChange ||
             t == QEvent::StyleChange) &&
            !pending_) {
            pending_ = true;
            QTimer::singleShot(0, this, [this] {
                pending_ = false;
                paintButtons(bar_);
            });
        }
        return false;
    }

  private:
    QWidget* bar_;
    bool pending_ = false;
};
} // namespace

QIcon toolIcon(ToolGlyph glyph, const QPalette& palette) {
    QIcon icon;
    for (int size : kSizes) {
        icon.addPixmap(picture(glyph, size, palette, false), QIcon::Normal, QIcon::Off);
        icon.addPixmap(picture(glyph, size, palette, true), QIcon::Normal, QIcon::On);
    }
    return icon;
}

void showToolIcons(QWidget* bar) {
    for (const Named& n : kButtons) {
        auto* b = bar->findChild<QPushButton*>(n.button);
        if (!b) continue;
        const QString classic = b->text();
        b->setAccessibleName(classic);
        //: A tool bar button's tooltip: what it does, then the symbol it used to show.
        b->setToolTip(QObject::tr("%1 (%2)").arg(b->toolTip(), classic));
        b->setText(QString());
        b->setIconSize(QSize(22, 22));
    }
    paintButtons(bar);
    bar->installEventFilter(new Repaint(bar));
}
