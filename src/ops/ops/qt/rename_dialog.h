#pragma once

#include <QDialog>
#include <optional>
#include <string>

class QLineEdit;

namespace vantorel {

// Asks for a coll's new name, for Rename and Copy. OK closes the dialog only for a name that
// keeps the name rules; the "?" button explains them.
class RenameDialog : public QDialog {
  Q_OBJECT

 public:
  // caption and oldName are UTF-8.
  RenameDialog(const std::string& caption, const std::string& oldName, QWidget* parent = nullptr);

  // The accepted name, trimmed, in UTF-8; meaningful after OK.
  std::string NewName() const;

  // Shows the dialog modally; the new name, or nullopt when cancelled.
  static std::optional<std::string> Ask(QWidget* parent, const std::string& caption,
                                        const std::string& oldName);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void TryAccept();
  void ShowRules();

  std::string oldName_;
  QLineEdit* newName_;
};

}  // namespace vantorel
