#include "CustomSizeDialog.h"

#include "settings/VideoFormats.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>

namespace {
QSpinBox* sideBox(QWidget* parent, const char* name, int max, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(kMinFrameSide, max);
    box->setSingleStep(2);
    box->setValue(value);
    return box;
}
} // namespace

CustomSizeDialog::CustomSizeDialog(const ProjectState& st, QWidget* parent) : QDialog(parent) {
    setObjectName("frmCustomSize");
    setWindowTitle(tr("Custom size"));
    auto* form = new QFormLayout(this);
    width_ = sideBox(this, "txtWidth", kMaxFrameWidth, st.framewidth);
    height_ = sideBox(this, "txtHeight", kMaxFrameHeight, st.frameheight);
    rate_ = new QComboBox(this);
    rate_->setObjectName("cboRate");
    for (double fps : frameRates())
        rate_->addItem(tr("%1 fps").arg(rateText(fps)), fps);
    rate_->setCurrentIndex(std::max(0, rate_->findData(findFrameRate(st.fps).value_or(29.97))));
    problem_ = new QLabel(this);
    problem_->setObjectName("lblProblem");
    form->addRow(tr("&Width"), width_);
    form->addRow(tr("&Height"), height_);
    form->addRow(tr("&Rate"), rate_);
    form->addRow(problem_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CustomSizeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CustomSizeDialog::reject);
}

QSize CustomSizeDialog::frameSize() const {
    return QSize(width_->value(), height_->value());
}

double CustomSizeDialog::fps() const {
    return rate_->currentData().toDouble();
}

void CustomSizeDialog::accept() {
    if (!customSizeFits(width_->value(), height_->value())) {
        problem_->setText(tr("Width and height must be even: %1 to %2 wide, %1 to %3 high.")
                              .arg(kMinFrameSide)
                              .arg(kMaxFrameWidth)
                              .arg(kMaxFrameHeight));
        return;
    }
    QDialog::accept();
}
