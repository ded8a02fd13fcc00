#include "shell/about/AboutPictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace zorbic {

namespace {

const QColor deepBlue(0x1f, 0x4e, 0x8c);
const QColor lightBlue(0x4a, 0x86, 0xd0);
const QColor accent(0xf2, 0x8c, 0x28);

QPixmap blank(QSize size, qreal dpr) {
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// The icon on a 32 x 32 grid: a blue rounded square with a white "Z" crossed by an orange bar.
// data/zorbic.svg draws the same shapes.
void drawIcon(QPainter &p, const QRectF &target) {
    p.save();
    p.translate(target.topLeft());
    p.scale(target.width() / 32.0, target.height() / 32.0);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient face(0, 0, 0, 32);
    face.setColorAt(0, lightBlue);
    face.setColorAt(1, deepBlue);
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    const QPolygonF zed{{8, 7},   {24, 7}, {24, 11}, {13.5, 21}, {24, 21},
                        {24, 25}, {8, 25}, {8, 21},  {18.5, 11}, {8, 11}};
    p.setBrush(Qt::white);
    p.drawPolygon(zed);
    p.setBrush(accent);
    p.drawRect(QRectF(11, 15, 10, 2));
    p.restore();
}

} // namespace

QPixmap paintProgramIcon(QSize size, qreal devicePixelRatio) {
    QPixmap pixmap = blank(size, devicePixelRatio);
    QPainter p(&pixmap);
    drawIcon(p, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QPixmap paintMakerLogo(qreal devicePixelRatio) {
    QPixmap pixmap = blank(makerLogoSize, devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawIcon(p, QRectF(6, 11, 48, 48));

    QFont name(QStringLiteral("DejaVu Sans"));
    name.setPixelSize(26);
    name.setBold(true);
    p.setFont(name);
    p.setPen(deepBlue);
    p.drawText(QRectF(60, 8, 119, 34), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Zorbic"));

    QFont works(name);
    works.setPixelSize(15);
    works.setLetterSpacing(QFont::AbsoluteSpacing, 5);
    p.setFont(works);
    p.setPen(accent.darker(120));
    p.drawText(QRectF(62, 42, 117, 20), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("WORKS"));
    return pixmap;
}

QPixmap paintProductLogo(qreal devicePixelRatio) {
    QPixmap pixmap = blank(productLogoSize, devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(58);
    font.setBold(true);
    font.setItalic(true);
    QPainterPath word;
    word.addText(0, 0, font, QStringLiteral("Zorbic"));
    // Centre the lettering in the picture whatever the font's exact metrics are.
    const QRectF bounds = word.boundingRect();
    const QPointF offset =
        QRectF(QPointF(0, 0), QSizeF(productLogoSize)).center() - bounds.center();
    word.translate(offset);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 60));
    p.drawPath(word.translated(3, 3));
    QLinearGradient fill(0, offset.y() + bounds.top(), 0, offset.y() + bounds.bottom());
    fill.setColorAt(0, lightBlue);
    fill.setColorAt(1, deepBlue);
    p.setBrush(fill);
    p.setPen(QPen(deepBlue.darker(130), 1));
    p.drawPath(word);
    return pixmap;
}

} // namespace zorbic
