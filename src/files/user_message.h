// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Messages for the user in the program's own German. The core says what to tell; the window translates the
// text through the language table and fills in its places, and zentora-cli prints the German as it is.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zentora {

// What goes into a place of a message: a file name as it is, or a German text of its own that is translated
// too (the reason a file could not be read).
struct MessageArgument {
    std::string text;
    bool translate = false;
    bool operator==(const MessageArgument&) const = default;
};

// How a message's text passes the language table before it is shown.
enum class MessageTranslation {
    Text,   // TranslateText
    Words,  // TranslateWordsText
    None,   // shown as it is
};

struct UserMessage {
    std::string text;  // the language table's key; %1, %2, ... are its places
    MessageTranslation translation = MessageTranslation::Text;
    std::vector<MessageArgument> arguments;
    bool operator==(const UserMessage&) const = default;
};

// `text` with %1..%9 replaced by the arguments; a place without an argument stays as it is, and what an
// argument brings in is not looked at again.
std::string FillPlaces(std::string_view text, std::span<const std::string> arguments);

// The message untranslated, its places filled.
std::string GermanText(const UserMessage& message);

}  // namespace zentora
