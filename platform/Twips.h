#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QRect>
#include <QWidget>

#include <cmath>

namespace zorbic {

// Windows and controls are designed in twips; 15 twips are one device-independent pixel, so
// Qt's own scaling takes care of HiDPI screens.
inline int TwipsToPixels(int twips) {
    return static_cast<int>(std::lround(twips / 15.0));
}

// Edges are converted rather than sizes, so neighbouring controls that touch in twips still
// touch in pixels.
inline QRect TwipsRect(int left, int top, int width, int height) {
    const int x = TwipsToPixels(left);
    const int y = TwipsToPixels(top);
    return QRect(x, y, TwipsToPixels(left + width) - x, TwipsToPixels(top + height) - y);
}

// The designed sizes suit a narrower font than today's desktop fonts; a caption that would be
// cut off is set in a smaller size instead.
inline void FitFont(QWidget *control, const QString &text, int padding) {
    QFont font = control->font();
    const int room = control->width() - padding;
    while (font.pointSizeF() > 6 && QFontMetrics(font).horizontalAdvance(text) > room)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    control->setFont(font);
}

} // namespace zorbic
