// The main menu, the file tool bar's commands and the pop-up menus of the element lists.
#include <QAction>
#include <QApplication>
#include <QDesktopServices>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QToolButton>
#include <QUrl>

#include "app/main_settings_command.h"
#include "app/qt/main_window.h"
#include "app/register_file_type_command.h"
#include "core/program_identity.h"

namespace vantorel {

QAction* TForm1::Action(const char* name, const char* caption, const QKeySequence& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  return action;
}

// A command that arrives with a later part of the program: shown, but disabled until then.
QAction* TForm1::LaterAction(const char* name, const char* caption, const QKeySequence& shortcut) {
  QAction* action = Action(name, caption, shortcut);
  action->setEnabled(false);
  return action;
}

void TForm1::BuildMenus() {
  QMenuBar* bar = menuBar();

  QMenu* file = bar->addMenu("&File");
  file->setObjectName("File1");
  QAction* load = Action("Load1", "&Load...", QKeySequence("Ctrl+L"));
  QAction* reload = Action("Reload1", "&Reload");
  QAction* save = Action("Save1", "&Save", QKeySequence("Ctrl+S"));
  QAction* saveAs = Action("SaveAs1", "Save &As...");
  QAction* exit = Action("Exit1", "&Exit", QKeySequence("Ctrl+X"));
  file->addActions({load, reload});
  file->addSeparator();
  file->addActions({save, saveAs});
  file->addSeparator();
  file->addAction(exit);
  connect(load, &QAction::triggered, this, [this] { editor_.OpenFile(true); });
  connect(reload, &QAction::triggered, this, [this] { editor_.OpenFile(false); });
  connect(save, &QAction::triggered, this, [this] { SaveClick(Answer::No); });
  connect(saveAs, &QAction::triggered, this, [this] { editor_.SaveFile(true); });
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* coll = bar->addMenu("&Coll");
  coll->setObjectName("Coll1");
  QAction* apply = Action("ApplyChanges1", "&Apply Changes...");
  QAction* restore = Action("Restore1", "&Restore...");
  coll->addActions({apply, restore});
  coll->addSeparator();
  connect(apply, &QAction::triggered, this, [this] { editor_.ApplyCommand(); });
  connect(restore, &QAction::triggered, this, [this] { editor_.RestoreCommand(); });
  QMenu* edit = coll->addMenu("&Edit");
  edit->setObjectName("Edit1");
  QAction* copy = LaterAction("Copy1", "Co&py...", QKeySequence("Ctrl+C"));
  QAction* remove = LaterAction("Delete1", "&Delete...");
  QAction* import = LaterAction("Import1", "&Import...");
  QAction* exportColl = LaterAction("Export1", "&Export...");
  QAction* replace = LaterAction("Replace1", "Rep&lace...");
  QAction* rename = LaterAction("Rename1", "&Rename...", QKeySequence("F2"));
  edit->addActions({copy, remove, import, exportColl, replace, rename});
  coll->addAction(LaterAction("Merge1", "Merge..."));
  coll->addAction(LaterAction("MakeLOD1", "Make &LOD"));
  coll->addSeparator();
  coll->addAction(LaterAction("ImportCollisionScript1", "Import Collision &Script..."));
  coll->addAction(
      LaterAction("Showtextinfo1", "Show &Collision Script...", QKeySequence("Ctrl+T")));
  coll->addSeparator();
  coll->addAction(LaterAction("Find1", "&Find...", QKeySequence("Ctrl+F")));
  coll->addAction(LaterAction("FindNext1", "Find &Next", QKeySequence("F3")));
  coll->addAction(LaterAction("Showbriefinfo1", "Show Brief &Info...", QKeySequence("Ctrl+I")));

  QMenu* options = bar->addMenu("&Options");
  options->setObjectName("Options1");
  QAction* mainSettings = Action("MainSettings1", "&Main Settings...", QKeySequence("Ctrl+O"));
  QAction* colorSettings = LaterAction("ColorSettings1", "&Color Settings...");
  QAction* restart = Action("RestartApplication1", "Re&start Application");
  QAction* registerType = Action("RegisterFileType1", "&Register File Type...");
  options->addActions({mainSettings, colorSettings});
  options->addSeparator();
  options->addAction(restart);
  options->addSeparator();
  options->addAction(registerType);
  connect(mainSettings, &QAction::triggered, this, [this] { ShowMainSettings(editor_); });
  connect(restart, &QAction::triggered, this, &TForm1::RestartClick);
  connect(registerType, &QAction::triggered, this,
          [this] { RegisterFileTypeCommand(ui_, programPath_); });

  QMenu* help = bar->addMenu("&Help");
  help->setObjectName("Help1");
  QAction* helpItem = LaterAction("Help2", "&Help", QKeySequence("F1"));
  QAction* homepage = Action("VisitHomepage1", "&Visit Homepage");
  QAction* mail = Action("SendEmail1", "&Send Email");
  QAction* about = Action("About1", "&About...");
  help->addAction(helpItem);
  help->addSeparator();
  help->addActions({homepage, mail});
  help->addSeparator();
  help->addAction(about);
  connect(homepage, &QAction::triggered, this, [] {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomepage.data(), kHomepage.size())));
  });
  connect(mail, &QAction::triggered, this, [] {
    QUrl url("mailto:" + QString::fromLatin1(kMailAddress.data(), kMailAddress.size()));
    url.setQuery("subject=" + QString::fromLatin1(kVersionCaption.data(), kVersionCaption.size()));
    QDesktopServices::openUrl(url);
  });
  connect(about, &QAction::triggered, this, &TForm1::AboutClick);

  // The file tool bar runs the same commands; its Save asks with Yes as the default.
  const auto button = [this](const char* name) { return findChild<QToolButton*>(name); };
  connect(button("ToolButton7"), &QToolButton::clicked, load, &QAction::trigger);
  connect(button("ToolButton8"), &QToolButton::clicked, this, [this] { SaveClick(Answer::Yes); });
  const std::pair<const char*, QAction*> later[] = {
      {"ToolButton9", copy},        {"ToolButton10", remove}, {"ToolButton11", import},
      {"ToolButton12", exportColl}, {"ToolButton13", rename}, {"ToolButton14", replace}};
  for (const auto& [name, action] : later) {
    QToolButton* toolButton = button(name);
    toolButton->setEnabled(action->isEnabled());
    connect(action, &QAction::enabledChanged, toolButton, &QToolButton::setEnabled);
    connect(toolButton, &QToolButton::clicked, action, &QAction::trigger);
  }
}

QMenu* TForm1::BuildElementMenu(QListView* list, ListKind kind) {
  auto* menu = new QMenu(list);
  struct Names {
    const char* menu;
    const char* change;
    const char* quick;
  };
  const Names names = kind == ListKind::Spheres
                          ? Names{"PopupMenu4", "ChangeSurfaceValue1", "QuickChangeAllChecked2"}
                      : kind == ListKind::Boxes
                          ? Names{"PopupMenu5", "MenuItem8", "QuickChangeAllChecked1"}
                          : Names{"PopupMenu6", "MenuItem16", "QuickChangeOfSelected1"};
  menu->setObjectName(names.menu);
  menu->addAction(LaterAction(names.change, "&Change Surface..."));
  menu->addAction(LaterAction(names.quick, "&Quick Change (All Checked)"));
  menu->addSeparator();
  switch (kind) {
    case ListKind::Spheres:
      menu->addAction(LaterAction("AddSphere1", "A&dd Sphere..."));
      menu->addAction(LaterAction("EditSphere1", "&Edit Sphere..."));
      menu->addAction(LaterAction("DeleteSphere1", "De&lete Sphere"));
      break;
    case ListKind::Boxes:
      menu->addAction(LaterAction("MenuItem5", "A&dd Box..."));
      menu->addAction(LaterAction("EditBox1", "&Edit Box..."));
      menu->addAction(LaterAction("MenuItem6", "De&lete Box"));
      break;
    case ListKind::Faces:
      menu->addAction(LaterAction("Details1", "&Details..."));
      menu->addAction(LaterAction("MenuItem14", "De&lete Face"));
      menu->addAction(LaterAction("DeleteCheckedFaces1", "Delete C&hecked Faces"));
      menu->addAction(LaterAction("DeleteIsolatedVertices1", "Delete Unu&sed Vertices"));
      menu->addAction(LaterAction("DeleteAllVerticesFaces1", "Delete All &Vertices && Faces"));
      break;
  }
  menu->addSeparator();
  const QString suffix = kind == ListKind::Spheres ? "Spheres"
                         : kind == ListKind::Boxes ? "Boxes"
                                                   : "Faces";
  const std::pair<const char*, CheckCommand> checks[] = {
      {"Check &All", CheckCommand::CheckAll},
      {"&Uncheck All", CheckCommand::UncheckAll},
      {"&Invert Checkings", CheckCommand::Invert}};
  const char* checkNames[] = {"CheckAll", "UncheckAll", "InvertCheckings"};
  for (int i = 0; i < 3; ++i) {
    QAction* action = Action("", checks[i].first);
    action->setObjectName(QString(checkNames[i]) + suffix);
    const CheckCommand command = checks[i].second;
    connect(action, &QAction::triggered, this,
            [this, kind, command] { editor_.SetChecks(kind, command); });
    menu->addAction(action);
  }
  return menu;
}

}  // namespace vantorel
