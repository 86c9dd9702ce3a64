#include "app/qt/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProcess>
#include <QProgressBar>
#include <QResizeEvent>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <optional>

#include "app/command_table.h"
#include "app/qt/coll_list_model.h"
#include "app/qt/column_list_view.h"
#include "app/qt/element_list_model.h"
#include "app/qt/locale_texts.h"
#include "app/qt/qt_text.h"
#include "app/qt/row_keys.h"
#include "app/qt/status_panel.h"
#include "core/program_identity.h"
#include "core/utf8_path.h"
#include "doc/start_up.h"
#include "doc/status_bar.h"
#include "view/qt/gl_view.h"

namespace vantorel {

namespace {

constexpr int kUpperBandHeight = 90;
constexpr int kRightColumnWidth = 150;
constexpr int kCollListColumns = 4;
constexpr int kSplitterHandle = 3;
constexpr int kShareOfGrowth = 5;

QString Text(std::string_view text) {
  return ToQt(std::string(text));
}

std::optional<NavKey> NavKeyOf(int key) {
  switch (key) {
    case Qt::Key_PageUp:
      return NavKey::PageUp;
    case Qt::Key_PageDown:
      return NavKey::PageDown;
    case Qt::Key_Left:
      return NavKey::Left;
    case Qt::Key_Right:
      return NavKey::Right;
    case Qt::Key_Up:
      return NavKey::Up;
    case Qt::Key_Down:
      return NavKey::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace

MainWindow::MainWindow(const StartContext& context, ViewDrawing drawing, QWidget* parent)
    : QMainWindow(parent),
      ui_(this),
      viewSource_(&editor_),
      viewState_(viewSource_),
      editor_(ui_, viewState_) {
  setObjectName("TForm1");
  setWindowTitle(Text(kVersionCaption));

  // The coll list, the 3D view and the element lists share what a larger window gives (see
  // ShareTheRoom); the person may move the dividers too.
  auto* outer = new QSplitter(Qt::Vertical);
  outer->setObjectName("OuterSplitter");
  outer->setChildrenCollapsible(false);
  outer->setHandleWidth(kSplitterHandle);
  outer->addWidget(BuildUpperBand());
  auto* middle = new QSplitter(Qt::Horizontal);
  middle->setObjectName("MiddleSplitter");
  middle->setChildrenCollapsible(false);
  middle->setHandleWidth(kSplitterHandle);
  middle->addWidget(BuildCentre(drawing));
  middle->addWidget(BuildRightColumn());
  outer->addWidget(middle);
  outer->setSizes({kUpperBandHeight, 10000});
  middle->setSizes({10000, kRightColumnWidth});
  outerSplitter_ = outer;
  middleSplitter_ = middle;
  setCentralWidget(outer);
  BuildStatusBar();
  BuildCommands();
  // The view hears first, so that the window's own refresh finds it rebuilt.
  viewState_.Follow(editor_.Changes());
  editor_.Changes().Subscribe([this](const Notices& notices) { OnChanges(notices); });
  // Numbers are shown and read with the locale's separator from the first file on.
  editor_.DecimalSeparator = LocaleDecimalSeparator(QLocale());
  // The window hears every key before the control that has the focus.
  qApp->installEventFilter(this);

  // Start-up: settings, flags, command line and the first file are the editor's; the window
  // then takes the size its settings ask for. The view's multisampling is fixed when it is
  // first shown, after the settings and the command line have been read.
  editor_.Run("Start", [&] { editor_.StartUp(context); });
  if (glView_) {
    glView_->SetSetup(
        {.FSAntialiasing = editor_.Settings().FSAntialiasing, .DebugMode = editor_.DebugMode()});
  }
  ShowBackground();
  ShowViewSwitches();
  ApplyWindowSize();
}

MainWindow::~MainWindow() {
  qApp->removeEventFilter(this);
  // The view hears from viewState_ until it goes; children would go only after the members.
  delete glView_;
}

QWidget* MainWindow::BuildUpperBand() {
  auto* band = new QWidget;
  band->setMinimumHeight(kUpperBandHeight);
  auto* layout = new QHBoxLayout(band);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);

  lbxColl_ = new ColumnListView(kCollListColumns);
  lbxColl_->setObjectName("lbxColl");
  collModel_ = new CollListModel(editor_, this);
  lbxColl_->setModel(collModel_);
  connect(lbxColl_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { lbxCollCurrentChanged(current.row()); });
  connect(lbxColl_, &QListView::clicked, this,
          [this](const QModelIndex& index) { lbxCollClick(index.row()); });
  layout->addWidget(lbxColl_, 1);

  // Eight captioned buttons in four rows of two.
  layout->addWidget(BuildButtonGrid("ToolBar3", 2), 0, Qt::AlignTop);
  return band;
}

QWidget* MainWindow::BuildRightColumn() {
  auto* column = new QWidget;
  column->setMinimumWidth(kRightColumnWidth);
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  auto* bars = new QHBoxLayout;
  bars->setSpacing(0);
  bars->addWidget(BuildToolBar("ToolBar1", column));
  bars->addWidget(BuildToolBar("ToolBar4", column));
  bars->addStretch(1);
  layout->addLayout(bars);

  auto* splitter = new QSplitter(Qt::Vertical);
  auto makeList = [&](const char* name, ListKind kind, ElementListModel*& model) {
    auto* list = new QListView;
    list->setObjectName(name);
    list->setUniformItemSizes(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    model = new ElementListModel(editor_, kind, this);
    list->setModel(model);
    list->setContextMenuPolicy(Qt::CustomContextMenu);
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

QWidget* MainWindow::BuildCentre(ViewDrawing drawing) {
  if (drawing == ViewDrawing::OpenGl) {
    glView_ = new GlView(viewState_, GlViewSetup{});
    glView_->SetFatalErrorHandler(
        [this](const std::string& message) { ViewFailedForGood(message); });
    connect(glView_, &GlView::contextMenuRequested, this,
            [this](QPoint at) { viewMenu_->popup(at); });
    pnlScreen_ = glView_;
  } else {
    pnlScreen_ = new QWidget;
    pnlScreen_->setObjectName("pnlScreen");
    pnlScreen_->setAutoFillBackground(true);
    pnlScreen_->setFocusPolicy(Qt::ClickFocus);
    pnlScreen_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(pnlScreen_, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { viewMenu_->popup(pnlScreen_->mapToGlobal(at)); });
  }
  navigationBar_ = BuildToolBar("ToolBar2", pnlScreen_);
  auto* navigation = new QActionGroup(this);
  navigation->setExclusive(true);
  for (QAction* action : navigationBar_->actions())
    navigation->addAction(action);
  navigationBar_->move(2, 2);
  // The San Andreas switches beside it, apart from the navigation modes and shown whether or
  // not the navigation bar is.
  QToolBar* saParts = BuildToolBar("ToolBar5", pnlScreen_);
  saParts->move(navigationBar_->sizeHint().width() + 10, 2);
  return pnlScreen_;
}

void MainWindow::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setObjectName("status");
  bar->setSizeGripEnabled(false);
  // The number panels are at least their classic pixel widths and grow to show their whole
  // texts; the name is as wide as it is, so that the dimensions have room to show whole. A
  // slightly smaller font keeps them close to the classic widths.
  QFont panelFont = bar->font();
  panelFont.setPointSizeF(std::max(6.0, panelFont.pointSizeF() - 1));
  for (int i = 0; i < kStatusPanelCount; ++i) {
    const bool last = i == kStatusPanelCount - 1;
    const PanelFit fit = i == 1 ? PanelFit::Hugs : last ? PanelFit::Fills : PanelFit::Whole;
    auto* panel = new StatusPanel(kStatusPanelWidths[static_cast<std::size_t>(i)], fit);
    panel->setFont(panelFont);
    panel->setObjectName(QString("StatusPanel%1").arg(i));
    if (i == 0) panel->setAlignment(Qt::AlignCenter);
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

void MainWindow::OnChanges(const Notices& notices) {
  bool caption = false, list = false, selection = false, workingCopy = false, settings = false,
       switches = false;
  std::vector<int> lines;
  std::vector<ListKind> checks;
  for (const Notice& notice : notices) {
    if (std::holds_alternative<FileChanged>(notice)) caption = true;
    if (std::holds_alternative<CollListChanged>(notice)) list = true;
    if (std::holds_alternative<SelectionChanged>(notice)) selection = true;
    if (std::holds_alternative<WorkingCopyChanged>(notice)) workingCopy = true;
    if (std::holds_alternative<SettingsChanged>(notice)) settings = true;
    if (std::holds_alternative<ViewChanged>(notice)) switches = true;
    if (const auto* line = std::get_if<CollLineChanged>(&notice)) lines.push_back(line->Line);
    if (const auto* marks = std::get_if<ChecksChanged>(&notice)) checks.push_back(marks->Kind);
  }
  if (caption) setWindowTitle(ToQt(editor_.Caption()));
  if (list) {
    collModel_->Reset();
  } else {
    for (const int line : lines)
      collModel_->LineChanged(line);
  }
  if (list || selection) ShowCollSelection();
  if (settings) ShowBackground();
  if (workingCopy || settings) {
    ShowElementLists();
  } else {
    for (ElementListModel* model : {sphereModel_, boxModel_, faceModel_}) {
      if (std::find(checks.begin(), checks.end(), model->Kind()) != checks.end()) {
        model->ChecksChanged();
      }
    }
  }
  if (selection || workingCopy) ShowStatus();
  if (switches) ShowViewSwitches();
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
    panels_[i]->SetPanelText(ToQt(texts[i]));
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

void MainWindow::ShowViewSwitches() {
  navigationBar_->setVisible(editor_.View().Options().ShowNavigationBar);
}

void MainWindow::ShowBackground() {
  // The OpenGL view clears with the colour itself.
  if (glView_) return;
  QPalette palette = pnlScreen_->palette();
  palette.setColor(QPalette::Window, QColor::fromRgb(editor_.Settings().Colors.Background));
  pnlScreen_->setPalette(palette);
}

void MainWindow::lbxCollCurrentChanged(int row) {
  if (syncingSelection_ || row < 0) return;
  rowJustSelected_ = row;
  editor_.Run({}, [&] { editor_.ClickCollLine(row); });
}

void MainWindow::lbxCollClick(int row) {
  // A click on a new line has already been handled by the change of the current line; a click
  // on the current line selects it again.
  if (row == rowJustSelected_) {
    rowJustSelected_ = -1;
    return;
  }
  rowJustSelected_ = -1;
  if (row >= 0) editor_.Run({}, [&] { editor_.ClickCollLine(row); });
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyRelease) heardKey_ = nullptr;
  if (event->type() == QEvent::Wheel && watched == pnlScreen_) {
    viewState_.ZoomByWheel(static_cast<const QWheelEvent&>(*event).angleDelta().y());
    return true;
  }
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() != QEvent::KeyPress || !widget || widget->window() != this) {
    return QMainWindow::eventFilter(watched, event);
  }
  // A press nobody takes travels from the control that has the focus up through its parents,
  // and this filter sees it at each of them: it is heard at the first only.
  if (event == heardKey_ && heardBy_ && widget->isAncestorOf(heardBy_)) {
    return QMainWindow::eventFilter(watched, event);
  }
  heardKey_ = event;
  heardBy_ = widget;
  const auto& key = static_cast<const QKeyEvent&>(*event);
  // A key of one list (Delete) acts in the list that has it, whatever modifier keys are held.
  if (const CommandRow* row = ListKeyRow(watched->objectName(), key.key())) {
    RunRow(row->Name);
    return true;
  }
  FormKeyDown(key);
  return QMainWindow::eventFilter(watched, event);  // the focused control gets the key as well
}

void MainWindow::FormKeyDown(const QKeyEvent& key) {
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
  // The digit keys press a navigation button whether or not key navigation is on.
  if (const CommandRow* row = PassingKeyRow(key.key())) {
    RunRow(row->Name);
    return;
  }
  if (const std::optional<NavKey> navigation = NavKeyOf(key.key())) {
    viewState_.MoveByKey(*navigation);
  }
}

void MainWindow::ViewFailedForGood(const std::string& message) {
  // The program ends, but by the usual road: the apply and save questions come first, so no
  // edit is lost unasked.
  viewFailed_ = true;
  ui_.Message(message);
  close();
}

void MainWindow::ApplyWindowSize() {
  const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1024, 768);
  const WindowSize size =
      WindowSizeForPreset(editor_.Settings().WindowSize, screen.width(), screen.height());
  presetSize_ = QSize(size.Width, size.Height);
  // The preset is the outer size the window opens with; the person may resize and maximise it
  // from there. The frame the window manager adds is not known before the window is shown, so
  // the client size is corrected once it is.
  resize(presetSize_);
  openedWith_ = presetSize_;
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
  // Only the size the window opened with; a window already resized or maximised stays so.
  if (size() != openedWith_ || isMaximized() || isFullScreen()) return;
  resize(client);
  openedWith_ = client;
  if (const QScreen* current = screen()) {
    move(current->geometry().center() - QPoint(presetSize_.width() / 2, presetSize_.height() / 2));
  }
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  ShareTheRoom();
}

void MainWindow::ShareTheRoom() {
  // At the size it opened with the band and the column have their classic sizes; beyond it they
  // take a fifth of what the window gained, the 3D view the rest.
  const QSize opened = openedWith_.isValid() ? openedWith_ : size();
  const int band = kUpperBandHeight + std::max(0, height() - opened.height()) / kShareOfGrowth;
  const int column = kRightColumnWidth + std::max(0, width() - opened.width()) / kShareOfGrowth;
  const int tall = std::max(outerSplitter_->height(), band + 1);
  const int wide = std::max(middleSplitter_->width(), column + 1);
  outerSplitter_->setSizes({band, tall - band});
  middleSplitter_->setSizes({wide - column, column});
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

int RunMainWindow(const StartContext& context) {
  if (const std::optional<std::string> problem = GlView::OpenGlProblem(GlViewSetup{})) {
    QtEditorUi(nullptr).Message(*problem);
    return 1;
  }
  MainWindow window(context);
  window.show();
  const int status = QApplication::exec();
  return window.ViewFailed() ? 1 : status;
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
