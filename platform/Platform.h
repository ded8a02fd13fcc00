#pragma once

#include <QString>

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
};

} // namespace zorbic
