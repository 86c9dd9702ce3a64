#pragma once

#include <QAbstractListModel>

namespace vantorel {

class Editor;

// The lines of the coll list, read from the editor on demand: no object per line, so a file of
// 200,000 colls lists at once.
class CollListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  CollListModel(const Editor& editor, QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  void Reset();
  void LineChanged(int row);

 private:
  const Editor& editor_;
};

}  // namespace vantorel
