#include "shell/Pictures.h"

#include "platform/Twips.h"

#include <QFont>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPolygonF>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QWidget>

#include <algorithm>

namespace zorbic {

namespace {

void triangle(QPainter &p, const PictureColors &c, QPolygonF points) {
    p.setPen(Qt::NoPen);
    p.setBrush(c.ink);
    p.drawPolygon(points);
}

void bar(QPainter &p, const PictureColors &c, qreal x, qreal top, qreal bottom) {
    p.fillRect(QRectF(x, top, 1.5, bottom - top), c.ink);
}

// Function names with an inverse mark: the letters, then a raised "-1".
void inverseName(QPainter &p, const PictureColors &c, QSizeF size, const QString &name) {
    QFont letters(SansSerifFamily());
    letters.setPixelSize(static_cast<int>(size.height() * 0.9));
    letters.setBold(true);
    QFont raised = letters;
    raised.setPixelSize(std::max(5, static_cast<int>(size.height() * 0.6)));
    raised.setBold(false);

    const QFontMetricsF lm(letters);
    const QFontMetricsF rm(raised);
    const qreal total = lm.horizontalAdvance(name) + rm.horizontalAdvance(QStringLiteral("-1"));
    const qreal scale = std::min(1.0, size.width() / total);
    p.save();
    p.scale(scale, 1.0);
    p.setPen(c.ink);
    p.setFont(letters);
    const qreal baseline = size.height() - lm.descent() * 0.5;
    p.drawText(QPointF(0, baseline), name);
    p.setFont(raised);
    p.drawText(QPointF(lm.horizontalAdvance(name), rm.ascent() * 0.9), QStringLiteral("-1"));
    p.restore();
}

void draw(QPainter &p, const PictureColors &c, Picture picture, QSizeF s) {
    const qreal w = s.width();
    const qreal h = s.height();
    const qreal midY = h / 2;
    switch (picture) {
    case Picture::None:
        break;
    case Picture::Home:
        bar(p, c, 3, 2, h - 2);
        triangle(p, c, {{QPointF(6, midY), QPointF(w - 3, 2), QPointF(w - 3, h - 2)}});
        break;
    case Picture::End:
        triangle(p, c, {{QPointF(3, 2), QPointF(3, h - 2), QPointF(w - 6, midY)}});
        bar(p, c, w - 4.5, 2, h - 2);
        break;
    case Picture::Left:
    case Picture::TriangleLeft:
        triangle(
            p, c,
            {{QPointF(w * 0.25, midY), QPointF(w * 0.75, h * 0.2), QPointF(w * 0.75, h * 0.8)}});
        break;
    case Picture::Right:
    case Picture::TriangleRight:
        triangle(
            p, c,
            {{QPointF(w * 0.25, h * 0.2), QPointF(w * 0.25, h * 0.8), QPointF(w * 0.75, midY)}});
        break;
    case Picture::TriangleUp:
        triangle(p, c,
                 {{QPointF(w / 2, h * 0.3), QPointF(w * 0.1, h * 0.7), QPointF(w * 0.9, h * 0.7)}});
        break;
    case Picture::TriangleDown:
        triangle(p, c,
                 {{QPointF(w * 0.1, h * 0.3), QPointF(w * 0.9, h * 0.3), QPointF(w / 2, h * 0.7)}});
        break;
    case Picture::ExpandBoth:
        triangle(
            p, c,
            {{QPointF(w * 0.9, h * 0.85), QPointF(w * 0.1, h * 0.85), QPointF(w * 0.9, h * 0.2)}});
        break;
    case Picture::CollapseBoth:
        triangle(
            p, c,
            {{QPointF(w * 0.1, h * 0.15), QPointF(w * 0.9, h * 0.15), QPointF(w * 0.1, h * 0.8)}});
        break;
    case Picture::BackSpace: {
        triangle(p, c, {{QPointF(0.5, midY), QPointF(w * 0.45, 1), QPointF(w * 0.45, h - 1)}});
        p.fillRect(QRectF(w * 0.4, midY - 1.5, w * 0.6 - 0.5, 3), c.ink);
        break;
    }
    case Picture::Send: {
        p.setPen(QPen(c.ink, 1));
        p.setBrush(c.face);
        QPainterPath page;
        page.moveTo(1.5, 1.5);
        page.lineTo(w * 0.55, 1.5);
        page.lineTo(w * 0.75, h * 0.25);
        page.lineTo(w * 0.75, h - 1.5);
        page.lineTo(1.5, h - 1.5);
        page.closeSubpath();
        p.drawPath(page);
        for (qreal y = h * 0.35; y < h - 3; y += 2.5)
            p.drawLine(QPointF(3.5, y), QPointF(w * 0.45, y));
        // The arrow head is rimmed with the face so it stands apart from the page's lines.
        p.setPen(QPen(c.face, 1));
        p.setBrush(c.ink);
        p.drawPolygon(QPolygonF(
            {QPointF(w * 0.5, h * 0.3), QPointF(w * 0.5, h * 0.9), QPointF(w - 0.5, h * 0.6)}));
        break;
    }
    case Picture::SquareRoot: {
        QPen pen(c.ink, 1.2);
        pen.setJoinStyle(Qt::MiterJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawPolyline(QPolygonF({QPointF(0.5, h * 0.55), QPointF(2.5, h * 0.45),
                                  QPointF(5, h - 0.5), QPointF(8, 0.6), QPointF(w - 0.5, 0.6)}));
        // the x under the bar
        p.drawLine(QPointF(10.5, 2.5), QPointF(w - 3, h - 0.5));
        p.drawLine(QPointF(w - 3, 2.5), QPointF(10.5, h - 0.5));
        break;
    }
    case Picture::ArcTan:
        inverseName(p, c, s, QStringLiteral("TAN"));
        break;
    case Picture::ArcCos:
        inverseName(p, c, s, QStringLiteral("COS"));
        break;
    case Picture::ArcSin:
        inverseName(p, c, s, QStringLiteral("SIN"));
        break;
    case Picture::ArcSinh:
        inverseName(p, c, s, QStringLiteral("SINH"));
        break;
    case Picture::ArcCosh:
        inverseName(p, c, s, QStringLiteral("COSH"));
        break;
    case Picture::ArcTanh:
        inverseName(p, c, s, QStringLiteral("TANH"));
        break;
    }
}

} // namespace

QPixmap paintPicture(Picture picture, QSize size, qreal devicePixelRatio, PictureColors colors) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p, colors, picture, QSizeF(size));
    return pixmap;
}

PictureColors pictureColors(const QWidget &owner, QIcon::Mode mode) {
    const QPalette &palette = owner.palette();
    switch (mode) {
    case QIcon::Selected:
        return {palette.color(QPalette::HighlightedText), palette.color(QPalette::Highlight)};
    case QIcon::Disabled:
        return {palette.color(QPalette::Disabled, QPalette::ButtonText),
                palette.color(QPalette::Disabled, QPalette::Button)};
    case QIcon::Normal:
    case QIcon::Active:
        break;
    }
    return {palette.color(QPalette::ButtonText), palette.color(QPalette::Button)};
}

namespace {

// Draws its picture at paint time from the owner's palette. Nothing is cached, so the picture
// always follows the palette the owner has now.
class PictureEngine : public QIconEngine {
public:
    PictureEngine(Picture picture, QSize size, const QWidget *owner)
        : picture_(picture), size_(size), owner_(owner) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        const QPixmap pixmap = render(rect.size(), ratio, mode);
        const QSize shown = pixmap.deviceIndependentSize().toSize();
        painter->drawPixmap(QRect(rect.topLeft() + QPoint((rect.width() - shown.width()) / 2,
                                                          (rect.height() - shown.height()) / 2),
                                  shown),
                            pixmap);
    }

    // `size` is in device pixels: QIcon asks for the logical size times the screen's scale.
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State) override {
        const qreal ratio = std::max(1.0, std::min(size.width() / qreal(size_.width()),
                                                   size.height() / qreal(size_.height())));
        return render(size_, ratio, mode);
    }

    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        return render(size.boundedTo(size_), std::max(scale, 1.0), mode);
    }

    QSize actualSize(const QSize &size, QIcon::Mode, QIcon::State) override {
        return size_.scaled(size, Qt::KeepAspectRatio).boundedTo(size_);
    }

    QIconEngine *clone() const override { return new PictureEngine(*this); }
    QString key() const override { return QStringLiteral("zorbic-picture"); }

private:
    QPixmap render(QSize size, qreal ratio, QIcon::Mode mode) const {
        const PictureColors colors =
            owner_ ? pictureColors(*owner_, mode) : PictureColors{Qt::black, Qt::white};
        return paintPicture(picture_, size.isEmpty() ? size_ : size.boundedTo(size_), ratio,
                            colors);
    }

    Picture picture_;
    QSize size_;
    QPointer<const QWidget> owner_;
};

} // namespace

QIcon pictureIcon(Picture picture, QSize size, const QWidget *owner) {
    return QIcon(new PictureEngine(picture, size, owner));
}

void OptionButton::paintEvent(QPaintEvent *) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPalette::ColorGroup group = isEnabled() ? QPalette::Active : QPalette::Disabled;
    const qreal side = std::min(width(), height()) - 3.0;
    const QRectF ring(QPointF((width() - side) / 2, (height() - side) / 2), QSizeF(side, side));
    p.setPen(QPen(palette().color(group, QPalette::WindowText), 1.2));
    p.setBrush(palette().color(group, isDown() ? QPalette::Button : QPalette::Base));
    p.drawEllipse(ring);
    if (isChecked()) {
        p.setPen(Qt::NoPen);
        p.setBrush(palette().color(group, QPalette::Text));
        p.drawEllipse(ring.center(), side * 0.22, side * 0.22);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &p, this);
    }
}

} // namespace zorbic
