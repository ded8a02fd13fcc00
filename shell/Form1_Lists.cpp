#include "entry/TextBox.h"
#include "lists/ListViews.h"
#include "lists/StoreDelete.h"
#include "shell/Form1.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QSignalBlocker>

#include <memory>

namespace zorbic {

namespace {

// A history line whose row number follows the table: each time the full table drops its
// oldest row, every row moves down by one, and the shared count of drops moves every line's
// number with it without touching the items.
class HistoryItem : public QListWidgetItem {
public:
    HistoryItem(const QString &text, int serial, std::shared_ptr<const int> dropped)
        : QListWidgetItem(text), serial_(serial), dropped_(std::move(dropped)) {}

    QVariant data(int role) const override {
        if (role == Qt::UserRole) return serial_ - *dropped_;
        return QListWidgetItem::data(role);
    }

private:
    int serial_; // the row number when no row has been dropped since the last refill
    std::shared_ptr<const int> dropped_;
};

// Rebuilds a list from its lines; each item carries its table row as item data.
// Refilling and reselecting by program take no line into strLastResult: the list's signals
// stay quiet meanwhile.
template <class MakeItem>
void fill(QListWidget &list, const std::vector<ListLine> &lines, MakeItem makeItem) {
    const QSignalBlocker quiet(&list);
    list.setUpdatesEnabled(false);
    list.clear();
    for (const ListLine &line : lines)
        list.addItem(makeItem(QString::fromStdString(line.text), static_cast<int>(line.row)));
    list.setUpdatesEnabled(true);
}

QListWidgetItem *plainItem(const QString &text, int row) {
    auto *item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, row);
    return item;
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
    historyFilledFixed_ = MnuExtraREsultFixed->isChecked();
    historyDropped_ = std::make_shared<int>(0);
    fill(*List1, HistoryLines(tables, historyFilledFixed_), [this](const QString &text, int row) {
        return new HistoryItem(text, row, historyDropped_);
    });
}

// Only the new row's line is made and, when the full table dropped its oldest row, only the
// bottom line goes. The list then looks as a refill leaves it: nothing selected, no current
// line, scrolled to its top. A list that does not show the table as it was before the row
// was added (another line form, other rows) is refilled whole.
void Form1::subAddHistoryLine(bool droppedOldest) {
    const int before = tables.intHistoryCount - (droppedOldest ? 0 : 1);
    if (List1->count() != before || historyFilledFixed_ != MnuExtraREsultFixed->isChecked()) {
        subFillHistoryList();
        return;
    }
    const QSignalBlocker quiet(List1);
    if (droppedOldest) {
        delete List1->takeItem(List1->count() - 1);
        ++*historyDropped_;
    }
    const Row &row = RowAt(tables.strHistory, tables.intHistoryCount);
    List1->insertItem(
        0, new HistoryItem(QString::fromStdString(HistoryLineText(row, historyFilledFixed_)),
                           tables.intHistoryCount + *historyDropped_, historyDropped_));
    List1->clearSelection();
    List1->selectionModel()->clearCurrentIndex();
    List1->scrollToTop();
}

void Form1::subFillStorageList(bool bShownForm) {
    fill(*List2, StorageLines(tables, bShownForm), plainItem);
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
