// SPDX-License-Identifier: GPL-3.0-or-later
// Every file the program reads or saves goes through one reader check and one atomic writer.
#include "files/file_access.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include "core/display_layout.h"
#include "file_test_support.h"
#include "files/banner_refresh.h"
#include "files/ini_file.h"
#include "files/permanence_flows.h"
#include "lang/language_table.h"
#include "options/option_files.h"

namespace zentora::files {
namespace {

using testing::Bytes;
using testing::TempDir;

// Runs `body` in a child process that the alarm ends should it block (a reader opening a pipe would wait for
// a writer for ever). Returns the body's result, or 98 when it did not end.
int InChild(const std::function<int()>& body) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::alarm(20);
        ::_exit(body());
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 98;
}

// The paths that are no files to read, with the reason each reader must give.
struct NotAFile {
    const char* what;
    std::string path;
    int code;
};

std::vector<NotAFile> NotFiles(const TempDir& dir, std::uint64_t limit) {
    ::mkfifo((dir / "pipe").c_str(), 0644);
    ::symlink("/dev/zero", (dir / "zero").c_str());
    std::filesystem::create_directory(dir / "folder");
    // Sparse: one byte beyond the limit costs no disk.
    testing::WriteText(dir / "large", "");
    std::filesystem::resize_file(dir / "large", limit + 1);
    return {{"pipe", dir / "pipe", kNotRegularFile},
            {"link to /dev/zero", dir / "zero", kNotRegularFile},
            {"folder", dir / "folder", EISDIR},
            {"too large", dir / "large", EFBIG}};
}

TEST(FileAccess, EveryReaderRefusesWhatIsNoFileWithoutBlocking) {
    TempDir dir;
    using Load = LoadFlowResult (*)(const std::string&);
    for (const auto& [name, load] : {std::pair<const char*, Load>{"open", &OpenPermanenceFile},
                                     {"text import", &ImportTextFile},
                                     {"worksheet import", &ImportExcelFile}}) {
        for (const NotAFile& f : NotFiles(dir, kMaxReadBytes)) {
            const int result = InChild([&, load = load] {
                const LoadFlowResult r = load(f.path);
                return r.status == FlowStatus::FileError && !r.ReplacesPermanence() &&
                               r.messages == std::vector<FileMessage>{ReadErrorMessage(f.path, f.code)}
                           ? 0
                           : 1;
            });
            EXPECT_EQ(result, 0) << name << ": " << f.what;
        }
    }

    // Settings, language table, layout and advertising lists have a smaller limit.
    for (const NotAFile& f : NotFiles(dir, kMaxSettingsBytes)) {
        EXPECT_EQ(CheckRegularFile(f.path, kMaxSettingsBytes), f.code) << f.what;
        const int result = InChild([&] {
            OptionsModel model;
            const OptionsModel before = model;
            try {
                LoadOptions(model, f.path);
                return 1;
            } catch (const OptionsFileError& e) {
                if (e.message != ReadErrorMessage(f.path, f.code)) return 2;
            }
            for (FieldId id = 0; id < model.FieldCount(); ++id)
                if (model.Field(id).value != before.Field(id).value) return 3;
            LanguageTable table(f.path);
            table.SetLanguageIndex(2);
            try {
                table.TranslateText("Rot");
                return 4;
            } catch (const LanguageFileError&) {
            }
            if (!LayoutIni::Load(f.path).Empty()) return 5;
            testing::WriteText(dir / "list.txt", "kept");
            if (CopyListFile(f.path, dir / "list.txt") ||
                testing::ReadBytes(dir / "list.txt") != Bytes{'k', 'e', 'p', 't'})
                return 6;
            return 0;
        });
        EXPECT_EQ(result, 0) << f.what;
    }
}

// The CLI's replay of a pipe ends at once with status 1 (see the CLI tests); here the check itself: it opens
// nothing, so a pipe without a writer is refused as it is.
TEST(FileAccess, CheckNamesTheReason) {
    TempDir dir;
    testing::WriteBytes(dir / "f", {1, 2, 3});
    EXPECT_EQ(CheckRegularFile(dir / "f", 3), 0);
    EXPECT_EQ(CheckRegularFile(dir / "f", 2), EFBIG);
    EXPECT_EQ(CheckRegularFile(dir / "missing", 3), ENOENT);
    EXPECT_EQ(CheckRegularFile("", 3), ENOENT);
    EXPECT_EQ(GermanText(ReadErrorMessage("x.prm", kNotRegularFile)),
              "Die Datei x.prm kann nicht gelesen werden: keine gewöhnliche Datei (Pipe, Gerät oder Socket)");
}

// Every save: a link stays a link and its target gets the new content, the file keeps its mode, and a save
// that fails leaves the old file and no temporary one.
TEST(FileAccess, EverySaveKeepsLinkModeAndOldFileOnFailure) {
    using Save = std::function<bool(const std::string& path)>;
    const Bytes permanence = {0, 17, 5};
    const std::pair<const char*, Save> savers[] = {
        {"permanence",
         [&](const std::string& p) { return SavePermanenceFile(permanence, p).status == FlowStatus::Done; }},
        {"text export",
         [&](const std::string& p) { return ExportTextFile(permanence, p).status == FlowStatus::Done; }},
        {"worksheet export",
         [&](const std::string& p) { return ExportExcelFile(permanence, p).status == FlowStatus::Done; }},
        {"option file",
         [](const std::string& p) {
             try {
                 SaveOptions(OptionsModel{}, AppliedSettings{}, p);
                 return true;
             } catch (const OptionsFileError&) {
                 return false;
             }
         }},
        {"bookkeeping file",
         [](const std::string& p) {
             IniFile book;
             book.WriteString("Update", "http://a", "2026-01-01 00:00:00");
             try {
                 book.Write(p);
                 return true;
             } catch (const OptionsFileError&) {
                 return false;
             }
         }},
    };
    for (const auto& [name, save] : savers) {
        TempDir dir;
        std::filesystem::create_directory(dir / "real");
        const std::string target = dir / "real/file";
        testing::WriteText(target, "old");
        ::chmod(target.c_str(), 0600);
        ::symlink("real/file", (dir / "link").c_str());  // relative, as users make them
        ASSERT_TRUE(save(dir / "link")) << name;
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "link")) << name;
        EXPECT_NE(testing::ReadBytes(target), (Bytes{'o', 'l', 'd'})) << name;
        struct stat st {};
        ::stat(target.c_str(), &st);
        EXPECT_EQ(st.st_mode & 0777, 0600u) << name;
        EXPECT_EQ(testing::EntriesIn(dir / "real"), 1u) << name;

        // A link whose file does not exist yet: the file is made where it points.
        ::symlink("real/new", (dir / "dangling").c_str());
        ASSERT_TRUE(save(dir / "dangling")) << name;
        EXPECT_TRUE(std::filesystem::is_symlink(dir / "dangling")) << name;
        EXPECT_TRUE(std::filesystem::is_regular_file(dir / "real/new")) << name;

        const Bytes before = testing::ReadBytes(target);
        ::chmod((dir / "real").c_str(), 0555);
        const int failed = testing::RunUnprivileged([&, &save = save] { return save(target) ? 1 : 0; });
        ::chmod((dir / "real").c_str(), 0755);
        EXPECT_EQ(failed, 0) << name;
        EXPECT_EQ(testing::ReadBytes(target), before) << name;
        EXPECT_EQ(testing::EntriesIn(dir / "real"), 2u) << name;
    }
}

}  // namespace
}  // namespace zentora::files
