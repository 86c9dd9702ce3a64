#pragma once

#include <QListView>

namespace vantorel {

// A list that fills its lines top to bottom in a fixed number of columns and scrolls
// sideways, as the coll list does.
class ColumnListView : public QListView {
  Q_OBJECT

 public:
  explicit ColumnListView(int columns, QWidget* parent = nullptr);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  int columns_;
};

}  // namespace vantorel
