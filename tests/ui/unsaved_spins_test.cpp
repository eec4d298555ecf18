// SPDX-License-Identifier: GPL-3.0-or-later
// Unsaved spins are never lost: the question before they would go, and the recovery file when the program
// ends without a chance to ask.
#include <QAction>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include "file_test_support.h"
#include "files/recovery_file.h"
#include "ui/main_window.h"
#include "ui/table_geometry.h"

using namespace zentora;
using testing::ReadAll;
using testing::WriteAll;

namespace {

const QString kBin = ZENTORA_BIN_DIR;
const QByteArray kGame("\x00\x11\x05", 3);

std::optional<files::RecoveredPlay> Recovered(const QString& path) {
    const QByteArray text = ReadAll(path);
    return files::ParseRecoveryText(std::span(reinterpret_cast<const std::uint8_t*>(text.constData()),
                                              static_cast<std::size_t>(text.size())));
}

// The program and its data folders copied into `root`, so that it keeps its recovery file there.
bool CopyProgram(const QString& root) {
    for (const char* folder : {"Einstellungen", "Bilder", "Buttonunten", "Font", "Save"}) {
        const QString from = QDir(kBin).filePath(folder);
        QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString source = it.next();
            const QString target =
                QDir(root).filePath(QString(folder) + '/' + QDir(from).relativeFilePath(source));
            if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target)) return false;
        }
    }
    return QFile::copy(QDir(kBin).filePath("zentora"), QDir(root).filePath("zentora"));
}

// Runs the program until it printed `until`; returns everything it printed by then. The program keeps
// running.
QString RunUntil(QProcess& program, const QString& root, const QString& spins, const QString& answers,
                 const QString& until) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_CONFIG_HOME", QDir(root).filePath("config"));
    env.insert("ZENTORA_TEST_SPINS", spins);
    env.insert("ZENTORA_TEST_ANSWERS", answers);
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QDir(root).filePath("zentora"), {});
    QString output;
    QDeadlineTimer deadline(60000);
    while (!output.contains(until) && !deadline.hasExpired() && program.state() != QProcess::NotRunning) {
        program.waitForReadyRead(500);
        output += QString::fromUtf8(program.readAllStandardOutput());
    }
    return output;
}

void Kill(QProcess& program) {
    program.kill();  // SIGKILL: no close event, no chance to ask
    program.waitForFinished(10000);
}

}  // namespace

class UnsavedSpinsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QApplication::setQuitOnLastWindowClosed(false);  // the windows closed here are not the program's end
    }

    // Closing the window, "Neu" and opening another permanence ask first when spins are unsaved: "Ja"
    // saves as "Speichern" would, "Nein" gives them up, "Abbrechen" keeps everything as it was.
    void AskedBeforeTheSpinsWouldGo_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("gone");   // the window closed, or the permanence replaced
        QTest::addColumn<bool>("saved");  // the game file holds the entered spin
        const int yes = QMessageBox::Yes, no = QMessageBox::No, cancel = QMessageBox::Cancel;
        for (const char* action : {"close", "Neu", "open"}) {
            QTest::addRow("%s, Ja", action) << action << yes << true << true;
            QTest::addRow("%s, Nein", action) << action << no << true << false;
            QTest::addRow("%s, Abbrechen", action) << action << cancel << false << false;
        }
    }
    void AskedBeforeTheSpinsWouldGo() {
        QFETCH(QString, action);
        QFETCH(int, answer);
        QFETCH(bool, gone);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString game = dir.filePath("spiel.prm"), other = dir.filePath("anderes.prm");
        const QString recovery = dir.filePath("Wiederherstellung.txt");
        WriteAll(game, kGame);
        WriteAll(other, QByteArray("\x09", 1));
        MainWindow form(kBin, kDesignScreen);
        QVERIFY(!form.KeepRecoveryFile(recovery));  // nothing left from before
        QStringList questions;
        form.questionHook = [&](const QString& question) {
            questions << question;
            return QMessageBox::StandardButton(answer);
        };
        form.show();
        form.OpenPermanence(game);
        const auto act = [&] {
            if (action == "close") return !form.close();
            if (action == "Neu") form.findChild<QAction*>("Neu2")->trigger();
            if (action == "open") form.OpenPermanence(other);
            return false;
        };
        QVERIFY(!act());  // nothing unsaved: no question
        QVERIFY(questions.isEmpty());
        if (action == "close") form.show();
        form.OpenPermanence(game);

        form.EnterSpin(36);
        QVERIFY(form.Unsaved());
        QVERIFY(QFile::exists(recovery));
        const bool kept = act();
        QCOMPARE(
            questions,
            QStringList{"Die eingegebenen Zahlen sind nicht gespeichert. Sollen sie gespeichert werden?"});
        QCOMPARE(ReadAll(game), saved ? QByteArray("\x24\x00\x11\x05", 4) : kGame);
        if (action == "close") QCOMPARE(kept, !gone);
        const std::vector<std::uint8_t> now = form.Session().GetPermanence().NewestFirst();
        if (action != "close") QCOMPARE(now == (std::vector<std::uint8_t>{36, 0, 17, 5}), !gone);
        QCOMPARE(form.Unsaved(), !gone);
        QCOMPARE(QFile::exists(recovery), !gone);  // given up or saved: the recovery file goes with them
    }

    // "Ja" with no file to save to asks for a name; cancelling that keeps the window open.
    void CancelledSaveKeepsTheWindowOpen() {
        MainWindow form(kBin, kDesignScreen);
        form.questionHook = [](const QString&) { return QMessageBox::Yes; };
        form.fileDialogHook = [](QFileDialog&) { return false; };
        form.show();
        form.EnterSpin(7);
        QVERIFY(!form.close());
        QVERIFY(form.isVisible());
        QVERIFY(form.Unsaved());
    }

    // The real program, killed after a few spins, offers them at its next start; restored, they are unsaved
    // again and the recovery file goes on from them.
    void KilledProgramOffersItsSpinsAtTheNextStart() {
        QTemporaryDir root;
        QVERIFY(CopyProgram(root.path()));
        const QString recovery = QDir(root.path()).filePath("Einstellungen/Wiederherstellung.txt");

        QProcess first;
        const QString entered = RunUntil(first, root.path(), "5 17 0", "", "Eingegeben: 3");
        QVERIFY2(entered.contains("Eingegeben: 3"), qPrintable(entered));
        Kill(first);
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
        QVERIFY(!entered.contains("Frage:"));  // nothing was left to offer at the first start

        QProcess second;
        const QString output = RunUntil(second, root.path(), "36", "Ja", "Eingegeben: 1");
        Kill(second);
        QVERIFY2(
            output.contains("Frage: Zentora wurde beendet, ohne die eingegebenen Zahlen zu speichern. Sollen "
                            "die 3 Zahlen wiederhergestellt werden?\nAntwort: Ja\nEingegeben: 1"),
            qPrintable(output));
        const auto left = Recovered(recovery);
        QVERIFY(left);
        QCOMPARE(left->oldestFirst, (std::vector<std::uint8_t>{5, 17, 0, 36}));

        // "Nein" gives them up: the next start finds nothing.
        QProcess third;
        QVERIFY(RunUntil(third, root.path(), "1", "Nein", "Eingegeben: 1").contains("Antwort: Nein"));
        Kill(third);
        QCOMPARE(Recovered(recovery)->oldestFirst, (std::vector<std::uint8_t>{1}));
    }
};

QTEST_MAIN(UnsavedSpinsTest)
#include "unsaved_spins_test.moc"
