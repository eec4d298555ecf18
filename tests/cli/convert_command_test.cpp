// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

class Convert : public ::testing::Test {
  protected:
    void SetUp() override {
        char name[] = "/tmp/zentora-convert-XXXXXX";
        dir_ = ::mkdtemp(name);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::all, ec);
        fs::remove_all(dir_, ec);
    }

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

    static std::string Slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    Bytes Read(const std::string& name) const {
        const std::string s = Slurp(Path(name));
        return Bytes(s.begin(), s.end());
    }
    void Write(const std::string& name, const std::string& content) const {
        std::ofstream(Path(name), std::ios::binary) << content;
    }

    CliResult RunConvert(const std::string& input, const std::string& output) const {
        const std::string command = std::string(ZENTORA_CLI) + " convert '" + input + "' '" + output + "' >" +
                                    Path(".out") + " 2>" + Path(".err");
        const int status = std::system(command.c_str());
        CliResult run{WEXITSTATUS(status), Slurp(Path(".out")), Slurp(Path(".err"))};
        fs::remove(Path(".out"));
        fs::remove(Path(".err"));
        return run;
    }

    std::string dir_;
};

TEST_F(Convert, RoundTripThroughAllFormatsPrintsNothing) {
    std::string prm;
    for (int i = 0; i < 70000; ++i) prm += static_cast<char>((i * 7) % 37);
    Write("a.prm", prm);
    for (auto [from, to] : {std::pair{"a.prm", "b.TXT"}, {"b.TXT", "c.xls"}, {"c.xls", "d.Prm"}}) {
        const CliResult run = RunConvert(Path(from), Path(to));
        EXPECT_EQ(run.status, 0) << from << " -> " << to << ": " << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "");
    }
    EXPECT_EQ(Slurp(Path("d.Prm")), prm);
    const std::string text = Slurp(Path("b.TXT"));  // oldest first
    const std::string oldest = std::to_string(prm.back()) + "\r\n";
    EXPECT_EQ(text.substr(0, oldest.size()), oldest);
    EXPECT_EQ(text.substr(text.size() - 3), "0\r\n");

    Write("e.txt", "5\r\n17\r\n0\r\n");
    ASSERT_EQ(RunConvert(Path("e.txt"), Path("e.prm")).status, 0);
    EXPECT_EQ(Read("e.prm"), (Bytes{0, 17, 5}));
}

TEST_F(Convert, EmptyPermanenceFileIsValidEmptyImportsAreNot) {
    Write("empty.prm", "");
    EXPECT_EQ(RunConvert(Path("empty.prm"), Path("empty.txt")).status, 0);
    EXPECT_EQ(Slurp(Path("empty.txt")), "");
    EXPECT_EQ(RunConvert(Path("empty.prm"), Path("empty.xls")).status, 0);

    Write("old.prm", "\x01\x02");
    for (const char* input : {"empty.txt", "empty.xls"}) {
        const CliResult run = RunConvert(Path(input), Path("old.prm"));
        EXPECT_EQ(run.status, 1) << input;
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(run.err, "zentora-cli: " + Path(input) + ": Keine Zahlen gefunden\n");
        EXPECT_EQ(Slurp(Path("old.prm")), "\x01\x02");
    }
}

TEST_F(Convert, UnusableInputOrOutputExitsWithOne) {
    Write("a.prm", "\x05");
    Write("a.csv", "5\n");
    struct Case {
        std::string input, output, error;
    };
    const Case cases[] = {
        {Path("missing.prm"), Path("x.txt"),
         Path("missing.prm") + " kann nicht gelesen werden: Datei oder Ordner nicht gefunden"},
        {dir_ + "/.", Path("x.txt"), "hat keinen bekannten Dateityp"},
        {Path("a.csv"), Path("x.txt"), Path("a.csv") + " hat keinen bekannten Dateityp"},
        {Path("a.prm"), Path("x.xlsx"), Path("x.xlsx") + " hat keinen bekannten Dateityp"},
        {Path("a.prm"), Path("no/such/x.txt"),
         Path("no/such/x.txt") + " kann nicht geschrieben werden: Datei oder Ordner nicht gefunden"},
        {Path("a.prm"), dir_ + "/sub.prm",
         dir_ + "/sub.prm kann nicht geschrieben werden: ein Ordner, keine Datei"},
    };
    fs::create_directory(dir_ + "/sub.prm");
    for (const Case& c : cases) {
        const CliResult run = RunConvert(c.input, c.output);
        EXPECT_EQ(run.status, 1) << c.input << " -> " << c.output;
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.error), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
    EXPECT_FALSE(fs::exists(Path("x.txt")));
    // Nothing but the inputs and the directory is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), {}), 3);
}

TEST_F(Convert, CutShortWorksheetWarnsAndConverts) {
    Write("a.prm", std::string("\x00\x11\x05", 3));
    ASSERT_EQ(RunConvert(Path("a.prm"), Path("a.xls")).status, 0);
    std::string sheet = Slurp(Path("a.xls"));
    Write("a.xls", sheet.substr(0, sheet.size() - 1));
    const CliResult run = RunConvert(Path("a.xls"), Path("b.prm"));
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "zentora-cli: " + Path("a.xls") + ": (Letzter) Record ungültig, da weniger als 4 Byte!\n");
    EXPECT_EQ(Read("b.prm"), (Bytes{0, 17, 5}));
}

}  // namespace
