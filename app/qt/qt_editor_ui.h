#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include "app/editor_ui.h"

class QWidget;
class QProgressBar;

namespace vantorel {

// Converts the editor's texts (bytes in the Windows code page the game files use, CR LF line
// breaks) for Qt and back.
QString ToQt(const std::string& text);
std::string FromQt(const QString& text);
// "Text|pattern|Text|pattern" as a Qt file dialog filter.
QString QtFilter(const std::string& filter);

// The editor's port implemented with Qt message boxes and dialogs. Notifications about state
// become signals, which the main window connects in one place.
class QtEditorUi : public QObject, public EditorUi {
  Q_OBJECT

 public:
  explicit QtEditorUi(QWidget* owner);

  void SetProgressBar(QProgressBar* bar);

  Answer Ask(const Question& question) override;
  void Message(const std::string& text) override;
  void Error(const std::string& text) override;
  std::optional<std::string> OpenFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFileDialog(const FileDialogRequest& request) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& text) override;
  std::optional<MainSettingsValues> MainSettingsDialog(const MainSettingsValues& current) override;
  void KeepAlive(std::size_t done, std::size_t total) override;

  void CaptionChanged() override { emit captionChanged(); }
  void CollListReset() override { emit collListReset(); }
  void CollLineChanged(int index) override { emit collLineChanged(index); }
  void CollSelectionChanged() override { emit collSelectionChanged(); }
  void ElementListsChanged() override { emit elementListsChanged(); }
  void ChecksChanged() override { emit checksChanged(); }
  void StatusChanged() override { emit statusChanged(); }

 signals:
  void captionChanged();
  void collListReset();
  void collLineChanged(int index);
  void collSelectionChanged();
  void elementListsChanged();
  void checksChanged();
  void statusChanged();

 private:
  QWidget* owner_;
  QPointer<QProgressBar> progress_;
  QElapsedTimer workTimer_;
  QElapsedTimer lastPump_;
  bool working_ = false;
};

}  // namespace vantorel
