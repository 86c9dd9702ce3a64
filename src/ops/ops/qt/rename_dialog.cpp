#include "ops/qt/rename_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt/dialog_buttons.h"
#include "app/qt/qt_text.h"
#include "app/qt/window_fit.h"
#include "core/name_rules.h"
#include "core/program_identity.h"

namespace vantorel {

RenameDialog::RenameDialog(const std::string& caption, const std::string& oldName, QWidget* parent)
    : QDialog(parent), oldName_(oldName) {
  setObjectName("TForm6");
  setWindowTitle(ToQt(caption));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  auto* oldLabel = new QLabel("Old name:");
  oldLabel->setObjectName("Label1");
  auto* oldEdit = new QLineEdit;
  oldEdit->setObjectName("Edit1");
  oldEdit->setMaxLength(static_cast<int>(kMaxCollNameLength));
  oldEdit->setText(ToQt(oldName));
  oldEdit->setReadOnly(true);
  auto* newLabel = new QLabel("New name:");
  newLabel->setObjectName("Label2");
  newName_ = new QLineEdit;
  newName_->setObjectName("Edit2");
  newName_->setMaxLength(static_cast<int>(kMaxCollNameLength));
  newName_->setText(ToQt(ProposeName(oldName)));
  auto* rules = new QToolButton;
  rules->setObjectName("SpeedButton1");
  rules->setText("?");
  rules->setAutoRaise(true);
  QFont bold = rules->font();
  bold.setBold(true);
  rules->setFont(bold);

  connect(rules, &QToolButton::clicked, this, &RenameDialog::ShowRules);

  auto* fields = new QGridLayout;
  fields->addWidget(oldLabel, 0, 0);
  fields->addWidget(oldEdit, 0, 1);
  fields->addWidget(newLabel, 1, 0);
  fields->addWidget(newName_, 1, 1);
  fields->addWidget(rules, 1, 2);
  QHBoxLayout* buttons = AcceptCancelRow(this, "&OK", [this] { TryAccept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(buttons);
  // As wide as its title needs, so that the window manager does not cut it.
  const QSize content = layout->sizeHint();
  setFixedSize(WithinScreen(
      *this,
      QSize(std::max(content.width(), TitleBarWidth(*this, windowTitle())), content.height())));
}

std::string RenameDialog::NewName() const {
  return FromQt(newName_->text());
}

std::optional<std::string> RenameDialog::Ask(QWidget* parent, const std::string& caption,
                                             const std::string& oldName) {
  RenameDialog dialog(caption, oldName, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.NewName();
}

void RenameDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  newName_->setFocus();
  newName_->selectAll();
}

void RenameDialog::TryAccept() {
  const NameCheck check = ValidateNewName(FromQt(newName_->text()), oldName_);
  switch (check.Verdict) {
    case NameVerdict::BadCharacter:
      newName_->setFocus();
      newName_->selectAll();
      return;
    case NameVerdict::SameAsOld:
    case NameVerdict::TooShort:
      return;  // the "?" button says why
    case NameVerdict::Ok:
      newName_->setText(ToQt(check.Name));
      accept();
      return;
  }
}

void RenameDialog::ShowRules() {
  QMessageBox::information(this, ToQt(std::string(kApplicationTitle)),
                           ToQt(std::string(kNameRulesText)));
}

}  // namespace vantorel
