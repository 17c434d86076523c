#include "PointDialog.h"

#include "geo/CoordinateText.h"
#include "geo/MapGeo.h"
#include "mapview/RouteDrawing.h"
#include "project/PointValues.h"
#include "shell/EditHistory.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int kKeys = 1100; // edit keys of the two time fields, clear of the others

// Seconds, with the value just below zero standing for "as all points".
QDoubleSpinBox* seconds(QWidget* parent, const char* name, const QString& unset) {
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(name);
    s->setRange(-0.1, maxPointSeconds());
    s->setDecimals(1);
    s->setSingleStep(0.1);
    s->setSuffix(QObject::tr(" s"));
    s->setSpecialValueText(unset);
    return s;
}
} // namespace

PointDialog::PointDialog(Workspace& ws, EditHistory& history, QWidget* parent)
    : QDialog(parent), ws_(ws), history_(history) {
    setObjectName("frmPoint");
    auto* form = new QFormLayout(this);
    caption_ = new QLabel(this);
    form->addRow(caption_);
    label_ = new QLineEdit(this);
    label_->setObjectName("txtLabel");
    label_->setMaxLength(kMaxLabelLength); // as a file's label is cut
    form->addRow(tr("Label:"), label_);
    hold_ = seconds(this, "spinPointHold", tr("as all points"));
    form->addRow(tr("Hold:"), hold_);
    legTime_ = seconds(this, "spinLegTime", tr("as all legs"));
    form->addRow(tr("Leg to here:"), legTime_);
    path_ = new QComboBox(this);
    path_->setObjectName("cboPointPath");
    path_->addItems({tr("as all legs"), tr("straight"), tr("arc")}); // as pointPathWords()
    form->addRow(tr("Leg's line:"), path_);
    coordinates_ = new QLineEdit(this);
    coordinates_->setObjectName("txtPointCoordinates");
    coordinates_->setToolTip(tr("Latitude and longitude, such as 48.8566, 2.3522; empty: the point "
                                "stays at its pixel"));
    coordinates_->setMinimumWidth(coordinates_->fontMetrics().horizontalAdvance(latLonText({-88, -188})) +
                                  16);
    form->addRow(tr("Coordinates:"), coordinates_);
    coordinatesProblem_ = new QLabel(this);
    coordinatesProblem_->setStyleSheet("color: #b00000");
    coordinatesProblem_->hide();
    form->addRow(coordinatesProblem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::hide);

    connect(label_, &QLineEdit::editingFinished, this, [this] {
        const QString t = label_->text();
        if (t != ws_.st.pointlabel[point_])
            change(
                tr("Point label"),
                [t](ProjectState& st, int i) { setPointValue(st, i, PointValue::Label, t); }, true);
    });
    connect(hold_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Point hold"), [v](ProjectState& st, int i) { setPointSeconds(st, i, PointValue::Hold, v); },
            false);
    });
    connect(coordinates_, &QLineEdit::editingFinished, this, &PointDialog::coordinatesTyped);
    connect(path_, &QComboBox::currentIndexChanged, this, [this](int i) {
        change(
            tr("Leg's line"),
            [i](ProjectState& st, int p) {
                setPointValue(st, p, PointValue::Path, pointPathWords().value(i));
            },
            true);
    });
    connect(&history_, &EditHistory::changed, this, [this] {
        if (isVisible()) fill();
    });
    connect(legTime_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Leg time"), [v](ProjectState& st, int i) { setPointSeconds(st, i, PointValue::LegTime, v); },
            false);
    });
}

void PointDialog::showPoint(int i) {
    point_ = std::clamp(i, 0, kPointSlots - 1);
    setWindowTitle(tr("Pathwright - Point %1").arg(point_ + 1));
    fill();
}

void PointDialog::fill() {
    const ProjectState& st = ws_.st;
    if (point_ >= st.listmax) {
        hide();
        return;
    }
    filling_ = true;
    caption_->setText(tr("Point %1 at %2, %3").arg(point_ + 1).arg(st.pointx[point_]).arg(st.pointy[point_]));
    label_->setText(st.pointlabel[point_]);
    hold_->setValue(st.pointhold[point_] < 0 ? -0.1 : st.pointhold[point_]);
    legTime_->setValue(st.pointinterval[point_] < 0 ? -0.1 : st.pointinterval[point_]);
    legTime_->setEnabled(pointValueApplies(PointValue::LegTime, point_));
    path_->setCurrentIndex(std::max<int>(0, pointPathWords().indexOf(st.pointpath[point_])));
    path_->setEnabled(pointValueApplies(PointValue::Path, point_));
    const GeoPoint& g = st.pointgeo[point_];
    coordinates_->setText(g.set() ? latLonText({g.lat, g.lon}) : QString());
    // Where the map puts a point placed by its pixel, as a hint.
    const std::optional<Georeference> where = mapGeoreference(ws_);
    const LatLon here =
        where ? where->latLonAt(QPointF(st.pointx[point_], st.pointy[point_])) : LatLon{qQNaN(), qQNaN()};
    coordinates_->setPlaceholderText(validLatLon(here) ? latLonText(here) : tr("none"));
    coordinatesProblem_->hide();
    filling_ = false;
}

// Coordinates place the point where the map puts them; none leave it at its pixel.
void PointDialog::coordinatesTyped() {
    if (!coordinates_->isModified()) return; // left as shown, which may be rounded
    coordinates_->setModified(false);
    const std::optional<GeoPoint> typed = typedCoordinates(coordinates_->text());
    if (!typed) {
        coordinatesProblem_->setText(tr("Not a latitude and longitude, such as 48.8566, 2.3522."));
        coordinatesProblem_->show();
        return;
    }
    coordinatesProblem_->hide();
    const GeoPoint now = *typed;
    const GeoPoint& was = ws_.st.pointgeo[point_];
    if (now.set() == was.set() && (!now.set() || (now.lat == was.lat && now.lon == was.lon))) return;
    change(
        tr("Point coordinates"), [now](ProjectState& st, int i) { st.pointgeo[i] = now; }, true);
    if (now.set() && !mapGeoreference(ws_)) {
        coordinatesProblem_->setText(tr("The map has no coordinates yet: the point stays at its pixel."));
        coordinatesProblem_->show();
    }
}

void PointDialog::change(const QString& label, const std::function<void(ProjectState&, int)>& set,
                         bool redraw) {
    if (filling_) return;
    const int i = point_;
    // The changes of one field in a row are one undo step.
    history_.edit(
        label,
        [this, set, i, redraw] {
            set(ws_.st, i);
            if (redraw) Redraw(ws_);
        },
        sender() == hold_      ? kKeys + 1
        : sender() == legTime_ ? kKeys + 2
                               : kNoDrag);
}
