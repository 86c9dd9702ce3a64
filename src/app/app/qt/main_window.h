#pragma once

#include <QMainWindow>
#include <QPointer>
#include <map>
#include <string>
#include <vector>

#include "app/qt/qt_editor_ui.h"
#include "doc/change_notifier.h"
#include "doc/editor.h"
#include "view/editor_view_source.h"
#include "view/view_state.h"

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QKeyEvent;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QSplitter;
class QToolBar;
class QToolButton;

namespace vantorel {

struct CommandRow;
class CollListModel;
class ElementListModel;
class GlView;
class StatusPanel;

// How the window shows the 3D view: drawn with OpenGL, or not drawn at all (a panel in the
// background colour, for the window tests on a platform without OpenGL). The view's state,
// switches and commands are the same either way.
enum class ViewDrawing { OpenGl, None };

// The main window (TForm1): coll list and file tool bar above, element lists on the right, the
// 3D view in the centre, the status bar below. It shows the editor's state, as the change
// notifications tell it, and runs the rows of the command table that its menus, buttons and keys
// stand for; it holds no document behaviour of its own.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(const StartContext& context, ViewDrawing drawing = ViewDrawing::OpenGl,
                      QWidget* parent = nullptr);
  ~MainWindow() override;

  Editor& GetEditor() { return editor_; }
  // The outer size the window was given by the WindowSize preset.
  QSize PresetSize() const { return presetSize_; }
  // The view's state, drawn or not, and the OpenGL view (nullptr when the view is not drawn).
  const ViewState& View3D() const { return viewState_; }
  GlView* OpenGlView() const { return glView_; }
  // Whether the 3D view failed for good; the program then ends with a non-zero status.
  bool ViewFailed() const { return viewFailed_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Layout
  QWidget* BuildUpperBand();
  QWidget* BuildRightColumn();
  QWidget* BuildCentre(ViewDrawing drawing);
  void BuildStatusBar();
  // Menus, pop-up menus and tool bars from the command table
  void BuildCommands();
  void FillMenu(QMenu* menu, std::string_view place);
  QToolBar* BuildToolBar(std::string_view place, QWidget* parent);
  QWidget* BuildButtonGrid(std::string_view place, int columns);
  QAction* ActionFor(const CommandRow& row);
  void RunRow(std::string_view name);
  // Files dropped on the window, and File > Reopen, filled from the editor's list each time it
  // opens.
  void SetUpFileRoads();
  void FillReopenMenu(QMenu* menu);
  void RefreshCommandStates();
  void ApplyWindowSize();
  void FitFrameToPreset();
  void ShareTheRoom();
  void ViewFailedForGood(const std::string& message);

  // Editor state to widgets, all through this one subscriber
  // One batch of notices: each part of the window is shown anew at most once, and the command
  // states are refreshed once.
  void OnChanges(const Notices& notices);
  void ShowCollSelection();
  void ShowStatus();
  void ShowElementLists();
  void ShowViewSwitches();
  void ShowBackground();

  // Handlers
  void lbxCollCurrentChanged(int row);
  void lbxCollClick(int row);
  // Every key press in the window, before the control that has the focus gets it as well.
  void FormKeyDown(const QKeyEvent& key);
  void StartRestartedInstance();

  // The editor reaches the view through viewState_ only; both are made before the editor, which
  // they merely point at until it is built.
  QtEditorUi ui_;
  EditorViewSource viewSource_;
  ViewState viewState_;
  Editor editor_;

  QWidget* pnlScreen_ = nullptr;
  GlView* glView_ = nullptr;
  QToolBar* navigationBar_ = nullptr;
  QSplitter* outerSplitter_ = nullptr;
  QSplitter* middleSplitter_ = nullptr;
  QMenu* viewMenu_ = nullptr;
  QListView* lbxColl_ = nullptr;
  QListView* clbSpheres_ = nullptr;
  QListView* clbBoxes_ = nullptr;
  QListView* clbFaces_ = nullptr;
  CollListModel* collModel_ = nullptr;
  ElementListModel* sphereModel_ = nullptr;
  ElementListModel* boxModel_ = nullptr;
  ElementListModel* faceModel_ = nullptr;
  std::vector<StatusPanel*> panels_;
  QProgressBar* progress_ = nullptr;
  std::map<std::string, QAction*, std::less<>> actions_;
  std::map<std::string, QToolButton*, std::less<>> buttons_;

  bool syncingSelection_ = false;
  int rowJustSelected_ = -1;
  bool viewFailed_ = false;
  // The key press heard last and where, until its key is released.
  const QEvent* heardKey_ = nullptr;
  QPointer<QWidget> heardBy_;
  QSize presetSize_;
  QSize openedWith_;  // the client size the window was given, until the person changes it
};

// The program after its arguments are read: without a usable OpenGL 3.3 it says what is missing
// and returns a non-zero status at once; otherwise it shows the main window until it closes.
int RunMainWindow(const StartContext& context);

}  // namespace vantorel
