#include "app/qt/main_window.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QProgressBar>
#include <QScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <cstdlib>
#include <ctime>
#include <filesystem>

#include "app/qt/coll_list_model.h"
#include "app/qt/column_list_view.h"
#include "app/qt/element_list_model.h"
#include "app/settings_store.h"
#include "app/start_up.h"
#include "app/status_bar.h"
#include "app/qt/toolbar_icons.h"
#include "core/ini_file.h"
#include "core/program_identity.h"
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

}  // namespace

TForm1::TForm1(const StartContext& context, QWidget* parent)
    : QMainWindow(parent),
      programPath_(context.ProgramPath),
      settingsPath_(context.SettingsPath),
      ui_(this),
      pnlScreen_(new ScenePanelWidget),
      editor_(ui_, *pnlScreen_) {
  setObjectName("Form1");
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
  BuildMenus();
  ConnectEditor();
  FormCreate(context);
}

TForm1::~TForm1() = default;

QWidget* TForm1::BuildUpperBand() {
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
  struct ButtonSpec {
    const char* name;
    const char* caption;
  };
  const ButtonSpec buttons[] = {{"ToolButton7", "&Load"},    {"ToolButton8", "&Save"},
                                {"ToolButton9", "Co&py"},    {"ToolButton10", "&Delete"},
                                {"ToolButton11", "&Import"}, {"ToolButton12", "&Export"},
                                {"ToolButton13", "&Rename"}, {"ToolButton14", "Repl&ace"}};
  for (int i = 0; i < 8; ++i) {
    auto* button = new QToolButton;
    button->setObjectName(buttons[i].name);
    button->setText(buttons[i].caption);
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    button->setFixedSize(64, 21);
    grid->addWidget(button, i / 2, i % 2);
  }
  layout->addWidget(toolbar);
  return band;
}

QWidget* TForm1::BuildRightColumn() {
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
    QMenu* menu = BuildElementMenu(list, kind);
    connect(list, &QWidget::customContextMenuRequested, this,
            [list, menu](const QPoint& at) { menu->popup(list->viewport()->mapToGlobal(at)); });
    connect(list->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this, kind](const QModelIndex& current) {
              if (!syncingSelection_) editor_.Lists.Of(kind).selected = current.row();
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

QWidget* TForm1::BuildCentre() {
  auto* toolbar = new QToolBar(pnlScreen_);
  toolbar->setObjectName("ToolBar2");
  toolbar->setIconSize(QSize(16, 16));
  navButtons_ = new QActionGroup(this);
  navButtons_->setExclusive(true);
  const ToolbarIcon icons[] = {ToolbarIcon::Pick, ToolbarIcon::Zoom, ToolbarIcon::Rotate,
                               ToolbarIcon::Move};
  const char* tips[] = {"Pick faces", "Zoom", "Rotate", "Move"};
  for (int mode = 0; mode < 4; ++mode) {
    QAction* action = toolbar->addAction(MakeToolbarIcon(icons[mode]), tips[mode]);
    action->setCheckable(true);
    action->setChecked(mode == kStartNavMode);
    navButtons_->addAction(action);
    toolbar->widgetForAction(action)->setObjectName(QString("btnNav%1").arg(mode + 1));
  }
  toolbar->move(2, 2);
  return pnlScreen_;
}

void TForm1::BuildStatusBar() {
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

void TForm1::ConnectEditor() {
  connect(&ui_, &QtEditorUi::captionChanged, this, &TForm1::ShowCaption);
  connect(&ui_, &QtEditorUi::collListReset, this, [this] {
    collModel_->Reset();
    ShowCollSelection();
  });
  connect(&ui_, &QtEditorUi::collLineChanged, collModel_, &CollListModel::LineChanged);
  connect(&ui_, &QtEditorUi::collSelectionChanged, this, &TForm1::ShowCollSelection);
  connect(&ui_, &QtEditorUi::elementListsChanged, this, &TForm1::ShowElementLists);
  connect(&ui_, &QtEditorUi::checksChanged, this, [this] {
    sphereModel_->ChecksChanged();
    boxModel_->ChecksChanged();
    faceModel_->ChecksChanged();
  });
  connect(&ui_, &QtEditorUi::statusChanged, this, &TForm1::ShowStatus);
}

void TForm1::ShowCaption() {
  setWindowTitle(ToQt(editor_.Caption));
}

void TForm1::ShowCollSelection() {
  syncingSelection_ = true;
  const int row = editor_.CollList.Selected;
  if (row >= 0 && row < collModel_->rowCount()) {
    const QModelIndex index = collModel_->index(row);
    lbxColl_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    lbxColl_->scrollTo(index);
  } else {
    lbxColl_->selectionModel()->clear();
  }
  syncingSelection_ = false;
}

void TForm1::ShowStatus() {
  for (int i = 0; i < kStatusPanelCount; ++i) {
    panels_[static_cast<std::size_t>(i)]->setText(
        ToQt(editor_.StatusPanels[static_cast<std::size_t>(i)]));
  }
}

void TForm1::ShowElementLists() {
  syncingSelection_ = true;
  for (auto [list, model] : {std::pair{clbSpheres_, sphereModel_}, std::pair{clbBoxes_, boxModel_},
                             std::pair{clbFaces_, faceModel_}}) {
    list->setUpdatesEnabled(false);
    model->Reset();
    const int selected = editor_.Lists.Of(model->Kind()).selected;
    if (selected >= 0 && selected < model->rowCount()) {
      list->selectionModel()->setCurrentIndex(model->index(selected),
                                              QItemSelectionModel::ClearAndSelect);
    }
    list->setUpdatesEnabled(true);
  }
  syncingSelection_ = false;
}

void TForm1::lbxCollCurrentChanged(int row) {
  if (syncingSelection_ || row < 0) return;
  rowJustSelected_ = row;
  editor_.ClickCollLine(row);
}

void TForm1::lbxCollClick(int row) {
  // A click on a new line has already been handled by the change of the current line; a click
  // on the current line selects it again.
  if (row == rowJustSelected_) {
    rowJustSelected_ = -1;
    return;
  }
  rowJustSelected_ = -1;
  if (row >= 0) editor_.ClickCollLine(row);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  // The Delete key in the coll list belongs to deleting colls, which is not available yet; it
  // must not fall through to anything else.
  if (watched == lbxColl_ && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void TForm1::ApplyWindowSize() {
  const QRect screen = this->screen() ? this->screen()->geometry() : QRect(0, 0, 1024, 768);
  const WindowSize size =
      WindowSizeForPreset(editor_.Settings.WindowSize, screen.width(), screen.height());
  presetSize_ = QSize(size.Width, size.Height);
  // The preset is the outer size; the frame the window manager adds is not known before the
  // window is shown, so the client size is corrected once it is.
  setFixedSize(presetSize_);
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  move(screen.center() - QPoint(size.Width / 2, size.Height / 2));
}

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The window manager's frame is known only once the window is on screen, and some window
  // managers report it a moment later still.
  QTimer::singleShot(0, this, &TForm1::FitFrameToPreset);
  QTimer::singleShot(250, this, &TForm1::FitFrameToPreset);
}

void TForm1::FitFrameToPreset() {
  const QSize frame = frameGeometry().size() - geometry().size();
  const QSize client = presetSize_ - frame;
  if ((frame.width() <= 0 && frame.height() <= 0) || client == size()) return;
  setFixedSize(client);
  if (const QScreen* current = screen()) {
    move(current->geometry().center() - QPoint(presetSize_.width() / 2, presetSize_.height() / 2));
  }
}

void TForm1::FormCreate(const StartContext& context) {
  // Settings first: the window size, the dialogs' start directory and the questions.
  std::string error;
  const auto ini = IniFile::Load(settingsPath_, &error);
  const std::string programDir = DirectoryOf(programPath_);
  ReadSettings(ini ? *ini : IniFile(), programDir, editor_.Settings, editor_.SurfaceTypeTable);
  pnlScreen_->SetBackground(editor_.Settings.Colors.Background);
  editor_.CollChanged = false;
  editor_.FileChanged = false;
  ApplyWindowSize();
  std::srand(static_cast<unsigned>(std::time(nullptr)));

  const auto isFile = context.IsExistingFile ? context.IsExistingFile : [](const std::string& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
  };
  const CommandLine line = ReadCommandLine(context.Arguments, isFile);
  editor_.DebugMode = line.DebugMode;
  editor_.SetCaption();  // the bare caption until the file is opened below
  editor_.FileName = line.FileName;

  if (!editor_.FileName.empty()) {
    editor_.DialogDirectory = DirectoryOf(editor_.FileName);
    editor_.OpenFile(false);
  } else {
    editor_.DialogDirectory = editor_.Settings.FilePath;
  }
}

void TForm1::closeEvent(QCloseEvent* event) {
  if (!editor_.QueryClose()) {
    event->ignore();
    return;
  }
  WriteSettingsFile();
  event->accept();
  if (restartRequested_) StartRestartedInstance();
}

void TForm1::WriteSettingsFile() {
  editor_.Settings.FilePath = FilePathAtClose(editor_.FileName, editor_.DialogDirectory);
  if (const auto error =
          WriteSettings(editor_.Settings, editor_.SurfaceTypeTable).Save(settingsPath_)) {
    ui_.Error(*error);
  }
}

void TForm1::StartRestartedInstance() {
  QStringList arguments;
  for (const std::string& argument : RestartArguments(editor_.DebugMode, editor_.FileName)) {
    arguments << ToQt(argument);
  }
  QProcess::startDetached(ToQt(programPath_), arguments);
}

void TForm1::SaveClick(Answer defaultButton) {
  editor_.SaveWithOverwriteQuestion(defaultButton);
}

void TForm1::RestartClick() {
  restartRequested_ = true;
  close();
}

void TForm1::AboutClick() {
  const QString text = QStringList{Text(kApplicationTitle),
                                   Text(kVersionLine),
                                   Text(kReleaseDate),
                                   "",
                                   "Homepage: " + Text(kHomepage),
                                   "E-Mail: " + Text(kMailAddress),
                                   "",
                                   "Thanks to everyone who tests Vantorel and reports what "
                                   "they find."}
                           .join('\n');
  QMessageBox box(QMessageBox::NoIcon, Text(kApplicationTitle), text, QMessageBox::Ok, this);
  box.setObjectName("about");
  box.exec();
}

}  // namespace vantorel
