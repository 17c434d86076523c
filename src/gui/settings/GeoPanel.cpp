#include "GeoPanel.h"

#include "NumberBox.h"

#include "geo/MapGeo.h"
#include "geo/RouteShape.h"
#include "mapview/RouteDrawing.h"
#include "shell/EditHistory.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
// Edits of one control in a row merge into one undo step; these keys stay clear of the others.
constexpr int kKeys = 1200;

const QStringList kSpeedUnits{"px", "kmh"}, kPaths{"straight", "arc"};

} // namespace

QString earthDistanceText(double metres, bool imperial) {
    const double v = metres / (imperial ? 1609.344 : 1000);
    return QLocale().toString(v, 'f', v < 10 ? 2 : 1) + (imperial ? " mi" : " km");
}

GeoPanel::GeoPanel(Workspace& ws, EditHistory& history, QWidget* parent)
    : QGroupBox(tr("Geography"), parent), ws_(ws), history_(history) {
    setObjectName("grpGeography");
    auto* column = new QVBoxLayout(this);
    auto* form = form_ = new QFormLayout;
    column->addLayout(form);
    column->addStretch(1); // the rows at the top, however tall the box
    state_ = new QLabel(this);
    state_->setObjectName("lblGeoState");
    state_->setWordWrap(true);
    form->addRow(state_);
    length_ = new QLabel(this);
    length_->setObjectName("lblRouteLength");
    form->addRow(tr("Route:"), length_);
    legs_ = new QListWidget(this);
    legs_->setObjectName("lstLegs");
    legs_->setFixedHeight(legs_->fontMetrics().height() * 6 + 6);
    form->addRow(tr("Legs:"), legs_);

    timescale_ = numberBox("spinTimescale", 0.01, 1e6, 2, tr(" \u00d7"));
    timescale_->setToolTip(tr("Recorded seconds a second of the animation, for the track's clock and "
                              "for speeds in km/h"));
    form->addRow(tr("Speed-up:"), timescale_);
    trackstop_ = numberBox("spinTrackStop", 1, 86400, 0, tr(" s still"));
    trackstop_->setToolTip(tr("How long the track stands still before it is a stop"));
    form->addRow(tr("Stops:"), trackstop_);
    speedUnit_ = new QComboBox(this);
    speedUnit_->setObjectName("cboSpeedUnit");
    speedUnit_->addItems({tr("Pixels a second"), tr("km/h")});
    form->addRow(tr("Speed in:"), speedUnit_);
    path_ = new QComboBox(this);
    path_->setObjectName("cboPath");
    path_->addItems({tr("Straight"), tr("Arcs")});
    path_->setToolTip(tr("Arcs follow great circles on a map with coordinates"));
    arcbend_ = numberBox("spinArcBend", -1, 1, 2, QString());
    arcbend_->setSingleStep(0.05);
    arcbend_->setToolTip(tr("How far arcs bulge on a map without coordinates"));
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(path_, 1);
    pathRow->addWidget(new QLabel(tr("Bend:"), this));
    pathRow->addWidget(arcbend_);
    form->addRow(tr("Lines:"), pathRow);

    connect(timescale_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Speed-up"), [v](ProjectState& st) { st.timescale = v; }, 1);
    });
    connect(trackstop_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Track stops"), [v](ProjectState& st) { st.trackstop = v; }, 2);
    });
    connect(speedUnit_, &QComboBox::currentIndexChanged, this, [this](int i) {
        change(
            tr("Speed unit"), [i](ProjectState& st) { st.speedunit = kSpeedUnits.value(i); }, 3);
        emit speedUnitChanged();
    });
    connect(path_, &QComboBox::currentIndexChanged, this, [this](int i) {
        change(
            tr("Lines"), [i](ProjectState& st) { st.path = kPaths.value(i); }, 4);
    });
    connect(arcbend_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Arc bend"), [v](ProjectState& st) { st.arcbend = v; }, 5);
    });
    // The route's lengths follow every edit of it.
    connect(&history_, &EditHistory::changed, this, [this] {
        if (isVisible()) fill();
    });
}

void GeoPanel::change(const QString& label, const std::function<void(ProjectState&)>& set, int key) {
    if (filling_) return;
    history_.editSettings(label, set, kKeys + key);
}

void GeoPanel::fill() {
    const ProjectState& st = ws_.st;
    filling_ = true;
    double worst = 0;
    const bool coordinates = mapGeoreference(ws_, &worst).has_value();
    if (ws_.geo.picture)
        state_->setText(tr("Coordinates from %1.").arg(ws_.geo.pictureSource));
    else if (coordinates)
        state_->setText(
            tr("Coordinates from the control points, within %1 px (worst residual).").arg(worst, 0, 'f', 1));
    else
        state_->setText(tr("The map has no coordinates: no world file, GeoTIFF or control points."));
    const bool imperial = QLocale().measurementSystem() != QLocale::MetricSystem;
    legs_->clear();
    double total = 0;
    for (int i = 1; i < st.listmax; ++i) {
        const double m = st.route ? st.route->metres(i) : qQNaN();
        if (!std::isfinite(m)) continue;
        total += m;
        legs_->addItem(tr("%1 to %2: %3").arg(i).arg(i + 1).arg(earthDistanceText(m, imperial)));
    }
    length_->setText(legs_->count() > 0 ? earthDistanceText(total, imperial) : tr("no length on the earth"));
    form_->setRowVisible(legs_, legs_->count() > 0);
    timescale_->setValue(st.timescale);
    trackstop_->setValue(st.trackstop);
    speedUnit_->setCurrentIndex(std::max<int>(0, kSpeedUnits.indexOf(st.speedunit)));
    // km/h needs a map that knows the earth; a project that has it keeps it where one does not.
    speedUnit_->setEnabled(coordinates || speedUnit_->currentIndex() != 0);
    path_->setCurrentIndex(std::max<int>(0, kPaths.indexOf(st.path)));
    arcbend_->setValue(st.arcbend);
    const bool arcs = st.path == QLatin1String("arc") ||
                      std::count(st.pointpath.begin(), st.pointpath.end(), QStringLiteral("arc")) > 0;
    arcbend_->setEnabled(arcs);
    filling_ = false;
}
