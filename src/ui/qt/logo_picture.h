#pragma once
// picLogo: the maker's mark beside the heading, a wound toroid drawn to scale
// at any size. It has no behaviour. The same drawing is the program's icon.

#include <QIcon>
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

// The window icon: the logo drawn at the usual icon sizes.
QIcon ProgramIcon();

}  // namespace tov::qt
