// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The file operations of the "Datei" menu as window-free steps. Each returns what the window must show and
// do; the window (or zentora-cli) then applies it: when a load result replaces the permanence it runs New,
// takes `spins` as the permanence, applies the file name rule and replays (ReplayPermanence with the new
// length).
//
// Reading always comes first: a file that cannot be read, is in use or holds no valid spins leaves the
// current permanence, its file name and the play state as they were.

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/file_access.h"
#include "files/user_message.h"

namespace zentora::files {

inline constexpr std::string_view kNoNumbersMessage = "Keine Zahlen gefunden";
inline constexpr std::string_view kShortRecordMessage = "(Letzter) Record ungültig, da weniger als 4 Byte!";

using zentora::MessageTranslation;
using FileMessage = UserMessage;

enum class FlowStatus {
    Done,       // the operation happened (a load replaces the permanence)
    NoNumbers,  // the file held no valid spin
    InUse,      // another program holds a lock on the file
    FileError,  // the system refused, or the path is no file to use; the message names the file
};

// What happens to the remembered permanence file name (the save dialog's file name).
enum class FileNameRule {
    Keep,   // unchanged
    Set,    // becomes `fileName`; a non-empty `startFolder` becomes the save dialog's start folder
    Clear,  // emptied, so the next "Speichern" asks for a name
};

struct LoadFlowResult {
    FlowStatus status = FlowStatus::Done;
    std::vector<FileMessage> messages;  // shown in this order, also when the operation was done
    std::vector<std::uint8_t> spins;    // the new permanence, newest first
    FileNameRule fileNameRule = FileNameRule::Keep;
    std::string fileName;
    std::string startFolder;

    bool ReplacesPermanence() const { return status == FlowStatus::Done; }
};

struct SaveFlowResult {
    FlowStatus status = FlowStatus::Done;
    std::vector<FileMessage> messages;
    FileNameRule fileNameRule = FileNameRule::Keep;
    std::string fileName;
    std::string startFolder;
};

// "&Öffnen..." with the chosen file, and the command-line open. An empty file is a valid empty permanence;
// bytes above 36 are kept. Done: the remembered name becomes the file.
LoadFlowResult OpenPermanenceFile(const std::string& path);

// The command-line open: only the first argument counts; nothing happens when it is absent or empty.
std::optional<LoadFlowResult> OpenFromCommandLine(std::span<const std::string> arguments);

// "Speichern" with a remembered name and "Speichern unter..." after the dialog was confirmed: writes the
// permanence file. Done: the remembered name becomes `path` and the dialogs start in its folder; on failure
// both stay as they were.
SaveFlowResult SavePermanenceFile(std::span<const std::uint8_t> permanence, const std::string& path);

// "Speichern" writes without a dialog only when a name is remembered.
inline bool SaveNeedsDialog(const std::string& rememberedName) {
    return rememberedName.empty();
}

// The name the "Speichern unter..." dialog opens with: the remembered one, or the translated
// "Permanenzdatei" + ".prm". It counts as chosen only when the dialog is confirmed.
std::string SaveUnderPresetName(const std::string& rememberedName, std::string_view defaultFileName);

// Text import and export. The import clears the remembered name when it replaces the permanence; an export
// never changes it.
LoadFlowResult ImportTextFile(const std::string& path);
SaveFlowResult ExportTextFile(std::span<const std::uint8_t> permanence, const std::string& path);

// Excel import and export, with the same file name rules. A worksheet whose last record is cut short shows
// kShortRecordMessage and imports the cells before it.
LoadFlowResult ImportExcelFile(const std::string& path);
SaveFlowResult ExportExcelFile(std::span<const std::uint8_t> permanence, const std::string& path);

// The three formats by file name extension, letter case ignored.
enum class PermanenceFormat { Unknown, Prm, Text, Excel };
PermanenceFormat FormatOfPath(std::string_view path);

// A file name whose extension is none of the three.
inline constexpr std::string_view kUnknownFormatMessage =
    "Die Datei %1 hat keinen bekannten Dateityp (.prm, .txt oder .xls).";
UserMessage UnknownFormatMessage(const std::string& path);

// Reads (open or import rules) or writes (save or export rules) in the format of the extension; Unknown
// formats are the caller's to refuse.
LoadFlowResult LoadInFormat(PermanenceFormat format, const std::string& path);
SaveFlowResult SaveInFormat(PermanenceFormat format, std::span<const std::uint8_t> permanence,
                            const std::string& path);

// The file dialogs of the flows. A filter entry is shown as TranslateText(name) + labelSuffix and matches
// `pattern`.
struct DialogFilter {
    std::string_view name;
    std::string_view labelSuffix;
    std::string_view pattern;
};

// Every file dialog's last entry keeps the caption "(*.*)" but matches every file: on Linux "*.*" would hide
// the files without an extension.
inline constexpr DialogFilter kAllFilesFilter{"Alle Dateien", " (*.*)", "*"};

struct DialogSetup {
    std::array<DialogFilter, 2> filters;
    int filterCount;
    std::string_view defaultExtension;
    bool confirmOverwrite;
};

inline constexpr DialogSetup kOpenDialog{
    {{{"Permanenzdateien", "(*.prm)", "*.prm"}, kAllFilesFilter}}, 2, "prm", false};
inline constexpr DialogSetup kSaveUnderDialog{
    {{{"Permanenzdateien", "(*.PRM)", "*.PRM"}, kAllFilesFilter}}, 2, "PRM", true};
inline constexpr DialogSetup kTextImportDialog{
    {{{"Textdateien", " (*.TXT)", "*.TXT"}, kAllFilesFilter}}, 2, "TXT", false};
inline constexpr DialogSetup kTextExportDialog{
    {{{"Textdateien", " (*.TXT)", "*.TXT"}, kAllFilesFilter}}, 2, "TXT", true};
inline constexpr DialogSetup kExcelImportDialog{{{{"Exceldateien", " (*.xls)", "*.XLS"}, {}}}, 1, "", false};
inline constexpr DialogSetup kExcelExportDialog{
    {{{"Exceldateien", " (*.xls)", "*.XLS"}, {}}}, 1, "xls", true};

// The name an export dialog opens with: the remembered permanence file with the export's extension (".txt",
// ".xls") in place of its own, so that accepting the proposal never writes over the permanence file. Empty
// when no file is remembered.
std::string ExportPresetName(const std::string& rememberedName, PermanenceFormat format);

// Where the permanence, text and worksheet dialogs start: the folder of the permanence file last opened or
// saved under a name, the program's "Save" folder before that.
inline std::string DialogStartFolder(const std::string& rememberedFolder, const std::string& saveFolder) {
    return rememberedFolder.empty() ? saveFolder : rememberedFolder;
}

// The preset name of "Speichern unter..." before translation, and its extension.
inline constexpr std::string_view kPermanenceFileBaseName = "Permanenzdatei";
inline constexpr std::string_view kPermanenceFileExtension = ".prm";
// The folder beside the executable where the permanence dialogs start.
inline constexpr std::string_view kSaveFolderName = "Save";

}  // namespace zentora::files
