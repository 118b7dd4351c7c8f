#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace tov::qt {

// Where a window of `wanted` size (its inside, without the frame) goes: no
// larger than `available` less room for a frame of `frame` pixels around it
// and a title bar of `title_bar` pixels, centred on `owner` (the owning
// window's frame), and moved back inside `available` where it would stick out.
QRect PlaceOver(QSize wanted, const QRect& owner, const QRect& available, int frame, int title_bar);

// Sizes `tool` to `wanted`, within the screen of `owner`, and opens it centred
// over `owner`. With no owner it stays where the window system puts it.
void OpenOver(QWidget& tool, const QWidget* owner, QSize wanted);

}  // namespace tov::qt
