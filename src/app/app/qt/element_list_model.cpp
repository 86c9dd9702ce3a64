#include "app/qt/element_list_model.h"

#include "app/qt/qt_text.h"
#include "doc/editor.h"

namespace vantorel {

ElementListModel::ElementListModel(Editor& editor, ListKind kind, QObject* parent)
    : QAbstractListModel(parent), editor_(editor), kind_(kind) {}

int ElementListModel::rowCount(const QModelIndex& parent) const {
  // Rows follow the working copy, whatever state the marks are in while it changes.
  return parent.isValid() ? 0 : editor_.ElementCount(kind_);
}

QVariant ElementListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole) return ToQt(editor_.ElementLineText(kind_, index.row()));
  if (role == Qt::CheckStateRole) {
    return editor_.ElementChecked(kind_, index.row()) ? Qt::Checked : Qt::Unchecked;
  }
  return {};
}

bool ElementListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= rowCount()) return false;
  const bool checked = value.toInt() == Qt::Checked;
  if (editor_.ElementChecked(kind_, index.row()) != checked) {
    editor_.Run({}, [&] { editor_.ToggleCheck(kind_, index.row()); });
  }
  return true;
}

Qt::ItemFlags ElementListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable;
}

void ElementListModel::Reset() {
  beginResetModel();
  endResetModel();
}

void ElementListModel::ChecksChanged() {
  if (rowCount() == 0) return;
  emit dataChanged(index(0), index(rowCount() - 1), {Qt::CheckStateRole});
}

}  // namespace vantorel
