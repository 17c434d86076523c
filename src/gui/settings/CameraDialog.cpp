#include "CameraDialog.h"

#include "NumberBox.h"

#include "mapview/RouteDrawing.h"
#include "shell/EditHistory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

namespace {
constexpr int kKeys = 2000; // edits of one control in a row merge into one undo step
const QStringList kModes{"fixed", "map", "route", "follow", "leg"};
} // namespace

CameraDialog::CameraDialog(Workspace& ws, EditHistory& history, QWidget* parent)
    : QDialog(parent), ws_(ws), history_(history) {
    setObjectName("frmCamera");
    setWindowTitle(tr("Camera"));
    auto* form = new QFormLayout(this);
    mode_ = new QComboBox(this);
    mode_->setObjectName("cboCamera");
    mode_->addItems({tr("Fixed: the map at 1:1 from its top-left corner"), tr("Map: the whole map fitted"),
                     tr("Route: the whole route"), tr("Follow: the head at the centre"),
                     tr("Leg: each leg while it is drawn")});
    form->addRow(tr("Camera:"), mode_);
    zoom_ = numberBox("spinCameraZoom", 0.01, 64, 2, tr(" x"), this);
    form->addRow(tr("Zoom (follow):"), zoom_);
    margin_ = numberBox("spinCameraMargin", 0, 45, 0, tr(" %"), this);
    form->addRow(tr("Margin:"), margin_);
    intro_ = numberBox("spinCameraIntro", 0, 3600, 1, tr(" s"), this);
    form->addRow(tr("Intro:"), intro_);
    outro_ = numberBox("spinCameraOutro", 0, 3600, 1, tr(" s"), this);
    form->addRow(tr("Outro:"), outro_);
    smooth_ = numberBox("spinCameraSmooth", 0, 60, 1, tr(" s"), this);
    form->addRow(tr("Smoothing:"), smooth_);
    rotate_ = new QCheckBox(tr("Turn the map so that travel points up"), this);
    rotate_->setObjectName("chkCameraRotate");
    form->addRow(QString(), rotate_);
    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    form->addRow(close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::hide);

    connect(mode_, &QComboBox::currentIndexChanged, this, [this](int i) {
        change(
            tr("Camera"), [i](ProjectState& st) { st.camera = kModes.value(i, "fixed"); }, 1);
    });
    struct Field {
        QDoubleSpinBox* box;
        double ProjectState::*field;
        QString label;
    };
    const Field fields[] = {{zoom_, &ProjectState::camerazoom, tr("Camera zoom")},
                            {margin_, &ProjectState::cameramargin, tr("Camera margin")},
                            {intro_, &ProjectState::cameraintro, tr("Camera intro")},
                            {outro_, &ProjectState::cameraoutro, tr("Camera outro")},
                            {smooth_, &ProjectState::camerasmooth, tr("Camera smoothing")}};
    int key = 2;
    for (const Field& f : fields) {
        connect(f.box, &QDoubleSpinBox::valueChanged, this, [this, f, key](double v) {
            change(
                f.label, [field = f.field, v](ProjectState& st) { st.*field = v; }, key);
        });
        ++key;
    }
    connect(rotate_, &QCheckBox::toggled, this, [this, key](bool on) {
        change(
            tr("Camera turn"), [on](ProjectState& st) { st.camerarotate = on; }, key);
    });
    connect(&history_, &EditHistory::restored, this, &CameraDialog::fill);
    fill();
}

void CameraDialog::change(const QString& label, const std::function<void(ProjectState&)>& set, int key) {
    if (filling_) return;
    history_.editSettings(label, set, kKeys + key);
    fill();
}

void CameraDialog::fill() {
    const ProjectState& st = ws_.st;
    filling_ = true;
    mode_->setCurrentIndex(std::max<int>(0, kModes.indexOf(st.camera)));
    zoom_->setValue(st.camerazoom);
    margin_->setValue(st.cameramargin);
    intro_->setValue(st.cameraintro);
    outro_->setValue(st.cameraoutro);
    smooth_->setValue(st.camerasmooth);
    rotate_->setChecked(st.camerarotate);
    const bool moves = cameraMoves(st);
    for (QWidget* w : std::initializer_list<QWidget*>{margin_, intro_, outro_, smooth_, rotate_})
        w->setEnabled(moves);
    zoom_->setEnabled(st.camera == QLatin1String("follow"));
    filling_ = false;
}
