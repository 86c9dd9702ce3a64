#include "app/qt/qt_editor_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QUrl>

#include "app/qt/locale_texts.h"
#include "app/qt/main_settings_dialog.h"
#include "app/qt/qt_text.h"
#include "core/program_identity.h"
#include "core/windows1252.h"
#include "edit/qt/script_viewer.h"
#include "edit/qt/value_dialog.h"
#include "ops/qt/change_surface_dialog.h"
#include "ops/qt/merge_dialog.h"
#include "ops/qt/mesh_import_dialog.h"
#include "ops/qt/rename_dialog.h"
#include "ops/qt/select_colls_dialog.h"
#include "view/qt/color_settings_dialog.h"

namespace vantorel {

namespace {

// Scans shorter than this show no progress bar; the window is pumped this often meanwhile.
constexpr qint64 kProgressDelayMs = 250;
constexpr qint64 kPumpIntervalMs = 30;

QString Title() {
  return ToQt(std::string(kApplicationTitle));
}

QFileDialog::Options DialogOptions() {
  return QFileDialog::DontUseNativeDialog;
}

void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request) {
  dialog.setWindowTitle(ToQt(request.Title));
  dialog.setNameFilter(QtFilter(request.Filter));
  QString ext = ToQt(request.DefaultExt);
  if (ext.startsWith("*.")) ext = ext.mid(2);
  dialog.setDefaultSuffix(ext);
  dialog.setOptions(DialogOptions());
  if (!request.InitialDir.empty()) dialog.setDirectory(PathToQt(request.InitialDir));
  if (!request.FileName.empty()) dialog.selectFile(PathToQt(request.FileName));
}

std::optional<std::filesystem::path> ChosenFile(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathFromQt(dialog.selectedFiles().front());
}

}  // namespace

QtEditorUi::QtEditorUi(QWidget* owner) : owner_(owner) {}

void QtEditorUi::SetProgressBar(QProgressBar* bar) {
  progress_ = bar;
}

Answer QtEditorUi::Ask(const Question& question) {
  QMessageBox box(QMessageBox::Question, ToQt(question.Caption), ToQt(question.Text),
                  QMessageBox::NoButton, owner_);
  box.setObjectName("question");
  const auto yes = box.addButton(QMessageBox::Yes);
  const auto no = box.addButton(QMessageBox::No);
  QPushButton* cancel = nullptr;
  if (question.Choices == Buttons::YesNoCancel) cancel = box.addButton(QMessageBox::Cancel);
  switch (question.Default) {
    case Answer::Yes:
      box.setDefaultButton(yes);
      break;
    case Answer::No:
      box.setDefaultButton(no);
      break;
    case Answer::Cancel:
      if (cancel) box.setDefaultButton(cancel);
      break;
  }
  box.setEscapeButton(cancel ? cancel : no);
  box.exec();
  if (box.clickedButton() == yes) return Answer::Yes;
  if (box.clickedButton() == no) return Answer::No;
  return cancel ? Answer::Cancel : Answer::No;
}

void QtEditorUi::Message(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, Title(), ToQt(text), QMessageBox::Ok, owner_);
  box.setObjectName("message");
  box.exec();
}

void QtEditorUi::Error(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, Title(), ToQt(text), QMessageBox::Ok, owner_);
  box.setObjectName("error");
  box.exec();
}

std::optional<std::filesystem::path> QtEditorUi::OpenFileDialog(const FileDialogRequest& request) {
  QFileDialog dialog(owner_);
  dialog.setObjectName("open");
  PrepareFileDialog(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  return ChosenFile(dialog);
}

std::optional<std::filesystem::path> QtEditorUi::SaveFileDialog(const FileDialogRequest& request) {
  QFileDialog dialog(owner_);
  dialog.setObjectName("save");
  PrepareFileDialog(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  if (!request.AskOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
  return ChosenFile(dialog);
}

std::optional<std::string> QtEditorUi::InputBox(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& text) {
  QInputDialog dialog(owner_);
  dialog.setObjectName("input");
  dialog.setWindowTitle(ToQt(caption));
  dialog.setLabelText(ToQt(prompt));
  dialog.setTextValue(ToQt(text));
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return FromQt(dialog.textValue());
}

std::optional<Settings> QtEditorUi::MainSettingsDialog(const Settings& current,
                                                       const std::filesystem::path& settingsFile) {
  vantorel::MainSettingsDialog dialog(current, settingsFile, owner_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Values();
}

std::optional<std::string> QtEditorUi::AskNewName(const std::string& caption,
                                                  const std::string& oldName) {
  return RenameDialog::Ask(owner_, caption, oldName);
}

std::optional<std::vector<int>> QtEditorUi::SelectColls(const SelectCollsRequest& request) {
  return SelectCollsDialog::Ask(owner_, request);
}

std::optional<MergeChoice> QtEditorUi::ChooseMerge(const std::vector<std::string>& lines,
                                                   int current) {
  return MergeDialog::Ask(owner_, lines, current);
}

std::optional<MeshImportValues> QtEditorUi::AskMeshImport(const MeshImportRequest& request) {
  return MeshImportDialog::Ask(owner_, request);
}

std::optional<SurfaceChoice> QtEditorUi::ChangeSurfaceDialog(const SurfaceDialogValues& values) {
  return vantorel::ChangeSurfaceDialog::Ask(owner_, values);
}

std::optional<ElementValues> QtEditorUi::EditElementValues(const std::string& caption,
                                                           const ElementValues& values,
                                                           const SurfaceTypeTable& surfaces,
                                                           char decimalSeparator) {
  return ValueDialog::Ask(owner_, ToQt(caption), values, surfaces, decimalSeparator);
}

void QtEditorUi::ShowCollisionScript(const std::string& script, const std::string& collName,
                                     const std::filesystem::path& folder) {
  ScriptViewer viewer(script, Utf8ToWindows1252(collName), PathToQt(folder), owner_);
  viewer.exec();
}

std::string QtEditorUi::LocalDateTimeText() {
  return FromQt(LocaleDateTimeText(QLocale(), QDateTime::currentDateTime()));
}

std::optional<ColorSettings> QtEditorUi::ColorSettingsDialog(const MainColors& colors,
                                                             const SurfaceTypeTable& surfaces) {
  return vantorel::ColorSettingsDialog::Edit(colors, surfaces, owner_);
}

void QtEditorUi::ShowAbout(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, Title(), ToQt(text), QMessageBox::Ok, owner_);
  box.setObjectName("about");
  box.exec();
}

void QtEditorUi::CloseMainWindow() {
  owner_->close();
}

void QtEditorUi::OpenUrl(const std::string& url) {
  QDesktopServices::openUrl(QUrl(ToQt(url)));
}

void QtEditorUi::KeepAlive(std::size_t done, std::size_t total) {
  if (!working_) {
    working_ = true;
    workTimer_.start();
    lastPump_.start();
  }
  const bool finished = done >= total;
  if (progress_) {
    if (finished) {
      progress_->hide();
    } else if (workTimer_.elapsed() >= kProgressDelayMs) {
      progress_->setRange(0, 1000);
      progress_->setValue(total ? static_cast<int>(done * 1000 / total) : 0);
      progress_->show();
    }
  }
  // Repaints and timers run; clicks and keys wait until the work is done, so no command can
  // run on a half-built directory.
  if (finished || lastPump_.elapsed() >= kPumpIntervalMs) {
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    lastPump_.restart();
  }
  if (finished) working_ = false;
}

}  // namespace vantorel
