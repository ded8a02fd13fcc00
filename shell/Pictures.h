#pragma once

#include "shell/ControlTable.h"

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRadioButton>
#include <QSize>

namespace zorbic {

// The two colours a picture is drawn in: the symbol's ink and the face it lies on (the page of
// the Zipto picture is filled with it, and shapes that overlap are parted by it).
struct PictureColors {
    QColor ink;
    QColor face;
};

// Paints one of the button pictures at the given size (device-independent pixels), rendered for
// the given device pixel ratio so it stays crisp on HiDPI screens.
QPixmap paintPicture(Picture picture, QSize size, qreal devicePixelRatio, PictureColors colors);

// The colours of a picture shown by `owner` in the given icon mode: ButtonText on Button, the
// highlighted pair for a selected icon, the disabled group's ButtonText for a disabled one.
PictureColors pictureColors(const QWidget &owner, QIcon::Mode mode = QIcon::Normal);

// An icon that draws the picture whenever it is painted, in the colours of `owner`'s palette at
// that moment and at the pixel size asked for: a palette or style change, or a move to a screen
// of another scale, repaints it without anyone setting it again.
QIcon pictureIcon(Picture picture, QSize size, const QWidget *owner);

// An option button without text that draws its round mark itself: a ring in the window's text
// colour on the window, filled with the base colour, and a dot in the text colour when checked,
// so the mark reads on every palette, also where a style draws its rim in a shade of the window.
class OptionButton : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace zorbic
