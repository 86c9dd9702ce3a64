#include "app/qt/column_list_view.h"

#include <QResizeEvent>

namespace vantorel {

ColumnListView::ColumnListView(int columns, QWidget* parent)
    : QListView(parent), columns_(columns) {
  setFlow(QListView::TopToBottom);
  setWrapping(true);
  setResizeMode(QListView::Adjust);
  setUniformItemSizes(true);
  setLayoutMode(QListView::Batched);
  setBatchSize(2000);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void ColumnListView::resizeEvent(QResizeEvent* event) {
  const int width = std::max(40, event->size().width() / columns_ - 1);
  setGridSize(QSize(width, fontMetrics().height() + 2));
  QListView::resizeEvent(event);
}

}  // namespace vantorel
