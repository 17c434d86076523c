#include "PathDelegate.h"

#include "PointsModel.h"
#include "project/PointValues.h"

#include <QComboBox>

QWidget* PathDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const {
    auto* box = new QComboBox(parent);
    box->setObjectName("cboPointsPath");
    for (const QString& word : pointPathWords())
        box->addItem(PointsModel::pathName(word), word);
    connect(box, &QComboBox::activated, this, [this, box] {
        emit const_cast<PathDelegate*>(this)->commitData(box);
        emit const_cast<PathDelegate*>(this)->closeEditor(box);
    });
    return box;
}

void PathDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* box = static_cast<QComboBox*>(editor);
    box->setCurrentIndex(std::max(0, box->findData(index.data(Qt::EditRole).toString())));
}

void PathDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const {
    model->setData(index, static_cast<QComboBox*>(editor)->currentData().toString());
}
