#include "ui/AboutBox.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"
#include "ui/AnimationWindow.h"
#include "ui/Browser.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace qx::ui {

AboutBox::AboutBox(const Language& language, Browser& browser, QWidget* parent)
    : QDialog(parent), animation_(new AnimationWindow(this)) {
    setWindowTitle(doc::text(language, text::AboutCaption));
    auto* about = new QLabel(doc::text(language, text::AboutText)
                                 .toHtmlEscaped()
                                 .replace(QLatin1Char('\n'), QStringLiteral("<br>")),
                             this);
    about->setObjectName(QStringLiteral("text"));
    about->setTextFormat(Qt::RichText);
    about->setWordWrap(true);
    about->setMinimumWidth(about->fontMetrics().averageCharWidth() * 50);
    about->setMaximumWidth(about->fontMetrics().averageCharWidth() * 70);
    const QString site = doc::text(language, text::HomePage);
    auto* link = new QLabel(
        QStringLiteral("<a href=\"%1\">%2</a>").arg(site.toHtmlEscaped(), site.toHtmlEscaped()),
        this);
    link->setObjectName(QStringLiteral("link"));
    link->setTextFormat(Qt::RichText);
    connect(link, &QLabel::linkActivated, this,
            [&browser](const QString& url) { browser.open(url.toStdString(), false); });

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(doc::text(language, text::ButtonClose), QDialogButtonBox::AcceptRole)
        ->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* texts = new QVBoxLayout;
    texts->addWidget(about);
    texts->addWidget(link);
    auto* row = new QHBoxLayout;
    row->addWidget(animation_, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);

    animation_->setRunning(true);
    timer_ = startTimer(100);
}

void AboutBox::timerEvent(QTimerEvent* event) {
    if (event->timerId() == timer_)
        animation_->advance();
    else
        QDialog::timerEvent(event);
}

} // namespace qx::ui
