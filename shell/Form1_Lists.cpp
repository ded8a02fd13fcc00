#include "entry/TextBox.h"
#include "lists/ListViews.h"
#include "lists/StoreDelete.h"
#include "shell/Form1.h"

#include <QAction>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace zorbic {

namespace {

// Rebuilds a list from its lines; each item carries its table row as item data.
// Refilling and reselecting by program take no line into strLastResult: the list's signals
// stay quiet meanwhile.
void fill(QListWidget &list, const std::vector<ListLine> &lines) {
    const QSignalBlocker quiet(&list);
    list.setUpdatesEnabled(false);
    list.clear();
    for (const ListLine &line : lines) {
        auto *item = new QListWidgetItem(QString::fromStdString(line.text));
        item->setData(Qt::UserRole, static_cast<int>(line.row));
        list.addItem(item);
    }
    list.setUpdatesEnabled(true);
}

Integer rowOf(const QListWidgetItem &item) {
    return ToInteger(item.data(Qt::UserRole).toInt());
}

std::vector<Integer> selectedRows(const QListWidget &list) {
    std::vector<Integer> rows;
    for (int i = 0; i < list.count(); ++i)
        if (list.item(i)->isSelected()) rows.push_back(rowOf(*list.item(i)));
    return rows;
}

std::vector<ListItem> itemsOf(const QListWidget &list) {
    std::vector<ListItem> items;
    items.reserve(static_cast<std::size_t>(list.count()));
    for (int i = 0; i < list.count(); ++i)
        items.push_back({rowOf(*list.item(i)), list.item(i)->isSelected()});
    return items;
}

void selectOnly(QListWidget &list, std::optional<int> index) {
    const QSignalBlocker quiet(&list);
    list.clearSelection();
    if (index && *index >= 0 && *index < list.count()) {
        list.setCurrentRow(*index, QItemSelectionModel::ClearAndSelect);
    }
}

} // namespace

void Form1::subFillHistoryList() {
    fill(*List1, HistoryLines(tables, MnuExtraREsultFixed->isChecked()));
}

void Form1::subFillStorageList(bool bShownForm) {
    fill(*List2, StorageLines(tables, bShownForm));
}

void Form1::cmdStore_Click() {
    trap([&] {
        // A store that runs out of room reports it and keeps the rows stored before; the data
        // file is saved either way.
        trap([&] {
            fnHistory_Store(tables, selectedRows(*List1));
            subFillStorageList(false);
        });
        subSaveData();
    });
}

bool Form1::fnHistory_DeleteLines() {
    const DeleteOutcome outcome = zorbic::fnHistory_DeleteLines(tables, itemsOf(*List1));
    if (!outcome.deleted) return false;
    subFillHistoryList();
    List1->setFocus(Qt::OtherFocusReason);
    selectOnly(*List1, outcome.selectIndex);
    return true;
}

bool Form1::fnStorage_DeleteLines() {
    const DeleteOutcome outcome = zorbic::fnStorage_DeleteLines(tables, itemsOf(*List2));
    if (!outcome.deleted) return false;
    subFillStorageList(false);
    List2->setFocus(Qt::OtherFocusReason);
    selectOnly(*List2, outcome.selectIndex);
    return true;
}

void Form1::cmdDeleteItem_Click() {
    trap([&] {
        if (!confirmedCantUndo()) return;
        fnHistory_DeleteLines();
    });
}

void Form1::cmdClearStorage_Click() {
    trap([&] {
        if (!confirmedCantUndo()) return;
        fnStorage_DeleteLines();
    });
}

// Clearing asks twice: the clear question, then (all lines selected) the delete confirmation.
void Form1::mnuClearResults_Click() {
    trap([&] {
        if (!confirmedCantUndo(QStringLiteral("Clear Results List?\r\n\r\n"))) return;
        List1->selectAll();
        cmdDeleteItem_Click();
    });
}

void Form1::mnuEditClearStorage_Click() {
    trap([&] {
        if (!confirmedCantUndo(QStringLiteral("Clear Storage List?\r\n\r\n"))) return;
        List2->selectAll();
        cmdClearStorage_Click();
    });
}

// List1_KeyDown and List2_KeyDown. Returns true when the key is handled (and swallowed).
bool Form1::List_KeyDown(QListWidget *list, QKeyEvent *event) {
    bool handled = false;
    trap([&] {
        const bool history = list == List1;
        const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
        const bool none = mods == Qt::NoModifier;
        const bool ctrl = mods == Qt::ControlModifier;
        const bool last = list->count() == 0 || list->currentRow() == list->count() - 1;
        handled = true;
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            List_Enter(list, ctrl);
            return;
        case Qt::Key_Delete:
            history ? cmdDeleteItem_Click() : cmdClearStorage_Click();
            return;
        case Qt::Key_Up:
            if (ctrl || (none && list->currentRow() <= 0)) {
                (history ? static_cast<QWidget *>(Text1) : List1)->setFocus(Qt::OtherFocusReason);
                return;
            }
            break;
        case Qt::Key_Down:
            if (history && ctrl) {
                if (List2->isHidden()) cmdMoreLess_Click();
                List2->setFocus(Qt::OtherFocusReason);
                return;
            }
            if (!history && (ctrl || (none && last))) {
                if (Text1->isVisible()) Text1->setFocus(Qt::OtherFocusReason);
                return;
            }
            if (history && none && last) {
                if (List2->isVisible()) List2->setFocus(Qt::OtherFocusReason);
                return;
            }
            break;
        case Qt::Key_C:
            if (ctrl) {
                history ? cmdCopyHistoryItems_Click() : cmdCopyStorageItems_Click();
                return;
            }
            break;
        case Qt::Key_V:
            if (ctrl) {
                strPopupList = history ? "list1" : "list2";
                mnuEPPaste_Click();
                return;
            }
            break;
        case Qt::Key_0:
            // Ctrl with the keypad 0 stores the selected results.
            if (history && ctrl && (event->modifiers() & Qt::KeypadModifier)) {
                cmdStore_Click();
                return;
            }
            break;
        default:
            break;
        }
        handled = false;
    });
    return handled;
}

// The item tip: the list's tool tip becomes the full line under the mouse, so a line wider
// than the list can be read. Over no line the tip keeps its text.
void Form1::List_MouseMove(QListWidget *list, QMouseEvent *event) {
    trap([&] {
        if (event->buttons() != Qt::NoButton) return;
        if (const QListWidgetItem *item = list->itemAt(event->position().toPoint()))
            list->setToolTip(item->text());
    });
}

} // namespace zorbic
