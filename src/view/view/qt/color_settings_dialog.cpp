#include "view/qt/color_settings_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "app/qt/qt_text.h"
#include "view/dialog_colors.h"
#include "view/qt/color_swatch.h"

namespace vantorel {

namespace {

constexpr int kLineHeight = 16;

enum MainSlot { kBackground, kWireframe, kBoxesSpheres, kSelection, kBoundings, kObject };

QColor ToQColor(std::uint32_t bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t FromQColor(const QColor& color) {
  return static_cast<std::uint32_t>(color.red()) |
         (static_cast<std::uint32_t>(color.green()) << 8) |
         (static_cast<std::uint32_t>(color.blue()) << 16);
}

// Draws each line of the surface list from the working table: a swatch and "[nn] name".
class SurfaceLineDelegate : public QStyledItemDelegate {
 public:
  SurfaceLineDelegate(const std::array<SurfaceTypeEntry, kSurfaceTypeCount>& table, QObject* parent)
      : QStyledItemDelegate(parent), table_(table) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    const int row = index.row();
    if (row < 0 || row >= kSurfaceTypeCount) return;
    const SurfaceTypeEntry& entry = table_[static_cast<std::size_t>(row)];
    const QRect r = option.rect;
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->fillRect(r, selected ? palette.highlight() : palette.base());
    const int h = r.height();
    painter->fillRect(
        QRect(QPoint(r.left() + 2, r.top() + 1), QPoint(r.left() + h - 1, r.bottom() - 1)),
        QColor::fromRgb(entry.Color & 0xFFFFFF));
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter->drawText(QRect(r.left() + h + 2, r.top() + 1, r.width() - h - 2, h - 1),
                      Qt::AlignLeft | Qt::AlignVCenter,
                      ColorSettingsDialog::SurfaceLine(row, entry.Name));
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return {QStyledItemDelegate::sizeHint(option, index).width(), kLineHeight};
  }

 private:
  const std::array<SurfaceTypeEntry, kSurfaceTypeCount>& table_;
};

QPushButton* Button(const char* name, const char* caption) {
  auto* button = new QPushButton(caption);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

}  // namespace

ColorSettingsDialog::ColorSettingsDialog(const MainColors& colors, const SurfaceTypeTable& surfaces,
                                         QWidget* parent)
    : QDialog(parent), base_(surfaces) {
  setObjectName("TForm2");
  setWindowTitle("Color Settings");
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);
  chooser_ = [this](const QColor& initial) -> std::optional<QColor> {
    QColorDialog chooser(initial, this);
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    return chooser.selectedColor();
  };

  auto* mainGroup = new QGroupBox(" Main Colors ");
  auto* mainGrid = new QGridLayout(mainGroup);
  struct Place {
    MainSlot slot;
    const char* panel;
    const char* label;
    int row;
    int column;
  };
  const Place places[] = {
      {kBackground, "pnl1", "Background", 0, 0},      {kWireframe, "pnl6", "Wireframe", 1, 0},
      {kBoxesSpheres, "pnl2", "Boxes/spheres", 2, 0}, {kSelection, "pnl4", "Selection", 0, 2},
      {kBoundings, "pnl5", "Boundingobjects", 1, 2},  {kObject, "pnl3", "Object", 2, 2},
  };
  for (const Place& p : places) {
    auto* swatch = new ColorSwatch(p.panel, 25, 13);
    main_[p.slot] = swatch;
    connect(swatch, &ColorSwatch::clicked, this, [this, swatch] { Choose(swatch); });
    mainGrid->addWidget(new QLabel(p.label), p.row, p.column);
    mainGrid->addWidget(swatch, p.row, p.column + 1);
  }

  auto* surfaceGroup = new QGroupBox(" Surface Colors ");
  cbx_ = new QComboBox;
  cbx_->setObjectName("cbx");
  cbx_->setEditable(false);
  cbx_->setItemDelegate(new SurfaceLineDelegate(working_, cbx_));
  pnlSfce_ = new ColorSwatch("pnlSfce", 41, 41);
  connect(pnlSfce_, &ColorSwatch::clicked, this, [this] { Choose(pnlSfce_); });
  edt_ = new QLineEdit;
  edt_->setObjectName("edt");
  edt_->setMaxLength(static_cast<int>(kSurfaceNameLength));
  auto* unknown = Button("Button4", "Unknown surface");
  auto* apply = Button("Button5", "Apply changes");
  connect(cbx_, &QComboBox::currentIndexChanged, this, [this] { ShowSelectedSurface(); });
  connect(unknown, &QPushButton::clicked, this, [this] {
    pnlSfce_->SetColor(ViewToDialogColor(kUnknownSurfaceColor));
    edt_->setText("?");
  });
  connect(apply, &QPushButton::clicked, this, [this] { ApplySurface(); });

  auto* description = new QVBoxLayout;
  description->addWidget(new QLabel("Surface description:"));
  description->addWidget(edt_);
  auto* surfaceRow = new QHBoxLayout;
  surfaceRow->addWidget(pnlSfce_);
  surfaceRow->addLayout(description, 1);
  auto* surfaceButtons = new QHBoxLayout;
  surfaceButtons->addWidget(unknown);
  surfaceButtons->addWidget(apply);
  auto* surfaceLayout = new QVBoxLayout(surfaceGroup);
  surfaceLayout->addWidget(cbx_);
  surfaceLayout->addLayout(surfaceRow);
  surfaceLayout->addLayout(surfaceButtons);

  auto* defaults = Button("Button3", "&Default");
  auto* cancel = Button("Button2", "&Cancel");
  auto* ok = Button("Button1", "&OK");
  ok->setDefault(true);
  connect(defaults, &QPushButton::clicked, this, [this] {
    LoadMainColors(MainColors{});
    LoadSurfaces(SurfaceTypeTable::Defaults());
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);  // Escape rejects as well
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(defaults);
  bottom->addStretch();
  bottom->addWidget(cancel);
  bottom->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(mainGroup);
  layout->addWidget(surfaceGroup);
  layout->addLayout(bottom);

  LoadSurfaces(surfaces);
  LoadMainColors(colors);
}

std::optional<ColorSettings> ColorSettingsDialog::Edit(const MainColors& colors,
                                                       const SurfaceTypeTable& surfaces,
                                                       QWidget* parent) {
  ColorSettingsDialog dialog(colors, surfaces, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Values();
}

QString ColorSettingsDialog::SurfaceLine(int index, const std::string& name) {
  return QString("[%1] ").arg(index, 2, 10, QChar('0')) + Windows1252ToQt(name);
}

void ColorSettingsDialog::LoadMainColors(const MainColors& c) {
  const std::uint32_t values[] = {c.Background, c.Wireframe, c.WFBoxSphere,
                                  c.Selection,  c.Boundings, c.Object};
  for (std::size_t i = 0; i < main_.size(); ++i)
    main_[i]->SetColor(ViewToDialogColor(values[i]));
}

void ColorSettingsDialog::LoadSurfaces(const SurfaceTypeTable& surfaces) {
  for (int i = 0; i < kSurfaceTypeCount; ++i) {
    working_[static_cast<std::size_t>(i)] = {surfaces.Color(i), surfaces.Name(i)};
  }
  const QSignalBlocker blocker(cbx_);
  cbx_->clear();
  for (int i = 0; i < kSurfaceTypeCount; ++i) {
    cbx_->addItem(QString());
    RefreshLine(i);
  }
  cbx_->setCurrentIndex(0);
  ShowSelectedSurface();
}

void ColorSettingsDialog::ShowSelectedSurface() {
  const int row = cbx_->currentIndex();
  if (row < 0 || row >= kSurfaceTypeCount) return;
  const SurfaceTypeEntry& entry = working_[static_cast<std::size_t>(row)];
  pnlSfce_->SetColor(ViewToDialogColor(entry.Color));
  edt_->setText(Windows1252ToQt(entry.Name));
}

void ColorSettingsDialog::ApplySurface() {
  const int row = cbx_->currentIndex();
  if (row < 0 || row >= kSurfaceTypeCount) return;
  SurfaceTypeEntry& entry = working_[static_cast<std::size_t>(row)];
  entry.Color = DialogToViewColor(pnlSfce_->Color());
  // Surface names are game text, kept in the Windows code page as the element lists read them.
  entry.Name = QtToWindows1252(edt_->text().trimmed().left(static_cast<int>(kSurfaceNameLength)));
  RefreshLine(row);
  ShowSelectedSurface();
}

void ColorSettingsDialog::RefreshLine(int row) {
  // The closed list shows the current line from its text and icon; the open list draws every
  // line itself from the working table.
  const SurfaceTypeEntry& entry = working_[static_cast<std::size_t>(row)];
  QPixmap swatch(kLineHeight - 4, kLineHeight - 4);
  swatch.fill(QColor::fromRgb(entry.Color & 0xFFFFFF));
  cbx_->setItemText(row, SurfaceLine(row, entry.Name));
  cbx_->setItemIcon(row, QIcon(swatch));
}

void ColorSettingsDialog::Choose(ColorSwatch* swatch) {
  if (!chooser_) return;
  if (const std::optional<QColor> chosen = chooser_(ToQColor(swatch->Color()))) {
    if (chosen->isValid()) swatch->SetColor(FromQColor(*chosen));
  }
}

ColorSettings ColorSettingsDialog::Values() const {
  ColorSettings result{MainColors{}, base_};
  MainColors& c = result.Colors;
  std::uint32_t* targets[] = {&c.Background, &c.Wireframe, &c.WFBoxSphere,
                              &c.Selection,  &c.Boundings, &c.Object};
  for (std::size_t i = 0; i < main_.size(); ++i)
    *targets[i] = DialogToViewColor(main_[i]->Color());
  for (int i = 0; i < kSurfaceTypeCount; ++i) {
    const SurfaceTypeEntry& entry = working_[static_cast<std::size_t>(i)];
    result.Surfaces.Set(i, entry.Color, entry.Name);
  }
  return result;
}

}  // namespace vantorel
