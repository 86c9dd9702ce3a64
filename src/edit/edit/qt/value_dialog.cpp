#include "edit/qt/value_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "app/qt/qt_text.h"
#include "core/coll_surfaces.h"
#include "core/number_text.h"
#include "core/program_identity.h"

namespace vantorel {

namespace {

// The dialog is laid out on a fixed grid, as its small fixed client area needs.
constexpr int kClientWidth = 186;
constexpr int kClientHeight = 157;
constexpr int kColumnX[3] = {8, 66, 124};
constexpr int kColumnWidth = 54;
constexpr int kLabelHeight = 14;
constexpr int kEditHeight = 21;
constexpr int kPanelTop = 42;

QLabel* Label(QWidget* parent, const char* name, const QString& text, int x, int y) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setGeometry(x, y, kColumnWidth + 4, kLabelHeight);
  return label;
}

QLineEdit* Edit(QWidget* parent, int number, int x, int y) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString("Edit%1").arg(number));
  edit->setGeometry(x, y, kColumnWidth, kEditHeight);
  return edit;
}

QString ToQString(const std::string& text) {
  return Windows1252ToQt(text);
}

}  // namespace

ValueDialog::ValueDialog(const QString& caption, const ElementValues& values,
                         const SurfaceTypeTable& surfaces, char decimalSeparator, QWidget* parent)
    : QDialog(parent), values_(values), separator_(decimalSeparator) {
  setObjectName("TForm5");
  setWindowTitle(caption);
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  setFixedSize(kClientWidth, kClientHeight);
  QFont small = font();
  small.setPixelSize(11);
  setFont(small);

  const bool box = values.Kind == ElementKind::Box;
  const char* first[3] = {"Center x:", "Center y:", "Center z:"};
  const char* minimum[3] = {"Min x:", "Min y:", "Min z:"};
  const char* maximum[3] = {"Max x:", "Max y:", "Max z:"};
  for (int i = 0; i < 3; ++i) {
    const QString name = QString("Label%1").arg(i + 1);
    Label(this, name.toLatin1().constData(), box ? minimum[i] : first[i], kColumnX[i], 4);
    edits_[static_cast<std::size_t>(i)] = Edit(this, i + 1, kColumnX[i], 18);
  }

  auto* maxPanel = new QWidget(this);
  maxPanel->setObjectName("pnlMax");
  maxPanel->setGeometry(0, kPanelTop, kClientWidth, 36);
  for (int i = 0; i < 3; ++i) {
    Label(maxPanel, "", maximum[i], kColumnX[i], 0);
    edits_[static_cast<std::size_t>(3 + i)] = Edit(maxPanel, 4 + i, kColumnX[i], 14);
  }
  auto* radiusPanel = new QWidget(this);
  radiusPanel->setObjectName("pnlRadius");
  radiusPanel->setGeometry(0, kPanelTop, kClientWidth, 36);
  Label(radiusPanel, "", "Radius:", kColumnX[0], 0);
  edits_[6] = Edit(radiusPanel, 7, kColumnX[0], 14);
  maxPanel->setVisible(box);
  radiusPanel->setVisible(!box);

  auto* surfaceLabel = new QLabel("Surface Value:", this);
  surfaceLabel->setGeometry(kColumnX[0], 80, 120, kLabelHeight);
  surfaces_ = new QComboBox(this);
  surfaces_->setObjectName("cbx");
  surfaces_->setGeometry(kColumnX[0], 94, kClientWidth - 16, 22);
  const int materials = MaterialCount(values.Table);
  for (int material = 0; material < materials; ++material) {
    surfaces_->addItem("[" + ToQString(FormatPadded(material, 2)) + "] " +
                       ToQString(std::string(MaterialName(values.Table, material, surfaces))));
  }
  // A material beyond the list preselects no entry.
  surfaces_->setCurrentIndex(values.Material < materials ? values.Material : -1);

  auto* ok = new QPushButton("&Ok", this);
  ok->setObjectName("Button1");
  ok->setGeometry(16, 124, 75, 25);
  ok->setDefault(true);
  auto* cancel = new QPushButton("&Cancel", this);
  cancel->setObjectName("Button2");
  cancel->setGeometry(96, 124, 75, 25);
  connect(ok, &QPushButton::clicked, this, &ValueDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  const ElementFieldTexts texts = FieldTexts(values, decimalSeparator);
  for (std::size_t i = 0; i < edits_.size(); ++i)
    edits_[i]->setText(ToQString(texts[i]));
  edits_[0]->setFocus();
}

void ValueDialog::accept() {
  ElementFieldTexts texts;
  for (std::size_t i = 0; i < edits_.size(); ++i)
    texts[i] = QtToWindows1252(edits_[i]->text());
  auto values = ParseFieldTexts(values_, texts, separator_);
  if (!values) {
    QMessageBox box(QMessageBox::NoIcon, ToQString(std::string(kApplicationTitle)),
                    "Invalid input!", QMessageBox::Ok, this);
    box.setObjectName("message");
    box.exec();
    return;
  }
  if (surfaces_->currentIndex() >= 0) {
    values->Material = static_cast<std::uint8_t>(surfaces_->currentIndex());
  }
  result_ = values;
  QDialog::accept();
}

std::optional<ElementValues> ValueDialog::Ask(QWidget* owner, const QString& caption,
                                              const ElementValues& values,
                                              const SurfaceTypeTable& surfaces,
                                              char decimalSeparator) {
  ValueDialog dialog(caption, values, surfaces, decimalSeparator, owner);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

}  // namespace vantorel
