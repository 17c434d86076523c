#pragma once
// A value given by a word (a leg's line, way of travel or line style) is picked from a list that
// starts with "as all legs", rather than typed; a pick is taken at once.

#include "project/PointValues.h"

#include <QStyledItemDelegate>

class WordDelegate : public QStyledItemDelegate {
    Q_OBJECT
  public:
    WordDelegate(PointValue value, QObject* parent) : QStyledItemDelegate(parent), value_(value) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

  private:
    PointValue value_;
};
