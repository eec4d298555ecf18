// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/permanence_flows.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "file_test_support.h"
#include "files/xls.h"

namespace zentora::files {
namespace {

using testing::Bytes;
using testing::TempDir;

const FileMessage kNoNumbers{"Keine Zahlen gefunden", MessageTranslation::Words, {}};
const FileMessage kInUse{"Datei wird bereits von anderem Programm bearbeitet", MessageTranslation::Text, {}};
const FileMessage kShortRecord{
    "(Letzter) Record ungültig, da weniger als 4 Byte!", MessageTranslation::Text, {}};

TEST(PermanenceFlows, OpenSetsTheRememberedNameAndStartFolder) {
    TempDir dir;
    testing::WriteBytes(dir / "game.prm", {0, 17, 5, 200});
    const LoadFlowResult r = OpenPermanenceFile(dir / "game.prm");
    EXPECT_TRUE(r.ReplacesPermanence());
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.spins, (Bytes{0, 17, 5, 200}));
    EXPECT_EQ(r.fileNameRule, FileNameRule::Set);
    EXPECT_EQ(r.fileName, dir / "game.prm");
    EXPECT_EQ(r.startFolder, dir.path());

    testing::WriteBytes(dir / "empty.prm", {});
    const LoadFlowResult empty = OpenPermanenceFile(dir / "empty.prm");
    EXPECT_TRUE(empty.ReplacesPermanence());
    EXPECT_TRUE(empty.spins.empty());
    EXPECT_EQ(empty.fileNameRule, FileNameRule::Set);
}

TEST(PermanenceFlows, CommandLineOpenTakesTheFirstArgumentOnly) {
    TempDir dir;
    testing::WriteBytes(dir / "a.prm", {3});
    const std::vector<std::string> args = {dir / "a.prm", dir / "ignored.prm"};
    const auto r = OpenFromCommandLine(args);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->spins, (Bytes{3}));
    EXPECT_EQ(r->fileName, dir / "a.prm");
    EXPECT_FALSE(OpenFromCommandLine({}).has_value());
    const std::vector<std::string> emptyFirst = {"", dir / "a.prm"};
    EXPECT_FALSE(OpenFromCommandLine(emptyFirst).has_value());

    // Saved back to the same file by "Speichern".
    ASSERT_FALSE(SaveNeedsDialog(r->fileName));
    EXPECT_EQ(SavePermanenceFile(Bytes{4, 3}, r->fileName).status, FlowStatus::Done);
    EXPECT_EQ(testing::ReadBytes(dir / "a.prm"), (Bytes{4, 3}));
}

TEST(PermanenceFlows, SaveRules) {
    EXPECT_TRUE(SaveNeedsDialog(""));
    EXPECT_EQ(SaveUnderPresetName("", "Permanent file"), "Permanent file.prm");
    EXPECT_EQ(SaveUnderPresetName("/x/a.prm", "Permanenzdatei"), "/x/a.prm");

    TempDir dir;
    const SaveFlowResult saved = SavePermanenceFile(Bytes{0, 17, 5}, dir / "new.prm");
    EXPECT_EQ(saved.status, FlowStatus::Done);
    EXPECT_EQ(saved.fileNameRule, FileNameRule::Set);
    EXPECT_EQ(saved.fileName, dir / "new.prm");
    EXPECT_EQ(saved.startFolder, dir.path());

    const SaveFlowResult failed = SavePermanenceFile(Bytes{1}, dir / "missing/x.prm");
    EXPECT_EQ(failed.status, FlowStatus::FileError);
    EXPECT_EQ(failed.fileNameRule, FileNameRule::Keep);
    ASSERT_EQ(failed.messages.size(), 1u);
    EXPECT_EQ(failed.messages[0], WriteErrorMessage(dir / "missing/x.prm", ENOENT));
    EXPECT_EQ(GermanText(failed.messages[0]),
              "Die Datei " + dir / "missing/x.prm" +
                  " kann nicht geschrieben werden: Datei oder Ordner nicht gefunden");
}

// An export proposes the permanence file's name with its own extension, never the permanence file itself.
TEST(PermanenceFlows, ExportPresetNames) {
    const struct {
        std::string remembered;
        PermanenceFormat format;
        std::string proposed;
    } cases[] = {
        {"/x/spiel.prm", PermanenceFormat::Excel, "/x/spiel.xls"},
        {"/x/spiel.PRM", PermanenceFormat::Text, "/x/spiel.txt"},
        {"/x/spiel", PermanenceFormat::Excel, "/x/spiel.xls"},
        {"/x.d/spiel", PermanenceFormat::Text, "/x.d/spiel.txt"},
        {"/x/.prm", PermanenceFormat::Excel, "/x/.prm.xls"},
        {"spiel.2.prm", PermanenceFormat::Text, "spiel.2.txt"},
        {"", PermanenceFormat::Excel, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExportPresetName(c.remembered, c.format), c.proposed) << c.remembered;
}

TEST(PermanenceFlows, ExportsKeepTheNameImportsClearIt) {
    TempDir dir;
    const Bytes permanence = {0, 17, 5};
    for (auto [exportFile, importFile, name] : {std::tuple{&ExportTextFile, &ImportTextFile, "t.txt"},
                                                std::tuple{&ExportExcelFile, &ImportExcelFile, "x.xls"}}) {
        const SaveFlowResult exported = exportFile(permanence, dir / name);
        EXPECT_EQ(exported.status, FlowStatus::Done) << name;
        EXPECT_EQ(exported.fileNameRule, FileNameRule::Keep) << name;
        const LoadFlowResult imported = importFile(dir / name);
        EXPECT_TRUE(imported.ReplacesPermanence()) << name;
        EXPECT_EQ(imported.spins, permanence) << name;
        EXPECT_EQ(imported.fileNameRule, FileNameRule::Clear) << name;
    }
    EXPECT_EQ(testing::ReadBytes(dir / "t.txt"),
              (Bytes{'5', '\r', '\n', '1', '7', '\r', '\n', '0', '\r', '\n'}));
}

// Every load that fails leaves the permanence and the file name alone and says why.
TEST(PermanenceFlows, BadInputNeverReplacesThePermanence) {
    TempDir dir;
    testing::WriteBytes(dir / "empty", {});
    testing::WriteBytes(dir / "three", {0xde, 0xad, 0xbe});
    testing::WriteBytes(dir / "five", {0xde, 0xad, 0xbe, 0xef, 0x01});
    testing::WriteText(dir / "junk", "x\r\n37\r\n12 Stück\r\n");
    using Load = LoadFlowResult (*)(const std::string&);
    struct Case {
        Load load;
        std::string file;
        FlowStatus status;
        std::vector<FileMessage> messages;
    };
    const FileMessage missing = ReadErrorMessage(dir / "missing", ENOENT);
    const FileMessage folder = ReadErrorMessage(dir.path(), EISDIR);
    const Case cases[] = {
        {&OpenPermanenceFile, dir / "missing", FlowStatus::FileError, {missing}},
        {&OpenPermanenceFile, dir.path(), FlowStatus::FileError, {folder}},
        {&ImportTextFile, dir / "missing", FlowStatus::FileError, {missing}},
        {&ImportTextFile, dir.path(), FlowStatus::FileError, {folder}},
        {&ImportTextFile, dir / "empty", FlowStatus::NoNumbers, {kNoNumbers}},
        {&ImportTextFile, dir / "three", FlowStatus::NoNumbers, {kNoNumbers}},
        {&ImportTextFile, dir / "junk", FlowStatus::NoNumbers, {kNoNumbers}},
        {&ImportExcelFile, dir / "missing", FlowStatus::FileError, {missing}},
        {&ImportExcelFile, dir.path(), FlowStatus::FileError, {folder}},
        {&ImportExcelFile, dir / "empty", FlowStatus::NoNumbers, {kNoNumbers}},
        {&ImportExcelFile, dir / "three", FlowStatus::NoNumbers, {kShortRecord, kNoNumbers}},
        {&ImportExcelFile, dir / "five", FlowStatus::NoNumbers, {kNoNumbers}},
    };
    for (const Case& c : cases) {
        const LoadFlowResult r = c.load(c.file);
        EXPECT_FALSE(r.ReplacesPermanence()) << c.file;
        EXPECT_EQ(r.status, c.status) << c.file;
        EXPECT_EQ(r.messages, c.messages) << c.file;
        EXPECT_TRUE(r.spins.empty()) << c.file;
        EXPECT_EQ(r.fileNameRule, FileNameRule::Keep) << c.file;
    }
    // As a permanence file, garbage bytes are spins.
    EXPECT_EQ(OpenPermanenceFile(dir / "three").spins, (Bytes{0xde, 0xad, 0xbe}));
}

TEST(PermanenceFlows, CutShortWorksheetImportsTheCellsBeforeIt) {
    TempDir dir;
    ASSERT_TRUE(ExportExcelFile(Bytes{0, 17, 5}, dir / "a.xls").status == FlowStatus::Done);
    Bytes file = testing::ReadBytes(dir / "a.xls");
    file.resize(file.size() - 2);  // the EOF record loses half its header
    testing::WriteBytes(dir / "a.xls", file);
    const LoadFlowResult r = ImportExcelFile(dir / "a.xls");
    EXPECT_TRUE(r.ReplacesPermanence());
    EXPECT_EQ(r.messages, std::vector<FileMessage>{kShortRecord});
    EXPECT_EQ(r.spins, (Bytes{0, 17, 5}));
    EXPECT_EQ(r.fileNameRule, FileNameRule::Clear);
}

TEST(PermanenceFlows, WorksheetLockedByAnotherProgramIsInUse) {
    TempDir dir;
    ASSERT_EQ(ExportExcelFile(Bytes{0, 17, 5}, dir / "a.xls").status, FlowStatus::Done);
    for (auto kind : {testing::ForeignLock::FlockExclusive, testing::ForeignLock::FlockShared,
                      testing::ForeignLock::FcntlWrite}) {
        testing::ForeignLock lock(dir / "a.xls", kind);
        ASSERT_TRUE(lock.locked());
        const LoadFlowResult r = ImportExcelFile(dir / "a.xls");
        EXPECT_EQ(r.status, FlowStatus::InUse) << kind;
        EXPECT_EQ(r.messages, std::vector<FileMessage>{kInUse}) << kind;
        EXPECT_TRUE(r.spins.empty());
        // Nor is it overwritten while another program works on it.
        if (kind != testing::ForeignLock::FlockShared) {
            EXPECT_EQ(ExportExcelFile(Bytes{1}, dir / "a.xls").status, FlowStatus::InUse) << kind;
        }
    }
    EXPECT_EQ(ImportExcelFile(dir / "a.xls").spins, (Bytes{0, 17, 5}));
}

TEST(PermanenceFlows, ExportIntoAReadOnlyFolderKeepsTheOldFile) {
    TempDir dir;
    const std::string folder = dir / "ro";
    std::filesystem::create_directory(folder);
    testing::WriteText(folder + "/t.txt", "1\r\n");
    testing::WriteText(folder + "/x.xls", "old");
    ::chmod(folder.c_str(), 0555);
    const int status = testing::RunUnprivileged([&] {
        const SaveFlowResult text = ExportTextFile(Bytes{2}, folder + "/t.txt");
        const SaveFlowResult sheet = ExportExcelFile(Bytes{2}, folder + "/x.xls");
        const bool ok = text.status == FlowStatus::FileError && sheet.status == FlowStatus::FileError &&
                        text.messages.at(0) == WriteErrorMessage(folder + "/t.txt", EACCES) &&
                        sheet.messages.at(0) == WriteErrorMessage(folder + "/x.xls", EACCES);
        return ok ? 0 : 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(testing::ReadBytes(folder + "/t.txt"), (Bytes{'1', '\r', '\n'}));
    EXPECT_EQ(testing::ReadBytes(folder + "/x.xls"), (Bytes{'o', 'l', 'd'}));
    EXPECT_EQ(testing::EntriesIn(folder), 2u);
}

TEST(PermanenceFlows, FormatByExtension) {
    EXPECT_EQ(FormatOfPath("a.prm"), PermanenceFormat::Prm);
    EXPECT_EQ(FormatOfPath("/x/A.PRM"), PermanenceFormat::Prm);
    EXPECT_EQ(FormatOfPath("b.Txt"), PermanenceFormat::Text);
    EXPECT_EQ(FormatOfPath("c.XLS"), PermanenceFormat::Excel);
    EXPECT_EQ(FormatOfPath("d.xlsx"), PermanenceFormat::Unknown);
    EXPECT_EQ(FormatOfPath("/x.prm/file"), PermanenceFormat::Unknown);
    EXPECT_EQ(FormatOfPath("prm"), PermanenceFormat::Unknown);
}

}  // namespace
}  // namespace zentora::files
