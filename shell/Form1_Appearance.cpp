#include "platform/Twips.h"
#include "shell/Form1.h"
#include "shell/Pictures.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace zorbic {

// The width a control's caption can use: a button's contents; a label's line of text less a
// pixel of air (hinting on a real screen can widen a glyph by one), and up to a pixel short of
// the first control that lies over it further along (the check boxes cover the ends of "On Top"
// and "(x)").
int Form1::captionRoom(const QWidget *control) const {
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return button->style()
            ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
            .width();
    }
    QRect line = control->contentsRect().translated(control->pos());
    line.setHeight(std::min(line.height(), control->fontMetrics().height()));
    const bool fromRight = qobject_cast<const QLabel *>(control)->alignment() & Qt::AlignRight;
    int left = line.left() + (fromRight ? 1 : 0);
    int right = line.right() - (fromRight ? 0 : 1);
    const QObjectList &siblings = control->parentWidget()->children();
    for (qsizetype i = siblings.indexOf(control) + 1; i < siblings.size(); ++i) {
        const auto *above = qobject_cast<const QWidget *>(siblings[i]);
        if (!above || std::find(picMore.begin(), picMore.end(), above) != picMore.end()) continue;
        const QRect cover = above->geometry().intersected(line);
        if (cover.isEmpty()) continue;
        if (fromRight && cover.left() == line.left())
            left = std::max(left, cover.right() + 2);
        else if (!fromRight && cover.right() == line.right())
            right = std::min(right, cover.left() - 2);
    }
    return right - left + 1;
}

// Every caption the layout shows whole gets a font in which it fits: the mode labels all the
// texts they take, the list labels their first word.
void Form1::subFitCaptions() {
    auto fit = [this](QWidget *control, const QStringList &captions) {
        FitCaptions(control, captions, captionRoom(control));
    };
    auto firstWord = [](const QLabel *label) {
        return label->text().section(QLatin1Char(' '), 0, 0);
    };
    QStringList modeNames;
    for (CopyMode mode : {CopyMode::Result, CopyMode::Expression, CopyMode::ExpressionResult})
        modeNames << QString::fromLatin1(LabelFor(mode).caption);
    fit(Label6, modeNames);
    fit(lblDegRad, {QStringLiteral("Deg"), QStringLiteral("Rad")});
    fit(Label1, {firstWord(Label1)});
    fit(Label3, {firstWord(Label3)});
    for (QLabel *label : {Label2, Label4, Label5})
        fit(label, {label->text()});
    for (QPushButton *button : client_->findChildren<QPushButton *>())
        if (!button->text().isEmpty()) fit(button, {button->text()});
}

// The holders keep the toggle pictures as the buttons show them: in the button colours of the
// current palette, at the window's pixel ratio.
void Form1::subPaintHolders() {
    for (QLabel *holder : picMore)
        if (holder)
            holder->setPixmap(
                paintPicture(static_cast<Picture>(holder->property("picture").toInt()),
                             holder->property("pictureSize").toSize(), devicePixelRatioF(),
                             pictureColors(*this)));
}

// The button pictures paint from the palette by themselves; the holders are drawn again.
void Form1::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        subPaintHolders();
}

} // namespace zorbic
