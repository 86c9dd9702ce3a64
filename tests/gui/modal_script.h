#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>

class QDialog;
class QMessageBox;

namespace vantorel::testing {

// Answers the modal dialogs a test provokes, in order: each time a new modal dialog is active,
// the next step runs with it. Every message box's caption and text are recorded.
class ModalScript : public QObject {
  Q_OBJECT

 public:
  using Step = std::function<void(QWidget*)>;
  ModalScript();
  ~ModalScript() override;

  void Then(Step step) { steps_.push_back(std::move(step)); }
  // Presses the button of a message box whose text is caption.
  void Press(const QString& buttonText);
  bool Done() const { return steps_.empty(); }

  QStringList texts;        // "caption|text" per message box seen
  QStringList defaults;     // the default button's text per message box seen
  QStringList buttonLists;  // the buttons per message box, sorted and joined with ","

 private:
  void Poll();

  std::deque<Step> steps_;
  QTimer timer_;
};

// Clicks the button of a message box (or dialog) whose text, without "&", is text.
void ClickButton(QWidget* dialog, const QString& text);

}  // namespace vantorel::testing
