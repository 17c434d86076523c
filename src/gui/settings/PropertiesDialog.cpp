#include "PropertiesDialog.h"

// Placeholder until the dialog lands.
PropertiesDialog::PropertiesDialog(Workspace& ws, std::function<void()> refresh, QWidget* parent)
    : QDialog(parent), ws_(ws), refresh_(std::move(refresh)) {
    setWindowTitle("Pathwright - Properties");
}
