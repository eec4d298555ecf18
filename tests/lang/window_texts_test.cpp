// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/window_texts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <tuple>

namespace zentora {
namespace {

namespace fs = std::filesystem;

TEST(WindowTextsTest, TemplatesFillFromBothListsAndKeepLiterals) {
    const std::vector<std::string> words = {"&New", "&Open..."};
    const std::vector<std::string> whole = {"Excel file", "Text file", "Language"};
    struct Case {
        std::string_view text;
        std::string expected;
    } cases[] = {
        {"{W2}", "&Open..."},
        {"{T3}", "Language"},
        {"&Zentora-{T1}", "&Zentora-Excel file"},
        {"{T1}, {T2}", "Excel file, Text file"},
        {"{T2}:", "Text file:"},
        {"{S}", "Rates"},
        {"{T9}", ""},      // past the end: nothing
        {"{X1}", "{X1}"},  // not a reference
        {"{T", "{T"},
    };
    for (const Case& c : cases) EXPECT_EQ(FillTemplate(c.text, words, whole, "Rates"), c.expected) << c.text;
    EXPECT_TRUE(RefsOf("a{W1}b").words);
    EXPECT_FALSE(RefsOf("a{W1}b").whole);
    EXPECT_TRUE(RefsOf("{T1},{T2}").whole);
    EXPECT_TRUE(RefsOf("{S}").single);
}

TEST(WindowTextsTest, EveryTargetRefersToAnEntryOfItsListOnce) {
    EXPECT_EQ(WordList().size(), std::size_t(kWordListSize + 1));
    EXPECT_EQ(WholeList().size(), std::size_t(kWholeListSize + 4));
    std::set<std::tuple<TextWindow, TextRole, int, std::string_view>> seen;
    const std::regex reference(R"(\{([WT])(\d+)\})");
    for (const TextTarget& target : TextTargets()) {
        const std::string text(target.text);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), reference);
             it != std::sregex_iterator(); ++it) {
            const int number = std::stoi((*it)[2]);
            const std::size_t size = (*it)[1] == "W" ? WordList().size() : WholeList().size();
            EXPECT_TRUE(number >= 1 && static_cast<std::size_t>(number) <= size)
                << target.control << " " << text;
        }
        EXPECT_TRUE(seen.emplace(target.window, target.role, target.item, target.control).second)
            << "twice: " << target.control;
    }
}

// Language 0 hands every target the German text of the lists; the options window's toggle names the page.
TEST(WindowTextsTest, LanguageZeroGivesTheGermanTexts) {
    std::map<std::string, std::string> shown;
    ComposeWindowTexts(LanguageTable("/nonexistent/Sprache.csv"), true, [&](const WindowText& text) {
        if (text.target->role == TextRole::Caption || text.target->role == TextRole::Drawn)
            shown[std::string(text.target->control)] = text.text;
    });
    EXPECT_EQ(shown["Inhalt1"], "&Zentora-Hilfe");
    EXPECT_EQ(shown["Speichernunter2"], "Speichern &unter...");
    EXPECT_EQ(shown["TabSheet2"], "Permanenz && Einsatz II");
    EXPECT_EQ(shown["TabSheet3"], "Tischeinstellungen");
    EXPECT_EQ(shown["GroupBoxSerien"], "Finalen && Serien");
    EXPECT_EQ(shown["Label238"], "Bitte warten, Berechnung läuft...");
    EXPECT_EQ(shown["LabelFenster8"], "Bis Runde(8):");
    EXPECT_EQ(shown["LabelZahl"], "Zahl:");
    EXPECT_EQ(shown["Gerade"], "gerade");
    EXPECT_EQ(shown["SpeedButton1"], "Prozenteinstellung");
    EXPECT_EQ(shown["CaptionS1737"], "Serie   17/37");
}

// A table that cannot be read stops at the lookup that needs it: nothing is handed out.
TEST(WindowTextsTest, UnreadableTableStopsBeforeAnyText) {
    LanguageTable table("/nonexistent/Sprache.csv");
    table.SetLanguageIndex(2);
    int handed = 0;
    EXPECT_THROW(ComposeWindowTexts(table, false, [&](const WindowText&) { ++handed; }), LanguageFileError);
    EXPECT_EQ(handed, 0);
}

// The word-wise texts are set before the whole-text list is read, and missing whole texts become empty.
TEST(WindowTextsTest, WordsFirstThenWholeTextsThenTheToggle) {
    const fs::path path = fs::temp_directory_path() / "zentora_window_texts.csv";
    std::ofstream(path, std::ios::binary) << "Datei;Datei;File;File\nSprache;Sprache;Language;Language\n";
    LanguageTable table(path);
    table.SetLanguageIndex(2);
    std::vector<std::pair<std::string, std::string>> order;
    ComposeWindowTexts(table, false, [&](const WindowText& text) {
        order.emplace_back(std::string(text.target->control), text.text);
    });
    fs::remove(path);
    const auto at = [&](std::string_view control) {
        for (std::size_t i = 0; i < order.size(); ++i)
            if (order[i].first == control) return i;
        return order.size();
    };
    ASSERT_LT(at("Datei2"), at("Sprache"));
    ASSERT_LT(at("Sprache"), at("SpeedButton1"));
    EXPECT_EQ(order[at("Datei2")].second, "&File");
    EXPECT_EQ(order[at("Sprache")].second, "Language");
    EXPECT_EQ(order[at("Beenden2")].second, "");  // no line: no caption
    EXPECT_EQ(order[at("SpeedButton1")].second, "Permanenzeinstellung");
    EXPECT_EQ(order.back().first, "SpeedButton1");
}

}  // namespace
}  // namespace zentora
