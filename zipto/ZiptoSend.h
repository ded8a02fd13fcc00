#pragma once

#include "platform/Platform.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorbic {

// What the Zipto Options dialog holds for a send.
struct ZiptoKeys {
    std::string before;     // key notation typed before the text
    std::string after;      // key notation typed after the text
    bool reactivate = true; // bring back the window that was in front when the send began
};

// Types `text` into the window hwndLastActive: lets queued events run once (an Enter queued by
// the Zipto button is evaluated there, and a tracking tick may run, which may change the text
// and the target, hence the references), brings
// the target to the front, types the before keys, every character of the text in braces (one
// send per character, so "+", "^", "%", "~", "(", ")", "{" and "}" arrive as themselves), the
// after keys, and finally brings back the window that was in front.
//
// Failures throw std::runtime_error with the text for the user, and nothing is typed when:
// Zipto cannot work on this desktop (the text is put on the clipboard instead), the before or after
// keys are not valid notation, no other application has been active yet, the target has closed, or
// the desktop does not bring it to the front. A failure while typing stops the send; keys already
// typed stay typed and the calculator is not brought back. One key string per character of the
// text, each in braces; a line break (CR LF, CR or LF) becomes one Enter. With Ascii characters a
// character beyond ASCII throws std::runtime_error; with Unicode each UTF-8 character (all its
// bytes) goes in one pair of braces.
std::vector<std::string> fnCharacterSends(const std::string &text,
                                          KeyCharacters characters = KeyCharacters::Ascii);

void subZiptoSend(Platform &platform, const std::string &text, const std::uint64_t &hwndLastActive,
                  const ZiptoKeys &keys);

} // namespace zorbic
