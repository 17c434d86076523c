#include "PointDialog.h"

#include "mapview/RouteDrawing.h"
#include "shell/EditHistory.h"

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
    s->setRange(-0.1, 3600);
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
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::hide);

    connect(label_, &QLineEdit::editingFinished, this, [this] {
        const QString t = label_->text();
        if (t != ws_.st.pointlabel[point_])
            change(
                tr("Point label"), [t](ProjectState& st, int i) { st.pointlabel[i] = t; }, true);
    });
    connect(hold_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Point hold"), [v](ProjectState& st, int i) { st.pointhold[i] = v < 0 ? -1 : v; }, false);
    });
    connect(&history_, &EditHistory::changed, this, [this] {
        if (isVisible()) fill();
    });
    connect(legTime_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        change(
            tr("Leg time"), [v](ProjectState& st, int i) { st.pointinterval[i] = v < 0 ? -1 : v; }, false);
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
    legTime_->setEnabled(point_ > 0); // no leg ends at the first point
    filling_ = false;
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
