// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/banner_refresh.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "file_test_support.h"
#include "files/ini_file.h"

namespace zentora::files {
namespace {

using testing::TempDir;

constexpr DateTime kDay = 86400;
const DateTime kNow = *ParseDateTime("2026-12-10 09:30:00");
const DateTime kServerTime = *ParseDateTime("2026-11-02 08:00:00");
const std::string kAddress = "http://www.zentora.de/banner/468x60.txt";

struct FakeServer : RefreshTransport {
    bool connected = true;
    bool headFails = false, getFails = false;
    std::optional<DateTime> lastModified = kServerTime;
    std::string body = "http://www.zentora.de/a.gif;http://www.zentora.de/;Eins\nzwei\n";
    int asks = 0, heads = 0, gets = 0;

    bool Connected() override {
        ++asks;
        return connected;
    }
    HeadAnswer Head(const std::string&) override {
        ++heads;
        return {!headFails, lastModified};
    }
    GetAnswer Get(const std::string&) override {
        ++gets;
        return {!getFails, body, lastModified};
    }
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Refresh : ::testing::Test {
    TempDir dir;
    std::string book = dir / "Update.ini";
    std::string list = dir / "DeWerbung.txt";
    FakeServer server;

    RefreshOutcome Run(DateTime now = kNow) { return RefreshAdvertList(book, kAddress, list, now, server); }
    std::optional<std::string> Entry(std::string_view section) {
        const IniFile ini = IniFile::Read(book);
        const auto v = ini.ReadString(section, kAddress);
        return v ? std::optional<std::string>(*v) : std::nullopt;
    }
};

TEST_F(Refresh, FirstRunAsksBothAndRecordsBothTimes) {
    EXPECT_EQ(Run(), RefreshOutcome::Downloaded);
    EXPECT_EQ(server.heads, 1);
    EXPECT_EQ(server.gets, 1);
    EXPECT_EQ(Slurp(list), "http://www.zentora.de/a.gif;http://www.zentora.de/;Eins\r\nzwei\r\n");
    EXPECT_EQ(Entry(kCheckSection), "2026-12-10 09:30:00");
    EXPECT_EQ(Entry(kModifiedSection), "2026-11-02 08:00:00");
}

TEST_F(Refresh, WeeklyRhythm) {
    ASSERT_EQ(Run(), RefreshOutcome::Downloaded);
    // Same day, seven whole days later and a clock set back: nothing is asked.
    for (DateTime later : {DateTime{3600}, 7 * kDay + kDay - 1, -7 * kDay}) {
        EXPECT_EQ(Run(kNow + later), RefreshOutcome::NotDue);
        EXPECT_EQ(server.heads, 1);
    }
    // Eight days on, unchanged on the server: headers only, the check time moves.
    EXPECT_EQ(Run(kNow + 8 * kDay), RefreshOutcome::Unchanged);
    EXPECT_EQ(server.heads, 2);
    EXPECT_EQ(server.gets, 1);
    EXPECT_EQ(Entry(kCheckSection), "2026-12-18 09:30:00");
    // Changed on the server: fetched again.
    server.lastModified = kServerTime + 60;
    EXPECT_EQ(Run(kNow + 16 * kDay), RefreshOutcome::Downloaded);
    EXPECT_EQ(server.gets, 2);
    EXPECT_EQ(Entry(kModifiedSection), "2026-11-02 08:01:00");
}

TEST_F(Refresh, DeletedListIsFetchedWhateverTheCheckTime) {
    ASSERT_EQ(Run(), RefreshOutcome::Downloaded);
    std::filesystem::remove(list);
    EXPECT_EQ(Run(kNow + 60), RefreshOutcome::Downloaded);
    EXPECT_EQ(server.gets, 2);
    EXPECT_TRUE(std::filesystem::exists(list));
}

TEST_F(Refresh, OfflineAsksNothing) {
    server.connected = false;
    EXPECT_EQ(Run(), RefreshOutcome::Offline);
    EXPECT_EQ(server.heads + server.gets, 0);
    EXPECT_FALSE(std::filesystem::exists(book));
}

TEST_F(Refresh, NoServerAsksNothing) {
    EXPECT_EQ(RefreshAdvertList(book, "", list, kNow, server), RefreshOutcome::NoServer);
    EXPECT_EQ(server.asks + server.heads + server.gets, 0);
    EXPECT_FALSE(std::filesystem::exists(book));
}

TEST_F(Refresh, ErrorsKeepBookkeepingAndList) {
    { std::ofstream(list) << "alt\r\n"; }
    server.headFails = true;
    EXPECT_EQ(Run(), RefreshOutcome::Failed);
    EXPECT_FALSE(std::filesystem::exists(book));

    server.headFails = false;
    server.getFails = true;
    server.lastModified = std::nullopt;  // no time reported: must fetch
    EXPECT_EQ(Run(), RefreshOutcome::Failed);
    EXPECT_EQ(server.gets, 1);
    EXPECT_FALSE(std::filesystem::exists(book));  // the check time recorded before the error is dropped
    EXPECT_EQ(Slurp(list), "alt\r\n");
}

TEST_F(Refresh, UnreadableOrMissingTimesCountAsEarliest) {
    {
        std::ofstream(book) << "[Update]\r\n"
                            << kAddress << "=gestern\r\n[IniDatei]\r\n"
                            << kAddress << "=\r\n";
        std::ofstream(list) << "alt\r\n";
    }
    EXPECT_EQ(Run(), RefreshOutcome::Downloaded);
    EXPECT_EQ(server.heads, 1);
}

TEST_F(Refresh, RefusesAddressesThatAreNotWebAddresses) {
    EXPECT_EQ(RefreshAdvertList(book, "file:///etc/passwd", list, kNow, server), RefreshOutcome::Failed);
    EXPECT_EQ(server.heads + server.gets, 0);
}

TEST(RefreshDates, FormatAndParseRoundTrip) {
    for (DateTime t : {kEarliestDate, DateTime{0}, kNow, DateTime{4102444799}})
        EXPECT_EQ(ParseDateTime(FormatDateTime(t)), t) << t;
    EXPECT_EQ(FormatDateTime(kEarliestDate), "1899-12-30 00:00:00");
    for (const char* bad : {"", "2026-02-30 00:00:00", "2026-12-10T09:30:00", "2026-12-10 24:00:00", "x"})
        EXPECT_FALSE(ParseDateTime(bad)) << bad;
}

TEST(RefreshFiles, CopyReplacesTargetOnlyWhenSourceReadable) {
    TempDir dir;
    {
        std::ofstream(dir / "Banner.txt") << "alt";
        std::ofstream(dir / "EnWerbung.txt") << "neu";
    }
    EXPECT_FALSE(CopyListFile(dir / "fehlt.txt", dir / "Banner.txt"));
    EXPECT_EQ(Slurp(dir / "Banner.txt"), "alt");
    EXPECT_TRUE(CopyListFile(dir / "EnWerbung.txt", dir / "Banner.txt"));
    EXPECT_EQ(Slurp(dir / "Banner.txt"), "neu");
}

}  // namespace
}  // namespace zentora::files
