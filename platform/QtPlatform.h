#pragma once

#include "platform/Platform.h"
#include "platform/keysend/QtKeySender.h"

class QWidget;

namespace zorbic {

// The desktop as Qt Widgets offers it: real modal message boxes.
class QtPlatform : public Platform {
public:
    // Message boxes are centred on (and modal to) the window given here, once it exists.
    void setOwner(QWidget *owner) { owner_ = owner; }

    MsgResult msgBox(const QString &text, MsgButtons buttons, MsgIcon icon,
                     const QString &title) override;
    void setClipboardText(const QString &text) override;

    // Key sending and window placement.
    void sendKeys(std::string_view notation, bool wait) override;
    void setStayOnTop(QWidget *window, bool on) override;

private:
    QWidget *owner_ = nullptr;
    QtKeySender keySender_;
};

} // namespace zorbic
