#include "app/qt/coll_list_model.h"

#include "app/qt/qt_text.h"
#include "doc/editor.h"

namespace vantorel {

CollListModel::CollListModel(const Editor& editor, QObject* parent)
    : QAbstractListModel(parent), editor_(editor) {}

int CollListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : editor_.CollCount();
}

QVariant CollListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return ToQt(editor_.CollLine(index.row()));
}

void CollListModel::Reset() {
  beginResetModel();
  endResetModel();
}

void CollListModel::LineChanged(int row) {
  if (row < 0 || row >= rowCount()) return;
  emit dataChanged(index(row), index(row), {Qt::DisplayRole});
}

}  // namespace vantorel
