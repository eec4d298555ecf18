// SPDX-License-Identifier: GPL-3.0-or-later
// The language table that ships with the program: in order, complete for every text the program looks up.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "files/file_access.h"
#include "files/permanence_flows.h"
#include "lang/language_table.h"
#include "lang/looked_up_texts.h"
#include "lang/window_texts.h"
#include "options/option_files.h"

namespace zentora {
namespace {

const std::string kTable = std::string(ZENTORA_SOURCE_DIR) + "/data/Einstellungen/Sprache.csv";

std::vector<std::string> Lines() {
    std::ifstream in(kTable, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Words of a text as the word-wise lookup cuts it; numbers keep themselves and need no line.
std::vector<std::string> WordsOf(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (lang::IsWordSeparator(static_cast<unsigned char>(c))) {
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) words.push_back(word);
    std::erase_if(
        words, [](const std::string& w) { return w.find_first_not_of("0123456789") == std::string::npos; });
    return words;
}

TEST(ShippedTableTest, LinesAreSortedByteWiseWithFourFilledFields) {
    const auto lines = Lines();
    ASSERT_GT(lines.size(), 200u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        EXPECT_EQ(std::count(line.begin(), line.end(), ';'), 3) << line;
        EXPECT_EQ(line.find('\r'), std::string::npos) << line;
        for (int language = 1; language <= 3; ++language)
            EXPECT_FALSE(lang::FieldOf(line, language).empty()) << line << " language " << language;
        if (i > 0) {
            EXPECT_LT(lang::KeyOf(lines[i - 1]), lang::KeyOf(line)) << "out of order or twice: " << line;
        }
    }
}

TEST(ShippedTableTest, EveryTextTheProgramLooksUpHasALine) {
    std::set<std::string> whole, words;
    for (std::string_view text : WholeList()) whole.emplace(text);
    for (std::string_view text : lang::kWholeTexts) whole.emplace(text);
    for (std::string_view text : lang::kOpenDialogTexts) whole.emplace(text);
    for (std::string_view text : lang::kSaveDialogTexts) whole.emplace(text);
    whole.emplace(kRateBlocksShownCaption);
    whole.emplace(kRateBlocksHiddenCaption);
    whole.emplace(files::kInUseMessage);
    // Messages of the files and option files, and the reasons they give.
    for (std::string_view text : {files::kReadErrorText, files::kWriteErrorText, files::kUnknownFormatMessage,
                                  kNotAnOptionFileMessage})
        whole.emplace(text);
    for (std::string_view text : files::kReasonTexts) whole.emplace(text);
    whole.emplace(files::kShortRecordMessage);
    whole.emplace(files::kPermanenceFileBaseName);
    for (const auto* setup :
         {&files::kOpenDialog, &files::kSaveUnderDialog, &files::kTextImportDialog, &files::kTextExportDialog,
          &files::kExcelImportDialog, &files::kExcelExportDialog})
        for (int f = 0; f < setup->filterCount; ++f) whole.emplace(setup->filters[f].name);

    std::vector<std::string> wordTexts(WordList().begin(), WordList().end());
    wordTexts.insert(wordTexts.end(), std::begin(lang::kWordTexts), std::end(lang::kWordTexts));
    wordTexts.emplace_back(files::kNoNumbersMessage);
    // The signal list: names with a number of their own word by word, the others whole.
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const SlotName name = ChanceSlotName(slot);
        if (name.nameHasNumber)
            wordTexts.push_back(name.text);
        else
            whole.insert(name.text);
    }
    for (const std::string& text : wordTexts)
        for (std::string& word : WordsOf(text)) words.insert(std::move(word));

    const auto lines = Lines();
    for (const auto* keys : {&whole, &words})
        for (const std::string& key : *keys)
            EXPECT_GE(lang::FindLine(lines, key), 0) << "no line: \"" << key << "\"";
}

// The table in use: English words for the menus and the word-wise edge case of the editor's button.
TEST(ShippedTableTest, TranslatesTheMenusAndTheEditorButton) {
    LanguageTable table(kTable);
    table.SetLanguageIndex(2);
    EXPECT_EQ(table.TranslateWordsText("Zahl entfernen"), "Number removal");
    EXPECT_EQ(table.TranslateWordsText("&Letzte Zahl entfernen"), "&Last Number removal");
    EXPECT_EQ(table.TranslateWordsText("Permanenz && Einsatz II"), "Absence && Stake II");
    EXPECT_EQ(table.TranslateText("gerade"), "even");
    table.SetLanguageIndex(1);
    EXPECT_EQ(table.TranslateText("Chance  2/37"), "Cheval");
    table.SetLanguageIndex(3);
    EXPECT_EQ(table.TranslateList({"Chance  3/37", "Einsatz verdoppeln"}),
              (std::vector<std::string>{"Street", "Martingale"}));
}

// A message of the files in every language: the text and its reason translated, the file name as it is.
TEST(ShippedTableTest, FileMessagesComeInTheChosenLanguage) {
    LanguageTable table(kTable);
    const UserMessage message = files::ReadErrorMessage("/tmp/x.prm", files::kNotRegularFile);
    const UserMessage save = files::WriteErrorMessage("/tmp/a.opd", EACCES);
    const UserMessage options{
        std::string(kNotAnOptionFileMessage), MessageTranslation::Text, {{"/tmp/b.opd"}}};
    std::set<std::string> seen;
    for (int language = 0; language < kLanguageCount; ++language) {
        table.SetLanguageIndex(language);
        for (const UserMessage& m : {message, save, options}) {
            const std::string text = table.Translate(m);
            EXPECT_NE(text.find(m.arguments[0].text), std::string::npos) << text;
            EXPECT_EQ(text.find('%'), std::string::npos) << text;
            seen.insert(text);
        }
    }
    table.SetLanguageIndex(2);
    EXPECT_EQ(table.Translate(message),
              "The file /tmp/x.prm cannot be read: not a regular file (pipe, device or socket)");
    EXPECT_EQ(seen.size(), 3u * 3);  // the two German wordings agree; the English ones differ
}

}  // namespace
}  // namespace zentora
