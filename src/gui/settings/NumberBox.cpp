#include "NumberBox.h"

#include <QDoubleSpinBox>

QDoubleSpinBox* numberBox(const char* name, double lo, double hi, int decimals, const QString& suffix,
                          QWidget* parent) {
    auto* s = new QDoubleSpinBox(parent);
    s->setObjectName(name);
    s->setRange(lo, hi);
    s->setDecimals(decimals);
    s->setSuffix(suffix);
    return s;
}
