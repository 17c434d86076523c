#pragma once
// A named spin box for a decimal setting, as the settings panels and dialogs make them.

#include <QString>

class QDoubleSpinBox;
class QWidget;

QDoubleSpinBox* numberBox(const char* name, double lo, double hi, int decimals, const QString& suffix,
                          QWidget* parent = nullptr);
