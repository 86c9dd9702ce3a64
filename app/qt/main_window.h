#pragma once

#include <QMainWindow>
#include <functional>
#include <string>
#include <vector>

#include "app/editor.h"
#include "app/qt/qt_editor_ui.h"

class QAction;
class QActionGroup;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;

namespace vantorel {

class CollListModel;
class ElementListModel;
class ScenePanelWidget;

// What the program was started with.
struct StartContext {
  std::vector<std::string> Arguments;  // the command line without the program
  std::string ProgramPath;             // the program file
  std::string SettingsPath;            // the settings file, read at start and written at close
  std::function<bool(const std::string&)> IsExistingFile;
};

// The main window: coll list and file tool bar above, element lists on the right, the 3D panel
// in the centre, the status bar below. It presents the editor's state and turns menu items,
// buttons and clicks into editor commands.
class TForm1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit TForm1(const StartContext& context, QWidget* parent = nullptr);
  ~TForm1() override;

  Editor& GetEditor() { return editor_; }
  bool RestartRequested() const { return restartRequested_; }
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
  void BuildMenus();
  QMenu* BuildElementMenu(QListView* list, ListKind kind);
  QAction* Action(const char* name, const char* caption, const QKeySequence& shortcut = {});
  QAction* LaterAction(const char* name, const char* caption, const QKeySequence& shortcut = {});
  void ApplyWindowSize();
  void FitFrameToPreset();

  // Editor state to widgets
  void ConnectEditor();
  void ShowCaption();
  void ShowCollSelection();
  void ShowStatus();
  void ShowElementLists();

  // Handlers
  void lbxCollCurrentChanged(int row);
  void lbxCollClick(int row);
  void FormCreate(const StartContext& context);
  void SaveClick(Answer defaultButton);
  void RestartClick();
  void AboutClick();
  void WriteSettingsFile();
  void StartRestartedInstance();

  std::string programPath_;
  std::string settingsPath_;
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
  QActionGroup* navButtons_ = nullptr;

  bool syncingSelection_ = false;
  int rowJustSelected_ = -1;
  bool restartRequested_ = false;
  QSize presetSize_;
};

}  // namespace vantorel
