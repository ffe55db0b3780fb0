#pragma once

#include "model/DocViews.h"
#include "model/DocWorkers.h"
#include "model/ViewItem.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace qx {

class DDoc;
class Ref;

namespace test {

// Stands for both views and the workers: records every call as a line and
// keeps a fake view item on every node it shows, following the show rule the
// way a tree view does.
class DocRecorder : public DocViews, public DocWorkers {
public:
    class Item : public ViewItem {
    public:
        void settext(const Str& text) override { text_ = std::string(text.view()); }
        const std::string& text() const { return text_; }

    private:
        std::string text_;
    };

    // Binds a root: it gets an item, and so does what shows below it.
    void bind(Ref& root);

    void additem(Ref& node) override;
    void removeitem(Ref& node) override;
    void refreshitem(Ref& node) override;
    void repaint(Ref& node) override;
    void changed(std::uint32_t hints) override;
    void dropjobs(Ref& node) override;

    // Recorded lines, then forgotten.
    std::vector<std::string> take();
    static std::string nameof(const Ref& node);

private:
    void give(Ref& node);
    void strip(Ref& node);

    std::map<const Ref*, std::unique_ptr<Item>> items_;
    std::vector<std::string> calls_;
};

// Every way the document's bookkeeping can go wrong, as a text (empty when all
// is well): targets outside the container, counts that differ from the nodes
// that refer to an object, unreferenced objects (when they must not exist),
// view items of nodes whose parent has none.
std::string checkdocument(DDoc& doc, bool unreferencedallowed = false);

} // namespace test
} // namespace qx
