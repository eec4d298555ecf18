// SPDX-License-Identifier: GPL-3.0-or-later
#include "options/option_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "files/ini_file.h"
#include "options/options_model.h"

namespace zentora {
namespace {

namespace fs = std::filesystem;

OptionsModel Loaded(std::string_view text) {
    OptionsModel model;
    LoadOptions(model, IniFile::Parse(text));
    return model;
}

// Values and bounds of every field.
void ExpectSameFields(const OptionsModel& a, const OptionsModel& b) {
    ASSERT_EQ(a.FieldCount(), b.FieldCount());
    for (FieldId id = 0; id < a.FieldCount(); ++id) {
        SCOPED_TRACE(a.Field(id).name);
        EXPECT_EQ(a.Value(id), b.Value(id));
        EXPECT_EQ(a.Field(id).lower, b.Field(id).lower);
        EXPECT_EQ(a.Field(id).upper, b.Field(id).upper);
    }
}

class OptionFileOnDisk : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("zentora_options_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    static std::string ReadBytes(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void WriteBytes(const fs::path& p, std::string_view bytes) {
        std::ofstream(p, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    fs::path dir_;
};

TEST(IniValues, NumbersAreDecimalOrHexAndFitThirtyTwoBits) {
    struct Case {
        const char* text;
        std::optional<std::int32_t> value;
    };
    const Case cases[] = {
        {"12", 12},
        {" -7 ", -7},
        {"+3", 3},
        {"0x1F", 31},
        {"0XfF", 255},
        {"2147483647", INT32_MAX},
        {"-2147483648", INT32_MIN},
        {"2147483648", std::nullopt},
        {"0x80000000", std::nullopt},
        {"", std::nullopt},
        {"12a", std::nullopt},
        {"1.5", std::nullopt},
        {"0x", std::nullopt},
        {"-0x10", std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(ParseIniInteger(c.text), c.value) << '"' << c.text << '"';
}

TEST(IniFile, NamesIgnoreCaseFirstKeyWinsAndSectionsMerge) {
    const IniFile ini = IniFile::Parse(
        "; comment\n[Value]\nV1371=100\nv1371=200\n\n[Other]\nx = 1\n[VALUE]\nB1371 = 300\nbad=abc\n");
    EXPECT_EQ(ini.ReadInteger("value", "V1371"), 100);
    EXPECT_EQ(ini.ReadInteger("Value", "b1371"), 300);
    EXPECT_EQ(ini.ReadInteger("other", "X"), 1);
    EXPECT_EQ(ini.ReadInteger("Value", "bad"), std::nullopt);
    EXPECT_EQ(ini.ReadInteger("Value", "bad", 9), 9);
    EXPECT_EQ(ini.ReadInteger("Missing", "x"), std::nullopt);
}

TEST(OptionFiles, PercentagesLoadAsThousandthsAndClamp) {
    const OptionsModel model = Loaded("[Value]\nV1371=12345\nV1372=60000\nB1371=7\nBisRunde1371=0x20\n");
    EXPECT_EQ(model.Value("V1371"), 12345);  // 12.345 %
    EXPECT_EQ(model.Value("V1372"), 49000);  // clamped to 49
    EXPECT_EQ(model.Value("B1371"), 100);    // 0.007 clamped to 0.1
    EXPECT_EQ(model.Value("BisRunde1371"), 32);
}

TEST(OptionFiles, SpinSummeValueWinsOverChart) {
    EXPECT_EQ(Loaded("[Chart]\nSpinSummeMerk=50\n[SpinSummeValue]\nValue=20\n").SpinSummeMerk(), 20);
    EXPECT_EQ(Loaded("[Chart]\nSpinSummeMerk=50\n").SpinSummeMerk(), -100);
}

TEST(OptionFiles, MinimaLoadBeforeStakes) {
    const OptionsModel model =
        Loaded("[Einsatz]\nA137=2\nA1837=2\nAN11=0\n[Minimum1]\nMini=5\n[Minimum2]\nMini=4\n");
    EXPECT_EQ(model.Value("A137"), 5);
    EXPECT_EQ(model.Field(model.Require("A137")).lower, 5);
    EXPECT_EQ(model.Value("A1837"), 4);
    EXPECT_EQ(model.Field(model.Require("AN11")).lower, 5);  // the design bound 0 is replaced too
    EXPECT_EQ(model.Value("AN11"), 5);
}

TEST(OptionFiles, AbRundeMinValueSetsTheBoundButNotTheValue) {
    OptionsModel model = Loaded("[AbRunde]\n137=10\n[AbRundeMinValue]\n137=20\n");
    const FieldId rateStart = model.Require("AbRunde137");
    EXPECT_EQ(model.Value(rateStart), 10);
    EXPECT_EQ(model.Field(rateStart).lower, 20);
    model.ClampField(rateStart);  // leaving the field
    EXPECT_EQ(model.Value(rateStart), 20);
}

TEST(OptionFiles, AMissingFileLoadsEveryKeyAsMissing) {
    OptionsModel model;
    LoadOptions(model, fs::path("/nonexistent/zentora/data.ini"));
    for (int k = 1; k <= 66; ++k) EXPECT_TRUE(model.Checked(k)) << k;
    EXPECT_EQ(model.Value("SpeedButton1"), 0);
    EXPECT_EQ(model.Value("Chance137blau"), 1);
    EXPECT_EQ(model.Value("Chance137pink"), 1);
    EXPECT_EQ(model.Value("NB11H"), 2);
    EXPECT_EQ(model.Value("A137"), 1);
    EXPECT_EQ(model.Value("AN11"), 1);
    EXPECT_EQ(model.Value("E437Z"), 0);
    EXPECT_EQ(model.Value("Maximum18"), 0);
    EXPECT_EQ(model.Value("V13712"), 0);
    EXPECT_EQ(model.Value("B13712"), 100);
    EXPECT_EQ(model.Value("BisRunde13712"), 13);
    EXPECT_EQ(model.Value("AbRundeN937"), 1);
    EXPECT_EQ(model.SpinSummeMerk(), -100);
    EXPECT_EQ(model.Value("JvOfficeColorButton1"), 255);
    EXPECT_EQ(model.Value("JvOfficeColorButton5"), 5);
    // The switch rules ran for every switch that changed.
    EXPECT_TRUE(model.Field(model.Require("V4371")).enabled);
    EXPECT_TRUE(model.Field(model.Require("CheckBox35")).enabled);
}

TEST(OptionFiles, NonNumbersCountAsMissingAndTechniquesOutsideTheListSelectNothing) {
    const OptionsModel model = Loaded(
        "[Aktivierung]\nCheckbox5=off\nCheckbox6=0\nCheckbox7=0x2\n[Einstellung]\nE137=7\nE237=x\nE337=5\n"
        "[Farbe]\n1=red\n2=0xFF\n");
    EXPECT_TRUE(model.Checked(5));
    EXPECT_FALSE(model.Checked(6));
    EXPECT_TRUE(model.Checked(7));
    EXPECT_EQ(model.Value("E137"), -1);
    EXPECT_EQ(model.Value("E237"), 0);
    EXPECT_EQ(model.Value("E337"), 5);
    EXPECT_EQ(model.Value("JvOfficeColorButton1"), 255);
    EXPECT_EQ(model.Value("JvOfficeColorButton2"), 255);
}

TEST(OptionFiles, LoadingRunsTheSwitchRules) {
    const OptionsModel model = Loaded("[Aktivierung]\nCheckbox7=0\nCheckbox41=0\nCheckbox32=0\n");
    const GroupFields& f = model.Fields(GroupId::G637);
    EXPECT_FALSE(model.Field(f.abRunde).enabled);
    EXPECT_FALSE(model.Field(f.stake).enabled);
    EXPECT_FALSE(model.Field(f.von[3]).enabled);
    EXPECT_FALSE(model.Field(model.CheckBox(31)).enabled);
    EXPECT_TRUE(model.Checked(31));  // a disabled check box keeps its tick
}

TEST(OptionFiles, SaveIntoANewFileWritesOnlyDifferingKeysAndLoadsBackEqual) {
    OptionsModel model = Loaded("");  // every check box on, SpinSummeMerk -100
    model.Set("CheckBox12", 0);
    model.Set("Chance437blauz", 17);
    model.Set("E1237", -1);
    model.Set("AbRundeZ437", 44);
    model.SetLower(model.Require("AbRundeZ437"), 9);
    model.Set("SpeedButton1", 1);
    model.Set("V4377", 12345);
    IniFile file;
    SaveOptions(model, ApplySettings(model), file);
    const std::string text = file.Serialize();

    EXPECT_EQ(text.find("SpinSummeValue"), std::string::npos);
    EXPECT_EQ(text.find("Checkbox1="), std::string::npos);
    EXPECT_NE(text.find("Checkbox12=0"), std::string::npos);
    EXPECT_NE(text.find("SpeedButton1=1"), std::string::npos);
    EXPECT_EQ(file.ReadInteger("Chance4/37", "blauz"), 17);
    EXPECT_EQ(file.ReadInteger("Einstellung", "E1237"), -1);
    EXPECT_EQ(file.ReadInteger("Einstellung", "E237"), std::nullopt);  // 0 equals the compare default
    EXPECT_EQ(file.ReadInteger("Abrunde", "Z437"), 44);
    EXPECT_EQ(file.ReadInteger("Abrunde", "437"), std::nullopt);  // 1 equals the compare default
    EXPECT_EQ(file.ReadInteger("AbrundeMinValue", "Z437"), 9);
    EXPECT_EQ(file.ReadInteger("Value", "V4377"), 12345);
    EXPECT_EQ(file.ReadInteger("Value", "V4376"), std::nullopt);
    EXPECT_EQ(file.ReadInteger("Value", "B4376"), 100);
    EXPECT_EQ(file.ReadInteger("Farbe", "1"), 255);

    ExpectSameFields(Loaded(text), model);
}

// The compare default of the colours is 1, their load defaults differ: a colour of 1 must still come back.
TEST(OptionFiles, AColourOfOneSurvivesSavingAndLoading) {
    OptionsModel model = Loaded("");
    model.Set("JvOfficeColorButton3", 1);
    IniFile file;
    SaveOptions(model, ApplySettings(model), file);
    EXPECT_EQ(file.ReadInteger("Farbe", "3"), 1);
    ExpectSameFields(Loaded(file.Serialize()), model);
}

TEST(OptionFiles, SaveWritesSectionsAndKeysInTheirOrder) {
    OptionsModel model;
    IniFile file;
    SaveOptions(model, ApplySettings(model), file);
    const std::string text = file.Serialize();
    const char* order[] = {"[SpinSummeValue]",
                           "[Aktivierung]",
                           "[Chance1/37]",
                           "[Chance2/37]",
                           "[Chance3/37]",
                           "[Chance4/37]\r\nblau=3\r\npink=3\r\nblauz=3\r\npinkz=3\r\n",
                           "[Chance5/37]",
                           "[Chance6/37]",
                           "[Chance8/37]",
                           "[Chance9/37]",
                           "[Chance12/37]\r\nblau=3\r\npink=3\r\nblauz=3\r\npinkz=3\r\nb=3\r\np=3\r\n",
                           "[Chance18/37]",
                           "[Nachbarzahlen11]\r\nTief=3\r\nHoch=3\r\n",
                           "[Nachbarzahlen44]",
                           "[Plein437]",
                           "[Plein337]",
                           "[Serien1237]",
                           "[Serien637S]",
                           "[Serien1737]",
                           "[Minimum1]\r\nMini=3\r\n",
                           "[Minimum2]",
                           "[Maximum1]\r\nMaxi=3\r\n",
                           "[Maximum18]",
                           "[Einsatz]\r\nA137=1\r\nA237=1\r\n",

                           "[Value]\r\nV1371=49000\r\nB1371=50000\r\nBisRunde1371=7\r\nV2371=49000\r\n",
                           "VP3371=49000",
                           "VP4371=49000",
                           "VN9371=49000",
                           "V1372=49000",
                           "BisRundeN93712=13",
                           "[Abrunde]\r\n137=37\r\n237=3\r\n",

                           "[Farbe]\r\n1=255\r\n2=16711935\r\n"};
    std::size_t at = 0;
    for (const char* piece : order) {
        const std::size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece;
        at = found;
    }
    EXPECT_EQ(text.find("[AbrundeMinValue]"), std::string::npos);  // bounds of 1 match the compare default
}

TEST(OptionFiles, TheValueSectionHoldsTheRateWindowsAsLastApplied) {
    OptionsModel model;
    const AppliedSettings applied = ApplySettings(model);
    model.Set("V1371", 10000);
    model.Set("Chance137blau", 50);
    IniFile file;
    SaveOptions(model, applied, file);
    EXPECT_EQ(file.ReadInteger("Value", "V1371"), 49000);
    EXPECT_EQ(file.ReadInteger("Chance1/37", "blau"), 50);
}

TEST_F(OptionFileOnDisk, SaveIntoAnExistingFileKeepsItsOtherContent) {
    const fs::path path = dir_ / "mine.opd";
    // Windows-1252 bytes: "Größe" with 0xF6 and 0xDF; a euro sign 0x80.
    const std::string original =
        "; kept\r\n[Fremd]\r\nName=Gr\xF6\xDF"
        "e \x80\r\n\r\n[Chance1/37]\r\nblau = 3\r\npink=9\r\n; inside\r\n";
    WriteBytes(path, original);
    OptionsModel model;
    LoadOptions(model, path);
    EXPECT_EQ(model.Value("Chance137pink"), 9);
    EXPECT_EQ(IniFile::Read(path).ReadString("Fremd", "Name"), "Größe €");
    model.Set("Chance137pink", 5);
    SaveOptions(model, ApplySettings(model), path);

    const std::string saved = ReadBytes(path);
    EXPECT_EQ(saved.rfind("; kept\r\n[Fremd]\r\nName=Gr\xF6\xDF"
                          "e \x80\r\n\r\n[Chance1/37]\r\nblau = 3\r\npink=5\r\n; inside\r\n",
                          0),
              0u)
        << saved.substr(0, 120);
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path(), path);  // no temporary left
    OptionsModel back;
    LoadOptions(back, path);
    ExpectSameFields(back, model);
}

TEST_F(OptionFileOnDisk, AFileThatCannotBeReadLeavesTheModelUnchanged) {
    const fs::path binary = dir_ / "picture.opd";
    WriteBytes(binary, std::string("[Aktivierung]\r\nCheckbox1=0\r\n\0\x01\x02", 32));
    const fs::path folder = dir_ / "folder.ini";
    fs::create_directories(folder);
    const fs::path text = dir_ / "spins.opd";  // some other text file: no section at all
    WriteBytes(text, "17\r\nCheckbox1=0\r\n");
    for (const fs::path& p : {binary, folder, text}) {
        OptionsModel model;
        model.Set("Chance137blau", 44);
        EXPECT_THROW(LoadOptions(model, p), OptionsFileError) << p;
        EXPECT_EQ(model.Value("Chance137blau"), 44);
        EXPECT_EQ(model.Value("CheckBox1"), 0);
    }
}

TEST_F(OptionFileOnDisk, AFailedSaveReportsAndLeavesTheOldFile) {
    const OptionsModel model;
    EXPECT_THROW(SaveOptions(model, ApplySettings(model), dir_ / "no" / "such" / "folder.ini"),
                 OptionsFileError);
    const fs::path folder = dir_ / "taken";
    fs::create_directories(folder);
    EXPECT_THROW(SaveOptions(model, ApplySettings(model), folder), OptionsFileError);
    EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
}  // namespace zentora
