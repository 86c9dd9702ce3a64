#include "ops/qt/mesh_import_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/qt/dialog_buttons.h"
#include "app/qt/qt_text.h"
#include "core/name_rules.h"

namespace vantorel {

namespace {

// A path field with a button that opens a file chooser beside it.
QHBoxLayout* FileRow(QLineEdit* field, QPushButton* browse) {
  auto* row = new QHBoxLayout;
  row->addWidget(field, 1);
  row->addWidget(browse);
  return row;
}

// A label whose access key moves the focus to field.
QLabel* BuddyLabel(const char* text, QWidget* field) {
  auto* label = new QLabel(text);
  label->setBuddy(field);
  return label;
}

}  // namespace

MeshImportDialog::MeshImportDialog(const MeshImportRequest& request, QWidget* parent)
    : QDialog(parent), request_(request) {
  setObjectName("MeshImportDialog");
  setWindowTitle("Import Mesh");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  model_ = new QLineEdit;
  model_->setObjectName("modelFile");
  auto* browseModel = new QPushButton("&Browse...");
  browseModel->setObjectName("browseModel");
  connect(browseModel, &QPushButton::clicked, this,
          [this] { Browse(model_, request_.ModelFilter, "Model File"); });

  asNew_ = new QRadioButton("As a &new coll named:");
  asNew_->setObjectName("asNew");
  asNew_->setChecked(true);
  name_ = new QLineEdit;
  name_->setObjectName("newName");
  name_->setMaxLength(static_cast<int>(kMaxCollNameLength));
  asReplace_ = new QRadioButton("&Replacing the mesh of:");
  asReplace_->setObjectName("asReplace");
  replaced_ = new QComboBox;
  replaced_->setObjectName("replacedColl");
  for (const std::string& line : request.Lines)
    replaced_->addItem(ToQt(line));
  if (request.Current >= 0 && request.Current < replaced_->count()) {
    replaced_->setCurrentIndex(request.Current);
  }
  asReplace_->setEnabled(replaced_->count() > 0);
  const auto follow = [this] {
    name_->setEnabled(asNew_->isChecked());
    replaced_->setEnabled(asReplace_->isChecked());
  };
  connect(asNew_, &QRadioButton::toggled, this, follow);
  follow();

  mapping_ = new QLineEdit;
  mapping_->setObjectName("surfaceMap");
  mapping_->setPlaceholderText("none: every face gets the default surface");
  auto* browseMapping = new QPushButton("Bro&wse...");
  browseMapping->setObjectName("browseMapping");
  connect(browseMapping, &QPushButton::clicked, this,
          [this] { Browse(mapping_, request_.MappingFilter, "Surface Mapping File"); });

  maxFaces_ = new QLineEdit;
  maxFaces_->setObjectName("maxFaces");
  maxFaces_->setPlaceholderText("empty: the mesh as it is");
  maxFaces_->setValidator(new QIntValidator(1, 1'000'000'000, maxFaces_));

  auto* form = new QFormLayout;
  form->addRow(BuddyLabel("&Model file:", model_), FileRow(model_, browseModel));
  form->addRow(asNew_, name_);
  form->addRow(asReplace_, replaced_);
  form->addRow(BuddyLabel("&Surface mapping file:", mapping_), FileRow(mapping_, browseMapping));
  form->addRow(BuddyLabel("At most this many &faces:", maxFaces_), maxFaces_);

  QHBoxLayout* buttons = AcceptCancelRow(this, "&OK", [this] { TryAccept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(buttons);
  setMinimumWidth(560);
}

MeshImportValues MeshImportDialog::Values() const {
  MeshImportValues values;
  values.Model = PathFromQt(model_->text().trimmed());
  if (asReplace_->isChecked()) {
    values.Replace = replaced_->currentIndex();
  } else {
    values.NewName = FromQt(name_->text());
  }
  values.SurfaceMap = PathFromQt(mapping_->text().trimmed());
  bool number = false;
  const qulonglong faces = maxFaces_->text().trimmed().toULongLong(&number);
  if (number) values.MaxFaces = static_cast<std::size_t>(faces);
  return values;
}

std::optional<MeshImportValues> MeshImportDialog::Ask(QWidget* parent,
                                                      const MeshImportRequest& request) {
  MeshImportDialog dialog(request, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Values();
}

void MeshImportDialog::TryAccept() {
  if (model_->text().trimmed().isEmpty()) {
    model_->setFocus();
    return;
  }
  if (asNew_->isChecked()) {
    const NameCheck check = ValidateMergeName(FromQt(name_->text()));
    if (check.Verdict != NameVerdict::Ok) {
      name_->setFocus();
      name_->selectAll();
      return;
    }
    name_->setText(ToQt(check.Name));
  } else if (replaced_->currentIndex() < 0) {
    return;
  }
  if (!maxFaces_->text().trimmed().isEmpty() && !maxFaces_->hasAcceptableInput()) {
    maxFaces_->setFocus();
    maxFaces_->selectAll();
    return;
  }
  accept();
}

void MeshImportDialog::Browse(QLineEdit* field, const std::string& filter, const QString& title) {
  QFileDialog chooser(this, title);
  chooser.setNameFilter(QtFilter(filter));
  chooser.setFileMode(QFileDialog::ExistingFile);
  chooser.setOptions(QFileDialog::DontUseNativeDialog);
  const QString current = field->text().trimmed();
  if (!current.isEmpty()) {
    chooser.selectFile(current);
  } else if (!request_.Folder.empty()) {
    chooser.setDirectory(PathToQt(request_.Folder));
  }
  if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty()) {
    field->setText(chooser.selectedFiles().front());
  }
}

}  // namespace vantorel
