#pragma once

#include <QRect>
#include <span>

namespace zorbic {

enum class ControlKind {
    Label,
    LabelRight, // text right-aligned
    CheckBox,
    Frame,        // borderless container without caption
    OptionButton, // placed inside its parent frame
    Button,
    ExpressionBox, // Text1
    HiddenText,    // Text4: off the client area, hands its focus on
    ListBox,
    PictureHolder, // picMore: never visible, only holds a picture
};

enum class FontKind { Default, Large, LargeBold, BigBold };

// Painted button pictures (Pictures.cpp draws each one).
enum class Picture {
    None,
    Home,      // vertical bar, then a left-pointing triangle
    End,       // right-pointing triangle, then a vertical bar
    Left,      // left-pointing triangle
    Right,     // right-pointing triangle
    BackSpace, // left-pointing arrow
    Send,      // a page with an arrow head pointing right
    ArcTan,    // TAN with a superscript -1
    ArcCos,
    ArcSin,
    SquareRoot, // a root sign over an x
    ArcSinh,
    ArcCosh,
    ArcTanh,
    ExpandBoth,   // wedge down and right
    CollapseBoth, // wedge up and left
    TriangleUp,
    TriangleDown,
    TriangleLeft,
    TriangleRight,
};

// One control of the main window, as designed: positions and sizes in twips (15 per pixel at
// 96 dpi), so the pixel geometry below is device-independent and HiDPI scales it.
struct ControlSpec {
    const char *name;
    int index; // position in its control array, -1 for a single control
    ControlKind kind;
    const char *caption;
    const char *toolTip;
    const char *accessibleName; // what the control does, for screen readers
    int left, top, width, height;
    FontKind font = FontKind::Default;
    Picture picture = Picture::None;
    QSize pictureSize = {}; // in pixels
    // Every button but the keypad's "e" shows its background colour (the mouse-over highlight).
    bool graphical = true;
};

std::span<const ControlSpec> controlTable();

struct MenuSpec {
    const char *name;
    const char *parent;  // nullptr for a top-level menu
    const char *caption; // "-" is a separator line
    const char *shortcut = nullptr;
    bool checkable = false;
    bool checked = false;
    bool submenu = false;
};

std::span<const MenuSpec> menuTable();

// The inner sizes of the More/Less layout, in twips.
inline constexpr int kNarrowWidth = 2760;
inline constexpr int kWideWidth = 4560;
inline constexpr int kShortHeight = 3255;
inline constexpr int kTallHeight = 4680;

} // namespace zorbic
