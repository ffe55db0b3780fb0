#pragma once

#include "model/TreeEdit.h"
#include "stream/Arena.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace qx {

class Container;
class LabelTexts;
class DocViews;
class DocWorkers;
class DomainRef;
class Object;
class OrgRef2;
class Ref;
class RefRoot;
class SearchRef;
class Str;
class UrlRef;
class iwstream;
class owstream;
struct FindInfo;
struct ObjectProp;
struct OrgProp;

// One open document: every page once, in the container, and two trees over
// the pages. The organizer tree holds the user's folders, saved searches and
// their results; the domain tree files every address under its host and path
// pieces. Everything that changes a document goes through here, on the
// user-interface thread; the views and the workers hear about it through
// DocViews and DocWorkers.
//
// A document may hold a million pages under tens of thousands of hosts, so it
// keeps indexes beside its trees: the children of domain-tree nodes by name,
// and the nodes of each page. They stay true because nodes of either tree are
// linked, unlinked, given targets and destroyed only through this class (read
// builds a fresh document, whose indexes are made when first needed).
class DDoc {
public:
    // Change hints: what changed since the views were last told.
    enum : std::uint32_t {
        HintProps = 0x02,   // properties of an object or a saved search were replaced
        HintNodes = 0x40,   // nodes were created, moved or deleted
        HintDeleted = 0x80, // nodes or objects were deleted or replaced
    };
    // "SortServersType": how hosts are ordered under the domain root.
    enum : int { HostsByName = 0, HostsByHost = 1, HostsByCount = 2 };

    DDoc();
    ~DDoc();
    DDoc(const DDoc&) = delete;
    DDoc& operator=(const DDoc&) = delete;

    Container& container() { return *container_; }
    RefRoot& orgroot() { return *orgroot_; }
    RefRoot& domainroot() { return *domainroot_; }
    std::uint32_t hints() const { return hints_; }

    // The texts and view options the document's labels and visibility read:
    // whoever makes a document hands it the same ones, so that the window and
    // the command-line tool name what they file alike. Not owned; null (the
    // default) for none. Copies made by copyselection share them.
    void setlabeltexts(const LabelTexts* texts);
    const LabelTexts& labeltexts() const;

    // Neither is owned; null (the default) for none.
    void setviews(DocViews* views) { edit_.setviews(views); }
    void setworkers(DocWorkers* workers) { edit_.setworkers(workers); }
    int sortservers() const { return sortservers_; }
    // Takes the setting; sorthosts puts the hosts in its order.
    void setsortservers(int type) { sortservers_ = type; }
    // The order the children of a domain-tree parent are kept in; names equal
    // under it are one name, which filing never makes twice.
    DomainIndex::Order orderof(const Ref& parent) const;

    // The document file (also the clipboard form of a selection): 0 success;
    // write 1 when the stream failed; read 1 stream failure, 2 bad magic, 3
    // unknown version. read fills a freshly constructed document.
    int write(owstream& out);
    int read(iwstream& in);

    // --- Lookup
    // The domain-tree node of an address, or null; never the root.
    UrlRef* finddomainnode(std::string_view url);
    // The child of a domain-tree node with this name, or null; then position
    // (when given) receives the child the name belongs before (null: the end).
    Ref* findsorted(Ref& parent, std::string_view name, Ref** position = nullptr);
    // The domain-tree node of the node's target's address.
    UrlRef* domaintwin(const Ref& node);
    // The first saved search in pre-order whose query is exactly this text.
    SearchRef* searchbyquery(std::string_view query);
    // The page whose address is exactly this text (byte for byte); null when
    // none or when the text is empty.
    Object* findpage(const std::string& url) const;
    // The object of this document that is the same page as one of another
    // document; null when none.
    Object* findobject(const Object& object) const;
    // The nodes of either tree whose target is the object, in no order.
    std::vector<Ref*> referrers(const Object* object) { return edit_.targets().referrers(object); }
    // Grows whenever a node is linked, moved or destroyed or an object's
    // properties replaced: pointers kept into the trees since then may be stale.
    std::uint64_t stamp() const { return edit_.stamp(); }

    // --- Filing: the domain-tree node of an address, created with its path
    // nodes where missing; null for an address without pieces.
    UrlRef* filedomainnode(std::string_view url);

    // --- Creating. A null `before` means at the end (results under a saved
    // search: at their place in the result order).
    UrlRef& createdomainnode(Ref& parent, const Str& name, Ref* before, bool hidden);
    OrgRef2& createresult(Object* target, const OrgProp* prop, Ref& parent, Ref* before,
                          bool hidden);
    OrgRef2& createresult(const Str& name, const OrgProp* prop, Ref& parent, Ref* before,
                          bool hidden);
    OrgRef2& createresultobject(const ObjectProp& props, const OrgProp& prop, Ref& parent,
                                Ref* before);
    SearchRef& createsearch(const Str& name, Ref& parent, Ref* before);
    OrgRef2& createfolder(const Str& name, Ref& parent, Ref* before);
    // Points a node at an object, counted: the old target loses its
    // reference, the new one gains one.
    void settarget(Ref& node, Object* target) { edit_.settarget(node, target); }

    // --- Placing
    void move(Ref& parent, Ref& node, Ref* before) { edit_.move(parent, node, before); }
    // A result out of the result order among its siblings moves to its place.
    void reposition(Ref& result);
    // Hosts ordered by count only: a host out of order moves to its place.
    void repositionhost(DomainRef& host);
    void sortbydate(Ref& node);
    void sortbysequence(Ref& node);
    void sorthosts();

    // --- Properties
    void setobjectprops(Object& object, const ObjectProp& props);
    // A search run or the checker changes a page while it files: the rows
    // that show the page are drawn again, the views hear at the next commit.
    void replaceprops(Object& page, const ObjectProp& props);
    // Object::mergeprops, with the page's rows drawn again; its answer.
    int mergeprops(Object& page, const ObjectProp& newer);
    void setsearchrequest(SearchRef& search, const FindInfo& request);
    // Tells the views what changed and starts the hints afresh.
    void commit();

    // --- Deleting
    void deletenode(Ref& node);
    // The delete command: the node with its subtree, the nodes of either tree
    // that only stood for the pages deleted, and the pages nobody refers to.
    void deletesubtree(Ref& node);

    // --- Copying, merging and the clipboard
    Ref* copysubtree(const Ref& node, Ref& parent, Ref* before);
    Ref* copyasorganizer(const Ref& node, Ref& parent, Ref* before);
    // Copies a subtree of another document in at the end of parent, its pages
    // joined with the same pages here or added.
    Ref* mergefrom(const Ref& other, Ref& parent);
    // A new document whose organizer tree holds a copy of each node.
    std::unique_ptr<DDoc> copyselection(std::span<const Ref* const> nodes) const;
    // Reads a document from the stream and moves its organizer tree's
    // top-level nodes to the end of parent: 0, -1 for a stream that is not
    // good, or the read's failure.
    int pasteinto(iwstream& in, Ref& parent);
    // The same from a document in memory, which loses those nodes (this
    // document takes copies).
    void pasteinto(DDoc& source, Ref& parent);
    // After a subtree came from another document: every node's target becomes
    // the page of this document (filed in the domain tree when it has an
    // address).
    void adopttargets(Ref& node);

    // --- Marks
    void marknew(Ref& node, bool withtwin);
    void markchanged(Ref& node);
    void markseen(Ref& node);
    void setbusy(Ref& node, bool on);
    void setcheckstate(Ref& node, std::uint16_t state);
    // The view side of a node whose visibility or marks changed by hand: give
    // it an item (when its parent has one and it is visible), take its item
    // away, or draw it again.
    void showitem(Ref& node) { edit_.showitem(node); }
    void removeitem(Ref& node) { edit_.removeitem(node); }
    void repaint(Ref& node) { edit_.repaint(node); }
    // The views' hide and show commands on a selection.
    void hide(std::span<Ref* const> nodes);
    void show(std::span<Ref* const> nodes);

private:
    // Every node whose label shows the page's properties takes its label
    // again: the page's nodes in both trees and the results right below them,
    // which name themselves by their address when they share their parent's
    // title.
    void relabel(const Object& page);
    friend class SubtreeDeleter;
    friend class HiddenMarks;

    Ref& fileone(Ref& parent, std::string_view piece, bool& created);
    // Puts the derived hidden mark right on the parents the last change of
    // structure touched.
    void settlemarks();
    void bumphost(DomainRef& host);
    void movehost(DomainRef& host, std::uint32_t count);
    OrgRef2& placeresult(std::unique_ptr<OrgRef2> node, Object* target, const OrgProp* prop,
                         Ref& parent, Ref* before, bool hidden);
    Object& createobject(const ObjectProp& props, std::uint16_t flags);
    void removeobject(Object& object);
    void childrenreordered(Ref& node);

    // Where a read places the pages, nodes and texts it makes: declared
    // first, so that it goes after everything that lives in it.
    Arena arena_;
    std::unique_ptr<Container> container_;
    std::unique_ptr<RefRoot> orgroot_;
    std::unique_ptr<RefRoot> domainroot_;
    std::uint32_t hints_ = 0;
    int sortservers_ = HostsByName;
    TreeEdit edit_;
    // The objects whose change mask commit clears.
    std::unordered_set<Object*> changedobjects_;
};

} // namespace qx
