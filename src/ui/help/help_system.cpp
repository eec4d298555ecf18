// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/help/help_system.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/io/data_files.h"

namespace zentora {

QString HelpAnchor(int context) {
    switch (context) {
        case 28:
            return QStringLiteral("inhalt");
        case 29:
            return QStringLiteral("hauptfenster");
        case 31:
            return QStringLiteral("permanenz-einsatz");
        case 32:
            return QStringLiteral("tischeinstellungen");
        case 33:
            return QStringLiteral("sonstiges");
        case 34:
            return QStringLiteral("statistiken");
        case 35:
            return QStringLiteral("auswertungen");
        default:
            return {};
    }
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle(QStringLiteral("Zentora"));
    resize(820, 640);
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpBrowser");
    browser_->setOpenExternalLinks(true);
    const auto button = [this](const char* name, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(this);
        b->setObjectName(name);
        b->setIcon(style()->standardIcon(icon));
        b->setAutoRaise(true);
        return b;
    };
    QToolButton* back = button("HelpBack", QStyle::SP_ArrowBack);
    QToolButton* forward = button("HelpForward", QStyle::SP_ArrowForward);
    QToolButton* home = button("HelpHome", QStyle::SP_DirHomeIcon);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(home, &QToolButton::clicked, this, [this] {
        QUrl url = browser_->source();
        url.setFragment(HelpAnchor(kHelpContents));
        browser_->setSource(url);
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QToolButton::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        setWindowTitle(browser_->documentTitle().isEmpty() ? "Zentora" : browser_->documentTitle());
    });

    auto* bar = new QHBoxLayout;
    bar->setContentsMargins(0, 0, 0, 0);
    bar->addWidget(back);
    bar->addWidget(forward);
    bar->addWidget(home);
    bar->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(browser_);
}

HelpSystem::HelpSystem(QObject* parent) : QObject(parent) {
    qApp->installEventFilter(this);
}

HelpSystem::~HelpSystem() {
    if (qApp) qApp->removeEventFilter(this);
    delete window_;
    delete popup_;
}

bool HelpSystem::ShowContext(int context) {
    const QString anchor = HelpAnchor(context);
    if (anchor.isEmpty() || !QFileInfo(help_file_).isFile()) return false;
    if (!window_) window_ = new HelpWindow;
    QUrl url = QUrl::fromLocalFile(QFileInfo(help_file_).absoluteFilePath());
    url.setFragment(anchor);
    QTextBrowser* browser = window_->Browser();
    if (browser->source().adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment)) {
        browser->setSource(url);
        browser->scrollToAnchor(anchor);
    } else {
        browser->clearHistory();
        browser->setSource(url);
    }
    window_->show();
    window_->raise();
    window_->activateWindow();
    return true;
}

QString PopupTopicText(const QString& contents, int id) {
    QStringList text;
    bool inTopic = false;
    for (const QString& raw : contents.split(QRegularExpression("\r\n|\r|\n"))) {
        const QString line = raw.trimmed();
        if (line.startsWith(QLatin1String(".topic"), Qt::CaseInsensitive)) {
            if (inTopic) break;
            bool ok = false;
            inTopic = line.mid(6).trimmed().toInt(&ok) == id && ok;
            continue;
        }
        if (inTopic) text << raw;
    }
    while (!text.isEmpty() && text.last().trimmed().isEmpty()) text.removeLast();
    return text.join(QLatin1Char('\n')).trimmed();
}

bool HelpSystem::ShowPopup(int id, QPoint at) {
    const auto topics = ReadDataFile(popup_topics_, 1 << 20);
    if (!topics) return false;
    const QString text = PopupTopicText(QString::fromUtf8(*topics), id);
    if (text.isEmpty()) return false;
    if (!popup_) {
        popup_ = new QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint);
        popup_->setObjectName("HelpPopup");
        popup_->setWordWrap(true);
        popup_->setMargin(6);
        popup_->setFrameShape(QFrame::Box);
        QPalette palette = popup_->palette();
        palette.setColor(QPalette::WindowText, QColor(255, 0, 0));
        popup_->setPalette(palette);
        popup_->setMaximumWidth(420);
    }
    popup_->setText(text);
    popup_->adjustSize();
    popup_->move(at);
    popup_->show();
    return true;
}

void HelpSystem::CloseAll() {
    if (window_) window_->close();
    if (popup_) popup_->hide();
}

int HelpSystem::ContextOf(QWidget* widget) {
    // Within the widget's own window: a dialog must not answer with its parent window's context.
    for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const int own = w->property("helpContext").toInt();
        if (own > 0) return own;
        if (auto* tabs = qobject_cast<QTabWidget*>(w); tabs && tabs->currentWidget()) {
            const int page = tabs->currentWidget()->property("helpContext").toInt();
            if (page > 0) return page;
        }
    }
    if (!widget) return 0;
    if (auto* tabs = widget->window()->findChild<QTabWidget*>("Optionsfenster");
        tabs && tabs->currentWidget())
        return tabs->currentWidget()->property("helpContext").toInt();
    return 0;
}

int HelpSystem::TopicOf(QWidget* widget) {
    for (QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget())
        if (const int topic = w->property("helpTopic").toInt(); topic > 0) return topic;
    return 0;
}

void HelpSystem::AssignContexts(QWidget* mainWindow, QWidget* optionsWindow) {
    if (mainWindow) {
        mainWindow->setProperty("helpContext", kHelpMainWindow);
        const std::pair<const char*, int> topics[] = {
            {"Form1Client", 1},       {"StringGrid1", 2}, {"TransparentCover1", 2}, {"ListBox1", 3},
            {"TransparentCover2", 3}, {"Edit1", 4},       {"Image37", 4},           {"BannerWerbung", 5}};
        for (const auto& [name, topic] : topics)
            if (QWidget* w = mainWindow->findChild<QWidget*>(name)) w->setProperty("helpTopic", topic);
    }
    if (!optionsWindow) return;
    for (int t = 0; t < 6; ++t)
        if (QWidget* page = optionsWindow->findChild<QWidget*>(QStringLiteral("TabSheet%1").arg(t + 1)))
            page->setProperty("helpContext", kHelpOptionsTabs[t]);
}

bool HelpSystem::eventFilter(QObject* watched, QEvent* event) {
    // The popup goes away with the next click or key, as a help popup does.
    if (popup_ && popup_->isVisible() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        popup_->hide();
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->isAutoRepeat()) return QObject::eventFilter(watched, event);
    auto* target = static_cast<QWidget*>(watched);  // the receiver of a key is the widget with the focus
    if (key->modifiers() == Qt::ShiftModifier) {
        // Shift+F1: the short popup for the control under the pointer, else for the one with the focus.
        QWidget* pointed = QApplication::widgetAt(QCursor::pos());
        QWidget* source = TopicOf(pointed) > 0 ? pointed : target;
        const int topic = TopicOf(source);
        if (topic <= 0) return false;
        ShowPopup(topic, source == pointed ? QCursor::pos() : source->mapToGlobal(source->rect().center()));
        return true;
    }
    if (key->modifiers() != Qt::NoModifier) return false;
    const int context = ContextOf(target);
    if (context <= 0) return false;
    ShowContext(context);
    return true;
}

}  // namespace zentora
