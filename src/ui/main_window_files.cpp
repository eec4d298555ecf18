// SPDX-License-Identifier: GPL-3.0-or-later
// The "Datei" menu: the dialogs and messages; reading, writing and the file name rules are the core's.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "files/permanence_flows.h"
#include "lang/looked_up_texts.h"
#include "ui/io/file_dialog_filters.h"
#include "ui/main_window.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

namespace {

QString FromStd(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

bool MainWindow::RunFileDialog(QFileDialog& dialog, bool save) {
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto& wording = save ? lang::kSaveDialogTexts : lang::kOpenDialogTexts;
    const std::vector<std::string> texts(wording.begin(), wording.end());
    std::vector<std::string> shown = texts;
    try {
        shown = language_.TranslateList(texts);
    } catch (const LanguageFileError&) {
    }
    dialog.setWindowTitle(save ? save_title_ : open_title_);
    dialog.setLabelText(QFileDialog::Accept, QString::fromStdString(shown[0]));
    dialog.setLabelText(QFileDialog::Reject, QString::fromStdString(shown[1]));
    dialog.setLabelText(QFileDialog::FileType, QString::fromStdString(shown[2]));
    dialog.setLabelText(QFileDialog::FileName, QString::fromStdString(shown[3]));
    dialog.setLabelText(QFileDialog::LookIn, QString::fromStdString(shown[4]));
    if (fileDialogHook) return fileDialogHook(dialog);
    return dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
}

namespace {

void SetUp(QFileDialog& dialog, const files::DialogSetup& setup,
           const std::function<QString(const QString&)>& tr) {
    SetNameFilters(dialog, std::span(setup.filters.data(), static_cast<std::size_t>(setup.filterCount)), tr);
    dialog.setDefaultSuffix(FromStd(setup.defaultExtension));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !setup.confirmOverwrite);
}

}  // namespace

QString MainWindow::AskFile(const files::DialogSetup& setup, bool save, const QString& preset) {
    QFileDialog dialog(this);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    SetUp(dialog, setup, [this](const QString& text) { return Tr(text.toUtf8().constData()); });
    const QString saveFolder = QDir(folders_.User()).filePath(FromStd(files::kSaveFolderName));
    dialog.setDirectory(QString::fromStdString(
        files::DialogStartFolder(save_start_folder_.toStdString(), saveFolder.toStdString())));
    if (!preset.isEmpty()) dialog.selectFile(preset);
    if (!RunFileDialog(dialog, save)) return {};
    return dialog.selectedFiles().value(0);
}

QString MainWindow::Translate(const UserMessage& message) const {
    return TextsHub::Translate(&language_, message);
}

void MainWindow::ShowFileMessages(const std::vector<UserMessage>& messages) {
    for (const auto& message : messages) ShowMessage(Translate(message));
}

void MainWindow::ApplyLoad(const files::LoadFlowResult& result) {
    ShowFileMessages(result.messages);
    if (!result.ReplacesPermanence()) return;  // a failed read keeps everything as it was
    if (!AskToSaveUnsaved()) return;
    ResetPlay();
    session_.ReplacePermanence(result.spins);
    ApplyFileNameRule(static_cast<int>(result.fileNameRule), result.fileName, result.startFolder);
    ShowPipelineResult();
    RefreshRecentGrid();
    RefreshDisplay();
}

void MainWindow::ApplySave(const files::SaveFlowResult& result) {
    ShowFileMessages(result.messages);
    if (result.status != files::FlowStatus::Done) return;
    ApplyFileNameRule(static_cast<int>(result.fileNameRule), result.fileName, result.startFolder);
    // A permanence file now holds the spins; an export is no such file.
    if (result.fileNameRule == files::FileNameRule::Set) unsaved_.Saved();
}

void MainWindow::ApplyFileNameRule(int rule, const std::string& fileName, const std::string& startFolder) {
    switch (static_cast<files::FileNameRule>(rule)) {
        case files::FileNameRule::Keep:
            break;
        case files::FileNameRule::Set:
            save_file_name_ = QString::fromStdString(fileName);
            if (!startFolder.empty()) save_start_folder_ = QString::fromStdString(startFolder);
            break;
        case files::FileNameRule::Clear:
            save_file_name_.clear();
            break;
    }
}

void MainWindow::OpenPermanenceFile() {
    const QString path = AskFile(files::kOpenDialog, false, {});
    if (!path.isEmpty()) OpenPermanence(path);
}

void MainWindow::OpenPermanence(const QString& path) {
    ApplyLoad(files::OpenPermanenceFile(path.toStdString()));
}

void MainWindow::OpenFromCommandLine(const QStringList& arguments) {
    std::vector<std::string> args;
    for (const QString& a : arguments) args.push_back(a.toStdString());
    if (const auto result = files::OpenFromCommandLine(args)) ApplyLoad(*result);
}

void MainWindow::SavePermanence() {
    if (files::SaveNeedsDialog(save_file_name_.toStdString())) {
        SavePermanenceAs();
        return;
    }
    ApplySave(
        files::SavePermanenceFile(session_.GetPermanence().NewestFirst(), save_file_name_.toStdString()));
}

void MainWindow::SavePermanenceAs() {
    const std::string preset =
        files::SaveUnderPresetName(save_file_name_.toStdString(), Tr("Permanenzdatei").toStdString());
    const QString path = AskFile(files::kSaveUnderDialog, true, QString::fromStdString(preset));
    if (path.isEmpty()) return;
    ApplySave(files::SavePermanenceFile(session_.GetPermanence().NewestFirst(), path.toStdString()));
}

void MainWindow::ImportText() {
    const QString path = AskFile(files::kTextImportDialog, false, {});
    if (!path.isEmpty()) ApplyLoad(files::ImportTextFile(path.toStdString()));
}

QString MainWindow::ExportPreset(files::PermanenceFormat format) const {
    return QString::fromStdString(files::ExportPresetName(save_file_name_.toStdString(), format));
}

void MainWindow::ExportText() {
    const QString path = AskFile(files::kTextExportDialog, true, ExportPreset(files::PermanenceFormat::Text));
    if (!path.isEmpty())
        ApplySave(files::ExportTextFile(session_.GetPermanence().NewestFirst(), path.toStdString()));
}

void MainWindow::ImportWorksheet() {
    const QString path = AskFile(files::kExcelImportDialog, false, {});
    if (!path.isEmpty()) ApplyLoad(files::ImportExcelFile(path.toStdString()));
}

void MainWindow::ExportWorksheet() {
    const QString path =
        AskFile(files::kExcelExportDialog, true, ExportPreset(files::PermanenceFormat::Excel));
    if (!path.isEmpty())
        ApplySave(files::ExportExcelFile(session_.GetPermanence().NewestFirst(), path.toStdString()));
}

}  // namespace zentora
