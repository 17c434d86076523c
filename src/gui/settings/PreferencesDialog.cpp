#include "PreferencesDialog.h"

#include "Appearance.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSettings>

namespace {
const char kClassicDialogs[] = "ui/classicDialogs";
}

PreferencesDialog::PreferencesDialog(QSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setObjectName("frmPreferences");
    setWindowTitle(tr("Preferences"));
    auto* form = new QFormLayout(this);
    appearance_ = new QComboBox(this);
    appearance_->setObjectName("cboAppearance");
    appearance_->addItem(tr("System (as the desktop)"), int(Appearance::System));
    appearance_->addItem(tr("Light"), int(Appearance::Light));
    appearance_->addItem(tr("Dark"), int(Appearance::Dark));
    form->addRow(tr("&Appearance"), appearance_);
    classicDialogs_ = new QCheckBox(tr("Use the &classic file dialogs"), this);
    classicDialogs_->setObjectName("chkClassicDialogs");
    form->addRow(classicDialogs_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &PreferencesDialog::take);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    fill();
}

void PreferencesDialog::fill() {
    appearance_->setCurrentIndex(appearance_->findData(int(storedAppearance(settings_))));
    classicDialogs_->setChecked(settings_.value(kClassicDialogs, false).toBool());
}

void PreferencesDialog::take() {
    const auto choice = Appearance(appearance_->currentData().toInt());
    storeAppearance(settings_, choice);
    settings_.setValue(kClassicDialogs, classicDialogs_->isChecked());
    applyAppearance(choice);
    accept();
}
