#pragma once

#include <QString>

#include <string_view>

class QWidget;

namespace zorbic {

enum class MsgButtons { Ok, YesNo };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { Ok, Yes, No };

// The one door to the desktop. Every message box of the program goes through it, so tests
// replace it with a recording fake and never meet a modal dialog. Key sending, foreground
// windows, the browser and help join here as they are needed.
class Platform {
public:
    virtual ~Platform() = default;

    virtual MsgResult msgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                             const QString &title) = 0;

    // Clears the clipboard, then puts the text on it as plain text.
    virtual void setClipboardText(const QString &text) = 0;

    // Key sending and window placement.
    // Types `notation` (the key notation of keys/ParseKeys.h) into whichever of the program's
    // windows has the focus; wait = true returns only after the keys were handled. Bad notation
    // throws std::invalid_argument, no focused window std::runtime_error; nothing is sent then.
    virtual void sendKeys(std::string_view notation, bool wait) = 0;
    // Keeps `window` above other windows (or stops doing so) without recreating it: the same
    // native window at the same position.
    virtual void setStayOnTop(QWidget *window, bool on) = 0;
};

} // namespace zorbic
