#pragma once

#include <QAbstractListModel>

#include "doc/element_lists.h"

namespace vantorel {

class Editor;

// One element check list (spheres, boxes or faces) over the editor's list state: texts are
// built when a line is painted and check marks live in the editor, so 100,000 faces list at
// once.
class ElementListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  ElementListModel(Editor& editor, ListKind kind, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

  ListKind Kind() const { return kind_; }
  void Reset();
  void ChecksChanged();

 private:
  Editor& editor_;
  ListKind kind_;
};

}  // namespace vantorel
