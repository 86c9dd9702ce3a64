#include "ops/qt/merge_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/qt/dialog_buttons.h"
#include "app/qt/qt_text.h"
#include "core/name_rules.h"

namespace vantorel {

namespace {

QComboBox* CollChoice(const char* name, const std::vector<std::string>& lines, int current) {
  auto* box = new QComboBox;
  box->setObjectName(name);
  box->setEditable(false);
  for (const std::string& line : lines)
    box->addItem(ToQt(line));
  if (current >= 0 && current < box->count()) box->setCurrentIndex(current);
  return box;
}

}  // namespace

MergeDialog::MergeDialog(const std::vector<std::string>& lines, int current, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TForm9");
  setWindowTitle("Merge Colls");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  auto* prompt = new QLabel("Choose the two collision objects you want to merge:");
  prompt->setObjectName("Label1");
  prompt->setWordWrap(true);
  first_ = CollChoice("cbx1", lines, current);
  second_ = CollChoice("cbx2", lines, current);
  auto* nameLabel = new QLabel("Name of the new coll:");
  nameLabel->setObjectName("Label2");
  name_ = new QLineEdit;
  name_->setObjectName("Edit1");
  name_->setMaxLength(static_cast<int>(kMaxCollNameLength));
  name_->setText(ToQt(std::string(kDefaultMergeName)));

  QHBoxLayout* buttons = AcceptCancelRow(this, "&OK", [this] { TryAccept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(first_);
  layout->addWidget(second_);
  layout->addWidget(nameLabel);
  layout->addWidget(name_);
  layout->addLayout(buttons);
}

MergeChoice MergeDialog::Choice() const {
  return {first_->currentIndex(), second_->currentIndex(), FromQt(name_->text())};
}

std::optional<MergeChoice> MergeDialog::Ask(QWidget* parent, const std::vector<std::string>& lines,
                                            int current) {
  MergeDialog dialog(lines, current, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

void MergeDialog::TryAccept() {
  const NameCheck check = ValidateMergeName(FromQt(name_->text()));
  switch (check.Verdict) {
    case NameVerdict::BadCharacter:
      name_->setFocus();
      name_->selectAll();
      return;
    case NameVerdict::SameAsOld:  // merged colls have no old name
    case NameVerdict::TooShort:
      return;
    case NameVerdict::Ok:
      // With no coll to choose there is nothing to merge.
      if (first_->currentIndex() < 0 || second_->currentIndex() < 0) return;
      name_->setText(ToQt(check.Name));
      accept();
      return;
  }
}

}  // namespace vantorel
