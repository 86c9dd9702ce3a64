// The window's roads to files besides the menu's Load: files dropped on it and File > Reopen.
// Both only hand over what was chosen; the editor decides what happens.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>
#include <QTimer>
#include <QUrl>

#include "app/file_drop.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "doc/recent_files.h"

namespace vantorel {

namespace {

DroppedItems ItemsOf(const QMimeData* data) {
  DroppedItems items;
  if (!data) return items;
  if (data->hasUrls()) {
    for (const QUrl& url : data->urls()) {
      if (url.isLocalFile()) {
        items.Files.push_back(PathFromQt(url.toLocalFile()));
      } else {
        ++items.Others;
      }
    }
  } else if (!data->formats().isEmpty()) {
    items.Others = 1;
  }
  return items;
}

// Marks the Reopen items whose file is gone.
constexpr const char* kGoneProperty = "vantorelFileGone";

// Draws the Reopen items of files that are gone in the greyed colour of a disabled item while
// leaving them choosable, so choosing one can take it off the list.
class ReopenMenuStyle : public QProxyStyle {
 public:
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* menu = qobject_cast<const QMenu*>(widget);
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element == CE_MenuItem && menu && item) {
      const QAction* action = menu->actionAt(item->rect.center());
      if (action && action->property(kGoneProperty).toBool()) {
        QStyleOptionMenuItem greyed(*item);
        const QColor grey = item->palette.color(QPalette::Disabled, QPalette::Text);
        greyed.palette.setColor(QPalette::Text, grey);
        greyed.palette.setColor(QPalette::ButtonText, grey);
        greyed.palette.setColor(QPalette::WindowText, grey);
        greyed.palette.setColor(QPalette::HighlightedText, grey);
        QProxyStyle::drawControl(element, &greyed, painter, widget);
        return;
      }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
  }
};

}  // namespace

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (AcceptsDrop(ItemsOf(event->mimeData()))) event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
  const DroppedItems items = ItemsOf(event->mimeData());
  event->acceptProposedAction();
  // The questions and messages wait until the drop is over, so the program the file was dragged
  // from is not held up while they are answered.
  QTimer::singleShot(0, this, [this, items] {
    OpenDroppedItems(editor_, items);
    RefreshCommandStates();
  });
}

void MainWindow::SetUpFileRoads() {
  setAcceptDrops(true);
  auto* menu = findChild<QMenu*>("Reopen1");
  if (!menu) return;
  auto* style = new ReopenMenuStyle;
  style->setParent(menu);
  menu->setStyle(style);
  connect(menu, &QMenu::aboutToShow, this, [this, menu] { FillReopenMenu(menu); });
  FillReopenMenu(menu);
}

void MainWindow::FillReopenMenu(QMenu* menu) {
  menu->clear();
  const auto& files = editor_.Recent.Files();
  if (files.empty()) {
    menu->addAction("(no files opened yet)")->setEnabled(false);
    return;
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    QString caption = QString("&%1 %2").arg(i + 1).arg(PathToQt(files[i]).replace("&", "&&"));
    const auto reason = UnavailableBecause(files[i]);
    if (reason) caption += " (" + ToQt(*reason) + ")";
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString("ReopenFile%1").arg(i + 1));
    action->setProperty(kGoneProperty, reason.has_value());
    if (reason) action->setToolTip(ToQt(*reason));
    connect(action, &QAction::triggered, this, [this, i] {
      ReopenRecentFile(editor_, i);
      RefreshCommandStates();
    });
  }
}

}  // namespace vantorel
