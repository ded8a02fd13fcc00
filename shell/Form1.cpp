#include "shell/Form1.h"

#include "entry/TextBox.h"
#include "lists/Failure.h"
#include "platform/FixedBorder.h"
#include "platform/Platform.h"
#include "platform/Twips.h"
#include "shell/CaretRest.h"
#include "shell/ControlTable.h"
#include "shell/Pictures.h"
#include "shell/about/HelpWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

namespace zorbic {

namespace {

QString key(const char *name, int index) {
    return index < 0 ? QString::fromLatin1(name)
                     : QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

// A sans-serif stand-in for the designed 8.25 point default; 9.75 and 12 points where designed.
QFont fontFor(FontKind kind) {
    QFont font(SansSerifFamily());
    font.setStyleHint(QFont::SansSerif);
    switch (kind) {
    case FontKind::Default:
        font.setPointSizeF(8.25);
        break;
    case FontKind::Large:
        font.setPointSizeF(9.75);
        break;
    case FontKind::LargeBold:
        font.setPointSizeF(9.75);
        font.setBold(true);
        break;
    case FontKind::BigBold:
        font.setPointSizeF(12);
        font.setBold(true);
        break;
    }
    return font;
}

template <class T>
T *as(const QHash<QString, QWidget *> &widgets, const char *name, int index = -1) {
    auto *widget = qobject_cast<T *>(widgets.value(key(name, index)));
    Q_ASSERT(widget);
    return widget;
}

// A window manager puts a new window on the screen within a few milliseconds; one that takes
// longer (or keeps the window hidden) does not hold up the controls for long.
constexpr int kWaitForWindowManagerMs = 50;

} // namespace

Form1::Form1(Platform &platform, const QString &dataFilePath, QWidget *parent,
             bool showWhileBuilding)
    : QMainWindow(parent), platform_(platform), store_(dataFilePath) {
    // The window in front now is the application the program was started from: none of ours
    // exists yet. It is the first Zipto target.
    hwndLastActive = platform_.foregroundWindow();

    // Fixed border with a minimize box and no maximize box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    KeepFixedBorder(this, Qt::WindowMinimized);
    setWindowTitle(appTitle());
    // The window manager shows the icon on its own background: black on a white page.
    setWindowIcon(QIcon(
        paintPicture(Picture::Send, QSize(16, 16), devicePixelRatioF(), {Qt::black, Qt::white})));
    setFont(fontFor(FontKind::Default));

    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    // The menu bar first: the window's height depends on it.
    buildMenus();
    if (showWhileBuilding) {
        // The window is shown before the controls are built; the first paint, at the first
        // pass of the event loop, shows them all. sync() has the display server take the map
        // request now instead of at that pass. Building the controls while the window manager
        // puts the window on the screen would compete with it for the processor (with two
        // cores, the window came 2 ms later), so they wait for it, a moment at most.
        subFixWindowSize(2, 1);
        show();
        QGuiApplication::sync();
        platform_.waitUntilOnScreen(this, kWaitForWindowManagerMs);
    }
    buildControls();
    setTabOrder();
    connectHandlers();
    connectZiptoHandlers();
    connectHelpHandlers();
    // Editing, window behaviours and copy/insert.
    connectEditingHandlers();
    connectWindowHandlers();
    connectCopyInsertHandlers();

    // Keypad shown and storage hidden; start() does the rest.
    bLoading = true;
    subMoreLessLayout(2, 1);
    // Controls made inside a shown window stay hidden until shown, as those that a hidden window
    // shows with itself: all but those hidden on purpose.
    if (showWhileBuilding)
        for (QWidget *child : client_->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            if (!child->testAttribute(Qt::WA_WState_ExplicitShowHide)) child->show();
}

namespace {

// Until start-up has read the data file: the window's first paint has the rest of start-up
// run right after it (queued, so the paint is on the screen first), and any input to the
// program has it run at once, before the input is handled.
class StartGate : public QObject {
public:
    StartGate(Form1 *form, std::function<void()> finish)
        : QObject(form), form_(form), finish_(std::move(finish)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::Paint:
            if (watched == form_ && !queued_) {
                queued_ = true;
                QTimer::singleShot(0, form_, finish_);
            }
            break;
        case QEvent::ShortcutOverride:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::InputMethod:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            finish_();
            break;
        default:
            break;
        }
        return false;
    }

private:
    Form1 *form_;
    std::function<void()> finish_;
    bool queued_ = false;
};

// A window that is never painted (started minimized, say) finishes starting after this.
constexpr int kStartAtTheLatestMs = 500;

} // namespace

void Form1::start() {
    // The window is shown as early as possible. The captions' fonts matter only to the paint,
    // so they are fitted while the window manager maps the window. The desktop's announcements,
    // the defaults and the data file follow the first paint, so neither their round trips to
    // the display server nor a large file delay it. A Timer1 tick before then finds bLoading
    // true, and tracks the window in front by itself.
    Timer1->start();
    show();
    subFitCaptions();
    Text1->setFocus(Qt::OtherFocusReason);
    ctlLastFocus = Text1;
    bStartPending = true;
    auto finish = [form = QPointer<Form1>(this)] {
        if (form) form->subFinishStart();
    };
    caretRest = new CaretRest(this);
    startGate_ = new StartGate(this, finish);
    qApp->installEventFilter(startGate_);
    QTimer::singleShot(kStartAtTheLatestMs, this, finish);
}

void Form1::subFinishStart() {
    if (!bStartPending) return;
    bStartPending = false;
    qApp->removeEventFilter(startGate_);
    startGate_->deleteLater(); // this may run inside its filter
    startGate_ = nullptr;
    bTrackingByEvents = platform_.watchForeground([form = QPointer<Form1>(this)] {
        if (form) form->subTrackLastActive();
    });
    subFinishLoad();
    subLoadData();
    Text1->setFocus(Qt::OtherFocusReason);
    ctlLastFocus = Text1;
    Text1->selectAll();
}

void Form1::subFinishLoad() {
    trap([&] {
        Option1[0]->setChecked(true);
        Option1_Click(0);
        intDecimals = 4;
        strHelpFolder = findHelpFolder();
        if (strHelpFolder.isEmpty()) helpFoldersLooked = helpFolderCandidates();
        bLoading = false;
    });
}

Form1::~Form1() = default;

QString Form1::appTitle() {
    return QStringLiteral("Zorbic Zorbic Works");
}

void Form1::buildControls() {
    QHash<QString, QWidget *> widgets;
    for (const ControlSpec &control : controlTable()) {
        QWidget *parent = client_;
        if (control.kind == ControlKind::OptionButton)
            parent = widgets.value(QStringLiteral("Frame1"));
        QWidget *widget = createControl(control, parent);
        widgets.insert(key(control.name, control.index), widget);
    }

    Label1 = as<QLabel>(widgets, "Label1");
    Label2 = as<QLabel>(widgets, "Label2");
    Label3 = as<QLabel>(widgets, "Label3");
    Label4 = as<QLabel>(widgets, "Label4");
    Label5 = as<QLabel>(widgets, "Label5");
    Label6 = as<QLabel>(widgets, "Label6");
    lblDegRad = as<QLabel>(widgets, "lblDegRad");
    Check1 = as<QCheckBox>(widgets, "Check1");
    Check2 = as<QCheckBox>(widgets, "Check2");
    Frame1 = widgets.value(QStringLiteral("Frame1"));
    for (int i = 0; i < static_cast<int>(Option1.size()); ++i)
        Option1[i] = as<QRadioButton>(widgets, "Option1", i);
    for (int i = 0; i < static_cast<int>(Command1.size()); ++i)
        Command1[i] = as<QPushButton>(widgets, "Command1", i);
    Command2 = as<QPushButton>(widgets, "Command2");
    Command3 = as<QPushButton>(widgets, "Command3");
    Command4 = as<QPushButton>(widgets, "Command4");
    Command5 = as<QPushButton>(widgets, "Command5");
    Command8 = as<QPushButton>(widgets, "Command8");
    cmdDeleteItem = as<QPushButton>(widgets, "cmdDeleteItem");
    cmdCopyHistoryItems = as<QPushButton>(widgets, "cmdCopyHistoryItems");
    cmdStore = as<QPushButton>(widgets, "cmdStore");
    cmdClearStorage = as<QPushButton>(widgets, "cmdClearStorage");
    cmdCopyStorageItems = as<QPushButton>(widgets, "cmdCopyStorageItems");
    cmdMoreLess = as<QPushButton>(widgets, "cmdMoreLess");
    Text1 = as<TextBox>(widgets, "Text1");
    Text4 = as<QLineEdit>(widgets, "Text4");
    List1 = as<QListWidget>(widgets, "List1");
    List2 = as<QListWidget>(widgets, "List2");
    for (int i = 0; i < static_cast<int>(picMore.size()); ++i)
        picMore[i] = as<QLabel>(widgets, "picMore", i);
    subPaintHolders();
}

QWidget *Form1::createControl(const ControlSpec &control, QWidget *parent) {
    const QString caption = QString::fromLatin1(control.caption);
    QWidget *widget = nullptr;
    switch (control.kind) {
    case ControlKind::Label:
    case ControlKind::LabelRight: {
        auto *label = new QLabel(caption, parent);
        // Captions show only what fits (the list labels show just their beginning).
        label->setAlignment(
            (control.kind == ControlKind::LabelRight ? Qt::AlignRight : Qt::AlignLeft) |
            Qt::AlignTop);
        label->setWordWrap(false);
        // A glyph's ink can reach past its advance; right-aligned text keeps it off the edge.
        if (control.kind == ControlKind::LabelRight) label->setContentsMargins(0, 0, 2, 0);
        label->setTextFormat(Qt::PlainText);
        widget = label;
        break;
    }
    case ControlKind::CheckBox:
        widget = new QCheckBox(parent);
        break;
    case ControlKind::Frame:
        widget = new QWidget(parent);
        break;
    case ControlKind::OptionButton:
        widget = new OptionButton(parent);
        break;
    case ControlKind::Button: {
        auto *button = new QPushButton(caption, parent);
        // Tab never stops on a button, and a click leaves the focus where the user was typing.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setProperty("graphical", control.graphical);
        if (control.picture != Picture::None) {
            button->setIcon(pictureIcon(control.picture, control.pictureSize, button));
            button->setIconSize(control.pictureSize);
        }
        widget = button;
        break;
    }
    case ControlKind::ExpressionBox:
        widget = new TextBox(parent);
        break;
    case ControlKind::HiddenText:
        widget = new QLineEdit(caption, parent);
        widget->installEventFilter(this);
        break;
    case ControlKind::ListBox: {
        auto *list = new QListWidget(parent);
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
        list->setUniformItemSizes(true);
        list->setMouseTracking(true);
        // A long line is cut off at the edge, not shortened with an ellipsis; the item tip
        // shows it whole.
        list->setTextElideMode(Qt::ElideNone);
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        widget = list;
        break;
    }
    case ControlKind::PictureHolder: {
        auto *holder = new QLabel(parent);
        holder->setProperty("picture", static_cast<int>(control.picture));
        holder->setProperty("pictureSize", control.pictureSize);
        holder->hide();
        widget = holder;
        break;
    }
    }
    widget->setObjectName(QString::fromLatin1(control.name));
    if (control.index >= 0) widget->setProperty("index", control.index);
    widget->setToolTip(QString::fromLatin1(control.toolTip));
    // The description is left empty, so screen readers take the tool tip (also when the program
    // changes it, as the Zipto button's tip shows the last result).
    widget->setAccessibleName(QString::fromUtf8(control.accessibleName));
    if (control.font != FontKind::Default) widget->setFont(fontFor(control.font));
    widget->setGeometry(TwipsRect(control.left, control.top, control.width, control.height));
    return widget;
}

void Form1::buildMenus() {
    QHash<QString, QMenu *> menus;
    QHash<QString, QAction *> actions;
    for (const MenuSpec &control : menuTable()) {
        const QString name = QString::fromLatin1(control.name);
        const QString caption = QString::fromLatin1(control.caption);
        if (!control.parent || control.submenu) {
            // The pop-up menu is a menu of its own that never enters the bar.
            QMenu *menu = nullptr;
            if (!control.parent && name == QLatin1String("mnuEP"))
                menu = new QMenu(caption, this);
            else if (!control.parent)
                menu = menuBar()->addMenu(caption);
            else
                menu = menus.value(QString::fromLatin1(control.parent))->addMenu(caption);
            menu->setObjectName(name);
            menu->menuAction()->setObjectName(name);
            menus.insert(name, menu);
            continue;
        }
        QMenu *parentMenu = menus.value(QString::fromLatin1(control.parent));
        QAction *action = caption == QLatin1String("-") ? parentMenu->addSeparator()
                                                        : parentMenu->addAction(caption);
        action->setObjectName(name);
        if (control.shortcut)
            action->setShortcut(QKeySequence(QString::fromLatin1(control.shortcut)));
        action->setCheckable(control.checkable);
        action->setChecked(control.checked);
        actions.insert(name, action);
    }

    auto menu = [&](const char *name) { return menus.value(QString::fromLatin1(name)); };
    auto act = [&](const char *name) {
        QAction *action = actions.value(QString::fromLatin1(name));
        Q_ASSERT(action);
        return action;
    };
    mnuEdit = menu("mnuEdit");
    mnuExpression = menu("mnuExpression");
    mnuExtraCopyMode = menu("mnuExtraCopyMode");
    mnuTrigMode = menu("mnuTrigMode");
    mnuExtraResultMode = menu("mnuExtraResultMode");
    mnuWindow = menu("mnuWindow");
    mnuHelp = menu("mnuHelp");
    mnuEP = menu("mnuEP");

    mnuEditUndo = act("mnuEditUndo");
    mnuEditCopy = act("mnuEditCopy");
    mnuEditCut = act("mnuEditCut");
    mnuEditPaste = act("mnuEditPaste");
    mnuEditStoreResults = act("mnuEditStoreResults");
    mnuEditEditExpression = act("mnuEditEditExpression");
    mnuEditClearExpression = act("mnuEditClearExpression");
    mnuClearResults = act("mnuClearResults");
    mnuEditClearStorage = act("mnuEditClearStorage");
    mnuEditExit = act("mnuEditExit");
    mnuExtraSendLastResult = act("mnuExtraSendLastResult");
    mnuExtraZiptoOptions = act("mnuExtraZiptoOptions");
    mnuExtraCopyResult = act("mnuExtraCopyResult");
    mnuExtraCopyExpression = act("mnuExtraCopyExpression");
    mnuExtraCopyResultExpression = act("mnuExtraCopyResultExpression");
    mnuExtraTrigDegrees = act("mnuExtraTrigDegrees");
    mnuExtraTrigRadians = act("mnuExtraTrigRadians");
    MnuExtraREsultNormal = act("MnuExtraREsultNormal");
    MnuExtraREsultFixed = act("MnuExtraREsultFixed");
    mnuExtraSurroundParen = act("mnuExtraSurroundParen");
    mnuFunctionsLeftParen = act("mnuFunctionsLeftParen");
    mnuFunctionsRightParen = act("mnuFunctionsRightParen");
    mnuExtraFuncSurrTogg = act("mnuExtraFuncSurrTogg");
    mnuExtraMinimizeForm = act("mnuExtraMinimizeForm");
    mnuExtraShowStorage = act("mnuExtraShowStorage");
    mnuExtraStayOnTop = act("mnuExtraStayOnTop");
    MnuExtraDontClose = act("MnuExtraDontClose");
    mnuHelpTips = act("mnuHelpTips");
    mnuHelpAbout = act("mnuHelpAbout");
    mnuEPcopy = act("mnuEPcopy");
    mnuEPcut = act("mnuEPcut");
    mnuEPPaste = act("mnuEPPaste");
    mnuEPEditComment = act("mnuEPEditComment");
    mnuEPStore = act("mnuEPStore");
    mnuEPInsertResult = act("mnuEPInsertResult");
    mnuEPInsertExpression = act("mnuEPInsertExpression");
}

void Form1::connectHandlers() {
    Text1->keyHandler = [this](QKeyEvent *event) { return Text1_KeyDown(event); };
    connect(Text1, &TextBox::clicked, this, [this] { bFreshResult = false; });
    // A paste, drop or typed key that would overfill the box was undone whole; say why.
    connect(Text1, &TextBox::tooLong, this, [this] { showFailure(Failure(kBoxFullText)); });
    for (QWidget *watched : {static_cast<QWidget *>(Text1), static_cast<QWidget *>(List1),
                             static_cast<QWidget *>(List2), List1->viewport(), List2->viewport(),
                             static_cast<QWidget *>(Label1), static_cast<QWidget *>(Label3),
                             static_cast<QWidget *>(lblDegRad), static_cast<QWidget *>(Label5),
                             static_cast<QWidget *>(Label6)})
        watched->installEventFilter(this);

    connect(cmdStore, &QPushButton::clicked, this, &Form1::cmdStore_Click);
    connect(cmdDeleteItem, &QPushButton::clicked, this, &Form1::cmdDeleteItem_Click);
    connect(cmdClearStorage, &QPushButton::clicked, this, &Form1::cmdClearStorage_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(cmdMoreLess, &QPushButton::clicked, this, &Form1::cmdMoreLess_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Check2, &QCheckBox::clicked, this, &Form1::Check2_Click);
    connect(cmdCopyHistoryItems, &QPushButton::clicked, this, &Form1::cmdCopyHistoryItems_Click);
    connect(cmdCopyStorageItems, &QPushButton::clicked, this, &Form1::cmdCopyStorageItems_Click);
    for (int i = 0; i < static_cast<int>(Option1.size()); ++i)
        connect(Option1[i], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });

    connect(mnuEditStoreResults, &QAction::triggered, this, &Form1::cmdStore_Click);
    connect(mnuEPStore, &QAction::triggered, this, &Form1::cmdStore_Click);
    connect(mnuExtraCopyResult, &QAction::triggered, this,
            [this] { subSetCopyMode(CopyMode::Result); });
    connect(mnuExtraCopyExpression, &QAction::triggered, this,
            [this] { subSetCopyMode(CopyMode::Expression); });
    connect(mnuExtraCopyResultExpression, &QAction::triggered, this,
            [this] { subSetCopyMode(CopyMode::ExpressionResult); });
    connect(mnuEPPaste, &QAction::triggered, this, &Form1::mnuEPPaste_Click);
    connect(mnuClearResults, &QAction::triggered, this, &Form1::mnuClearResults_Click);
    connect(mnuEditClearStorage, &QAction::triggered, this, &Form1::mnuEditClearStorage_Click);
    connect(mnuEditExit, &QAction::triggered, this, &QWidget::close);
    connect(mnuExtraTrigDegrees, &QAction::triggered, this, &Form1::mnuExtraTrigDegrees_Click);
    connect(mnuExtraTrigRadians, &QAction::triggered, this, &Form1::mnuExtraTrigRadians_Click);
    connect(MnuExtraREsultNormal, &QAction::triggered, this, &Form1::MnuExtraREsultNormal_Click);
    connect(MnuExtraREsultFixed, &QAction::triggered, this, &Form1::MnuExtraREsultFixed_Click);
    connect(mnuExtraShowStorage, &QAction::triggered, this, &Form1::Command3_Click);
    connect(mnuExtraStayOnTop, &QAction::triggered, this, &Form1::mnuExtraStayOnTop_Click);
}

void Form1::setTabOrder() {
    // Text4 first, so the first activation lands in it and hands the focus to Text1.
    const QList<QWidget *> order = {Text4, Check1,     Check2,     List1,     List2,
                                    Text1, Option1[0], Option1[1], Option1[2]};
    for (int i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
    // Nothing else on the window takes the focus by Tab.
    for (QWidget *child : client_->findChildren<QWidget *>())
        if (!order.contains(child) && child->focusPolicy() != Qt::NoFocus &&
            child->parentWidget() != List1 && child->parentWidget() != List2 &&
            qobject_cast<QLabel *>(child) == nullptr)
            child->setFocusPolicy(Qt::ClickFocus);
}

void Form1::showFailure(const std::exception &failure) {
    platform_.msgBox(QString::fromUtf8(failure.what()), MsgButtons::Ok, MsgIcon::None, appTitle());
}

bool Form1::confirmedCantUndo(const QString &lead) {
    return platform_.msgBox(lead + QStringLiteral("YOU CAN'T UNDO THIS OPERATION"),
                            MsgButtons::YesNo, MsgIcon::None, appTitle()) != MsgResult::No;
}

} // namespace zorbic
