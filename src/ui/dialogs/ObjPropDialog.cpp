#include "ui/dialogs/ObjPropDialog.h"

#include "doc/Texts.h"
#include "lang/TextIds.h"
#include "ui/dialogs/PageText.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace qx::ui {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

ObjPropDialog::ObjPropDialog(ObjPropDialogInfo& info, const Language& language,
                             const EngineTable& engines, HelpHandler help, QWidget* parent)
    : QDialog(parent), info_(info) {
    auto t = [&](unsigned id) { return doc::text(language, id); };
    setObjectName(QStringLiteral("ObjPropDialog"));
    setWindowTitle(t(text::PropertiesCaption));
    const ObjectProp& props = info.props;
    // Names are the program's own (UTF-8) text; titles and addresses the page's.
    name_ = control(100, new QLineEdit(PageText::decode(info.name, 0), this));
    title_ = control(110, new QLineEdit(PageText::decode(props.title, props.charset), this));
    url_ = control(101, new QLineEdit(PageText::decode(props.url, props.charset), this));
    for (QLineEdit* edit : {name_, title_, url_}) {
        edit->setMinimumWidth(360);
        // A long name or address opens at its beginning, not its end.
        edit->setCursorPosition(0);
    }

    auto* form = new QFormLayout;
    form->addRow(t(text::PropertiesName), name_);
    form->addRow(t(text::PropertiesTitle), title_);
    form->addRow(t(text::PropertiesAddress), url_);
    const struct {
        int id;
        unsigned caption;
        QString value;
    } fields[] = {
        {102, text::PropertiesServers, qs(info.serverstext(engines))},
        {103, text::PropertiesModified, qs(info.modifiedtext())},
        {104, text::PropertiesCharset, info.charsettext() ? t(info.charsettext()) : QString()},
        {105, text::PropertiesSize, qs(info.sizetext())},
        {106, text::PropertiesRelevance, qs(info.relevancetext())},
        {107, text::PropertiesStatus, PageText::decode(props.status, 0)},
    };
    for (const auto& field : fields) {
        auto* value = control(field.id, new QLabel(field.value, this));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        value->setWordWrap(true);
        form->addRow(t(field.caption), value);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(dialogButtons(*this, language, std::move(help), kHelpContext));
}

void ObjPropDialog::accept() {
    info_.name = PageText::encode(name_->text(), info_.name, 0);
    info_.props.title = PageText::encode(title_->text(), info_.props.title, info_.props.charset);
    info_.props.url = PageText::encode(url_->text(), info_.props.url, info_.props.charset);
    QDialog::accept();
}

} // namespace qx::ui
