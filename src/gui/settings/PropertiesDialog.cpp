#include "PropertiesDialog.h"

#include "FilmPanel.h"
#include "GeoPanel.h"
#include "LookPanel.h"
#include "PaletteBox.h"
#include "mapview/RouteDrawing.h"
#include "settings/Palette.h"
#include "shell/EditHistory.h"
#include "shell/Layout.h"

#include <QColorDialog>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <algorithm>

namespace {
QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
              int height) {
    return placed(new QLabel(text, parent), name, left, top, width, height);
}

QScrollBar* scrollBar(QWidget* parent, const char* name, int top, BarRange range, int pageStep) {
    auto* bar = placed(new QScrollBar(Qt::Horizontal, parent), name, 1680, top, 2172, 252);
    bar->setRange(range.min, range.max);
    bar->setSingleStep(1);
    bar->setPageStep(pageStep);
    bar->setValue(1);
    bar->setFocusPolicy(Qt::StrongFocus);
    // Qt's scroll bars invert their keys; these set values, so Left lowers and Right raises.
    bar->setInvertedControls(false);
    return bar;
}

constexpr int kGeoWidth = 300;  // pixels
constexpr int kFilmWidth = 300; // pixels

int slot(StyleField f) {
    return int(f);
}
} // namespace

PropertiesDialog::PropertiesDialog(Workspace& ws, EditHistory& history, QWidget* parent)
    : QDialog(parent), ws_(ws), history_(history) {
    setObjectName("frmProperties");
    setWindowTitle(tr("Pathwright - Properties"));
    QPixmap none(16, 16); // no icon of its own, nor the main window's
    none.fill(Qt::transparent);
    setWindowIcon(QIcon(none));
    setFont(sansFont(8));
    setFixedSize(px(4572), px(4092));

    buildStyleRow(StyleField::LineThick, tr("Line thickness:"), 360, "Label1", "scrlLineThick",
                  "lblLineThick");
    buildStyleRow(StyleField::CircleThick, tr("Circle thickness:"), 720, "Label2", "scrlCircleThick",
                  "lblCircleThick");
    buildStyleRow(StyleField::CircleRadius, tr("Circle radius:"), 1080, "Label3", "scrlCircleRadius",
                  "lblCircleRadius");

    // The two palettes, each with its caption and a label showing the colour chosen.
    piccolor_ = placed(new PaletteBox(px(2184), px(744), this), "piccolor", 1680, 1440, 2184, 744);
    picselcolor_ = placed(new PaletteBox(px(2184), px(744), this), "picselcolor", 1680, 2280, 2184, 744);
    label(this, "Label4", tr("Draw color:"), 240, 1680, 1332, 252);
    label(this, "Label5", tr("Select color:"), 240, 2520, 1332, 252);
    lblcolor_ = label(this, "lblcolor", QString(), 3960, 1440, 372, 372);
    lblSelcolor_ = label(this, "lblSelcolor", QString(), 3960, 2280, 372, 372);
    for (QLabel* l : {lblcolor_, lblSelcolor_})
        l->setAutoFillBackground(true);
    // Under each colour, a button for any colour at all, as the marker and labels have.
    auto* anyColor = placed(new QPushButton(tr("..."), this), "btnColor", 3960, 1812, 372, 360);
    auto* anySelColor = placed(new QPushButton(tr("..."), this), "btnSelColor", 3960, 2652, 372, 360);
    anyColor->setToolTip(tr("Any draw colour"));
    anySelColor->setToolTip(tr("Any select colour"));
    for (QPushButton* b : {anyColor, anySelColor})
        b->setAutoDefault(false);
    connect(anyColor, &QPushButton::clicked, this,
            [this] { colourChosen(ws_.st.color, lblcolor_, tr("Draw color")); });
    connect(anySelColor, &QPushButton::clicked, this,
            [this] { colourChosen(ws_.st.selcolor, lblSelcolor_, tr("Select color")); });
    connect(piccolor_, &PaletteBox::released, this,
            [this](QPointF pos) { colourPicked(ws_.st.color, lblcolor_, pos); });
    connect(picselcolor_, &PaletteBox::released, this,
            [this](QPointF pos) { colourPicked(ws_.st.selcolor, lblSelcolor_, pos); });

    // The interval counts tenths of a second and is taken only when the thumb is let go.
    label(this, "Label6", tr("Interval (seconds)"), 240, 3120, 1332, 252);
    scrlinterval_ = scrollBar(this, "scrlinterval", 3120, kIntervalRange, 10);
    scrlinterval_->setTracking(false);
    lblInterval_ = label(this, "lblInterval", QString(), 3960, 3120, 372, 252);
    lblInterval_->setAlignment(Qt::AlignCenter);
    connect(scrlinterval_, &QScrollBar::valueChanged, this, &PropertiesDialog::scrlinterval_Change);

    // The animation's timing and look below the style, then Close.
    look_ = new LookPanel(ws_, history_, this);
    const int lookHeight = look_->sizeHint().height();
    look_->setGeometry(px(240), px(3600), px(4572 - 480), lookHeight);
    auto* btnClose = placed(new QPushButton(tr("&Close"), this), "btnClose", 240, 3600, 1332, 372);
    btnClose->move(px(240), px(3600) + lookHeight + px(120));
    // Geography beside the rest, as tall as it.
    geo_ = new GeoPanel(ws_, history_, this);
    const int height = btnClose->geometry().bottom() + px(240);
    geo_->setGeometry(px(4572), px(120), kGeoWidth, height - px(240));
    // The travel film's look in a third column, as tall again.
    film_ = new FilmPanel(ws_, history_, this);
    film_->setGeometry(px(4572) + kGeoWidth + px(120), px(120), kFilmWidth, height - px(240));
    setFixedSize(px(4572) + kGeoWidth + kFilmWidth + px(360), height);
    connect(geo_, &GeoPanel::speedUnitChanged, look_, &LookPanel::fill);
    connect(film_, &FilmPanel::travelChanged, look_, &LookPanel::fill);
    btnClose->setDefault(true); // Enter; Escape hides through the dialog's reject()
    connect(btnClose, &QPushButton::clicked, this, &QWidget::hide);

    QWidget* order[] = {styleBars_[0], styleBars_[1], styleBars_[2], piccolor_, picselcolor_, scrlinterval_};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(look_->findChild<QWidget*>("spinCasingWidth"), btnClose); // the look's controls in between
    setTabOrder(btnClose, geo_);
    setTabOrder(geo_, film_);
    styleBars_[0]->setFocus();
    // Undo and redo put values back: an open dialog shows them (and changes nothing).
    connect(&history_, &EditHistory::restored, this, [this] {
        if (!isVisible()) return;
        showValues();
        film_->fill();
    });
}

void PropertiesDialog::buildStyleRow(StyleField f, const QString& caption, int top, const char* labelName,
                                     const char* barName, const char* valueName) {
    label(this, labelName, caption, 240, top, 1332, 252);
    QScrollBar* bar = scrollBar(this, barName, top, styleRange(f), 1);
    styleBars_[slot(f)] = bar;
    styleLabels_[slot(f)] = label(this, valueName, QString(), 3960, top, 372, 252);
    // With tracking on, the bar reports every step of a drag, so the picture follows the thumb;
    // the whole drag is one edit.
    connect(bar, &QScrollBar::valueChanged, this, [this, f](int value) { styleChanged(f, value); });
    connect(bar, &QScrollBar::sliderReleased, &history_, &EditHistory::endDrag);
}

bool PropertiesDialog::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) Form_Activate();
    return QDialog::event(event);
}

void PropertiesDialog::Form_Activate() {
    fillStyleBar(StyleField::LineThick);
    fillStyleBar(StyleField::CircleThick);
    fillStyleBar(StyleField::CircleRadius);
    drawPalette(piccolor_->surface());
    drawPalette(picselcolor_->surface());
    piccolor_->update();
    picselcolor_->update();
    showColour(lblcolor_, ws_.st.color);
    showColour(lblSelcolor_, ws_.st.selcolor);
    fillIntervalBar();
    look_->fill();
    geo_->fill();
    film_->fill();
}

void PropertiesDialog::showValues() {
    for (StyleField f : {StyleField::LineThick, StyleField::CircleThick, StyleField::CircleRadius}) {
        QScrollBar* bar = styleBars_[slot(f)];
        const QSignalBlocker quiet(bar);
        bar->setValue(std::clamp<int>(styleField(ws_.st, f), bar->minimum(), bar->maximum()));
        styleLabels_[slot(f)]->setText(QString::number(styleField(ws_.st, f)));
    }
    const QSignalBlocker quiet(scrlinterval_);
    scrlinterval_->setValue(intervalBarValue(ws_.st.interval));
    lblInterval_->setText(shortestDecimal(ws_.st.interval));
    showColour(lblcolor_, ws_.st.color);
    showColour(lblSelcolor_, ws_.st.selcolor);
}

// Moving the bar to the field's value runs its change handler, as a user's move would. A field
// the bar cannot hold (only a project file sets one) shows the nearest end on the bar and its
// true value in the label, and stays as it is until the user moves the bar.
void PropertiesDialog::fillStyleBar(StyleField f) {
    QScrollBar* bar = styleBars_[slot(f)];
    const BarRange range = styleRange(f, styleBarHeight(ws_.st));
    if (bar->maximum() != range.max) {
        const QSignalBlocker quiet(bar); // a shorter bar must not cut the field down
        bar->setRange(range.min, range.max);
    }
    const int field = styleField(ws_.st, f);
    const int shown = std::clamp(field, bar->minimum(), bar->maximum());
    if (shown != bar->value()) {
        {
            const QSignalBlocker quiet(bar);
            bar->setValue(shown);
        }
        styleChanged(f, field);
    }
    styleLabels_[slot(f)]->setText(QString::number(field));
}

void PropertiesDialog::fillIntervalBar() {
    const int tenths = intervalBarValue(ws_.st.interval);
    const int shown = std::clamp(tenths, scrlinterval_->minimum(), scrlinterval_->maximum());
    if (shown != tenths) {
        // Out of the bar's reach: the interval keeps its value and the label tells it.
        const QSignalBlocker quiet(scrlinterval_);
        scrlinterval_->setValue(shown);
        lblInterval_->setText(shortestDecimal(ws_.st.interval));
        return;
    }
    scrlinterval_->setValue(tenths); // runs scrlinterval_Change when the value moves
    lblInterval_->setText(intervalText(scrlinterval_->value()));
}

void PropertiesDialog::styleChanged(StyleField f, int value) {
    styleLabels_[slot(f)]->setText(QString::number(value));
    const int drag = styleBars_[slot(f)]->isSliderDown() ? kDragLineThick + slot(f) : kNoDrag;
    history_.edit(
        tr("Style"), [this, f, value] { setStyleField(ws_, f, value); }, drag);
}

void PropertiesDialog::scrlinterval_Change(int value) {
    lblInterval_->setText(intervalText(value));
    history_.edit(tr("Interval"), [this, value] { setIntervalFromBar(ws_.st, value); });
}

void PropertiesDialog::colourPicked(qint32& target, QLabel* shown, QPointF pos) {
    // A release left of or above the box has no colour and is ignored.
    bool picked = false;
    history_.edit(tr("Colour"), [&] { picked = pickColor(ws_, target, pos.x(), pos.y()); });
    if (picked) showColour(shown, target);
}

void PropertiesDialog::colourChosen(qint32& target, QLabel* shown, const QString& caption) {
    const QColor c = QColorDialog::getColor(toQColor(target), this, caption);
    if (!c.isValid()) return;
    const qint32 v = rgb(c.red(), c.green(), c.blue());
    history_.edit(tr("Colour"), [&] {
        target = v;
        Redraw(ws_);
    });
    showColour(shown, target);
}

void PropertiesDialog::showColour(QLabel* label, qint32 color) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, toQColor(color));
    label->setPalette(p);
}
