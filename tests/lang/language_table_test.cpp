// SPDX-License-Identifier: GPL-3.0-or-later
#include "lang/language_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace zentora {
namespace {

namespace fs = std::filesystem;

class LanguageTableTest : public ::testing::Test {
  protected:
    fs::path Write(const std::string& name, const std::string& content) {
        const fs::path path = fs::temp_directory_path() / ("zentora_lang_" + name);
        std::ofstream(path, std::ios::binary) << content;
        written_.push_back(path);
        return path;
    }
    void TearDown() override {
        for (const auto& path : written_) fs::remove(path);
    }
    std::vector<fs::path> written_;
};

const char* kSorted =
    "Abbrechen;Abbrechen;Cancel;Cancel\n"
    "Chance  1/37;Plein;Chance 1/37;Straight up\n"
    "Chance 2/37;Cheval;Chance 2/37;Split\n"
    "Nummer;Plein;Number;Straight up\n"
    "Rot;Rouge;Red;Red\n"
    "Zahl;Zahl;Number;Number\n"
    "entfernen;entfernen;remove;remove\n"
    "leer;;;\n"
    "Öffnen;Öffnen;Open;Open\r\n";

TEST_F(LanguageTableTest, LanguageZeroReturnsInputAndNeverOpensTheFile) {
    LanguageTable table("/nonexistent/Sprache.csv");
    EXPECT_EQ(table.TranslateText("Rot"), "Rot");
    EXPECT_EQ(table.TranslateList({"Rot", "fehlt"}), (std::vector<std::string>{"Rot", "fehlt"}));
    EXPECT_EQ(table.TranslateWordsText("Zahl entfernen"), "Zahl entfernen");
    EXPECT_EQ(table.ReadCount(), 0);
}

TEST_F(LanguageTableTest, MissingFileRaisesForOtherLanguages) {
    LanguageTable table("/nonexistent/Sprache.csv");
    table.SetLanguageIndex(2);
    EXPECT_THROW(table.TranslateText("Rot"), LanguageFileError);
    EXPECT_THROW(table.TranslateList({"Rot"}), LanguageFileError);
    EXPECT_THROW(table.TranslateWordsText("Rot"), LanguageFileError);
}

TEST_F(LanguageTableTest, WholeTextLookupPerLanguage) {
    LanguageTable table(Write("sorted.csv", kSorted));
    struct Case {
        int language;
        const char* text;
        const char* expected;
    } cases[] = {
        {1, "Chance 2/37", "Cheval"},
        {2, "Chance 2/37", "Chance 2/37"},
        {3, "Chance 2/37", "Split"},
        {3, "Öffnen", "Open"},  // umlaut key sorts after all plain letters; CR stripped
        {2, "leer", ""},        // an empty field is a valid translation
        {2, "Rot ", "Rot "},    // a trailing blank does not match
        {2, "rot", "rot"},      // case counts
        {2, "Gelb", "Gelb"},    // no line: the German text stays
    };
    for (const auto& c : cases) {
        table.SetLanguageIndex(c.language);
        EXPECT_EQ(table.TranslateText(c.text), c.expected) << c.language << " " << c.text;
    }
}

TEST_F(LanguageTableTest, BisectionOnUnsortedTableMissesEntries) {
    // "Rot" sits above lines whose keys are smaller, so the bisection turns the wrong way.
    LanguageTable table(Write("unsorted.csv",
                              "Zahl;Zahl;Number;Number\nRot;Rouge;Red;Red\nAbbrechen;A;Cancel;Cancel\n"
                              "Chance 2/37;Cheval;Chance 2/37;Split\nNummer;Plein;Number;Straight up\n"));
    table.SetLanguageIndex(2);
    EXPECT_EQ(table.TranslateText("Abbrechen"), "Cancel");  // the middle line is found
    EXPECT_EQ(table.TranslateText("Rot"), "Rot");
    EXPECT_EQ(table.TranslateText("Zahl"), "Zahl");
}

TEST_F(LanguageTableTest, ListKeepsOrderAndEmptiesMisses) {
    LanguageTable table(Write("list.csv", kSorted));
    table.SetLanguageIndex(3);
    const std::vector<std::string> in{"Rot", "fehlt", "Chance 2/37", "Rot", "Abbrechen", "Öffnen"};
    EXPECT_EQ(table.TranslateList(in),
              (std::vector<std::string>{"Red", "", "Split", "Red", "Cancel", "Open"}));
    EXPECT_EQ(table.ReadCount(), 1);
}

TEST_F(LanguageTableTest, WordsKeepSeparatorsAndNumbers) {
    LanguageTable table(Write("words.csv", kSorted));
    table.SetLanguageIndex(2);
    EXPECT_EQ(table.TranslateWordsText("Zahl entfernen"), "Number remove");
    EXPECT_EQ(table.TranslateWordsText("&Zahl  entfernen..."), "&Number  remove...");
    EXPECT_EQ(table.TranslateWordsText("Nummer 20"), "Number 20");
    EXPECT_EQ(table.TranslateWordsText("Chance  1/37"), "Chance  1/37");  // words, not the whole text
    EXPECT_EQ(table.TranslateWords({"", "Rot/Zahl", "Unbekannt"}),
              (std::vector<std::string>{"", "Red/Number", "Unbekannt"}));
}

TEST(LanguageFieldTest, FieldsAndShortLines) {
    EXPECT_EQ(lang::KeyOf("Rot;Rouge;Red;Red"), "Rot");
    EXPECT_EQ(lang::FieldOf("Rot;Rouge;Red;Red2", 3), "Red2");
    EXPECT_EQ(lang::FieldOf("Rot;Rouge", 1), "Rouge");
    EXPECT_EQ(lang::FieldOf("Rot;Rouge", 3), "");
    EXPECT_EQ(lang::FieldOf("Rot", 1), "");
}

// The shipped table must be sorted byte-wise, otherwise bisection silently misses entries.
TEST(ShippedLanguageTableTest, SortedUniqueAndComplete) {
    std::ifstream in(fs::path(ZENTORA_SOURCE_DIR) / "data/Einstellungen/Sprache.csv", std::ios::binary);
    ASSERT_TRUE(in);
    std::string line, previous;
    int count = 0;
    while (std::getline(in, line)) {
        ASSERT_EQ(std::count(line.begin(), line.end(), ';'), 3) << line;
        const std::string key(lang::KeyOf(line));
        if (count++ > 0) {
            EXPECT_LT(previous, key);
        }
        previous = key;
    }
    LanguageTable table(fs::path(ZENTORA_SOURCE_DIR) / "data/Einstellungen/Sprache.csv");
    table.SetLanguageIndex(3);
    EXPECT_EQ(table.TranslateText("Chance 2/37"), "Split");
    EXPECT_EQ(table.TranslateWordsText("&Speichern &unter..."), "&Save &as...");
    EXPECT_EQ(table.TranslateWordsText("Keine Zahlen gefunden"), "No Numbers found");
}

}  // namespace
}  // namespace zentora
