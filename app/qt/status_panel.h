#pragma once

#include <QLabel>

namespace vantorel {

// One panel of the status bar. It asks for the width of its whole text, never less than its
// classic width. A panel that may shrink (the name, the dimensions) gives way down to its
// classic width, or its text's if that is less, where the bar is short of room; it then shows its
// text cut with "..." and the whole text as its tool tip. text() is always the whole text.
class StatusPanel : public QLabel {
  Q_OBJECT

 public:
  StatusPanel(int classicWidth, bool shrinks, QWidget* parent = nullptr);

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
  bool shrinks_;
};

}  // namespace vantorel
