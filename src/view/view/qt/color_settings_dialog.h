#pragma once

#include <QColor>
#include <QDialog>
#include <array>
#include <functional>
#include <optional>

#include "core/surface_types.h"
#include "doc/color_settings.h"
#include "doc/settings.h"

class QComboBox;
class QLineEdit;

namespace vantorel {

class ColorSwatch;

// The colour settings dialog (TForm2): the six main colours of the view and the colour and
// description of each of the 35 surface types. It edits copies and changes nothing itself.
class ColorSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  // Opens the system colour chooser preset to a colour; nothing when the person cancels.
  using ColorChooser = std::function<std::optional<QColor>(const QColor& initial)>;

  ColorSettingsDialog(const MainColors& colors, const SurfaceTypeTable& surfaces,
                      QWidget* parent = nullptr);

  // Shows the dialog modally; the new values after OK, nothing after Cancel.
  static std::optional<ColorSettings> Edit(const MainColors& colors,
                                           const SurfaceTypeTable& surfaces,
                                           QWidget* parent = nullptr);

  // The values the swatches and the working table hold now.
  ColorSettings Values() const;
  void SetColorChooser(ColorChooser chooser) { chooser_ = std::move(chooser); }
  // The text of a line of the surface list: "[17] " and the name.
  static QString SurfaceLine(int index, const std::string& name);

 private:
  void LoadMainColors(const MainColors& colors);
  void LoadSurfaces(const SurfaceTypeTable& surfaces);
  void ShowSelectedSurface();
  void ApplySurface();
  void RefreshLine(int row);
  void Choose(ColorSwatch* swatch);

  std::array<ColorSwatch*, 6> main_{};  // Background, Wireframe, WFBoxSphere, Selection,
                                        // Boundings, Object
  std::array<SurfaceTypeEntry, kSurfaceTypeCount> working_;
  SurfaceTypeTable base_;
  QComboBox* cbx_;
  ColorSwatch* pnlSfce_;
  QLineEdit* edt_;
  ColorChooser chooser_;
};

}  // namespace vantorel
