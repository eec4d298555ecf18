#include "ui/accessibility/accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QTabWidget>
#include <algorithm>
#include <unordered_map>

#include "catalogue/chance_groups.h"
#include "ui/Unit1.h"
#include "ui/Unit2.h"
#include "ui/UnitZahlenListe.h"
#include "ui/accessibility/position_names.h"
#include "ui/accessibility/table_keyboard.h"
#include "ui/option_fields.h"
#include "ui/texts/texts_hub.h"

namespace zentora {

namespace {

// ---- interfaces for the drawn controls ----

// A picture that acts as a button: readers see a button they can press.
class PictureButtonAccessible : public QAccessibleWidget {
  public:
    PictureButtonAccessible(QWidget* widget, std::function<void()> press)
        : QAccessibleWidget(widget, QAccessible::Button), press_(std::move(press)) {}
    QString text(QAccessible::Text t) const override {
        // Captions drawn into the picture are kept beside it.
        if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->property("caption").toString();
        return QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction() && press_) press_();
    }

  private:
    std::function<void()> press_;
};

// A chip says where it lies and what it holds, read when asked so it is never behind the table.
class ChipAccessible : public QAccessibleWidget {
  public:
    ChipAccessible(QWidget* widget, int position)
        : QAccessibleWidget(widget, QAccessible::Graphic), position_(position) {}
    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return QAccessibleWidget::text(t);
        auto* form = qobject_cast<TForm1*>(widget()->window());
        if (!form || position_ < 0 || position_ >= kPositionCount) return QAccessibleWidget::text(t);
        const int stake = form->Session().State().positionStake[position_];
        return widget()->property("positionName").toString() + QStringLiteral(": ") + QString::number(stake);
    }

  private:
    int position_;
};

void EnterFromTable(QWidget* field, int number) {
    auto* form = qobject_cast<TForm1*>(field->window());
    if (!form) return;
    if (auto* entry = form->findChild<TableKeyboardEntry*>("TableKeyboardEntry")) entry->EnterAsClick(number);
}

// Asked once per class of the object's hierarchy, most derived first; the casts answer at the first ask.
QAccessibleInterface* Factory(const QString&, QObject* object) {
    if (auto* image = qobject_cast<TMouseImage*>(object)) {
        const QString name = image->objectName();
        if (name.startsWith(QLatin1String("Images"))) return new ChipAccessible(image, name.mid(6).toInt());
        const QVariant tag = image->property("tag");
        if (!tag.isValid()) return nullptr;
        const int number = tag.toInt();
        if (number >= 0 && number <= 36)
            return new PictureButtonAccessible(image, [image, number] { EnterFromTable(image, number); });
        return new PictureButtonAccessible(image, [image] {
            if (image->onClick) image->onClick();
        });
    }
    if (auto* image = qobject_cast<TJvImage*>(object)) {
        return new PictureButtonAccessible(image, [image] {
            if (image->onClick) image->onClick();
        });
    }
    return nullptr;
}

void InstallFactoryOnce() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(&Factory);
}

// ---- picture buttons by keyboard ----

// Space or Enter presses a focused picture button; a frame shows which one has the focus. The buttons are
// reached by Tab only: a click leaves the focus where it was, so a grid keeps its selected cell.
class PictureButtonKeys : public QObject {
  public:
    PictureButtonKeys(QObject* parent, std::function<void(QWidget*)> press)
        : QObject(parent), press_(std::move(press)) {}

    void Watch(QLabel* button) {
        button->setFocusPolicy(Qt::TabFocus);
        QPalette palette = button->palette();
        palette.setColor(QPalette::WindowText, Qt::yellow);
        button->setPalette(palette);
        button->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = qobject_cast<QLabel*>(watched);
        if (!button) return false;
        switch (event->type()) {
            case QEvent::FocusIn:
            case QEvent::FocusOut:
                button->setFrameStyle(event->type() == QEvent::FocusIn ? QFrame::Box | QFrame::Plain
                                                                       : QFrame::NoFrame);
                return false;
            case QEvent::KeyPress: {
                auto* key = static_cast<QKeyEvent*>(event);
                const int code = key->key();
                if (code != Qt::Key_Space && code != Qt::Key_Return && code != Qt::Key_Enter) return false;
                if (!key->isAutoRepeat()) press_(button);
                return true;
            }
            default:
                return false;
        }
    }

  private:
    std::function<void(QWidget*)> press_;
};

// Runs an action whenever a window is shown: dialogs take the captions they were last given.
class OnShow : public QObject {
  public:
    OnShow(QWidget* window, std::function<void()> action) : QObject(window), action_(std::move(action)) {
        window->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == parent() && event->type() == QEvent::Show) action_();
        return false;
    }

  private:
    std::function<void()> action_;
};

QStringList TranslatedList(const LanguageTable& language, const std::vector<std::string>& texts) {
    std::vector<std::string> result = texts;
    try {
        result = language.TranslateList(texts);
    } catch (const LanguageFileError&) {
        // Names stay German; the window already told the user about the table.
    }
    QStringList list;
    for (const auto& text : result) list << QString::fromStdString(text);
    return list;
}

QGroupBox* EnclosingGroupBox(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
        if (auto* box = qobject_cast<QGroupBox*>(w)) return box;
    return nullptr;
}

// The header labels above a widget in its grid: the column's caption lines.
QStringList HeadersAbove(QWidget* widget) {
    QStringList headers;
    auto* grid =
        widget->parentWidget() ? qobject_cast<QGridLayout*>(widget->parentWidget()->layout()) : nullptr;
    if (!grid) return headers;
    const int index = grid->indexOf(widget);
    if (index < 0) return headers;
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
    QLabel* last = nullptr;
    for (int r = 0; r < std::min(row, 2); ++r) {
        QLayoutItem* item = grid->itemAtPosition(r, column);
        auto* label = item ? qobject_cast<QLabel*>(item->widget()) : nullptr;
        if (!label || label == last) continue;
        last = label;
        const QString text = SpokenCaption(label->text());
        if (!text.isEmpty()) headers << text;
    }
    return headers;
}

bool InRateBlock(QWidget* widget) {
    for (QWidget* w = widget->parentWidget(); w && !w->isWindow(); w = w->parentWidget())
        if (w->objectName().startsWith(QLatin1String("RateBlock"))) return true;
    return false;
}

void SetDescriptionToName(QWidget* widget) {
    if (!widget->objectName().isEmpty()) widget->setAccessibleDescription(widget->objectName());
}

// Names now and after every change of language, once the captions have their new texts.
template <typename Window>
void FollowLanguage(Window& window) {
    QObject::connect(&TextsHub::Instance(), &TextsHub::languageChanged, &window,
                     [&window] { UpdateAccessibleNames(window); });
    UpdateAccessibleNames(window);
}

}  // namespace

QString SpokenCaption(const QString& caption) {
    QString text;
    text.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&')) {
            if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) text += caption[++i];
            continue;
        }
        text += caption[i];
    }
    text = text.simplified();
    while (text.endsWith(QLatin1Char(':')) || text.endsWith(QLatin1Char(';'))) text.chop(1);
    return text.trimmed();
}

// ---- main window ----

void InstallAccessibility(TForm1& form) {
    InstallFactoryOnce();
    QWidget* table = form.Canvas();
    new TableKeyboardEntry(form);  // owned by the form

    for (int n = 0; n <= 36; ++n) {
        auto* field = table->findChild<QWidget*>(n == 0 ? QStringLiteral("ZeroButton")
                                                        : QStringLiteral("Image%1").arg(n));
        if (field) field->setAccessibleName(QString::number(n));
    }
    // The control name as description tells a reader which value a label shows.
    for (QWidget* w : table->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) SetDescriptionToName(w);

    auto* image37 = table->findChild<TMouseImage*>("Image37");
    auto* keys = new PictureButtonKeys(&form, [](QWidget* button) {
        auto* image = static_cast<TMouseImage*>(button);
        if (image->onClick) image->onClick();
    });
    if (image37) keys->Watch(image37);

    // Visual order: the table, then the random-spin count and its button below the grid.
    auto* edit1 = table->findChild<QLineEdit*>("Edit1");
    if (edit1 && image37) {
        QWidget::setTabOrder(table, edit1);
        QWidget::setTabOrder(edit1, image37);
    }
    table->setFocus(Qt::OtherFocusReason);
    FollowLanguage(form);
}

void UpdateAccessibleNames(TForm1& form) {
    QWidget* table = form.Canvas();
    std::vector<std::string> texts = {"Spieltisch",           "Zahl eintippen und mit Enter setzen",
                                      "Anzahl Zufallszahlen", "Generieren",
                                      "Setzsignale",          "Letzte Zahlen",
                                      "Nur 0 bis 36"};
    const std::size_t kinds = texts.size();
    const auto& kindWords = PositionKindWords();
    texts.insert(texts.end(), kindWords.begin(), kindWords.end());
    const QStringList t = TranslatedList(form.Language(), texts);

    table->setAccessibleName(t[0]);
    table->setAccessibleDescription(t[1]);
    const auto name = [&](const char* control, const QString& text) {
        if (auto* w = table->findChild<QWidget*>(control)) w->setAccessibleName(text);
    };
    name("Edit1", t[2]);
    name("Image37", t[3]);
    name("ListBox1", t[4]);
    name("StringGrid1", t[5]);
    if (auto* entry = form.findChild<TableKeyboardEntry*>("TableKeyboardEntry")) entry->SetRefusedText(t[6]);

    std::unordered_map<std::string, QString> translated;
    for (std::size_t i = 0; i < kindWords.size(); ++i) translated[kindWords[i]] = t[kinds + i];
    for (int p = 0; p < kPositionCount; ++p) {
        auto* chip = table->findChild<QWidget*>(QStringLiteral("Images%1").arg(p));
        if (!chip) continue;
        const PositionName position = NameOfPosition(p);
        QString text = translated[position.kind];
        if (!position.numbers.empty()) text += QLatin1Char(' ') + QString::fromStdString(position.numbers);
        chip->setProperty("positionName", text);
    }
}

// ---- options window ----

void InstallAccessibility(TForm2& form) {
    InstallFactoryOnce();
    // The rate blocks scroll to the focused field by themselves; as a stop of their own they only get in
    // the way.
    for (QScrollArea* scroll : form.findChildren<QScrollArea*>()) scroll->setFocusPolicy(Qt::NoFocus);
    new OnShow(&form, [&form] { UpdateAccessibleNames(form); });
    FollowLanguage(form);
}

void UpdateAccessibleNames(TForm2& form) {
    const OptionsModel& model = form.Model();
    std::unordered_map<FieldId, GroupId> groupOf;
    for (const ChanceGroup& group : kChanceGroups) {
        const GroupFields& f = model.Fields(group.id);
        for (FieldId id :
             {f.absenceSwitch, f.rateSwitch, f.abRunde, f.soOft, f.technique, f.stake, f.rateStart})
            groupOf[id] = group.id;
        for (int n = 0; n < kRateWindowCount; ++n)
            for (FieldId id : {f.bisRunde[n], f.von[n], f.bis[n]}) groupOf[id] = group.id;
    }
    const QString rateBlock = TextsHub::Instance().TranslateText(QStringLiteral("Prozenteinstellung"));
    std::unordered_map<QWidget*, QLabel*> buddies;
    for (QLabel* label : form.findChildren<QLabel*>())
        if (label->buddy()) buddies[label->buddy()] = label;

    for (QWidget* w : form.findChildren<QWidget*>()) {
        auto* view = dynamic_cast<FieldView*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        if (!view && !button) continue;
        SetDescriptionToName(w);
        if (button && !SpokenCaption(button->text()).isEmpty()) continue;  // its caption is its name

        QStringList parts;
        if (QGroupBox* box = EnclosingGroupBox(w); box && !box->title().isEmpty())
            parts << SpokenCaption(box->title());
        if (view) {
            if (auto it = groupOf.find(view->Id()); it != groupOf.end()) {
                const QString key = QString::fromUtf8(Group(it->second).key);
                if (auto* caption = form.findChild<QLabel*>(QStringLiteral("Caption") + key)) {
                    QString row = SpokenCaption(caption->text());
                    if (!caption->toolTip().isEmpty()) row += QStringLiteral(" (%1)").arg(caption->toolTip());
                    parts << row;
                }
                // The rate block repeats some column captions of the absence columns.
                if (InRateBlock(w)) parts << rateBlock;
            }
        }
        if (auto it = buddies.find(w); it != buddies.end())
            parts << SpokenCaption(it->second->text());
        else
            parts << HeadersAbove(w);
        if (parts.isEmpty()) parts << w->objectName();
        w->setAccessibleName(parts.join(QStringLiteral(", ")));
    }
    for (QTabWidget* tabs : form.findChildren<QTabWidget*>()) SetDescriptionToName(tabs);
}

// ---- number list editor ----

void InstallAccessibility(TZahlenListe& editor) {
    InstallFactoryOnce();
    auto* keys = new PictureButtonKeys(&editor, [](QWidget* button) {
        auto* image = static_cast<TJvImage*>(button);
        if (image->onClick) image->onClick();
    });
    std::vector<TJvImage*> buttons;
    for (TJvImage* b : editor.findChildren<TJvImage*>()) {
        keys->Watch(b);
        SetDescriptionToName(b);
        buttons.push_back(b);
    }
    // Grids top to bottom, then the buttons of the bottom row from left to right.
    std::vector<QWidget*> order;
    for (int g = 0; g < kListGridCount; ++g) {
        order.push_back(editor.Grid(g));
        SetDescriptionToName(editor.Grid(g));
    }
    std::sort(buttons.begin(), buttons.end(), [](QWidget* a, QWidget* b) { return a->x() < b->x(); });
    order.insert(order.end(), buttons.begin(), buttons.end());
    for (std::size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    new OnShow(&editor, [&editor] { UpdateAccessibleNames(editor); });
    FollowLanguage(editor);
}

void UpdateAccessibleNames(TZahlenListe& editor) {
    // The buttons are named by the captions drawn on them; the two jumps of 10000 also say their way.
    const auto caption = [&](int button) {
        auto* image = editor.findChild<QWidget*>(QStringLiteral("JvImage%1").arg(button));
        return image ? image->property("caption").toString() : QString();
    };
    for (const auto& [jump, way] : {std::pair{5, 1}, std::pair{6, 2}})
        if (auto* image = editor.findChild<QWidget*>(QStringLiteral("JvImage%1").arg(jump)))
            image->setAccessibleName(caption(way) + QLatin1Char(' ') + caption(jump));
    for (int g = 0; g < kListGridCount; ++g) {
        auto* round = editor.findChild<QLabel*>(QStringLiteral("Label%1").arg(g + 1));
        auto* number = editor.findChild<QLabel*>(QStringLiteral("Label%1").arg(g + 1 + kListGridCount));
        if (!round || !number) continue;
        editor.Grid(g)->setAccessibleName(
            QStringLiteral("%1, %2 (%3)")
                .arg(SpokenCaption(round->text()), SpokenCaption(number->text()))
                .arg(g + 1));
    }
}

}  // namespace zentora
