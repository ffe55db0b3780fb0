#include "ui/View.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"
#include "search/FindCommand.h"
#include "settings/ApplicationProfile.h"
#include "settings/Options.h"
#include "settings/Separators.h"
#include "ui/Commands.h"
#include "ui/WindowSeparator.h"
#include "ui/dialogs/DialogControls.h"
#include "ui/dialogs/ReferenceDialogs.h"

#include <QEvent>
#include <QLabel>

namespace qx::ui {

namespace {

constexpr int kHeading1 = 15;
constexpr int kHeading2 = 16;
constexpr int kVerticalSeparator = 99;
constexpr int kHorizontalSeparator = 98;

// The trees and the thread window are empty panes until their own widgets
// take these places.
QWidget* pane(const char* name, QWidget* parent) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setAutoFillBackground(true);
    widget->setBackgroundRole(QPalette::Base);
    widget->setFocusPolicy(Qt::StrongFocus);
    return widget;
}

QLabel* heading(int id, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    label->setFrameStyle(QFrame::Panel | QFrame::Raised);
    label->setIndent(4);
    return label;
}

} // namespace

View::View(doc::Editor& document, ApplicationProfile& profile, Options& options,
           const Language& language, QWidget* parent)
    : QWidget(parent), document_(document), profile_(profile), options_(options),
      tree1_(pane("Tree1", this)), tree2_(pane("Tree2", this)),
      heading1_(heading(kHeading1, doc::text(language, text::FirstTreeHeading), this)),
      heading2_(heading(kHeading2, doc::text(language, text::SecondTreeHeading), this)),
      vertical_(new WindowSeparator(Qt::Vertical, kVerticalSeparator, this)),
      horizontal_(new WindowSeparator(Qt::Horizontal, kHorizontalSeparator, this)),
      find_(std::make_unique<FindCommand>(profile, options)) {
    separators_.load(profile_);
    setObjectName(QStringLiteral("View"));
    connect(vertical_, &WindowSeparator::released, this, &View::verticalReleased);
    connect(horizontal_, &WindowSeparator::released, this, &View::horizontalReleased);
    showThreadWindow(options_.connections);
    tree1_->setFocus();
}

View::~View() = default;

void View::documentClosed() {}

void View::documentReloaded() {}

int View::helpContext(const QWidget* focus) const {
    for (; focus; focus = focus->parentWidget()) {
        if (focus == tree1_)
            return kHelpTree1;
        if (focus == tree2_)
            return kHelpTree2;
        if (threadWindow_ && focus == threadWindow_)
            return kHelpThreadWindow;
        // A dialog opened over the view names its own context.
        if (const QVariant context = focus->property(kHelpContextProperty); context.isValid())
            return context.toInt();
    }
    return 0;
}

int View::progressFigure() const {
    return -1;
}

bool View::commandState(int id, doc::CommandState& state) {
    switch (id) {
    case cmd::FindDialog:
        state.enabled = dialogs_ != nullptr;
        return true;
    case cmd::Nothing506:
    case cmd::Nothing901:
    case cmd::Nothing902:
    case cmd::Nothing24326:
        state.enabled = true;
        return true;
    case cmd::ThreadWindow:
        state.enabled = true;
        state.checked = threadWindow_ != nullptr;
        return true;
    default:
        return false;
    }
}

bool View::execute(int id) {
    switch (id) {
    case cmd::FindDialog:
        find();
        return true;
    case cmd::Nothing506:
    case cmd::Nothing901:
    case cmd::Nothing902:
    case cmd::Nothing24326:
        return true;
    case cmd::ThreadWindow:
        showThreadWindow(threadWindow_ == nullptr);
        options_.connections = threadWindow_ != nullptr;
        return true;
    default:
        return false;
    }
}

void View::find() {
    if (!dialogs_)
        return;
    find_->run([this](FindInfo& request) { return dialogs_->find(request, nullptr, this); },
               starter_);
}

void View::showThreadWindow(bool shown) {
    if (shown && !threadWindow_) {
        threadWindow_ = pane("ThreadWindow", this);
        threadWindow_->show();
    } else if (!shown && threadWindow_) {
        delete threadWindow_;
        threadWindow_ = nullptr;
    }
    layOut();
}

void View::layOut() {
    MainViewGeometry g;
    g.width = width();
    g.height = height();
    g.headingHeight = headingHeight();
    g.separator1 = separators_.first;
    g.separator2 = separators_.second;
    g.threadWindowShown = threadWindow_ != nullptr;
    const MainViewLayout l = layOutMainView(g);
    auto place = [](QWidget* w, const Box& b) { w->setGeometry(b.x, b.y, b.w, b.h); };
    place(heading1_, l.heading1);
    place(heading2_, l.heading2);
    place(tree1_, l.tree1);
    place(tree2_, l.tree2);
    place(vertical_, l.vertical);
    vertical_->raise();
    if (threadWindow_)
        place(threadWindow_, l.threadWindow);
    place(horizontal_, l.horizontal);
    horizontal_->setVisible(l.horizontalShown);
    horizontal_->raise();
}

int View::headingHeight() const {
    return heading1_->fontMetrics().height() + 2;
}

void View::resizeEvent(QResizeEvent*) {
    layOut();
}

void View::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange)
        layOut();
    QWidget::changeEvent(event);
}

void View::verticalReleased(int x) {
    separators_.storeFirst(profile_, separator1FromSplitter(x, width()));
    layOut();
}

void View::horizontalReleased(int y) {
    separators_.storeSecond(profile_, separator2FromSplitter(y, headingHeight(), height()));
    layOut();
}

} // namespace qx::ui
