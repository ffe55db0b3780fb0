#include "DocRecorder.h"
#include "ScanReference.h"

#include "model/Container.h"
#include "model/DDoc.h"
#include "model/Object.h"
#include "model/OrgRef2.h"
#include "model/RefRoot.h"
#include "model/SearchRef.h"
#include "model/UrlRef.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qx {
namespace {

class RandomRun {
public:
    explicit RandomRun(unsigned seed) : random_(seed) {
        recorder_.bind(doc_.orgroot());
        recorder_.bind(doc_.domainroot());
        doc_.setviews(&recorder_);
        doc_.setworkers(&recorder_);
        for (int i = 0; i < 40; ++i)
            grow(other_);
    }

    DDoc& doc() { return doc_; }

    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    std::string url() {
        static const char* hosts[] = {"s://a", "s://B.b", "S://b.B", "s://c.x/", "t://a"};
        std::string text = hosts[below(5)];
        for (std::size_t depth = below(4); depth > 0; --depth)
            text += "/" + std::string(1, "pqPQ"[below(4)]);
        return text;
    }

    static std::vector<Ref*> nodes(Ref& root, bool withroot) {
        std::vector<Ref*> all;
        for (Tree* n = &root; n; n = n->nextpreorder(&root))
            if (withroot || n != &root)
                all.push_back(static_cast<Ref*>(n));
        return all;
    }

    Ref* pick(Ref& root, bool withroot) {
        std::vector<Ref*> all = nodes(root, withroot);
        return all.empty() ? nullptr : all[below(all.size())];
    }

    Object* anyobject(DDoc& doc) {
        const std::size_t count = doc.container().count();
        if (count == 0)
            return nullptr;
        ContainerIterator it = doc.container().iterate();
        for (std::size_t skip = below(count); skip > 0; --skip)
            it.next();
        return static_cast<Object*>(it.current());
    }

    // A page as a search files it, or a reference, folder or saved search.
    void grow(DDoc& doc) {
        const std::string address = url();
        switch (below(5)) {
        case 0: {
            UrlRef* leaf = doc.filedomainnode(address);
            if (leaf && !leaf->target()) {
                ObjectProp props;
                props.url = Str(address);
                props.title = Str("t" + std::to_string(below(5)));
                auto object = std::make_unique<Object>(props);
                object->addflags(Object::Confirmed);
                doc.settarget(*leaf, static_cast<Object*>(doc.container().add(std::move(object))));
            }
            break;
        }
        case 1:
            doc.createresult(anyobject(doc), nullptr, *pick(doc.orgroot(), true), nullptr,
                             below(8) == 0);
            break;
        case 2: {
            ObjectProp props;
            props.title = Str("h" + std::to_string(below(3)));
            doc.createresultobject(props, OrgProp{0, static_cast<std::uint16_t>(below(9))},
                                   *pick(doc.orgroot(), true), nullptr);
            break;
        }
        case 3:
            doc.createfolder(Str("f"), *pick(doc.orgroot(), true), nullptr);
            break;
        default:
            doc.createsearch(Str("s"), *pick(doc.orgroot(), true), nullptr);
            break;
        }
    }

    void step() {
        Ref& orgparent = *pick(doc_.orgroot(), true);
        switch (below(12)) {
        case 0:
        case 1:
            grow(doc_);
            break;
        case 2:
            if (Ref* node = pick(doc_.orgroot(), false))
                doc_.move(orgparent, *node, nullptr);
            break;
        case 3:
            if (Ref* node = pick(doc_.orgroot(), false))
                doc_.copysubtree(*node, orgparent, nullptr);
            break;
        case 4:
            if (Ref* node = pick(doc_.domainroot(), false))
                doc_.copyasorganizer(*node, orgparent, nullptr);
            break;
        case 5:
            if (Ref* node = pick(other_.orgroot(), false))
                doc_.mergefrom(*node, orgparent);
            break;
        case 6: {
            // From the other document, or from this one.
            DDoc& from = below(2) ? other_ : doc_;
            std::vector<const Ref*> selection;
            for (std::size_t n = 1 + below(2); n > 0; --n)
                if (Ref* node = pick(from.orgroot(), false))
                    selection.push_back(node);
            std::unique_ptr<DDoc> clip = from.copyselection(selection);
            doc_.pasteinto(*clip, *pick(doc_.orgroot(), true));
            break;
        }
        case 7:
        case 8: {
            Ref& root = below(2) ? static_cast<Ref&>(doc_.orgroot()) : doc_.domainroot();
            if (Ref* node = pick(root, false))
                doc_.deletesubtree(*node);
            doc_.commit();
            break;
        }
        case 9: {
            std::vector<Ref*> chosen{pick(doc_.orgroot(), true), pick(doc_.domainroot(), true)};
            if (below(2))
                doc_.hide(chosen);
            else
                doc_.show(chosen);
            break;
        }
        case 10:
            doc_.marknew(*pick(doc_.orgroot(), true), true);
            break;
        default:
            grow(other_);
            break;
        }
        recorder_.take();
    }

    // The index of every domain parent answers as a scan would.
    void comparelookups() {
        for (Ref* parent : nodes(doc_.domainroot(), true)) {
            if (!parent->first())
                continue;
            for (const Node* child = parent->first(); child; child = child->next()) {
                const std::string name(static_cast<const Ref*>(child)->name().view());
                Ref *position = nullptr, *expectedPosition = nullptr;
                ASSERT_EQ(doc_.findsorted(*parent, name, &position),
                          test::scanfind(doc_, *parent, name, &expectedPosition));
            }
        }
    }

private:
    std::mt19937 random_;
    DDoc doc_;
    DDoc other_;
    test::DocRecorder recorder_;
};

TEST(DDocRandom, CountsStayTrueThroughEveryOperation) {
    for (int type : {DDoc::HostsByName, DDoc::HostsByHost, DDoc::HostsByCount}) {
        RandomRun run(1234 + type);
        run.doc().setsortservers(type);
        for (int i = 0; i < 2500; ++i) {
            run.step();
            ASSERT_EQ(test::checkdocument(run.doc()), "") << "type " << type << " step " << i;
            if (i % 100 == 99)
                run.comparelookups();
        }
        EXPECT_GT(run.doc().container().count(), 10u);
    }
}

} // namespace
} // namespace qx
