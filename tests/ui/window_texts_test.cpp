// SPDX-License-Identifier: GPL-3.0-or-later
// The captions of every window in the four languages: what switching shows, what it restores, and that the
// shipped table holds every text the windows look up.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QCryptographicHash>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTabWidget>
#include <QtTest>
#include <set>

#include "app/window_wiring.h"
#include "ui/main_window.h"
#include "ui/number_list_editor.h"
#include "ui/options/options_window.h"
#include "ui/texts/letter_pictures.h"
#include "ui/texts/texts_hub.h"

using namespace zentora;

namespace {

const QString kBin = ZENTORA_BIN_DIR;

QString PictureHash(const QPixmap& picture) {
    if (picture.isNull()) return {};
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    return QString::fromLatin1(
        QCryptographicHash::hash(QByteArrayView(image.constBits(), image.sizeInBytes()),
                                 QCryptographicHash::Md5)
            .toHex());
}

// Every text a window shows, by object path: captions, hints, titles, items, tab texts and the drawn
// pictures.
QMap<QString, QString> Snapshot(QWidget* window) {
    QMap<QString, QString> shown;
    int unnamed = 0;
    const auto put = [&](QObject* o, const char* what, const QString& value) {
        const QString name = o->objectName().isEmpty() ? QStringLiteral("#%1").arg(unnamed) : o->objectName();
        shown.insert(name + "/" + what + "/" + o->metaObject()->className() + QString::number(unnamed),
                     value);
    };
    shown.insert("title", window->windowTitle());
    for (QObject* o : window->findChildren<QObject*>()) {
        ++unnamed;
        if (auto* w = qobject_cast<QWidget*>(o)) put(o, "hint", w->toolTip());
        if (auto* a = qobject_cast<QAction*>(o)) put(o, "text", a->text());
        if (auto* m = qobject_cast<QMenu*>(o)) put(o, "title", m->title());
        if (auto* l = qobject_cast<QLabel*>(o)) {
            put(o, "text", l->text());
            put(o, "picture", PictureHash(l->pixmap()));
            put(o, "geometry", QStringLiteral("%1,%2,%3").arg(l->x()).arg(l->y()).arg(l->width()));
        }
        if (auto* b = qobject_cast<QAbstractButton*>(o)) put(o, "text", b->text());
        if (auto* g = qobject_cast<QGroupBox*>(o)) put(o, "title", g->title());
        if (auto* c = qobject_cast<QComboBox*>(o))
            for (int i = 0; i < c->count(); ++i) put(o, "item", c->itemText(i));
        if (auto* t = qobject_cast<QTabWidget*>(o))
            for (int i = 0; i < t->count(); ++i) put(o, "tab", t->tabText(i));
    }
    return shown;
}

QString Text(QWidget* window, const char* name) {
    QObject* o = window->findChild<QObject*>(name);
    if (auto* a = qobject_cast<QAction*>(o)) return a->text();
    if (auto* m = qobject_cast<QMenu*>(o)) return m->title();
    if (auto* l = qobject_cast<QLabel*>(o))
        return l->property("caption").isValid() ? l->property("caption").toString() : l->text();
    if (auto* b = qobject_cast<QAbstractButton*>(o)) return b->text();
    if (auto* g = qobject_cast<QGroupBox*>(o)) return g->title();
    return QStringLiteral("<%1 not found>").arg(name);
}

// The three windows that exist now, wired as the program wires them.
struct Windows {
    MainWindow form1{kBin, kDesignScreen};
    AppliedSettings applied;
    OptionsWindow form2{kBin, applied, &form1};
    Permanence permanence;
    NumberListEditor editor{permanence, kBin, &form1};
    Windows() { ConnectNumberListEditor(form1, editor); }
    void Language(int index) {
        form1.ChooseLanguage(form1.findChild<QAction*>(QStringLiteral("Sprache%1").arg(index)));
    }
    QList<QMap<QString, QString>> Snapshots() {
        return {Snapshot(&form1), Snapshot(&form2), Snapshot(&editor)};
    }
};

}  // namespace

class WindowTextsTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void GermanAfterStartAndBackFromEnglish() {
        Windows w;
        QCOMPARE(Text(&w.form1, "Inhalt1"), QString("&Zentora-Hilfe"));
        QCOMPARE(Text(&w.form1, "Gerade"), QString("gerade"));
        QCOMPARE(w.form2.Tabs()->tabText(2), QString("Tischeinstellungen"));
        QCOMPARE(Text(&w.form2, "Label238"), QString::fromUtf8("Bitte warten, Berechnung läuft..."));
        QCOMPARE(w.form2.windowTitle(), QString("Zentora Optionsfenster"));
        const auto german = w.Snapshots();

        QSignalSpy changed(&TextsHub::Instance(), &TextsHub::languageChanged);
        w.Language(3);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.first().first().toInt(), 3);
        QCOMPARE(Text(&w.form1, "Datei2"), QString("&File"));
        QCOMPARE(Text(&w.form1, "Image37"), QString("Generate"));
        QCOMPARE(Text(&w.form1, "Gerade"), QString("even"));
        QCOMPARE(Text(&w.editor, "JvImage1"), QString("Back"));
        QCOMPARE(Text(&w.editor, "Label1"), QString("Spin:"));
        QCOMPARE(w.form2.Tabs()->tabText(0), QString("Sleeper && Stake I"));
        QCOMPARE(Text(&w.form2, "Caption237"), QString("Split"));
        QCOMPARE(w.form2.findChild<QComboBox*>("E137")->itemText(1), QString("Martingale"));
        const auto english = w.Snapshots();
        for (int i = 0; i < 3; ++i) QVERIFY(english[i] != german[i]);
        // The drawn captions are pictures of their own, not the German ones written over.
        QVERIFY(english[0].key(PictureHash(w.form1.findChild<QLabel*>("Gerade")->pixmap())) !=
                german[0].key(PictureHash(w.form1.findChild<QLabel*>("Gerade")->pixmap())));

        w.Language(0);
        const auto back = w.Snapshots();
        for (int i = 0; i < 3; ++i) {
            for (auto it = german[i].begin(); it != german[i].end(); ++it)
                QVERIFY2(back[i].value(it.key()) == it.value(),
                         qPrintable(it.key() + ": " + it.value() + " / " + back[i].value(it.key())));
        }
        QCOMPARE(changed.last().first().toInt(), 0);
    }

    // The word for even: one letter picture per character, 28 pixels high, placed by the word's width.
    void EvenAndOddAreDrawnFromLetterPictures() {
        QVERIFY(QFile::exists(LetterFile(kBin, U'g')));
        QVERIFY(QFile::exists(LetterFile(kBin, U'ä')));
        const QPixmap word = LetterWord(kBin, "gerade");
        QCOMPARE(word.height(), kLetterHeight);
        int letters = 0;
        for (const char32_t c : QString("gerade").toUcs4()) letters += QImage(LetterFile(kBin, c)).width();
        QCOMPARE(word.width(), letters);
        // A character without a picture is still drawn.
        QVERIFY(LetterWord(kBin, QString::fromUtf8("€")).width() > 1);

        Windows w;
        auto* gerade = w.form1.findChild<QLabel*>("Gerade");
        const int width = 3 * QFontMetrics(QApplication::font()).horizontalAdvance("gerade");
        QCOMPARE(gerade->width(), width);
        QCOMPARE(gerade->x(),
                 w.form1.findChild<QWidget*>("Image16")->x() / 2 - int(std::nearbyint(width / 2.4)));
    }

    // Every text the windows look up in languages 1 to 3 has a line: captions, dialogs, messages, the toggle
    // in both states.
    void NoLookupMissesInAnyLanguage() {
        Windows w;
        std::set<std::string> missing;
        w.form1.Language().SetMissObserver([&](std::string_view key) {
            if (key.find_first_not_of("0123456789") != std::string_view::npos) missing.emplace(key);
        });
        w.form1.fileDialogHook = [](QFileDialog&) { return false; };
        w.form2.fileDialogHook = [](QFileDialog&) { return false; };
        for (int language = 1; language <= 3; ++language) {
            w.Language(language);
            w.form1.OpenPermanenceFile();
            w.form1.SavePermanenceAs();
            w.form1.ImportText();
            w.form1.ExportText();
            w.form1.ExportWorksheet();
            w.form1.ImportWorksheet();
            w.form2.OpenOptionFile();
            w.form2.SaveOptionFileAs();
            w.form2.findChild<QAbstractButton*>("SpeedButton1")->click();
            w.form2.findChild<QAbstractButton*>("SpeedButton1")->click();
        }
        // The observer hears the lookups of the windows.
        TextsHub::Instance().TranslateText("Unbekannter Text");
        QVERIFY(missing.erase("Unbekannter Text") == 1);
        QString list;
        for (const std::string& key : missing) list += "\"" + QString::fromStdString(key) + "\" ";
        QVERIFY2(missing.empty(), qPrintable(list));
    }
};

QTEST_MAIN(WindowTextsTest)
#include "window_texts_test.moc"
