#pragma once

#include <QFrame>
#include <cstdint>

namespace vantorel {

// A small framed panel filled with one colour (0x00BBGGRR, as the colour dialog keeps it);
// a click asks for a new colour.
class ColorSwatch : public QFrame {
  Q_OBJECT

 public:
  ColorSwatch(const char* name, int width, int height, QWidget* parent = nullptr);

  std::uint32_t Color() const { return color_; }
  void SetColor(std::uint32_t bgr);

 signals:
  void clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  std::uint32_t color_ = 0;
};

}  // namespace vantorel
