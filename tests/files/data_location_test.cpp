// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/data_location.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "files/file_test_support.h"

namespace zentora::files {
namespace {

namespace fs = std::filesystem;
using testing::RunUnprivileged;
using testing::TempDir;

void WriteText(const fs::path& path, const std::string& text) {
    testing::WriteText(path.string(), text);
}

std::string ReadText(const fs::path& path) {
    const testing::Bytes bytes = testing::ReadBytes(path.string());
    return {bytes.begin(), bytes.end()};
}

// An installed tree: <prefix>/bin and <prefix>/share/zentora with data.ini, the sample and a picture.
struct InstalledTree {
    TempDir dir;
    fs::path bin = fs::path(dir.path()) / "prefix/bin";
    fs::path share = fs::path(dir.path()) / "prefix/share/zentora";
    fs::path home = fs::path(dir.path()) / "home";
    InstalledTree() {
        fs::create_directories(bin);
        fs::create_directories(share / "Einstellungen");
        fs::create_directories(share / "Save");
        fs::create_directories(share / "Bilder");
        fs::create_directories(home);
        WriteText(share / "Einstellungen/data.ini", "[Sonstiges]\nshipped=1\n");
        WriteText(share / "Einstellungen/Sprache.csv", "shipped\n");
        WriteText(share / "Save/Beispiel.prm", "\x05\x11");
        WriteText(share / "Bilder/Chip1.bmp", "picture");
    }
    DataLocation Find() const { return FindDataLocation(bin, nullptr, home.c_str()); }
};

TEST(DataLocation, BuildFolderIsPortable) {
    TempDir dir;
    fs::create_directories(fs::path(dir.path()) / "Einstellungen");
    const DataLocation location = FindDataLocation(dir.path(), nullptr, "/nonexistent");
    EXPECT_TRUE(location.Portable());
    EXPECT_EQ(location.ReadPath("Einstellungen/data.ini"), fs::path(dir.path()) / "Einstellungen/data.ini");
    EXPECT_EQ(location.WritePath("Einstellungen/data.ini"), fs::path(dir.path()) / "Einstellungen/data.ini");
    PrepareUserFolder(location);  // nothing to copy, nothing made
    EXPECT_EQ(testing::EntriesIn(dir.path()), 1u);
}

TEST(DataLocation, InstalledDataIsFoundFromTheExecutableAndWritesGoHome) {
    InstalledTree tree;
    const DataLocation location = tree.Find();
    EXPECT_FALSE(location.Portable());
    EXPECT_EQ(location.shipped, tree.share.lexically_normal());
    EXPECT_EQ(location.user, tree.home / ".local/share/zentora");
    // An absolute XDG_DATA_HOME wins; a relative one is ignored, as the XDG base directory rules say.
    EXPECT_EQ(FindDataLocation(tree.bin, "/xdg", tree.home.c_str()).user, fs::path("/xdg/zentora"));
    EXPECT_EQ(FindDataLocation(tree.bin, "relative", tree.home.c_str()).user, location.user);
    EXPECT_EQ(FindDataLocation(tree.bin, "", tree.home.c_str()).user, location.user);
}

TEST(DataLocation, FirstStartSeedsTheUserFolderFromTheShippedDefaults) {
    InstalledTree tree;
    const DataLocation location = tree.Find();
    PrepareUserFolder(location);
    const fs::path user = location.user;
    EXPECT_EQ(ReadText(user / "Einstellungen/data.ini"), ReadText(tree.share / "Einstellungen/data.ini"));
    EXPECT_EQ(ReadText(user / "Save/Beispiel.prm"), ReadText(tree.share / "Save/Beispiel.prm"));
    EXPECT_TRUE(fs::is_directory(user / "Bilder"));
    // Read-only data stays where it was shipped; what the user has is read first.
    EXPECT_FALSE(fs::exists(user / "Einstellungen/Sprache.csv"));
    EXPECT_EQ(location.ReadPath("Einstellungen/Sprache.csv"), tree.share / "Einstellungen/Sprache.csv");
    EXPECT_EQ(location.ReadPath("Bilder/Chip1.bmp"), tree.share / "Bilder/Chip1.bmp");
    EXPECT_EQ(location.ReadPath("Einstellungen/data.ini"), user / "Einstellungen/data.ini");
    EXPECT_EQ(location.WritePath("Bilder/cached.gif"), user / "Bilder/cached.gif");
}

TEST(DataLocation, ANewerShippedFileNeverReplacesTheUsersOwn) {
    InstalledTree tree;
    const DataLocation location = tree.Find();
    fs::create_directories(location.user / "Einstellungen");
    fs::create_directories(location.user / "Save");
    WriteText(location.user / "Einstellungen/data.ini", "[Sonstiges]\nmine=1\n");
    WriteText(location.user / "Save/Beispiel.prm", "mine");
    fs::last_write_time(
        tree.share / "Einstellungen/data.ini",
        fs::last_write_time(location.user / "Einstellungen/data.ini") + std::chrono::hours(24));
    PrepareUserFolder(location);
    PrepareUserFolder(location);  // every start
    EXPECT_EQ(ReadText(location.user / "Einstellungen/data.ini"), "[Sonstiges]\nmine=1\n");
    EXPECT_EQ(ReadText(location.user / "Save/Beispiel.prm"), "mine");
}

TEST(DataLocation, BadCasesSayWhatIsMissing) {
    TempDir dir;
    const fs::path bin = fs::path(dir.path()) / "bin";
    fs::create_directories(bin);
    try {
        FindDataLocation(bin, nullptr, "/home/x");
        FAIL() << "no data, yet found";
    } catch (const DataLocationError& e) {
        EXPECT_NE(std::string(e.what()).find((fs::path(dir.path()) / "share/zentora/Einstellungen").string()),
                  std::string::npos)
            << e.what();
    }
    InstalledTree tree;
    EXPECT_THROW(FindDataLocation(tree.bin, nullptr, nullptr), DataLocationError);
    EXPECT_THROW(FindDataLocation(tree.bin, "relative", ""), DataLocationError);
}

TEST(DataLocation, AnUnwritableHomeIsReported) {
    InstalledTree tree;
    fs::permissions(tree.home, fs::perms(0555));
    const DataLocation location = tree.Find();
    // Permission bits do not bind the superuser: the check runs as nobody.
    EXPECT_EQ(RunUnprivileged([&] {
                  try {
                      PrepareUserFolder(location);
                      return 1;
                  } catch (const DataLocationError& e) {
                      return std::string(e.what()).find(location.user.string()) != std::string::npos ? 0 : 2;
                  }
              }),
              0);
}

TEST(DataLocation, AReadOnlyPortableFolderWritesToTheUsersFolder) {
    TempDir dir;
    const fs::path bin = fs::path(dir.path()) / "bin";
    fs::create_directories(bin / "Einstellungen");
    fs::permissions(bin, fs::perms(0555));
    EXPECT_EQ(RunUnprivileged([&] {
                  const DataLocation location = FindDataLocation(bin, "/xdg", nullptr);
                  return location.shipped == bin && location.user == fs::path("/xdg/zentora") ? 0 : 1;
              }),
              0);
}

}  // namespace
}  // namespace zentora::files
