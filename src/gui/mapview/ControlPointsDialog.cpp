#include "ControlPointsDialog.h"

#include "ControlPointMarks.h"
#include "MapView.h"
#include "geo/CoordinateText.h"
#include "geo/MapGeo.h"
#include "mapview/RouteDrawing.h"
#include "shell/EditHistory.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
QDoubleSpinBox* pixelBox(const char* name, const QString& prefix) {
    auto* s = new QDoubleSpinBox;
    s->setObjectName(name);
    s->setRange(-1e6, 1e6);
    s->setDecimals(1);
    s->setPrefix(prefix);
    return s;
}

QString pixelText(double v) {
    return QString::number(v, 'f', v == std::round(v) ? 0 : 1);
}

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}
} // namespace

ControlPointsDialog::ControlPointsDialog(Workspace& ws, EditHistory& history, MapView& map, QWidget* parent)
    : QDialog(parent), ws_(ws), history_(history), map_(map) {
    setObjectName("frmControlPoints");
    setWindowTitle(tr("Pathwright - Control points"));
    auto* column = new QVBoxLayout(this);
    state_ = new QLabel(this);
    state_->setObjectName("lblFit");
    state_->setWordWrap(true);
    column->addWidget(state_);
    table_ = new QTableWidget(0, 6, this);
    table_->setObjectName("tblControlPoints");
    table_->setHorizontalHeaderLabels(
        {tr("#"), tr("X"), tr("Y"), tr("Latitude"), tr("Longitude"), tr("Off by")});
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    column->addWidget(table_, 1);
    remove_ = new QPushButton(tr("&Remove"), this);
    remove_->setObjectName("btnRemove");
    column->addWidget(remove_, 0, Qt::AlignLeft);

    auto* adding = new QGroupBox(tr("New control point"), this);
    auto* form = new QFormLayout(adding);
    x_ = pixelBox("spinX", tr("x ")), y_ = pixelBox("spinY", tr("y "));
    pick_ = new QPushButton(tr("&Pick on map"), adding);
    pick_->setObjectName("btnPick");
    pick_->setCheckable(true);
    auto* pixelRow = new QHBoxLayout;
    pixelRow->addWidget(x_);
    pixelRow->addWidget(y_);
    pixelRow->addWidget(pick_);
    form->addRow(tr("Map pixel:"), pixelRow);
    coordinates_ = new QLineEdit(adding);
    coordinates_->setObjectName("txtCoordinates");
    coordinates_->setPlaceholderText(tr("48.8566, 2.3522 or 48°51'24\"N 2°21'08\"E"));
    auto* add = new QPushButton(tr("&Add"), adding);
    add->setObjectName("btnAdd");
    add->setDefault(true); // Enter adds
    auto* coordinatesRow = new QHBoxLayout;
    coordinatesRow->addWidget(coordinates_, 1);
    coordinatesRow->addWidget(add);
    form->addRow(tr("Coordinates:"), coordinatesRow);
    problem_ = new QLabel(adding);
    problem_->setObjectName("lblProblem");
    problem_->setStyleSheet("color: #b00000");
    problem_->setWordWrap(true);
    problem_->hide();
    form->addRow(problem_);
    column->addWidget(adding);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    column->addWidget(buttons);
    resize(560, 420);

    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::hide);
    connect(pick_, &QPushButton::toggled, this, &ControlPointsDialog::pick);
    connect(add, &QPushButton::clicked, this, &ControlPointsDialog::addClicked);
    connect(remove_, &QPushButton::clicked, this, [this] {
        QList<int> used;
        for (const QModelIndex& row : table_->selectionModel()->selectedRows())
            used << table_->item(row.row(), 0)->data(Qt::UserRole).toInt();
        removePoints(used);
    });
    connect(table_, &QTableWidget::itemSelectionChanged, this,
            [this] { remove_->setEnabled(!table_->selectedItems().isEmpty()); });
    for (QDoubleSpinBox* s : {x_, y_})
        connect(s, &QDoubleSpinBox::valueChanged, this, [this] {
            pending_ = true;
            map_.viewport()->update();
        });
    connect(&history_, &EditHistory::changed, this, [this] {
        if (isVisible()) fill();
    });
    fill();
}

void ControlPointsDialog::fill() {
    const ProjectState& st = ws_.st;
    double worst = 0;
    const bool own = ws_.geo.picture.has_value();
    const std::optional<Georeference> fit = own ? std::nullopt : mapGeoreference(ws_, &worst);
    QList<int> used;
    for (int k = 0; k < kPointSlots; ++k)
        if (st.georef[k].set()) used << k;
    table_->clearContents();
    table_->setRowCount(int(used.size()));
    for (int row = 0; row < used.size(); ++row) {
        const GeoControl& c = st.georef[used[row]];
        auto* number = cell(QString::number(used[row] + 1));
        number->setData(Qt::UserRole, used[row]);
        table_->setItem(row, 0, number);
        table_->setItem(row, 1, cell(pixelText(c.px)));
        table_->setItem(row, 2, cell(pixelText(c.py)));
        table_->setItem(row, 3, cell(latitudeText(c.lat)));
        table_->setItem(row, 4, cell(longitudeText(c.lon)));
        const QPointF off = fit ? fit->pixelAt({c.lat, c.lon}) - QPointF(c.px, c.py) : QPointF(qQNaN(), 0);
        const double residual = std::hypot(off.x(), off.y());
        table_->setItem(row, 5, cell(std::isfinite(residual) ? tr("%1 px").arg(residual, 0, 'f', 1) : "-"));
    }
    remove_->setEnabled(!table_->selectedItems().isEmpty());
    if (own)
        state_->setText(tr("The map picture has coordinates of its own, from %1: the control points are "
                           "not used.")
                            .arg(ws_.geo.pictureSource));
    else if (used.size() < 2)
        state_->setText(tr("Two control points or more give the map its coordinates: pick a spot on the "
                           "map, or type its pixel, then type or paste where on earth it is."));
    else if (!fit)
        state_->setText(tr("The control points lie on one line: they give the map no coordinates."));
    else
        state_->setText(tr("%1 control points give the map its coordinates. Worst residual: %2 px "
                           "(the farthest a point lies from where the fit puts it).")
                            .arg(used.size())
                            .arg(worst, 0, 'f', 1));
    map_.viewport()->update();
}

bool ControlPointsDialog::addPoint(QPointF pixel, const QString& text) {
    const std::optional<LatLon> at = parseLatLon(text);
    int slot = 0;
    while (slot < kPointSlots && ws_.st.georef[slot].set())
        ++slot;
    QString problem;
    if (!at)
        problem = tr("\"%1\" is not a latitude and longitude, such as 48.8566, 2.3522.").arg(text.left(80));
    else if (!std::isfinite(pixel.x()) || !std::isfinite(pixel.y()))
        problem = tr("The map pixel is not a number.");
    else if (slot == kPointSlots)
        problem = tr("All %1 control points are in use: remove one first.").arg(kPointSlots);
    problem_->setText(problem);
    problem_->setVisible(!problem.isEmpty());
    if (!problem.isEmpty()) return false;
    history_.edit(tr("Add control point"), [&] {
        ws_.st.georef[slot] = GeoControl(pixel.x(), pixel.y(), at->lat, at->lon);
        Redraw(ws_);
    });
    return true;
}

void ControlPointsDialog::removePoints(const QList<int>& chosen) {
    if (chosen.isEmpty()) return;
    history_.edit(chosen.size() == 1 ? tr("Remove control point") : tr("Remove control points"), [&] {
        for (int k : chosen)
            if (k >= 0 && k < kPointSlots) ws_.st.georef[k] = GeoControl();
        Redraw(ws_);
    });
}

void ControlPointsDialog::addClicked() {
    if (!addPoint(QPointF(x_->value(), y_->value()), coordinates_->text())) return;
    coordinates_->clear();
    pending_ = false;
    map_.viewport()->update();
}

// Picking: the next left press on the map gives the pixel and does nothing else.
void ControlPointsDialog::pick(bool on) {
    QWidget* view = map_.viewport();
    view->removeEventFilter(this);
    if (on) view->installEventFilter(this);
    if (on)
        view->setCursor(Qt::CrossCursor);
    else
        view->unsetCursor();
}

bool ControlPointsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != map_.viewport() || event->type() != QEvent::MouseButtonPress)
        return QDialog::eventFilter(watched, event);
    auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() != Qt::LeftButton) return false;
    const QPoint p = map_.framePoint(press->position());
    x_->setValue(p.x());
    y_->setValue(p.y());
    pick_->setChecked(false);
    activateWindow();
    coordinates_->setFocus();
    return true;
}

void ControlPointsDialog::paintOverlay(QPainter& p) const {
    if (!isVisible()) return;
    paintControlPoints(p, ws_.st, map_.scale(),
                       pending_ ? std::optional(QPointF(x_->value(), y_->value())) : std::nullopt);
}

void ControlPointsDialog::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    fill();
}

void ControlPointsDialog::hideEvent(QHideEvent* e) {
    pick_->setChecked(false);
    QDialog::hideEvent(e);
    map_.viewport()->update();
}
