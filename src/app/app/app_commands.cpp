// The rows of the File, Options and Help menus, Apply and Restore, the file buttons of the upper
// tool bar and the check commands of the three element lists.
#include <string>

#include "app/command_table.h"
#include "app/main_settings_command.h"
#include "app/register_file_type_command.h"
#include "core/program_identity.h"
#include "core/utf8_path.h"
#include "doc/editor.h"
#include "doc/row_conditions.h"

namespace vantorel {

namespace {

std::string AboutText() {
  const std::string contact = ContactText(kProjectContact, "Homepage: ", "E-Mail: ", "\n");
  return std::string(kApplicationTitle) + "\n" + std::string(kVersionLine) + "\n" +
         std::string(kReleaseDate) + (contact.empty() ? "" : "\n\n" + contact) +
         "\n\nThanks to everyone who tests Vantorel and reports what they find.";
}

// The start-up picture shows at full strength while the message is open and fades out after.
void ShowAbout(Editor& editor) {
  struct PictureHold {
    SceneView& view;
    explicit PictureHold(SceneView& held) : view(held) { view.HoldStartPicture(true); }
    ~PictureHold() { view.HoldStartPicture(false); }
  } hold(editor.View());
  editor.Ui().ShowAbout(AboutText());
}

void Restart(Editor& editor) {
  editor.RestartRequested = true;
  editor.Ui().CloseMainWindow();
}

void AddCheckRows(std::vector<CommandRow>& rows, ListKind kind) {
  static const std::string names[3][3] = {
      {"CheckAllSpheres", "UncheckAllSpheres", "InvertCheckingsSpheres"},
      {"CheckAllBoxes", "UncheckAllBoxes", "InvertCheckingsBoxes"},
      {"CheckAllFaces", "UncheckAllFaces", "InvertCheckingsFaces"}};
  const auto& rowNames = names[static_cast<int>(kind)];
  const std::pair<std::string_view, CheckCommand> checks[] = {
      {"Check &All", CheckCommand::CheckAll},
      {"&Uncheck All", CheckCommand::UncheckAll},
      {"&Invert Checkings", CheckCommand::Invert}};
  for (int i = 0; i < 3; ++i) {
    const CheckCommand command = checks[i].second;
    rows.push_back({rowNames[i], checks[i].first, {}, [kind, command](Editor& e) {
                      e.SetChecks(kind, command);
                    }});
  }
}

}  // namespace

void AddAppCommands(std::vector<CommandRow>& rows) {
  rows.push_back({"File1", "&File"});
  rows.push_back({"Load1", "&Load...", "Ctrl+L", [](Editor& e) { e.OpenFile(true); }});
  rows.push_back({"Reopen1", "Re&open"});
  rows.push_back({"Reload1", "&Reload", {}, [](Editor& e) { e.OpenFile(false); }});
  rows.push_back(
      {"Save1", "&Save", "Ctrl+S", [](Editor& e) { e.SaveWithOverwriteQuestion(Answer::No); }});
  rows.push_back({"SaveAs1", "Save &As...", {}, [](Editor& e) { e.SaveFile(true); }});
  rows.push_back({"Exit1", "&Exit", "Ctrl+X", [](Editor& e) { e.Ui().CloseMainWindow(); }});

  rows.push_back({"Coll1", "&Coll"});
  CommandRow apply{"ApplyChanges1", "&Apply Changes...", {}, [](Editor& e) { e.ApplyCommand(); }};
  apply.Applies = NeedsOpenFile();
  rows.push_back(apply);
  CommandRow restore{"Restore1", "&Restore...", {}, [](Editor& e) { e.RestoreCommand(); }};
  restore.Applies = NeedsOpenFile();
  restore.Step = StepName::ApplyOrDiscard;
  rows.push_back(restore);

  CommandRow undo{"Undo1", "&Undo", "Ctrl+Z", [](Editor& e) { e.Undo(); }};
  undo.Applies = When([](const Editor& e) { return e.CanUndo(); }, "there is nothing to undo");
  undo.GreyedWhenNot = true;
  undo.CaptionNow = [](const Editor& e) {
    return e.CanUndo() ? "&Undo " + CaptionText(e.UndoName()) : std::string("&Undo");
  };
  rows.push_back(undo);
  CommandRow redo{"Redo1", "&Redo", "Ctrl+Y", [](Editor& e) { e.Redo(); }};
  redo.ExtraShortcut = "Ctrl+Shift+Z";
  redo.Applies = When([](const Editor& e) { return e.CanRedo(); }, "there is nothing to redo");
  redo.GreyedWhenNot = true;
  redo.CaptionNow = [](const Editor& e) {
    return e.CanRedo() ? "&Redo " + CaptionText(e.RedoName()) : std::string("&Redo");
  };
  rows.push_back(redo);

  rows.push_back({"Options1", "&Options"});
  rows.push_back({"MainSettings1", "&Main Settings...", "Ctrl+O", ShowMainSettings});
  rows.push_back({"RestartApplication1", "Re&start Application", {}, Restart});
  rows.push_back({"RegisterFileType1", "&Register File Type...", {}, [](Editor& e) {
                    RegisterFileTypeCommand(e.Ui(), PathToUtf8(e.ProgramPath));
                  }});

  rows.push_back({"Help1", "&Help"});
  CommandRow help{"Help2", "&Help", "F1"};
  help.Run = [](Editor&) {};
  help.Applies = When([](const Editor&) { return false; }, "the program ships without a help file");
  help.GreyedWhenNot = true;
  rows.push_back(help);
  CommandRow homepage{"VisitHomepage1", "&Visit Homepage", {}, [](Editor& e) {
                        e.Ui().OpenUrl(std::string(kProjectContact.Homepage));
                      }};
  homepage.Applies = When([](const Editor&) { return !kProjectContact.Homepage.empty(); },
                          "this build names no homepage (VANTOREL_HOMEPAGE)");
  homepage.GreyedWhenNot = true;
  rows.push_back(homepage);
  CommandRow mail{"SendEmail1", "&Send Email", {}, [](Editor& e) {
                    e.Ui().OpenUrl("mailto:" + std::string(kProjectContact.Mail) +
                                   "?subject=" + std::string(kVersionCaption));
                  }};
  mail.Applies = When([](const Editor&) { return !kProjectContact.Mail.empty(); },
                      "this build names no mail address (VANTOREL_MAIL)");
  mail.GreyedWhenNot = true;
  rows.push_back(mail);
  rows.push_back({"About1", "&About...", {}, ShowAbout});

  // The file buttons of the upper tool bar; its Save asks with Yes as the default.
  rows.push_back({"ToolBar3", ""});
  rows.push_back({"ToolButton7", "&Load", {}, [](Editor& e) { e.OpenFile(true); }});
  rows.push_back(
      {"ToolButton8", "&Save", {}, [](Editor& e) { e.SaveWithOverwriteQuestion(Answer::Yes); }});

  AddCheckRows(rows, ListKind::Spheres);
  AddCheckRows(rows, ListKind::Boxes);
  AddCheckRows(rows, ListKind::Faces);
}

}  // namespace vantorel
