#pragma once

#include <QPixmap>
#include <QSize>

namespace zorbic {

// The pictures of the About box and the program icon, painted rather than loaded so the
// program needs no image files at run time. Sizes are in device-independent pixels; the pixmap
// is rendered for the given device pixel ratio.
QPixmap paintMakerLogo(qreal devicePixelRatio);   // 179 x 70, "Zorbic Works"
QPixmap paintProductLogo(qreal devicePixelRatio); // 265 x 71, "Zorbic"
QPixmap paintProgramIcon(QSize size, qreal devicePixelRatio);

inline constexpr QSize makerLogoSize{179, 70};
inline constexpr QSize productLogoSize{265, 71};

} // namespace zorbic
