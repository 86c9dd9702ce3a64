#include "ops/qt/change_surface_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/qt/dialog_buttons.h"
#include "app/qt/qt_text.h"
#include "core/surface_types.h"

namespace vantorel {

namespace {

QLabel* Label(const char* name, const QString& text) {
  auto* label = new QLabel(text);
  label->setObjectName(name);
  return label;
}

std::optional<int> Selected(const QComboBox* box) {
  if (box->currentIndex() < 0) return std::nullopt;
  return box->currentIndex();
}

}  // namespace

ChangeSurfaceDialog::ChangeSurfaceDialog(const SurfaceDialogValues& values, QWidget* parent)
    : QDialog(parent) {
  setObjectName("TForm4");
  setWindowTitle(ToQt(std::string(kChangeSurfaceCaption)));
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  auto* prompt = Label("Label1", ToQt(values.Label));
  prompt->setWordWrap(true);
  material_ = new QComboBox;
  material_->setObjectName("cbx");
  material_->setEditable(false);
  for (const std::string& entry : values.Materials)
    material_->addItem(ToQt(entry));
  material_->setCurrentIndex(values.MaterialItem.value_or(-1));
  parameter_ = new QComboBox;
  parameter_->setObjectName("cbx2");
  parameter_->setEditable(false);
  for (const CarPartParameter& entry : kCarPartParameters)
    parameter_->addItem(ToQt(std::string(entry.Text)));
  parameter_->setCurrentIndex(values.ParameterItem.value_or(-1));

  QHBoxLayout* buttons = AcceptCancelRow(this, "&Ok", [this] { accept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(Label("Label2", "Surface type (material):"));
  layout->addWidget(material_);
  layout->addWidget(Label("Label3", "Parameter (for cars):"));
  layout->addWidget(parameter_);
  layout->addLayout(buttons);
}

SurfaceChoice ChangeSurfaceDialog::Choice() const {
  return {Selected(material_), Selected(parameter_)};
}

std::optional<SurfaceChoice> ChangeSurfaceDialog::Ask(QWidget* parent,
                                                      const SurfaceDialogValues& values) {
  ChangeSurfaceDialog dialog(values, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Choice();
}

}  // namespace vantorel
