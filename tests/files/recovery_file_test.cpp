// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/recovery_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "files/file_test_support.h"

namespace zentora::files {
namespace {

using testing::Bytes;
using testing::ReadBytes;
using testing::TempDir;
using namespace std::string_literals;

std::optional<RecoveredPlay> Parse(const std::string& text) {
    return ParseRecoveryText(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

std::string Text(const std::string& path) {
    const Bytes bytes = ReadBytes(path);
    return {bytes.begin(), bytes.end()};
}

ino_t Inode(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Whatever a crash leaves, every whole line counts: a line cut off, a line of rubbish or a removal of
// nothing costs at most itself.
TEST(RecoveryFile, ReadsEveryWholeLine) {
    const struct {
        const char* name;
        std::string text;
        std::optional<RecoveredPlay> play;
    } cases[] = {
        {"spins oldest first", "Zentora-Wiederherstellung 1\n5\n17\n0\n", RecoveredPlay{{5, 17, 0}, ""}},
        {"with its file", "Zentora-Wiederherstellung 1\nDatei: /a/b c.prm\n5\n",
         RecoveredPlay{{5}, "/a/b c.prm"}},
        {"last line cut off", "Zentora-Wiederherstellung 1\n5\n17\n3", RecoveredPlay{{5, 17}, ""}},
        {"removals", "Zentora-Wiederherstellung 1\n5\n17\n-\n0\n-\n-\n-\n9\n", RecoveredPlay{{9}, ""}},
        {"rubbish between", "Zentora-Wiederherstellung 1\n5\n\0\0\0\nx\n1234\n255\n"s,
         RecoveredPlay{{5, 255}, ""}},
        {"only the first line", "Zentora-Wiederherstellung 1\n", RecoveredPlay{}},
        {"first line cut off", "Zentora-Wiederh", std::nullopt},
        {"another file", "5\n17\n", std::nullopt},
        {"empty", "", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.text), c.play) << c.name;
    // What is written reads back, any byte and a file name included; a name with a line break is left out.
    const Bytes all = [] {
        Bytes b;
        for (int v = 0; v < 256; ++v) b.push_back(static_cast<std::uint8_t>(v));
        return b;
    }();
    EXPECT_EQ(Parse(FormatRecoveryText(all, "/x/ä.prm")), (RecoveredPlay{all, "/x/ä.prm"}));
    EXPECT_EQ(Parse(FormatRecoveryText(all, "/x/a\nb.prm")), (RecoveredPlay{all, ""}));
}

// The file follows the permanence: written whole on the first change after a save, then only appended to,
// gone when the spins are saved or given up, and left behind when the program ends without that.
TEST(RecoveryFile, FollowsThePermanence) {
    TempDir dir;
    const std::string path = dir / "Wiederherstellung.txt";
    {
        UnsavedSpins unsaved;
        ASSERT_TRUE(unsaved.KeepRecoveryFile(path));
        EXPECT_FALSE(unsaved.Unsaved());
        EXPECT_FALSE(unsaved.LeftOver());

        Bytes permanence = {4, 3};  // opened from a file, not unsaved
        permanence.push_back(5);
        unsaved.Added(permanence, 1, "/x/spiel.prm");
        EXPECT_TRUE(unsaved.Unsaved());
        EXPECT_EQ(Text(path), "Zentora-Wiederherstellung 1\nDatei: /x/spiel.prm\n4\n3\n5\n");
        const ino_t written = Inode(path);

        for (std::uint8_t n : {17, 0}) {
            permanence.push_back(n);
            unsaved.Added(permanence, 1, "/x/spiel.prm");
        }
        permanence.pop_back();
        unsaved.RemovedNewest(permanence, "/x/spiel.prm");
        permanence.insert(permanence.end(), {1, 2, 3});
        unsaved.Added(permanence, 3, "/x/spiel.prm");
        EXPECT_EQ(Inode(path), written);  // appended, not written anew
        EXPECT_EQ(Text(path),
                  "Zentora-Wiederherstellung 1\nDatei: /x/spiel.prm\n4\n3\n5\n17\n0\n-\n1\n2\n3\n");

        unsaved.Saved();
        EXPECT_FALSE(unsaved.Unsaved());
        EXPECT_FALSE(std::filesystem::exists(path));

        permanence.erase(permanence.begin());  // the number list editor
        unsaved.Changed(permanence, "");
        EXPECT_EQ(Parse(Text(path)), (RecoveredPlay{permanence, ""}));
        EXPECT_FALSE(unsaved.TakeWriteError());
    }  // the program ends without saving

    UnsavedSpins next;
    ASSERT_TRUE(next.KeepRecoveryFile(path));
    const auto left = next.LeftOver();
    ASSERT_TRUE(left);
    EXPECT_EQ(left->oldestFirst, (Bytes{3, 5, 17, 1, 2, 3}));
    // A second program at the same time keeps no file and finds nothing to restore.
    UnsavedSpins second;
    EXPECT_FALSE(second.KeepRecoveryFile(path));
    EXPECT_FALSE(second.LeftOver());
    second.Added(Bytes{9}, 1, "");
    second.Saved();
    EXPECT_TRUE(next.LeftOver());
}

TEST(RecoveryFile, AFolderThatCannotBeWrittenIsReportedOnce) {
    TempDir dir;
    const std::string folder = dir / "ro";
    std::filesystem::create_directory(folder);
    testing::WriteText(folder + "/Wiederherstellung.txt.lock", "");
    ::chmod((folder + "/Wiederherstellung.txt.lock").c_str(), 0666);
    ::chmod(folder.c_str(), 0555);
    const int status = testing::RunUnprivileged([&] {
        UnsavedSpins unsaved;
        if (!unsaved.KeepRecoveryFile(folder + "/Wiederherstellung.txt")) return 1;
        Bytes permanence = {5};
        unsaved.Added(permanence, 1, "");
        if (!unsaved.Unsaved()) return 2;
        const auto error = unsaved.TakeWriteError();
        if (!error || GermanText(*error).find("Zugriff verweigert") == std::string::npos) return 3;
        permanence.push_back(6);
        unsaved.Added(permanence, 1, "");
        return unsaved.TakeWriteError() ? 4 : 0;
    });
    EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace zentora::files
