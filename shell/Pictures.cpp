#include "shell/Pictures.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace zorbic {

namespace {

const QColor kInk(Qt::black);

void triangle(QPainter &p, QPolygonF points) {
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawPolygon(points);
}

void bar(QPainter &p, qreal x, qreal top, qreal bottom) {
    p.fillRect(QRectF(x, top, 1.5, bottom - top), kInk);
}

// Function names with an inverse mark: the letters, then a raised "-1".
void inverseName(QPainter &p, QSizeF size, const QString &name) {
    QFont letters(QStringLiteral("Sans Serif"));
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
    p.setPen(kInk);
    p.setFont(letters);
    const qreal baseline = size.height() - lm.descent() * 0.5;
    p.drawText(QPointF(0, baseline), name);
    p.setFont(raised);
    p.drawText(QPointF(lm.horizontalAdvance(name), rm.ascent() * 0.9), QStringLiteral("-1"));
    p.restore();
}

void draw(QPainter &p, Picture picture, QSizeF s) {
    const qreal w = s.width();
    const qreal h = s.height();
    const qreal midY = h / 2;
    switch (picture) {
    case Picture::None:
        break;
    case Picture::Home:
        bar(p, 3, 2, h - 2);
        triangle(p, {{QPointF(6, midY), QPointF(w - 3, 2), QPointF(w - 3, h - 2)}});
        break;
    case Picture::End:
        triangle(p, {{QPointF(3, 2), QPointF(3, h - 2), QPointF(w - 6, midY)}});
        bar(p, w - 4.5, 2, h - 2);
        break;
    case Picture::Left:
    case Picture::TriangleLeft:
        triangle(
            p, {{QPointF(w * 0.25, midY), QPointF(w * 0.75, h * 0.2), QPointF(w * 0.75, h * 0.8)}});
        break;
    case Picture::Right:
    case Picture::TriangleRight:
        triangle(
            p, {{QPointF(w * 0.25, h * 0.2), QPointF(w * 0.25, h * 0.8), QPointF(w * 0.75, midY)}});
        break;
    case Picture::TriangleUp:
        triangle(p,
                 {{QPointF(w / 2, h * 0.3), QPointF(w * 0.1, h * 0.7), QPointF(w * 0.9, h * 0.7)}});
        break;
    case Picture::TriangleDown:
        triangle(p,
                 {{QPointF(w * 0.1, h * 0.3), QPointF(w * 0.9, h * 0.3), QPointF(w / 2, h * 0.7)}});
        break;
    case Picture::ExpandBoth:
        triangle(p, {{QPointF(w * 0.9, h * 0.85), QPointF(w * 0.1, h * 0.85),
                      QPointF(w * 0.9, h * 0.2)}});
        break;
    case Picture::CollapseBoth:
        triangle(p, {{QPointF(w * 0.1, h * 0.15), QPointF(w * 0.9, h * 0.15),
                      QPointF(w * 0.1, h * 0.8)}});
        break;
    case Picture::BackSpace: {
        triangle(p, {{QPointF(0.5, midY), QPointF(w * 0.45, 1), QPointF(w * 0.45, h - 1)}});
        p.fillRect(QRectF(w * 0.4, midY - 1.5, w * 0.6 - 0.5, 3), kInk);
        break;
    }
    case Picture::Send: {
        QPen pen(kInk, 1);
        p.setPen(pen);
        p.setBrush(Qt::white);
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
        triangle(
            p, {{QPointF(w * 0.5, h * 0.3), QPointF(w * 0.5, h * 0.9), QPointF(w - 0.5, h * 0.6)}});
        break;
    }
    case Picture::SquareRoot: {
        QPen pen(kInk, 1.2);
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
        inverseName(p, s, QStringLiteral("TAN"));
        break;
    case Picture::ArcCos:
        inverseName(p, s, QStringLiteral("COS"));
        break;
    case Picture::ArcSin:
        inverseName(p, s, QStringLiteral("SIN"));
        break;
    case Picture::ArcSinh:
        inverseName(p, s, QStringLiteral("SINH"));
        break;
    case Picture::ArcCosh:
        inverseName(p, s, QStringLiteral("COSH"));
        break;
    case Picture::ArcTanh:
        inverseName(p, s, QStringLiteral("TANH"));
        break;
    }
}

} // namespace

QPixmap paintPicture(Picture picture, QSize size, qreal devicePixelRatio) {
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p, picture, QSizeF(size));
    return pixmap;
}

} // namespace zorbic
