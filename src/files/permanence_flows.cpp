// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/permanence_flows.h"

#include <algorithm>

#include "files/file_access.h"
#include "files/permanence_file.h"
#include "files/text_exchange.h"
#include "files/xls.h"

namespace zentora::files {

namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A read that did not succeed, as the window shows it; the permanence stays as it was.
bool ReadFailed(const ReadOutcome& read, LoadFlowResult& out) {
    if (read.status == IoStatus::Ok) return false;
    if (read.status == IoStatus::InUse) {
        out.status = FlowStatus::InUse;
        out.messages.push_back({std::string(kInUseMessage), MessageTranslation::Text, {}});
    } else {
        out.status = FlowStatus::FileError;
        out.messages.push_back(read.error);
    }
    return true;
}

SaveFlowResult FromWrite(const WriteOutcome& write) {
    SaveFlowResult out;
    if (write.status == IoStatus::InUse) {
        out.status = FlowStatus::InUse;
        out.messages.push_back({std::string(kInUseMessage), MessageTranslation::Text, {}});
    } else if (write.status == IoStatus::Failed) {
        out.status = FlowStatus::FileError;
        out.messages.push_back(write.error);
    }
    return out;
}

void NoNumbers(LoadFlowResult& out) {
    out.status = FlowStatus::NoNumbers;
    out.spins.clear();
    out.messages.push_back({std::string(kNoNumbersMessage), MessageTranslation::Words, {}});
}

}  // namespace

LoadFlowResult OpenPermanenceFile(const std::string& path) {
    LoadFlowResult out;
    ReadOutcome read = ReadPermanenceBytes(path);
    if (ReadFailed(read, out)) return out;
    out.spins = std::move(read.bytes);
    out.fileNameRule = FileNameRule::Set;
    out.fileName = path;
    out.startFolder = FolderOf(path);
    return out;
}

std::optional<LoadFlowResult> OpenFromCommandLine(std::span<const std::string> arguments) {
    if (arguments.empty() || arguments.front().empty()) return std::nullopt;
    return OpenPermanenceFile(arguments.front());
}

SaveFlowResult SavePermanenceFile(std::span<const std::uint8_t> permanence, const std::string& path) {
    SaveFlowResult out = FromWrite(WritePermanenceBytes(permanence, path));
    if (out.status == FlowStatus::Done) {
        out.fileNameRule = FileNameRule::Set;
        out.fileName = path;
        out.startFolder = FolderOf(path);
    }
    return out;
}

std::string SaveUnderPresetName(const std::string& rememberedName, std::string_view defaultFileName) {
    if (!rememberedName.empty()) return rememberedName;
    return std::string(defaultFileName) + std::string(kPermanenceFileExtension);
}

std::string ExportPresetName(const std::string& rememberedName, PermanenceFormat format) {
    if (rememberedName.empty()) return {};
    const std::string_view extension = format == PermanenceFormat::Excel ? ".xls" : ".txt";
    const auto slash = rememberedName.find_last_of('/');
    const auto dot = rememberedName.find_last_of('.');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? rememberedName.substr(0, dot) : rememberedName) + std::string(extension);
}

LoadFlowResult ImportTextFile(const std::string& path) {
    LoadFlowResult out;
    const ReadOutcome read = ReadWholeFile(path, ReadLock::DenyWriters);
    if (ReadFailed(read, out)) return out;
    out.spins = ParseTextPermanence(read.bytes);
    if (out.spins.empty()) {
        NoNumbers(out);
        return out;
    }
    out.fileNameRule = FileNameRule::Clear;
    return out;
}

SaveFlowResult ExportTextFile(std::span<const std::uint8_t> permanence, const std::string& path) {
    const std::string text = FormatTextPermanence(permanence);
    return FromWrite(WriteFileAtomic(path, text));
}

LoadFlowResult ImportExcelFile(const std::string& path) {
    LoadFlowResult out;
    const ReadOutcome read = ReadWholeFile(path, ReadLock::Exclusive);
    if (ReadFailed(read, out)) return out;
    XlsImport sheet = ParseXlsPermanence(read.bytes);
    if (sheet.shortRecord)
        out.messages.push_back({std::string(kShortRecordMessage), MessageTranslation::Text, {}});
    out.spins = std::move(sheet.spins);
    if (out.spins.empty()) {
        NoNumbers(out);
        return out;
    }
    out.fileNameRule = FileNameRule::Clear;
    return out;
}

SaveFlowResult ExportExcelFile(std::span<const std::uint8_t> permanence, const std::string& path) {
    return FromWrite(WriteXlsPermanence(permanence, path));
}

UserMessage UnknownFormatMessage(const std::string& path) {
    return {std::string(kUnknownFormatMessage), MessageTranslation::Text, {{path, false}}};
}

PermanenceFormat FormatOfPath(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const auto dot = path.find_last_of('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash)) {
        return PermanenceFormat::Unknown;
    }
    std::string ext(path.substr(dot + 1));
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    if (ext == "prm") return PermanenceFormat::Prm;
    if (ext == "txt") return PermanenceFormat::Text;
    if (ext == "xls") return PermanenceFormat::Excel;
    return PermanenceFormat::Unknown;
}

LoadFlowResult LoadInFormat(PermanenceFormat format, const std::string& path) {
    switch (format) {
        case PermanenceFormat::Prm:
            return OpenPermanenceFile(path);
        case PermanenceFormat::Text:
            return ImportTextFile(path);
        case PermanenceFormat::Excel:
            return ImportExcelFile(path);
        case PermanenceFormat::Unknown:
            break;
    }
    LoadFlowResult out;
    out.status = FlowStatus::FileError;
    out.messages.push_back(UnknownFormatMessage(path));
    return out;
}

SaveFlowResult SaveInFormat(PermanenceFormat format, std::span<const std::uint8_t> permanence,
                            const std::string& path) {
    switch (format) {
        case PermanenceFormat::Prm:
            return SavePermanenceFile(permanence, path);
        case PermanenceFormat::Text:
            return ExportTextFile(permanence, path);
        case PermanenceFormat::Excel:
            return ExportExcelFile(permanence, path);
        case PermanenceFormat::Unknown:
            break;
    }
    SaveFlowResult out;
    out.status = FlowStatus::FileError;
    out.messages.push_back(UnknownFormatMessage(path));
    return out;
}

}  // namespace zentora::files
