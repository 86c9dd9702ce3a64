// The main menu, the pop-up menus of the element lists and of the view, and the view's two tool
// bars, built from the command table.
#include <QAction>
#include <QGridLayout>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "app/command_table.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "app/qt/toolbar_icons.h"

namespace vantorel {

namespace {

QString Text(std::string_view text) {
  return ToQt(std::string(text));
}

}  // namespace

QAction* MainWindow::ActionFor(const CommandRow& row) {
  auto* action = new QAction(Text(row.Caption), this);
  action->setObjectName(Text(row.Name));
  QList<QKeySequence> shortcuts;
  // A key that passes on to the focused control is heard by the window's key filter instead.
  if (!row.Shortcut.empty() && !row.ShortcutPassesOn) shortcuts << QKeySequence(Text(row.Shortcut));
  if (!row.ExtraShortcut.empty()) shortcuts << QKeySequence(Text(row.ExtraShortcut));
  action->setShortcuts(shortcuts);
  action->setCheckable(static_cast<bool>(row.Checked));
  const std::string name(row.Name);
  connect(action, &QAction::triggered, this, [this, name] { RunRow(name); });
  actions_[name] = action;
  return action;
}

void MainWindow::FillMenu(QMenu* menu, std::string_view placeName) {
  const CommandPlace* place = FindPlace(placeName);
  for (std::string_view item : place->Items) {
    if (item == "-") {
      menu->addSeparator();
      continue;
    }
    const CommandRow* row = FindCommand(item);
    if (FindPlace(item)) {
      QMenu* submenu = menu->addMenu(Text(row->Caption));
      submenu->setObjectName(Text(row->Name));
      FillMenu(submenu, item);
    } else {
      menu->addAction(ActionFor(*row));
    }
  }
}

void MainWindow::BuildCommands() {
  for (std::string_view menuName : FindPlace("MainMenu")->Items) {
    QMenu* menu = menuBar()->addMenu(Text(FindCommand(menuName)->Caption));
    menu->setObjectName(Text(menuName));
    FillMenu(menu, menuName);
  }
  const std::pair<QListView*, const char*> popups[] = {
      {clbSpheres_, "PopupMenu4"}, {clbBoxes_, "PopupMenu5"}, {clbFaces_, "PopupMenu6"}};
  for (const auto& [list, name] : popups) {
    auto* menu = new QMenu(list);
    menu->setObjectName(name);
    FillMenu(menu, name);
    connect(
        list, &QWidget::customContextMenuRequested, this,
        [list = list, menu](const QPoint& at) { menu->popup(list->viewport()->mapToGlobal(at)); });
  }
  viewMenu_ = new QMenu(pnlScreen_);
  viewMenu_->setObjectName("PopupMenu3");
  FillMenu(viewMenu_, "PopupMenu3");
  SetUpFileRoads();
  RefreshCommandStates();
}

QToolBar* MainWindow::BuildToolBar(std::string_view placeName, QWidget* parent) {
  auto* bar = new QToolBar(parent);
  bar->setObjectName(Text(placeName));
  bar->setIconSize(QSize(16, 16));
  for (std::string_view item : FindPlace(placeName)->Items) {
    const CommandRow* row = FindCommand(item);
    QAction* action = ActionFor(*row);
    if (!row->Icon.empty()) action->setIcon(MakeToolbarIcon(row->Icon));
    if (!row->ToolTip.empty()) action->setToolTip(Text(row->ToolTip));
    QMenu* menu = nullptr;
    if (!row->DropDown.empty()) {
      menu = new QMenu(bar);
      menu->setObjectName(Text(row->DropDown));
      FillMenu(menu, row->DropDown);
      action->setMenu(menu);
    }
    bar->addAction(action);
    auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action));
    button->setObjectName(Text(row->Name));
    if (menu) button->setPopupMode(QToolButton::InstantPopup);
  }
  return bar;
}

// Captioned buttons rather than a tool bar: their captions keep their access keys.
QWidget* MainWindow::BuildButtonGrid(std::string_view placeName, int columns) {
  auto* bar = new QWidget;
  bar->setObjectName(Text(placeName));
  auto* grid = new QGridLayout(bar);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(1);
  const CommandPlace* place = FindPlace(placeName);
  for (std::size_t i = 0; i < place->Items.size(); ++i) {
    const CommandRow* row = FindCommand(place->Items[i]);
    auto* button = new QToolButton;
    button->setObjectName(Text(row->Name));
    button->setText(Text(row->Caption));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedSize(64, 21);
    const std::string name(row->Name);
    connect(button, &QToolButton::clicked, this, [this, name] { RunRow(name); });
    buttons_[name] = button;
    const int at = static_cast<int>(i);
    grid->addWidget(button, at / columns, at % columns);
  }
  return bar;
}

void MainWindow::RunRow(std::string_view name) {
  if (const CommandRow* row = FindCommand(name)) RunCommand(editor_, *row);
  // A check item Qt has already toggled shows the state the row left behind, also where the row
  // changed nothing and so sent no notice.
  RefreshCommandStates();
}

void MainWindow::RefreshCommandStates() {
  for (const auto& [name, action] : actions_) {
    const CommandRow* row = FindCommand(name);
    action->setEnabled(!row->GreyedWhenNot || !WhyNotNow(*row, editor_));
    if (row->Checked) action->setChecked(row->Checked(editor_));
    if (row->CaptionNow) action->setText(ToQt(row->CaptionNow(editor_)));
  }
  for (const auto& [name, button] : buttons_) {
    const CommandRow* row = FindCommand(name);
    button->setEnabled(!row->GreyedWhenNot || !WhyNotNow(*row, editor_));
  }
}

}  // namespace vantorel
