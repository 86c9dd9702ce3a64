#include "app/qt/main_settings_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/qt/qt_text.h"
#include "doc/settings_table.h"

namespace vantorel {

namespace {

// Segment counts move in steps of two and cannot be typed, only stepped.
QSpinBox* SegmentBox(const char* name, const SettingKey& key) {
  auto* box = new QSpinBox;
  box->setObjectName(name);
  box->setRange(key.Min, key.Max);
  box->setSingleStep(key.Step);
  if (auto* edit = box->findChild<QLineEdit*>()) edit->setReadOnly(true);
  return box;
}

QCheckBox* Check(const char* name, const char* caption) {
  auto* box = new QCheckBox(caption);
  box->setObjectName(name);
  return box;
}

}  // namespace

MainSettingsDialog::MainSettingsDialog(const Settings& settings,
                                       const std::filesystem::path& settingsFile, QWidget* parent)
    : QDialog(parent), settings_(settings) {
  setObjectName("TForm3");
  setWindowTitle("Main Settings");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  auto* tabs = new QTabWidget;
  tabs->setObjectName("PageControl1");

  auto* general = new QWidget;
  general->setObjectName("General");
  auto* sizeGroup = new QGroupBox(" Window size on startup * ");
  sizeGroup->setObjectName("rgWindowSize");
  auto* sizeLayout = new QVBoxLayout(sizeGroup);
  windowSize_ = new QButtonGroup(this);
  const char* sizes[] = {"Normal (645x484)", "Big (805x644)",    "50% Desktop Size",
                         "80% Desktop Size", "90% Desktop Size", "Full Desktop Size"};
  for (int i = 0; i < 6; ++i) {
    auto* radio = new QRadioButton(sizes[i]);
    windowSize_->addButton(radio, i);
    sizeLayout->addWidget(radio);
  }
  auto* detailGroup = new QGroupBox(" Graphic details ");
  auto* detailLayout = new QFormLayout(detailGroup);
  collisionSegments_ = SegmentBox("udCSphere", KeyOf(&Settings::CSphereDetail));
  boundingSegments_ = SegmentBox("udBSphere", KeyOf(&Settings::BSphereDetail));
  antialiasing_ = new QComboBox;
  antialiasing_->setObjectName("cbFSAA");
  antialiasing_->addItems({"OFF", "2x", "4x"});
  detailLayout->addRow("Collision sphere segments", collisionSegments_);
  detailLayout->addRow("Bounding sphere segments", boundingSegments_);
  detailLayout->addRow("Fullscene antialiasing *", antialiasing_);
  auto* undoGroup = new QGroupBox(" Undo ");
  auto* undoLayout = new QFormLayout(undoGroup);
  const SettingKey& undoKey = KeyOf(&Settings::UndoMemoryMB);
  undoMemory_ = new QSpinBox;
  undoMemory_->setObjectName("udUndoMemory");
  undoMemory_->setRange(undoKey.Min, undoKey.Max);
  undoMemory_->setSuffix(" MB");
  undoMemory_->setSpecialValueText("Off");
  undoLayout->addRow("Memory for undo steps", undoMemory_);
  auto* detailColumn = new QVBoxLayout;
  detailColumn->addWidget(detailGroup);
  detailColumn->addWidget(undoGroup);
  detailColumn->addStretch();
  auto* generalLayout = new QHBoxLayout(general);
  generalLayout->addWidget(sizeGroup);
  generalLayout->addLayout(detailColumn, 1);
  tabs->addTab(general, "General");

  auto* questions = new QWidget;
  questions->setObjectName("QuestionsHints");
  auto* askGroup = new QGroupBox(" Ask me... ");
  auto* askLayout = new QVBoxLayout(askGroup);
  askRecalc_ = Check("cbAskRecalc", "...before changing bounding objects after recalculation");
  askApply_ = Check("cbAskApply", "...before applying coll changes (recommended)");
  askDelete_ = Check("cbAskDelete", "...before deleting or replacing colls (recommended)");
  askSurface_ = Check("cbAskSurface", "...before quick-changing surface values");
  for (QCheckBox* box : {askRecalc_, askApply_, askDelete_, askSurface_})
    askLayout->addWidget(box);
  auto* notifyGroup = new QGroupBox(" Notify me... ");
  auto* notifyLayout = new QVBoxLayout(notifyGroup);
  unknownSurfaceHint_ = Check("cbUnkSurHint", "...if coll contains unknown suface types");
  notifyLayout->addWidget(unknownSurfaceHint_);
  auto* questionsLayout = new QVBoxLayout(questions);
  questionsLayout->addWidget(askGroup);
  questionsLayout->addWidget(notifyGroup);
  questionsLayout->addStretch();
  tabs->addTab(questions, "Questions/Hints");

  auto* note = new QLabel("* = requires restart");
  auto* ok = new QPushButton("&Ok");
  ok->setObjectName("btnOk");
  ok->setDefault(true);
  auto* cancel = new QPushButton("&Cancel");
  cancel->setObjectName("btnCancel");
  auto* defaults = new QPushButton("&Default");
  defaults->setObjectName("btnDefault");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(defaults, &QPushButton::clicked, this, [this] { Load(Settings{}); });

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(note);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  buttons->addWidget(defaults);
  // Which file the values are kept in: the one beside the program or the user's own.
  auto* file = new QLabel("Settings file: " + QDir::toNativeSeparators(PathToQt(settingsFile)));
  file->setObjectName("lblSettingsFile");
  file->setTextInteractionFlags(Qt::TextSelectableByMouse);
  file->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(file);
  layout->addLayout(buttons);

  Load(settings);
}

void MainSettingsDialog::Load(const Settings& v) {
  if (auto* button = windowSize_->button(v.WindowSize)) button->setChecked(true);
  collisionSegments_->setValue(v.CSphereDetail);
  boundingSegments_->setValue(v.BSphereDetail);
  antialiasing_->setCurrentIndex(v.FSAntialiasing);
  undoMemory_->setValue(v.UndoMemoryMB);
  askRecalc_->setChecked(v.askRecalc);
  askApply_->setChecked(v.askApply);
  askDelete_->setChecked(v.askDelete);
  askSurface_->setChecked(v.askSurface);
  unknownSurfaceHint_->setChecked(v.UnkSurHint);
}

Settings MainSettingsDialog::Values() const {
  Settings v = settings_;
  v.WindowSize = std::max(0, windowSize_->checkedId());
  v.CSphereDetail = collisionSegments_->value();
  v.BSphereDetail = boundingSegments_->value();
  v.FSAntialiasing = antialiasing_->currentIndex();
  v.UndoMemoryMB = undoMemory_->value();
  v.askRecalc = askRecalc_->isChecked();
  v.askApply = askApply_->isChecked();
  v.askDelete = askDelete_->isChecked();
  v.askSurface = askSurface_->isChecked();
  v.UnkSurHint = unknownSurfaceHint_->isChecked();
  return v;
}

}  // namespace vantorel
