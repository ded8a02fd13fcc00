#pragma once

#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QRect>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

#include <algorithm>
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

// The family the "Sans Serif" alias stands for on this desktop, asked once. A font on the alias
// has Qt load every size twice (for the alias, then for the family it falls back to); a font on
// the family loads once. The probe is the application font on the alias: the application font
// is loaded at start-up anyway.
inline QString SansSerifFamily() {
    static const QString family = [] {
        const QString alias = QStringLiteral("Sans Serif");
        QFont probe = QGuiApplication::font();
        probe.setFamily(alias);
        const QString resolved = QFontInfo(probe).family();
        return resolved.isEmpty() ? alias : resolved;
    }();
    return family;
}

// The pixels a caption takes in a font: its advance or its ink, whichever reaches further (an
// italic or a wide last glyph can stand out past the advance). A "&" marking an access key is
// not drawn.
inline int CaptionWidth(const QFontMetrics &metrics, const QString &caption) {
    static const QRegularExpression accessKey(QStringLiteral("&(?!&)"));
    const QString shown = QString(caption).remove(accessKey);
    const QRect ink = metrics.boundingRect(shown);
    return std::max(metrics.horizontalAdvance(shown), ink.right() + 1) - std::min(0, ink.left());
}

// The designed sizes suit a narrower font than today's desktop fonts. A control whose captions
// would be cut off keeps its family and gets its semi-condensed face (a condensed face where one
// is installed, else the same glyphs drawn narrower), and if that is still too wide, smaller
// sizes in steps of a quarter point down to 6 points.
inline void FitCaptions(QWidget *control, const QStringList &captions, int room) {
    auto fits = [&](const QFont &font) {
        const QFontMetrics metrics(font);
        return std::all_of(captions.begin(), captions.end(), [&](const QString &caption) {
            return CaptionWidth(metrics, caption) <= room;
        });
    };
    QFont font = control->font();
    if (!fits(font)) {
        font.setStretch(QFont::SemiCondensed);
        while (font.pointSizeF() > 6 && !fits(font))
            font.setPointSizeF(font.pointSizeF() - 0.25);
        control->setFont(font);
    }
}

inline void FitFont(QWidget *control, const QString &text, int padding) {
    FitCaptions(control, {text}, control->width() - padding);
}

} // namespace zorbic
