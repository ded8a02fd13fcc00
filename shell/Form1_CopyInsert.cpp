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

void Form1::connectCopyInsertHandlers() {
    for (QListWidget *list : {List1, List2}) {
        // The line taken is the current one: by a click (also on the current line again), or by
        // moving with the keys. Refilling a list takes nothing.
        connect(list, &QListWidget::currentRowChanged, this,
                [this, list] { list == List1 ? List1_Click() : List2_Click(); });
        connect(list, &QListWidget::itemClicked, this,
                [this, list] { list == List1 ? List1_Click() : List2_Click(); });
        connect(list, &QListWidget::itemDoubleClicked, this,
                [this, list] { list == List1 ? List1_DblClick() : List2_DblClick(); });
    }
    connect(mnuEPcopy, &QAction::triggered, this, &Form1::mnuEditCopy_Click);
    connect(mnuEPcut, &QAction::triggered, this, &Form1::mnuEditCut_Click);
    connect(mnuEPInsertResult, &QAction::triggered, this, &Form1::mnuEPInsertResult_Click);
    connect(mnuEPInsertExpression, &QAction::triggered, this, &Form1::mnuEPInsertExpression_Click);
}

// Takes the current line of a list into strLastResult in the current mode; a history line
// also becomes the source of the pop-up menu's inserts. False when the list has no current line.
bool Form1::List_Click(QListWidget *list) {
    const QListWidgetItem *item = list->currentItem();
    if (item == nullptr) return false;
    const bool history = list == List1;
    const Row &row =
        RowAt(history ? tables.strHistory : tables.strStorage, item->data(Qt::UserRole).toInt());
    if (history) {
        strSelExpression = row.expression;
        strSelResult = row.resultText;
    }
    strLastResult = ModeText(row, fnCopyMode());
    Command4->setToolTip(QStringLiteral("Zipto: ") + QString::fromStdString(strLastResult));
    return true;
}

void Form1::List1_Click() {
    trap([&] { List_Click(List1); });
}

void Form1::List2_Click() {
    trap([&] { List_Click(List2); });
}

void Form1::List1_DblClick() {
    subSendKeys(strLastResult, false, true, false);
}

void Form1::List2_DblClick() {
    subSendKeys(strLastResult, false, true, false);
}

// The pop-up inserts always take the history line clicked last, whichever list was clicked.
void Form1::mnuEPInsertResult_Click() {
    subSendKeys(strSelResult, false, true, true);
}

void Form1::mnuEPInsertExpression_Click() {
    subSendKeys(strSelExpression, true, true, false);
}

// Enter inserts the current line in the current mode; Ctrl+Enter its expression. Ctrl+Enter in
// the history keeps the mode; in the storage list it leaves the mode at Result. A list without
// lines inserts nothing.
void Form1::List_Enter(QListWidget *list, bool ctrl) {
    trap([&] {
        const CopyMode before = fnCopyMode();
        if (ctrl) subSetCopyMode(CopyMode::Expression);
        const bool taken = List_Click(list);
        if (taken) list == List1 ? List1_DblClick() : List2_DblClick();
        if (ctrl) subSetCopyMode(list == List1 ? before : CopyMode::Result);
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
