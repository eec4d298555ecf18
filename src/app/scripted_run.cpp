// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/scripted_run.h"

#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "ui/main_window.h"
#include "ui/risk/risk_window.h"

namespace zentora {

namespace {

QStringList Words(const char* variable) {
    return qEnvironmentVariable(variable).split(' ', Qt::SkipEmptyParts);
}

void Print(const QString& line) {
    std::fputs(qPrintable(line + '\n'), stdout);
    std::fflush(stdout);
}

}  // namespace

void FollowTestScript(MainWindow& form) {
    if (qEnvironmentVariableIsSet("ZENTORA_TEST_ANSWERS")) {
        auto answers = std::make_shared<QStringList>(Words("ZENTORA_TEST_ANSWERS"));
        form.questionHook = [answers](const QString& question) {
            const QString answer = answers->isEmpty() ? QStringLiteral("Abbrechen") : answers->takeFirst();
            Print("Frage: " + question);
            Print("Antwort: " + answer);
            if (answer == QLatin1String("Ja")) return QMessageBox::Yes;
            if (answer == QLatin1String("Nein")) return QMessageBox::No;
            return QMessageBox::Cancel;
        };
    }
    const QStringList risk = Words("ZENTORA_TEST_RISK");
    if (risk.size() == 4)
        QTimer::singleShot(500, &form, [&form, risk] {
            if (form.showRiskAnalysis) form.showRiskAnalysis();
            auto* window = form.findChild<RiskWindow*>();
            if (!window) return;
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                window->setGeometry(screen->geometry());
            const char* fields[] = {"RiskRuns", "RiskSpins", "RiskSeed", "RiskBankroll"};
            for (int i = 0; i < 4; ++i)
                if (auto* box = window->findChild<QSpinBox*>(fields[i])) box->setValue(risk[i].toInt());
            window->StartAnalysis();
        });
    const QStringList spins = Words("ZENTORA_TEST_SPINS");
    const bool quit = qEnvironmentVariableIsSet("ZENTORA_TEST_QUIT");
    if (spins.isEmpty() && !quit) return;
    QTimer::singleShot(0, &form, [&form, spins, quit] {
        int entered = 0;
        for (const QString& spin : spins) {
            bool ok = false;
            const int number = spin.toInt(&ok);
            if (!ok || number < 0 || number > 36) continue;
            form.EnterSpin(number);
            ++entered;
        }
        if (!spins.isEmpty()) Print(QStringLiteral("Eingegeben: %1").arg(entered));
        if (quit) form.close();
    });
}

}  // namespace zentora
