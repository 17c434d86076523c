#include "WordDelegate.h"

#include "PointsModel.h"

#include <QComboBox>

QWidget* WordDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* box = new QComboBox(parent);
    const char* const names[] = {"cboPointsPath", "cboPointsMode", "cboPointsLineStyle"};
    const int kind = value_ == PointValue::Mode ? 1 : value_ == PointValue::LineStyle ? 2 : 0;
    box->setObjectName(names[kind]);
    for (const QString& word : pointWords(value_))
        box->addItem(PointsModel::wordName(value_, word), word);
    connect(box, &QComboBox::activated, this, [this, box] {
        emit const_cast<WordDelegate*>(this)->commitData(box);
        emit const_cast<WordDelegate*>(this)->closeEditor(box);
    });
    return box;
}

void WordDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* box = static_cast<QComboBox*>(editor);
    box->setCurrentIndex(std::max(0, box->findData(index.data(Qt::EditRole).toString())));
}

void WordDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, static_cast<QComboBox*>(editor)->currentData().toString());
}
