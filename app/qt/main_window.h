#pragma once

#include <QMainWindow>
#include <map>
#include <string>
#include <vector>

#include "app/change_notifier.h"
#include "app/editor.h"
#include "app/qt/qt_editor_ui.h"

class QAction;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QToolButton;

namespace vantorel {

struct CommandRow;
class CollListModel;
class ElementListModel;
class ScenePanelWidget;

// The main window (TForm1): coll list and file tool bar above, element lists on the right, the
// 3D panel in the centre, the status bar below. It shows the editor's state, as the change
// notifications tell it, and runs the rows of the command table that its menus, buttons and keys
// stand for; it holds no document behaviour of its own.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit MainWindow(const StartContext& context, QWidget* parent = nullptr);
  ~MainWindow() override;

  Editor& GetEditor() { return editor_; }
  // The outer size the window was given by the WindowSize preset.
  QSize PresetSize() const { return presetSize_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Layout
  QWidget* BuildUpperBand();
  QWidget* BuildRightColumn();
  QWidget* BuildCentre();
  void BuildStatusBar();
  // Menus, pop-up menus and tool buttons from the command table
  void BuildCommands();
  void FillMenu(QMenu* menu, std::string_view place);
  QAction* ActionFor(const CommandRow& row);
  void RunRow(std::string_view name);
  void RefreshCommandStates();
  void ApplyWindowSize();
  void FitFrameToPreset();

  // Editor state to widgets, all through this one subscriber
  void OnChange(const ChangeNotice& notice);
  void ShowCollSelection();
  void ShowStatus();
  void ShowElementLists();

  // Handlers
  void lbxCollCurrentChanged(int row);
  void lbxCollClick(int row);
  void StartRestartedInstance();

  QtEditorUi ui_;
  ScenePanelWidget* pnlScreen_;
  Editor editor_;

  QListView* lbxColl_ = nullptr;
  QListView* clbSpheres_ = nullptr;
  QListView* clbBoxes_ = nullptr;
  QListView* clbFaces_ = nullptr;
  CollListModel* collModel_ = nullptr;
  ElementListModel* sphereModel_ = nullptr;
  ElementListModel* boxModel_ = nullptr;
  ElementListModel* faceModel_ = nullptr;
  std::vector<QLabel*> panels_;
  QProgressBar* progress_ = nullptr;
  std::map<std::string, QAction*, std::less<>> actions_;
  std::map<std::string, QToolButton*, std::less<>> buttons_;

  bool syncingSelection_ = false;
  int rowJustSelected_ = -1;
  QSize presetSize_;
};

}  // namespace vantorel
