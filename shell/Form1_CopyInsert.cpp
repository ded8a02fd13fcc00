#include "platform/Platform.h"
#include "shell/Form1.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

namespace zorbic {

// The mode lives in the check marks of its three menu items; Expression is tested first.
CopyMode Form1::fnCopyMode() const {
    if (mnuExtraCopyExpression->isChecked()) return CopyMode::Expression;
    if (mnuExtraCopyResult->isChecked()) return CopyMode::Result;
    return CopyMode::ExpressionResult;
}

void Form1::subSetCopyMode(CopyMode mode) {
    trap([&] {
        mnuExtraCopyResult->setChecked(mode == CopyMode::Result);
        mnuExtraCopyExpression->setChecked(mode == CopyMode::Expression);
        mnuExtraCopyResultExpression->setChecked(mode == CopyMode::ExpressionResult);
        const CopyModeLabel label = LabelFor(mode);
        Label6->setText(QString::fromLatin1(label.caption));
        Label6->setToolTip(QString::fromLatin1(label.toolTip));
        Option1[static_cast<std::size_t>(mode)]->setChecked(true);
    });
}

void Form1::Option1_Click(int Index) {
    static constexpr std::array kModes = {CopyMode::Result, CopyMode::Expression,
                                          CopyMode::ExpressionResult};
    subSetCopyMode(kModes.at(static_cast<std::size_t>(Index)));
}

void Form1::Label6_Click() {
    subSetCopyMode(NextCopyMode(fnCopyMode()));
}

// Copies the selected lines, top to bottom, in the current mode: onto the clipboard (one line
// each, CR LF between), into strLastResult and into the copy buffer for Paste. More than 40
// lines fail before anything changes.
void Form1::subCopyLines(QListWidget *list, const std::vector<Row> &table) {
    std::vector<Integer> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows.push_back(ToInteger(list->item(i)->data(Qt::UserRole).toInt()));
    const std::string text = CopyLines(table, rows, fnCopyMode(), copyBuffer);
    strLastResult = text;
    Command4->setToolTip(QStringLiteral("Zipto: ") + QString::fromStdString(strLastResult));
    platform_.setClipboardText(QString::fromStdString(text));
}

void Form1::cmdCopyHistoryItems_Click() {
    trap([&] { subCopyLines(List1, tables.strHistory); });
}

void Form1::cmdCopyStorageItems_Click() {
    trap([&] { subCopyLines(List2, tables.strStorage); });
}

void Form1::mnuEPPaste_Click() {
    trap([&] {
        switch (PasteCopyBuffer(tables, copyBuffer, strPopupList)) {
        case PasteTarget::History:
            subFillHistoryList();
            break;
        case PasteTarget::Storage:
            subFillStorageList(false);
            break;
        case PasteTarget::None:
            break;
        }
    });
}

// Pressing a mouse button on a list names it for Paste; the right button opens the pop-up menu.
void Form1::List_MouseDown(QListWidget *list, QMouseEvent *event) {
    trap([&] {
        strPopupList = list == List1 ? "list1" : "list2";
        if (event->button() == Qt::RightButton) mnuEP->popup(event->globalPosition().toPoint());
    });
}

} // namespace zorbic
