// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/permanence_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "file_test_support.h"

namespace zentora::files {
namespace {

using testing::Bytes;
using testing::TempDir;

TEST(PermanenceFile, SavesNewestFirstByteForByte) {
    TempDir dir;
    // Entered 5, then 17, then 0: the most recent spin is index 0.
    const Bytes permanence = {0, 17, 5};
    ASSERT_TRUE(WritePermanenceBytes(permanence, dir / "p.prm").ok());
    EXPECT_EQ(testing::ReadBytes(dir / "p.prm"), (Bytes{0x00, 0x11, 0x05}));

    const ReadOutcome loaded = ReadPermanenceBytes(dir / "p.prm");
    ASSERT_EQ(loaded.status, IoStatus::Ok);
    EXPECT_EQ(loaded.bytes, permanence);
}

TEST(PermanenceFile, KeepsEveryByteAndEmptyIsEmpty) {
    TempDir dir;
    Bytes all(256);
    for (int i = 0; i < 256; ++i) all[i] = static_cast<std::uint8_t>(i);
    testing::WriteBytes(dir / "all.prm", all);
    EXPECT_EQ(ReadPermanenceBytes(dir / "all.prm").bytes, all);

    testing::WriteBytes(dir / "empty.prm", {});
    const ReadOutcome empty = ReadPermanenceBytes(dir / "empty.prm");
    EXPECT_EQ(empty.status, IoStatus::Ok);
    EXPECT_TRUE(empty.bytes.empty());

    ASSERT_TRUE(WritePermanenceBytes({}, dir / "saved-empty.prm").ok());
    EXPECT_TRUE(testing::ReadBytes(dir / "saved-empty.prm").empty());
}

TEST(PermanenceFile, UnreadableFilesGiveTheSystemTextWithTheName) {
    TempDir dir;
    for (const std::string& path : {dir / "missing.prm", dir.path(), std::string()}) {
        const ReadOutcome r = ReadPermanenceBytes(path);
        EXPECT_EQ(r.status, IoStatus::Failed) << path;
        EXPECT_TRUE(r.bytes.empty());
        EXPECT_EQ(r.error.arguments.at(0).text, path);
    }
    EXPECT_EQ(ReadPermanenceBytes(dir.path()).error, ReadErrorMessage(dir.path(), EISDIR));

    testing::WriteBytes(dir / "secret.prm", {1, 2, 3});
    ::chmod((dir / "secret.prm").c_str(), 0);
    const int status = testing::RunUnprivileged([&] {
        const ReadOutcome r = ReadPermanenceBytes(dir / "secret.prm");
        return r.status == IoStatus::Failed && r.error == ReadErrorMessage(dir / "secret.prm", EACCES) ? 0
                                                                                                       : 1;
    });
    EXPECT_EQ(status, 0);
}

TEST(PermanenceFile, SaveReplacesAtomicallyAndLeavesNoTemporaryFile) {
    TempDir dir;
    const std::string path = dir / "p.prm";
    testing::WriteBytes(path, {9, 9, 9, 9, 9});
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WritePermanenceBytes(Bytes{1, 2}, path).ok());
    EXPECT_EQ(testing::ReadBytes(path), (Bytes{1, 2}));
    EXPECT_EQ(testing::EntriesIn(dir.path()), 1u);
    struct stat st {};
    ::stat(path.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // A link stays a link; its target gets the new content.
    ::symlink(path.c_str(), (dir / "link.prm").c_str());
    ASSERT_TRUE(WritePermanenceBytes(Bytes{7}, dir / "link.prm").ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.prm"));
    EXPECT_EQ(testing::ReadBytes(path), (Bytes{7}));
}

TEST(PermanenceFile, FailedSaveKeepsTheOldFile) {
    TempDir dir;
    const std::string folder = dir / "readonly";
    std::filesystem::create_directory(folder);
    const std::string path = folder + "/p.prm";
    testing::WriteBytes(path, {1, 2, 3});
    ::chmod(folder.c_str(), 0555);
    const int status = testing::RunUnprivileged([&] {
        const WriteOutcome r = WritePermanenceBytes(Bytes{4, 5, 6, 7}, path);
        return r.status == IoStatus::Failed && r.error == WriteErrorMessage(path, EACCES) ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testing::ReadBytes(path), (Bytes{1, 2, 3}));
    EXPECT_EQ(testing::EntriesIn(folder), 1u);

    // A directory in the way and a missing folder fail the same way.
    EXPECT_EQ(WritePermanenceBytes(Bytes{1}, folder).status, IoStatus::Failed);
    EXPECT_EQ(WritePermanenceBytes(Bytes{1}, dir / "no/such/folder.prm").status, IoStatus::Failed);
}

TEST(PermanenceFile, FilesLockedByAnotherProgramAreInUse) {
    TempDir dir;
    const std::string path = dir / "p.prm";
    testing::WriteBytes(path, {1, 2, 3});
    {
        testing::ForeignLock lock(path, testing::ForeignLock::FlockExclusive);
        ASSERT_TRUE(lock.locked());
        EXPECT_EQ(ReadPermanenceBytes(path).status, IoStatus::InUse);
        EXPECT_EQ(WritePermanenceBytes(Bytes{4}, path).status, IoStatus::InUse);
    }
    {
        testing::ForeignLock lock(path, testing::ForeignLock::FcntlWrite);
        ASSERT_TRUE(lock.locked());
        EXPECT_EQ(ReadPermanenceBytes(path).status, IoStatus::InUse);
    }
    {
        // Another reader does not stop a reader.
        testing::ForeignLock lock(path, testing::ForeignLock::FlockShared);
        ASSERT_TRUE(lock.locked());
        EXPECT_EQ(ReadPermanenceBytes(path).status, IoStatus::Ok);
    }
    EXPECT_EQ(testing::ReadBytes(path), (Bytes{1, 2, 3}));
}

}  // namespace
}  // namespace zentora::files
