#include "LookPanel.h"

#include "animation/TravelLook.h"

#include "mapview/RouteDrawing.h"
#include "shell/EditHistory.h"
#include "shell/FileDialogs.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

namespace {
// Edits of one control in a row merge into one undo step; these keys stay clear of the others.
constexpr int kKeys = 1000;

// The words a project file stores, in the order the choices are listed.
const QStringList kTimings{"leg", "speed", "gps"}, kEasings{"linear", "smooth"},
    kMarkers{"none", "dot", "arrow", "picture"};

template <class W> W* named(W* w, const char* name) {
    w->setObjectName(name);
    return w;
}

QComboBox* choices(const char* name, const QStringList& items) {
    auto* c = named(new QComboBox, name);
    c->addItems(items);
    return c;
}

QSpinBox* whole(const char* name, int lo, int hi, const QString& suffix = QString()) {
    auto* s = named(new QSpinBox, name);
    s->setRange(lo, hi);
    s->setSuffix(suffix);
    return s;
}
} // namespace

LookPanel::LookPanel(Workspace& ws, EditHistory& history, QWidget* parent)
    : QWidget(parent), ws_(ws), history_(history) {
    auto* form = new QFormLayout(this);
    form->setContentsMargins(0, 0, 0, 0);
    hold_ = named(new QDoubleSpinBox, "spinHold");
    hold_->setRange(0, 3600);
    hold_->setDecimals(1);
    hold_->setSingleStep(0.1);
    hold_->setSuffix(tr(" s"));
    form->addRow(tr("Hold at points:"), hold_);
    timing_ = choices("cboTiming", {tr("Seconds per leg"), tr("One speed"), tr("Track's clock")});
    speed_ = whole("spinSpeed", 1, 100000, tr(" px/s"));
    auto* timingRow = new QHBoxLayout;
    timingRow->addWidget(timing_);
    timingRow->addWidget(speed_);
    form->addRow(tr("Timing:"), timingRow);
    easing_ = choices("cboEasing", {tr("Linear"), tr("Smooth start and stop")});
    form->addRow(tr("Easing:"), easing_);

    marker_ = choices("cboMarker", {tr("None"), tr("Dot"), tr("Arrow"), tr("Picture")});
    markerSize_ = whole("spinMarkerSize", 2, 512, tr(" px"));
    markerColour_ = colourButton("btnMarkerColor", &ProjectState::markercolor, tr("Marker colour"), false);
    auto* markerRow = new QHBoxLayout;
    markerRow->addWidget(marker_);
    markerRow->addWidget(markerSize_);
    markerRow->addWidget(markerColour_);
    form->addRow(tr("Marker:"), markerRow);
    picture_ = named(new QLineEdit, "txtMarkerPicture");
    browse_ = named(new QPushButton(tr("...")), "btnMarkerPicture");
    turn_ = named(new QCheckBox(tr("Turn")), "chkMarkerTurn");
    auto* pictureRow = new QHBoxLayout;
    pictureRow->addWidget(picture_);
    pictureRow->addWidget(browse_);
    pictureRow->addWidget(turn_);
    form->addRow(tr("Picture (PNG):"), pictureRow);

    labelSize_ = whole("spinLabelSize", 4, 200, tr(" px"));
    labelColour_ = colourButton("btnLabelColor", &ProjectState::labelcolor, tr("Label colour"), true);
    auto* labelRow = new QHBoxLayout;
    labelRow->addWidget(labelSize_);
    labelRow->addWidget(labelColour_);
    form->addRow(tr("Labels:"), labelRow);
    cased_ = named(new QCheckBox(tr("Outline")), "chkCasing");
    casingColour_ = colourButton("btnCasingColor", &ProjectState::casing, tr("Casing colour"), true);
    casingWidth_ = whole("spinCasingWidth", 1, 64, tr(" px"));
    auto* casingRow = new QHBoxLayout;
    casingRow->addWidget(cased_);
    casingRow->addWidget(casingColour_);
    casingRow->addWidget(casingWidth_);
    form->addRow(tr("Casing:"), casingRow);

    // Each control has its own key: edits of one control in a row are one undo step.
    auto set = [this](auto* w, auto signal, int key, const QString& label, bool redraw, auto store) {
        connect(w, signal, this, [=, this](auto v) {
            change(
                label, [=](ProjectState& st) { store(st, v); }, redraw, kKeys + key);
        });
    };
    set(hold_, &QDoubleSpinBox::valueChanged, 1, tr("Hold"), false,
        [](ProjectState& st, double v) { st.hold = v; });
    set(timing_, &QComboBox::currentIndexChanged, 2, tr("Timing"), false,
        [](ProjectState& st, int i) { st.timing = kTimings.value(i); });
    set(speed_, &QSpinBox::valueChanged, 3, tr("Speed"), false,
        [](ProjectState& st, int v) { st.speed = v; });
    set(easing_, &QComboBox::currentIndexChanged, 4, tr("Easing"), false,
        [](ProjectState& st, int i) { st.easing = kEasings.value(i); });
    set(marker_, &QComboBox::currentIndexChanged, 5, tr("Marker"), false,
        [](ProjectState& st, int i) { st.marker = kMarkers.value(i); });
    set(markerSize_, &QSpinBox::valueChanged, 6, tr("Marker size"), false,
        [](ProjectState& st, int v) { st.markersize = qint16(v); });
    set(turn_, &QCheckBox::toggled, 7, tr("Marker turn"), false,
        [](ProjectState& st, bool on) { st.markerturn = on; });
    set(labelSize_, &QSpinBox::valueChanged, 8, tr("Label size"), true,
        [](ProjectState& st, int v) { st.labelsize = qint16(v); });
    set(cased_, &QCheckBox::toggled, 9, tr("Casing"), true,
        [](ProjectState& st, bool on) { st.casing = on ? std::max(st.casing, 0) : -1; });
    set(casingWidth_, &QSpinBox::valueChanged, 10, tr("Casing width"), true,
        [](ProjectState& st, int v) { st.casingwidth = qint16(v); });
    connect(picture_, &QLineEdit::editingFinished, this, [this] {
        const QString t = picture_->text();
        if (t != ws_.st.markerpicture)
            change(
                tr("Marker picture"), [t](ProjectState& st) { st.markerpicture = t; }, false, kNoDrag);
    });
    connect(browse_, &QPushButton::clicked, this, &LookPanel::choosePicture);
    connect(&history_, &EditHistory::restored, this, &LookPanel::fill);
}

QPushButton* LookPanel::colourButton(const char* name, qint32 ProjectState::*field, const QString& label,
                                     bool redraw) {
    auto* b = named(new QPushButton, name);
    b->setFixedWidth(36);
    b->setToolTip(label);
    connect(b, &QPushButton::clicked, this, [this, field, label, redraw] {
        const QColor c = QColorDialog::getColor(toQColor(std::max(ws_.st.*field, 0)), this, label);
        if (!c.isValid()) return;
        const qint32 v = rgb(c.red(), c.green(), c.blue());
        change(
            label, [field, v](ProjectState& st) { st.*field = v; }, redraw, kNoDrag);
    });
    return b;
}

void LookPanel::choosePicture() {
    const QString path =
        askFileToOpen(this, tr("Marker picture"), projectFolderOrHome(ws_.st), tr("PNG pictures (*.png)"));
    if (path.isEmpty()) return;
    change(
        tr("Marker picture"),
        [path](ProjectState& st) {
            st.markerpicture = path;
            st.marker = QStringLiteral("picture");
        },
        false, kNoDrag);
}

void LookPanel::change(const QString& label, const std::function<void(ProjectState&)>& set, bool redraw,
                       int key) {
    if (filling_) return;
    history_.edit(
        label,
        [this, set, redraw] {
            set(ws_.st);
            if (redraw) Redraw(ws_);
        },
        key);
    fill();
}

void LookPanel::showColour(QPushButton* b, qint32 color) {
    b->setStyleSheet(QString("background-color: %1").arg(toQColor(std::max(color, 0)).name()));
}

void LookPanel::fill() {
    const ProjectState& st = ws_.st;
    filling_ = true;
    hold_->setValue(st.hold);
    timing_->setCurrentIndex(std::max<int>(0, kTimings.indexOf(st.timing)));
    speed_->setValue(int(st.speed));
    speed_->setSuffix(st.speedunit == QLatin1String("kmh") ? tr(" km/h") : tr(" px/s"));
    easing_->setCurrentIndex(std::max<int>(0, kEasings.indexOf(st.easing)));
    marker_->setCurrentIndex(std::max<int>(0, kMarkers.indexOf(st.marker)));
    markerSize_->setValue(st.markersize);
    showColour(markerColour_, st.markercolor);
    picture_->setText(st.markerpicture);
    turn_->setChecked(st.markerturn);
    labelSize_->setValue(st.labelsize);
    showColour(labelColour_, st.labelcolor);
    cased_->setChecked(st.casing >= 0);
    showColour(casingColour_, st.casing);
    casingWidth_->setValue(st.casingwidth);
    filling_ = false;
    enableParts();
}

void LookPanel::enableParts() {
    const QString marker = kMarkers.value(marker_->currentIndex());
    speed_->setEnabled(timing_->currentIndex() == 1);
    // With no marker of its own, a leg with a way of travel shows its icon, at the marker's size and tint.
    bool icons = false;
    for (int i = 1; i < std::min<int>(ws_.st.listmax, kPointSlots); ++i)
        icons = icons || legMode(ws_.st, i).mode != TravelMode::None;
    markerSize_->setEnabled(marker != "none" || icons);
    markerColour_->setEnabled(marker == "dot" || marker == "arrow" || (marker == "none" && icons));
    for (QWidget* w : {static_cast<QWidget*>(picture_), static_cast<QWidget*>(browse_)})
        w->setEnabled(marker == "picture");
    turn_->setEnabled(marker == "picture" || marker == "arrow");
    casingColour_->setEnabled(cased_->isChecked());
    casingWidth_->setEnabled(cased_->isChecked());
}
