// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved spins: the question before they would go, and the recovery file for the ends that leave no time
// to ask. What counts as unsaved and how the file is kept is the core's (files/recovery_file.h).
#include <QAbstractButton>
#include <QFileInfo>

#include "files/permanence_flows.h"
#include "lang/looked_up_texts.h"
#include "ui/main_window.h"

namespace zentora {

// (The texts of lang/looked_up_texts.h are string literals: their data() ends in a null character, as Tr
// needs.)

QMessageBox::StandardButton MainWindow::Ask(const QString& question, bool withCancel) {
    if (questionHook) return questionHook(question);
    QMessageBox box(
        QMessageBox::Question, QStringLiteral("Zentora"), question,
        QMessageBox::Yes | QMessageBox::No | (withCancel ? QMessageBox::Cancel : QMessageBox::NoButton),
        this);
    box.button(QMessageBox::Yes)->setText(Tr("Ja"));
    box.button(QMessageBox::No)->setText(Tr("Nein"));
    if (withCancel) box.button(QMessageBox::Cancel)->setText(Tr("Abbrechen"));
    box.setDefaultButton(QMessageBox::Yes);
    // Closing the box never gives spins up: it cancels, or (without "Abbrechen") keeps them.
    box.setEscapeButton(withCancel ? QMessageBox::Cancel : QMessageBox::Yes);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

bool MainWindow::AskToSaveUnsaved() {
    if (!unsaved_.Unsaved()) return true;
    switch (Ask(Tr(lang::kSaveUnsavedQuestion.data()), true)) {
        case QMessageBox::Yes:
            SavePermanence();
            return !unsaved_.Unsaved();  // a cancelled or failed save keeps them
        case QMessageBox::No:
            return true;
        default:
            return false;
    }
}

void MainWindow::NoteSpinsAdded(std::size_t count) {
    unsaved_.Added(session_.GetPermanence().OldestFirst(), count, save_file_name_.toStdString());
    ShowRecoveryError();
}

void MainWindow::PermanenceEdited() {
    unsaved_.Changed(session_.GetPermanence().OldestFirst(), save_file_name_.toStdString());
    ShowRecoveryError();
}

void MainWindow::ShowRecoveryError() {
    if (const auto error = unsaved_.TakeWriteError())
        ShowMessage(Tr(lang::kRecoveryWriteError.data()) + '\n' + Translate(*error));
}

bool MainWindow::KeepRecoveryFile(const QString& path) {
    if (!unsaved_.KeepRecoveryFile(path.toStdString())) {
        ShowRecoveryError();
        return false;
    }
    return unsaved_.LeftOver().has_value();
}

void MainWindow::OfferRecovery() {
    const auto left = unsaved_.LeftOver();
    if (!left) return;
    if (Ask(Tr(lang::kRestoreUnsavedQuestion.data()).arg(left->oldestFirst.size()), false) ==
        QMessageBox::No) {
        unsaved_.Saved();
        return;
    }
    // No New first: it would give the file up before the restored spins are in it again.
    session_.ReplacePermanence({left->oldestFirst.rbegin(), left->oldestFirst.rend()});
    if (!left->fileName.empty()) {
        save_file_name_ = QString::fromStdString(left->fileName);
        save_start_folder_ = QFileInfo(save_file_name_).absolutePath();
    }
    unsaved_.Changed(session_.GetPermanence().OldestFirst(), left->fileName);
    ShowRecoveryError();
    ShowPipelineResult();
    RefreshRecentGrid();
    RefreshDisplay();
}

}  // namespace zentora
