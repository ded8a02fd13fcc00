#pragma once

#include "shell/ControlTable.h"

#include <QPixmap>
#include <QSize>

namespace zorbic {

// Paints one of the button pictures at the given size (device-independent pixels), rendered for
// the given device pixel ratio so it stays crisp on HiDPI screens.
QPixmap paintPicture(Picture picture, QSize size, qreal devicePixelRatio);

} // namespace zorbic
