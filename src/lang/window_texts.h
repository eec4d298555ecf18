// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The captions of every window in the current language: two fixed lists of German texts, the
// first looked up word by word and the second as whole texts, and the table of which control of which window
// shows which entry. The lists are also the keys the language table must hold for them.

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "lang/language_table.h"

namespace zentora {

// The windows whose captions are set.
enum class TextWindow : unsigned char { Main, Options, Editor, Print, About };

// What a text becomes on its control.
enum class TextRole : unsigned char {
    Caption,  // label, button, check box, group box title, menu title or item, tab text
    Hint,     // tool tip
    Title,    // window or dialog title
    Item,     // one item of a drop-down list
    Drawn,    // drawn onto a picture by the window itself (image buttons, the words for even and odd)
};

// 51 texts, translated word by word. Entries 52 and up are texts of our windows that the list lacks.
inline constexpr int kWordListSize = 51;
// 174 texts, translated as whole texts; entries 86, 87 and 146..157 are the about box's lines. Entries 175
// and up are texts of our windows that the list lacks.
inline constexpr int kWholeListSize = 174;

std::span<const std::string_view> WordList();   // kWordListSize + extras
std::span<const std::string_view> WholeList();  // kWholeListSize + extras

// The caption of the toggle button of the options window, one lookup of its own.
inline constexpr std::string_view kRateBlocksShownCaption = "Prozenteinstellung";
inline constexpr std::string_view kRateBlocksHiddenCaption = "Permanenzeinstellung";

// One control's text. `text` is a template: "{Wn}" is word-list entry n, "{Tn}" whole-list entry n (both
// counted from 1), "{S}" the toggle button caption; anything else is kept as it is. `control` is the
// control's object name (or its "textName" property where several controls share one text).
struct TextTarget {
    TextWindow window;
    std::string_view control;
    TextRole role;
    std::string_view text;
    int item = 0;  // TextRole::Item: the item index
};

std::span<const TextTarget> TextTargets();

// The 1-based entry numbers a template refers to, by list.
struct TemplateRefs {
    bool words = false, whole = false, single = false;
};
TemplateRefs RefsOf(std::string_view text);

// Fills a template from the translated lists (0-based vectors of the list entries).
std::string FillTemplate(std::string_view text, std::span<const std::string> words,
                         std::span<const std::string> whole, std::string_view single);

// One text ready for its control.
struct WindowText {
    const TextTarget* target;
    std::string text;
};

// Translates both lists and the toggle caption and hands every target its text. The order follows the
// lookups: the word-wise targets once the word list is translated, the others after the whole-text list,
// the toggle button last. A table that cannot be read (LanguageFileError) stops at that lookup; the texts
// handed out before keep their new values.
void ComposeWindowTexts(const LanguageTable& table, bool rateBlocksShown,
                        const std::function<void(const WindowText&)>& apply);

}  // namespace zentora
