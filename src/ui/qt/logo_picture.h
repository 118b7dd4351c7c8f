#pragma once
// picLogo: the maker's mark beside the heading, a wound toroid drawn to scale
// at any size. It has no behaviour.

#include <QWidget>

namespace tov::qt {

class LogoPicture : public QWidget {
  Q_OBJECT
 public:
  explicit LogoPicture(QWidget* parent = nullptr);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace tov::qt
