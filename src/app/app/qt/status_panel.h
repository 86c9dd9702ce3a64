#pragma once

#include <QLabel>

namespace vantorel {

// How a status panel takes its width.
enum class PanelFit {
  Whole,  // its classic width, wider when its text needs it; never less than its text
  Hugs,   // as wide as its text (a name, never long), leaving the room to the panel that fills
  Fills,  // the rest of the bar, at least its classic width
};

// One panel of the status bar. Where the bar cannot give a panel the width of its whole text, it
// shows the text cut with "..." and the whole text as its tool tip. text() is always the whole
// text.
class StatusPanel : public QLabel {
  Q_OBJECT

 public:
  StatusPanel(int classicWidth, PanelFit fit, QWidget* parent = nullptr);

  void SetPanelText(const QString& text);
  // Whether the panel shows less than its whole text.
  bool Elided() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int Indent() const;
  int TextWidth() const;
  void UpdateToolTip();

  int classicWidth_;
  PanelFit fit_;
};

}  // namespace vantorel
