// SPDX-License-Identifier: GPL-3.0-or-later
// The program without a mouse: numbers typed on the table, names for assistive technology, and the options
// window driven by keys alone. Everything is read back through the accessibility interface.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "ui/accessibility/position_names.h"
#include "ui/accessibility/typed_number.h"
#include "ui/main_window.h"
#include "ui/number_list_editor.h"
#include "ui/options/options_window.h"

using namespace zentora;

Q_DECLARE_METATYPE(zentora::TypedNumberKind)

namespace {

const QString kBin = ZENTORA_BIN_DIR;

void Walk(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit) {
    if (!node) return;
    visit(node);
    for (int i = 0; i < node->childCount(); ++i) Walk(node->child(i), visit);
}

QAccessibleInterface* Root(QWidget& window) {
    return QAccessible::queryAccessibleInterface(&window);
}

// Every interface with this role and name below the window.
QList<QAccessibleInterface*> Find(QWidget& window, QAccessible::Role role, const QString& name) {
    QList<QAccessibleInterface*> found;
    Walk(Root(window), [&](QAccessibleInterface* node) {
        if (node->role() == role && node->text(QAccessible::Name) == name) found << node;
    });
    return found;
}

QStringList VisibleChips(QWidget& window) {
    QStringList chips;
    Walk(Root(window), [&](QAccessibleInterface* node) {
        const bool chip = node->object() && node->object()->objectName().startsWith("Images");
        if (chip && node->role() == QAccessible::Graphic && !node->state().invisible)
            chips << node->text(QAccessible::Name);
    });
    chips.sort();
    return chips;
}

std::vector<std::uint8_t> NewestFirst(MainWindow& form) {
    return form.Session().GetPermanence().NewestFirst();
}

void TypeOnTable(MainWindow& form, const QString& keys) {
    for (QChar c : keys) QTest::keyClick(form.Canvas(), c.toLatin1());
}

}  // namespace

class KeyboardAccessTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        QSettings("Zentora", "Zentora").remove("Sprache");
    }

    void TypedNumberRule_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<TypedNumberKind>("kind");
        QTest::addColumn<int>("number");
        const auto row = [](const char* typed, TypedNumberKind kind, int number) {
            QTest::newRow(*typed ? typed : "empty") << QString(typed) << kind << number;
        };
        using enum TypedNumberKind;
        row("", Empty, -1);
        row("0", Number, 0);
        row("7", Number, 7);
        row("07", Number, 7);
        row("00", Number, 0);
        row("36", Number, 36);
        row("37", Impossible, -1);
        row("99", Impossible, -1);
        row("100", Impossible, -1);
        row("017", Impossible, -1);
        row("1a", Impossible, -1);
        row("-1", Impossible, -1);
    }
    void TypedNumberRule() {
        QFETCH(QString, typed);
        QFETCH(TypedNumberKind, kind);
        QFETCH(int, number);
        const TypedNumber result = ReadTypedNumber(typed.toStdString());
        QCOMPARE(result.kind, kind);
        QCOMPARE(result.number, number);
    }

    void PositionNamesFollowTheBet() {
        const std::pair<int, const char*> cases[] = {{0, "Plein 0"},
                                                     {17, "Plein 17"},
                                                     {37, "Transversale simple 1-6"},
                                                     {47, "Transversale simple 31-36"},
                                                     {48, "Carré 0/1/2/3"},
                                                     {57, "Carré 25/26/28/29"},
                                                     {71, "Transversale pleine 0/2/3"},
                                                     {73, "Transversale pleine 1/2/3"},
                                                     {85, "Cheval 0/1"},
                                                     {103, "Cheval 17/20"},
                                                     {144, "Cheval 35/36"},
                                                     {145, "19-36"},
                                                     {150, "Rot"},
                                                     {151, "1. Dutzend"},
                                                     {156, "3. Kolonne"}};
        for (const auto& [position, expected] : cases) {
            const PositionName name = NameOfPosition(position);
            const std::string text = name.numbers.empty() ? name.kind : name.kind + " " + name.numbers;
            QCOMPARE(QString::fromStdString(text), QString::fromUtf8(expected));
        }
        QVERIFY(NameOfPosition(-1).kind.empty());
        QVERIFY(NameOfPosition(157).kind.empty());
    }

    void EveryNumberFieldIsAButtonNamedByItsNumber() {
        MainWindow form(kBin, kDesignScreen);
        form.show();
        for (int n = 0; n <= 36; ++n) {
            const auto found = Find(form, QAccessible::Button, QString::number(n));
            QCOMPARE(found.size(), 1);
            QCOMPARE(found[0]->object()->objectName(),
                     n == 0 ? QString("ZeroButton") : QString("Image%1").arg(n));
        }
        // Pressing the field through the interface is a click on it.
        auto* field = Find(form, QAccessible::Button, "5").first();
        field->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{5}));
        // The random-spin button is a button with its caption as its name.
        const auto generate = Find(form, QAccessible::Button, "Generieren");
        QCOMPARE(generate.size(), 1);
        QCOMPARE(generate[0]->object()->objectName(), QString("Image37"));
    }

    void TypingSeventeenAndEnterIsAClickOnSeventeen() {
        MainWindow form(kBin, kDesignScreen);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.Canvas()->hasFocus());  // the table takes the keys from the start
        auto* typed = form.findChild<QLabel*>("TypedNumber");
        TypeOnTable(form, "17");
        QCOMPARE(typed->text(), QString("17_"));
        QCOMPARE(QAccessible::queryAccessibleInterface(typed)->text(QAccessible::Name), QString("17"));
        QVERIFY(NewestFirst(form).empty());
        QTest::keyClick(form.Canvas(), Qt::Key_Return);
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{17}));
        QCOMPARE(typed->text(), QString("_"));
        // The field looks pressed for a moment, as under the mouse.
        auto* field = form.findChild<QLabel*>("Image17");
        QVERIFY(!field->pixmap().isNull() || !QFile::exists(kBin + "/Buttonunten/17.bmp"));
        QTRY_VERIFY(field->pixmap().isNull());

        QAccessibleInterface* count =
            QAccessible::queryAccessibleInterface(form.findChild<QLabel*>("Label37"));
        QCOMPARE(count->text(QAccessible::Name), QString("1"));
        QCOMPARE(count->text(QAccessible::Description), QString("Label37"));
        // The same road as the click: the recent-numbers grid has it, its cells are in the tree.
        QCOMPARE(Find(form, QAccessible::Cell, "17").size(), 1);

        // Keypad digits and a leading zero; Backspace corrects.
        QTest::keyClick(form.Canvas(), Qt::Key_0, Qt::KeypadModifier);
        QTest::keyClick(form.Canvas(), Qt::Key_8, Qt::KeypadModifier);
        QTest::keyClick(form.Canvas(), Qt::Key_Backspace);
        QTest::keyClick(form.Canvas(), Qt::Key_9);
        QTest::keyClick(form.Canvas(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(NewestFirst(form), (std::vector<std::uint8_t>{9, 17}));
    }

    void ImpossibleOrDiscardedNumbersAreNotEntered() {
        MainWindow form(kBin, kDesignScreen);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* typed = form.findChild<QLabel*>("TypedNumber");
        TypeOnTable(form, "37");
        QVERIFY2(typed->text().contains("37") && typed->text().contains("0 bis 36"),
                 qPrintable(typed->text()));
        QTest::keyClick(form.Canvas(), Qt::Key_Return);
        TypeOnTable(form, "4");
        QTest::keyClick(form.Canvas(), Qt::Key_Escape);
        QCOMPARE(typed->text(), QString("_"));
        QTest::keyClick(form.Canvas(), Qt::Key_Return);
        TypeOnTable(form, "360");  // the third digit makes it impossible
        QTest::keyClick(form.Canvas(), Qt::Key_Return);
        QVERIFY(NewestFirst(form).empty());
        QCOMPARE(QAccessible::queryAccessibleInterface(form.findChild<QLabel*>("Label37"))
                     ->text(QAccessible::Name),
                 QString("0"));
        // Typing into Edit1 is the random-spin count, not a number for the table.
        auto* edit1 = form.findChild<QLineEdit*>("Edit1");
        edit1->setFocus();
        QTest::keyClicks(edit1, "17");
        QCOMPARE(edit1->text(), QString("17"));
        QVERIFY(NewestFirst(form).empty());
    }

    void ChipsAreInTheTreeWithPositionAndStake() {
        MainWindow form(kBin, kDesignScreen);
        form.show();
        auto& state = form.Session().State();
        state.positionStake[103] = 5;
        state.positionStake[17] = 12;
        state.positionStake[150] = 7;
        state.positionStake[20] = -4;  // shows no chip
        form.ShowPipelineResult();
        QCOMPARE(VisibleChips(form), (QStringList{"Cheval 17/20: 5", "Plein 17: 12", "Rot: 7"}));
        // The names follow the stakes of the next spin without anything else to call.
        state.positionStake[103] = 10;
        state.positionStake[17] = 0;
        form.ShowPipelineResult();
        QCOMPARE(VisibleChips(form), (QStringList{"Cheval 17/20: 10", "Rot: 7"}));
        QCOMPARE(QAccessible::queryAccessibleInterface(form.findChild<QWidget*>("Images103"))
                     ->text(QAccessible::Description),
                 QString("Images103"));

        // And they speak the chosen language.
        form.findChild<QAction*>("Sprache3")->trigger();
        const QStringList english = VisibleChips(form);
        QVERIFY2(english.contains("Split 17/20: 10"), qPrintable(english.join('|')));
        QCOMPARE(Find(form, QAccessible::Button, "Generate").size(), 1);
        form.findChild<QAction*>("Sprache0")->trigger();
        QVERIFY(VisibleChips(form).contains("Cheval 17/20: 10"));
    }

    void ValueLabelsSignalListAndGridAreReadable() {
        MainWindow form(kBin, kDesignScreen);
        form.show();
        for (const char* name : {"Label0", "Label36", "Label38", "Label46", "JvLabel1"}) {
            QAccessibleInterface* label =
                QAccessible::queryAccessibleInterface(form.findChild<QLabel*>(name));
            QCOMPARE(label->text(QAccessible::Description), QString(name));
            QCOMPARE(label->text(QAccessible::Name), form.findChild<QLabel*>(name)->text());
        }
        for (int n : {3, 17, 3}) form.EnterSpin(n);
        QCOMPARE(Find(form, QAccessible::Cell, "3").size(), 2);
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(form.findChild<QWidget*>("ListBox1"));
        QCOMPARE(list->text(QAccessible::Name), QString("Setzsignale"));
        auto* signals = form.findChild<QListWidget*>("ListBox1");
        signals->addItem("Chance 2/37");
        QCOMPARE(Find(form, QAccessible::ListItem, "Chance 2/37").size(), 1);
    }

    void TabOrderOfTheMainWindow() {
        MainWindow form(kBin, kDesignScreen);
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QStringList order;
        for (int i = 0; i < 4; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, (QStringList{"Form1Client", "Edit1", "Image37", "Form1Client"}));
        // Space on the focused random-spin button generates.
        form.findChild<QWidget*>("Image37")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(form.Session().GetPermanence().size(), std::size_t(1));
    }

    void OptionsWindowByKeysAlone() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("Einstellungen"));
        QVERIFY(QFile::copy(kBin + "/Einstellungen/data.ini", root.filePath("Einstellungen/data.ini")));
        MainWindow form(root.path(), kDesignScreen);
        OptionsWindow options(root.path(), form.Session().State().settings, &form);
        options.showMessage = [](const QString& text) { QFAIL(qPrintable(text)); };
        form.showOptionsWindow = [&options] { options.exec(); };
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const int before = form.Session().State().settings.maximum1;
        const int wanted = before == 7 ? 8 : 7;

        QStringList steps;
        const auto press = [](int key, Qt::KeyboardModifiers modifiers = {}) {
            QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
        };
        const auto tabTo = [&](const QString& name) {
            for (int i = 0; i < 400 && QApplication::focusWidget()->objectName() != name; ++i)
                press(Qt::Key_Tab);
            return QApplication::focusWidget()->objectName() == name;
        };
        bool driven = false;
        QTimer driver;
        driver.setInterval(20);
        QObject::connect(&driver, &QTimer::timeout, [&] {
            QWidget* focus = QApplication::focusWidget();
            if (driven || QApplication::activeWindow() != &options || !focus || !options.isAncestorOf(focus))
                return;
            driven = true;
            driver.stop();
            // To the table settings, into "Eine Zahl", a new value, and "Übernehmen".
            press(Qt::Key_Tab, Qt::ControlModifier);
            press(Qt::Key_Tab, Qt::ControlModifier);
            steps << options.Tabs()->currentWidget()->objectName();
            if (tabTo("Maximum1")) {
                steps << "Maximum1";
                for (QChar c : QString::number(wanted))
                    QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
                if (tabTo("Button1")) {
                    steps << "Button1";
                    press(Qt::Key_Space);
                }
            }
            press(Qt::Key_Escape);
            if (options.isVisible()) {
                steps << "still open";
                options.reject();  // so that a failure ends the test instead of hanging it
            }
        });
        driver.start();
        // Alt+O opens "Optionen", P its "Parameter".
        QTest::keyClick(&form, Qt::Key_O, Qt::AltModifier);
        QTRY_VERIFY(QApplication::activePopupWidget());
        QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_P);
        // exec() has returned: the window is closed.
        QVERIFY(driven);
        QCOMPARE(steps.join('|'), QString("TabSheet3|Maximum1|Button1"));
        QVERIFY(!options.isVisible());
        QCOMPARE(form.Session().State().settings.maximum1, wanted);
        // "Übernehmen" also stored it.
        QFile saved(root.filePath("Einstellungen/data.ini"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(QString::fromLatin1(saved.readAll()).contains(QString("[Maximum1]\r\nMaxi=%1").arg(wanted)));
    }

    void OptionsControlsAllHaveNames() {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath("Einstellungen"));
        AppliedSettings applied;
        OptionsWindow options(root.path(), applied);
        options.show();
        QStringList unnamed;
        QSet<QString> names;
        QStringList duplicates;
        Walk(Root(options), [&](QAccessibleInterface* node) {
            const auto role = node->role();
            if (role != QAccessible::PushButton && role != QAccessible::CheckBox &&
                role != QAccessible::SpinBox && role != QAccessible::ComboBox &&
                role != QAccessible::RadioButton)
                return;
            const QString name = node->text(QAccessible::Name);
            const QString control = node->object() ? node->object()->objectName() : QString();
            if (name.isEmpty()) unnamed << control;
            if (role == QAccessible::SpinBox && names.contains(name)) duplicates << name;
            names.insert(name);
        });
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(' ')));
        QVERIFY2(duplicates.isEmpty(), qPrintable(duplicates.join('|')));
        // A field of a group row says its box, its row and its column; its description is its control name.
        auto* abRunde = QAccessible::queryAccessibleInterface(options.findChild<QWidget*>("AbRunde137"));
        QCOMPARE(abRunde->text(QAccessible::Name),
                 QString("Standard Chancen, Chance 1/37, Prozenteinstellung, Ab Runde"));
        QCOMPARE(abRunde->text(QAccessible::Description), QString("AbRunde137"));
        const OptionsModel& model = options.Model();
        const QString soOft = QString::fromStdString(model.Field(model.Fields(GroupId::P437).soOft).name);
        QCOMPARE(QAccessible::queryAccessibleInterface(options.findChild<QWidget*>(soOft))
                     ->text(QAccessible::Name),
                 QString("Pleins, Chance 4/37 (Finales en plein 0 bis 6), So oft angespielt"));
        // "Eighteen numbers" stands under the minima and the maxima: the box tells them apart.
        const auto nameOf = [&](const char* control) {
            return QAccessible::queryAccessibleInterface(options.findChild<QWidget*>(control))
                ->text(QAccessible::Name);
        };
        QVERIFY(!nameOf("Maximum18").isEmpty());
        QVERIFY(nameOf("Maximum18") != nameOf("Minimum2"));
    }

    void NumberListEditorByKeys() {
        Permanence permanence;
        for (int n : {1, 2, 3}) permanence.PushNewest(static_cast<std::uint8_t>(n));
        NumberListEditor editor(permanence, kBin);
        bool closed = false;
        editor.onRepaint = [&closed] { closed = true; };
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        // Its image buttons are buttons named by their captions, reachable by Tab in the order they stand.
        QCOMPARE(Find(editor, QAccessible::Button, "Beenden").size(), 1);
        QCOMPARE(Find(editor, QAccessible::Button, "Zahl entfernen").size(), 1);
        QStringList buttons;
        editor.Grid(0)->setFocus();
        for (int i = 0; i < 12; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QString name = QApplication::focusWidget()->objectName();
            if (name.startsWith("JvImage") && !buttons.contains(name)) buttons << name;
        }
        QVERIFY2(buttons.size() >= 2 && buttons.last() == "JvImage8", qPrintable(buttons.join(' ')));
        for (qsizetype i = 1; i < buttons.size(); ++i)
            QVERIFY(editor.findChild<QWidget*>(buttons[i - 1])->x() <
                    editor.findChild<QWidget*>(buttons[i])->x());
        // Enter on "Beenden" closes the editor.
        editor.findChild<QWidget*>("JvImage8")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(closed);
        QVERIFY(!editor.isVisible());
    }
};

QTEST_MAIN(KeyboardAccessTest)
#include "keyboard_access_test.moc"
