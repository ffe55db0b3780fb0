#pragma once

#include <QString>
#include <functional>
#include <memory>

namespace qx::doc {

class DocView;
class Editor;

// The one kind of document the program edits: "*.qxo" files shown by the main
// view. It knows the file dialogs' filter and makes the view of a document.
class DocTemplate {
public:
    using ViewFactory = std::function<std::unique_ptr<DocView>(Editor&)>;

    static constexpr const char* kPattern = "*.qxo";
    static constexpr const char* kDefaultExtension = "qxo";

    // The description of the file type, shown in the file dialogs.
    void setDescription(const QString& description) { description_ = description; }
    const QString& description() const { return description_; }
    // The file dialogs' filter: the description with the pattern.
    QString dialogFilter() const;

    void setViewFactory(ViewFactory factory) { viewFactory_ = std::move(factory); }
    std::unique_ptr<DocView> createView(Editor& document) const;

private:
    QString description_;
    ViewFactory viewFactory_;
};

} // namespace qx::doc
