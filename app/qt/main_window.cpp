#include "app/qt/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "app/command_table.h"
#include "app/qt/coll_list_model.h"
#include "app/qt/column_list_view.h"
#include "app/qt/element_list_model.h"
#include "app/qt/locale_texts.h"
#include "app/qt/qt_text.h"
#include "app/qt/toolbar_icons.h"
#include "app/start_up.h"
#include "app/status_bar.h"
#include "core/program_identity.h"
#include "core/utf8_path.h"
#include "view/qt/scene_panel_widget.h"

namespace vantorel {

namespace {

constexpr int kUpperBandHeight = 90;
constexpr int kRightColumnWidth = 150;
constexpr int kCollListColumns = 4;
constexpr int kStartNavMode = 2;  // rotate

QString Text(std::string_view text) {
  return ToQt(std::string(text));
}

ListKind KindOf(int index) {
  return static_cast<ListKind>(index);
}

}  // namespace

MainWindow::MainWindow(const StartContext& context, QWidget* parent)
    : QMainWindow(parent), ui_(this), pnlScreen_(new ScenePanelWidget), editor_(ui_, *pnlScreen_) {
  setObjectName("TForm1");
  setWindowTitle(Text(kVersionCaption));

  auto* central = new QWidget;
  auto* outer = new QVBoxLayout(central);
  outer->setContentsMargins(0, 0, 0, 0);
  outer->setSpacing(0);
  outer->addWidget(BuildUpperBand());
  auto* middle = new QHBoxLayout;
  middle->setSpacing(0);
  middle->addWidget(BuildCentre(), 1);
  middle->addWidget(BuildRightColumn());
  outer->addLayout(middle, 1);
  setCentralWidget(central);
  BuildStatusBar();
  BuildCommands();
  editor_.Changes().Subscribe([this](const ChangeNotice& notice) { OnChange(notice); });
  // Numbers are shown and read with the locale's separator from the first file on.
  editor_.DecimalSeparator = LocaleDecimalSeparator(QLocale());

  // Start-up: settings, flags, command line and the first file are the editor's; the window
  // then takes the size its settings ask for.
  editor_.Run("Start", [&] { editor_.StartUp(context); });
  pnlScreen_->SetBackground(editor_.Settings().Colors.Background);
  ApplyWindowSize();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
}

MainWindow::~MainWindow() = default;

QWidget* MainWindow::BuildUpperBand() {
  auto* band = new QWidget;
  band->setFixedHeight(kUpperBandHeight);
  auto* layout = new QHBoxLayout(band);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);

  lbxColl_ = new ColumnListView(kCollListColumns);
  lbxColl_->setObjectName("lbxColl");
  collModel_ = new CollListModel(editor_, this);
  lbxColl_->setModel(collModel_);
  lbxColl_->installEventFilter(this);
  connect(lbxColl_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { lbxCollCurrentChanged(current.row()); });
  connect(lbxColl_, &QListView::clicked, this,
          [this](const QModelIndex& index) { lbxCollClick(index.row()); });
  layout->addWidget(lbxColl_, 1);

  auto* toolbar = new QWidget;
  toolbar->setObjectName("ToolBar3");
  auto* grid = new QGridLayout(toolbar);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(1);
  const CommandPlace* place = FindPlace("ToolBar3");
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
    grid->addWidget(button, static_cast<int>(i / 2), static_cast<int>(i % 2));
  }
  layout->addWidget(toolbar);
  return band;
}

QWidget* MainWindow::BuildRightColumn() {
  auto* column = new QWidget;
  column->setFixedWidth(kRightColumnWidth);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* toolbar = new QToolBar;
  toolbar->setObjectName("ToolBar1");
  toolbar->setIconSize(QSize(16, 16));
  struct ViewButton {
    const char* name;
    const char* tip;
    ToolbarIcon icon;
  };
  for (const ViewButton& b :
       {ViewButton{"ToolButton2", "Drawing options", ToolbarIcon::Drawing},
        ViewButton{"ToolButton3", "Surface colours", ToolbarIcon::Surfaces},
        ViewButton{"ToolButton4", "Color Settings", ToolbarIcon::Colors},
        ViewButton{"ToolButton6", "Bounding objects and axes", ToolbarIcon::Boundings}}) {
    QAction* action = toolbar->addAction(MakeToolbarIcon(b.icon), b.tip);
    action->setEnabled(false);  // the 3D view's switches arrive with the view
    toolbar->widgetForAction(action)->setObjectName(b.name);
  }
  layout->addWidget(toolbar);

  auto* splitter = new QSplitter(Qt::Vertical);
  auto makeList = [&](const char* name, ListKind kind, ElementListModel*& model) {
    auto* list = new QListView;
    list->setObjectName(name);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    model = new ElementListModel(editor_, kind, this);
    list->setModel(model);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    list->installEventFilter(this);
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, kind](const QModelIndex& current) {
              if (!syncingSelection_) editor_.SelectElement(kind, current.row());
            });
    splitter->addWidget(list);
    return list;
  };
  clbSpheres_ = makeList("clbSpheres", ListKind::Spheres, sphereModel_);
  clbBoxes_ = makeList("clbBoxes", ListKind::Boxes, boxModel_);
  clbFaces_ = makeList("clbFaces", ListKind::Faces, faceModel_);
  // Spheres and boxes keep a small fixed share; the face list, usually the longest, takes the rest.
  splitter->setStretchFactor(0, 0);
  splitter->setStretchFactor(1, 0);
  splitter->setStretchFactor(2, 1);
  splitter->setSizes({90, 90, 400});
  layout->addWidget(splitter, 1);
  return column;
}

QWidget* MainWindow::BuildCentre() {
  auto* toolbar = new QToolBar(pnlScreen_);
  toolbar->setObjectName("ToolBar2");
  toolbar->setIconSize(QSize(16, 16));
  auto* navButtons = new QActionGroup(this);
  navButtons->setExclusive(true);
  const ToolbarIcon icons[] = {ToolbarIcon::Pick, ToolbarIcon::Zoom, ToolbarIcon::Rotate,
                               ToolbarIcon::Move};
  const char* tips[] = {"Pick faces", "Zoom", "Rotate", "Move"};
  for (int mode = 0; mode < 4; ++mode) {
    QAction* action = toolbar->addAction(MakeToolbarIcon(icons[mode]), tips[mode]);
    action->setCheckable(true);
    action->setChecked(mode == kStartNavMode);
    navButtons->addAction(action);
    toolbar->widgetForAction(action)->setObjectName(QString("btnNav%1").arg(mode + 1));
  }
  toolbar->move(2, 2);
  return pnlScreen_;
}

void MainWindow::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("status");
  bar->setSizeGripEnabled(false);
  // The panels keep their classic pixel widths; a slightly smaller font lets their texts fit.
  QFont panelFont = bar->font();
  panelFont.setPointSizeF(std::max(6.0, panelFont.pointSizeF() - 1));
  for (int i = 0; i < kStatusPanelCount; ++i) {
    auto* panel = new QLabel;
    panel->setFont(panelFont);
    panel->setObjectName(QString("StatusPanel%1").arg(i));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    if (i == 0) panel->setAlignment(Qt::AlignCenter);
    const bool last = i == kStatusPanelCount - 1;
    if (last) {
      panel->setMinimumWidth(kStatusPanelWidths[static_cast<std::size_t>(i)]);
    } else {
      panel->setFixedWidth(kStatusPanelWidths[static_cast<std::size_t>(i)]);
    }
    bar->addWidget(panel, last ? 1 : 0);
    panels_.push_back(panel);
  }
  progress_ = new QProgressBar;
  progress_->setObjectName("ScanProgress");
  progress_->setMaximumWidth(160);
  progress_->setTextVisible(false);
  progress_->hide();
  bar->addPermanentWidget(progress_);
  ui_.SetProgressBar(progress_);
}

void MainWindow::OnChange(const ChangeNotice& notice) {
  switch (notice.What) {
    case Change::File:
      setWindowTitle(ToQt(editor_.Caption()));
      break;
    case Change::CollList:
      collModel_->Reset();
      ShowCollSelection();
      break;
    case Change::CollLine:
      collModel_->LineChanged(notice.Index);
      break;
    case Change::Selection:
      ShowCollSelection();
      ShowStatus();
      break;
    case Change::WorkingCopy:
      ShowElementLists();
      ShowStatus();
      break;
    case Change::Checks:
      for (ElementListModel* model : {sphereModel_, boxModel_, faceModel_}) {
        if (model->Kind() == KindOf(notice.Index)) model->ChecksChanged();
      }
      break;
    case Change::Settings:
      pnlScreen_->SetBackground(editor_.Settings().Colors.Background);
      ShowElementLists();
      break;
    case Change::View:
      break;
  }
  RefreshCommandStates();
}

void MainWindow::ShowCollSelection() {
  syncingSelection_ = true;
  const int row = editor_.SelectedCollLine();
  if (row >= 0 && row < collModel_->rowCount()) {
    const QModelIndex index = collModel_->index(row);
    lbxColl_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    lbxColl_->scrollTo(index);
  } else {
    lbxColl_->selectionModel()->clear();
  }
  syncingSelection_ = false;
}

void MainWindow::ShowStatus() {
  const StatusPanels texts = editor_.StatusTexts();
  for (std::size_t i = 0; i < texts.size(); ++i)
    panels_[i]->setText(ToQt(texts[i]));
}

void MainWindow::ShowElementLists() {
  syncingSelection_ = true;
  for (auto [list, model] : {std::pair{clbSpheres_, sphereModel_}, std::pair{clbBoxes_, boxModel_},
                             std::pair{clbFaces_, faceModel_}}) {
    list->setUpdatesEnabled(false);
    model->Reset();
    const int selected = editor_.Lists().Of(model->Kind()).selected;
    if (selected >= 0 && selected < model->rowCount()) {
      list->selectionModel()->setCurrentIndex(model->index(selected),
                                              QItemSelectionModel::ClearAndSelect);
    }
    list->setUpdatesEnabled(true);
  }
  syncingSelection_ = false;
}

void MainWindow::lbxCollCurrentChanged(int row) {
  if (syncingSelection_ || row < 0) return;
  rowJustSelected_ = row;
  editor_.Run({}, [&] { editor_.ClickCollLine(row); });
  RefreshCommandStates();
}

void MainWindow::lbxCollClick(int row) {
  // A click on a new line has already been handled by the change of the current line; a click
  // on the current line selects it again.
  if (row == rowJustSelected_) {
    rowJustSelected_ = -1;
    return;
  }
  rowJustSelected_ = -1;
  if (row >= 0) {
    editor_.Run({}, [&] { editor_.ClickCollLine(row); });
    RefreshCommandStates();
  }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  // The Delete key deletes in the list that has it, whatever modifier keys are held.
  if (event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    const std::pair<QObject*, const char*> deletes[] = {{lbxColl_, "Delete1"},
                                                        {clbSpheres_, "DeleteSphere1"},
                                                        {clbBoxes_, "MenuItem6"},
                                                        {clbFaces_, "MenuItem14"}};
    for (const auto& [list, command] : deletes) {
      if (watched == list) {
        RunRow(command);
        return true;
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::ApplyWindowSize() {
  const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1024, 768);
  const WindowSize size =
      WindowSizeForPreset(editor_.Settings().WindowSize, screen.width(), screen.height());
  presetSize_ = QSize(size.Width, size.Height);
  // The preset is the outer size; the frame the window manager adds is not known before the
  // window is shown, so the client size is corrected once it is.
  setFixedSize(presetSize_);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  move(screen.center() - QPoint(size.Width / 2, size.Height / 2));
}

void MainWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The window manager's frame is known only once the window is on screen, and some window
  // managers report it a moment later still.
  QTimer::singleShot(0, this, &MainWindow::FitFrameToPreset);
  QTimer::singleShot(250, this, &MainWindow::FitFrameToPreset);
}

void MainWindow::FitFrameToPreset() {
  const QSize frame = frameGeometry().size() - geometry().size();
  const QSize client = presetSize_ - frame;
  if ((frame.width() <= 0 && frame.height() <= 0) || client == size()) return;
  setFixedSize(client);
  if (const QScreen* current = screen()) {
    move(current->geometry().center() - QPoint(presetSize_.width() / 2, presetSize_.height() / 2));
  }
}

void MainWindow::closeEvent(QCloseEvent* event) {
  bool mayClose = false;
  editor_.Run("Exit", [&] { mayClose = editor_.QueryClose(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  editor_.ShutDown();
  event->accept();
  if (editor_.RestartRequested) StartRestartedInstance();
}

void MainWindow::StartRestartedInstance() {
  QStringList arguments;
  for (const std::string& argument :
       RestartArguments(editor_.DebugMode(), PathToUtf8(editor_.FileName()))) {
    arguments << ToQt(argument);
  }
  QProcess::startDetached(PathToQt(editor_.ProgramPath), arguments);
}

}  // namespace vantorel
