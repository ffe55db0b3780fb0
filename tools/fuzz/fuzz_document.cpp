// Documents arrive as files and from the clipboard: reading must survive any
// bytes. A document that does load must also write out and read back to the
// same bytes, so that what the reader accepted is something the format can
// hold. Filing into it, whatever order its lists were written in, must find
// every address it holds and never make two siblings of one name.
#include "model/DDoc.h"
#include "model/RefRoot.h"
#include "model/URLPartIterator.h"
#include "stream/memwstream.h"
#include "stream/mwstream.h"

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Bounds the work per input: lists longer than this are not compared pair by
// pair, and no more nodes than this are filed again.
constexpr std::size_t kMaxPairList = 128;
constexpr std::size_t kMaxRefiled = 200;

std::vector<char> written(qx::DDoc& doc) {
    qx::mwstream out(4096);
    if (doc.write(out) != 0)
        __builtin_trap();
    const char* data = out.buffer().data();
    return std::vector<char>(data, data + out.buffer().size());
}

qx::Ref* asref(qx::Tree* node) {
    return static_cast<qx::Ref*>(node);
}

// Pairs of siblings in the domain tree whose names are one name under their
// parent's order.
std::size_t equalpairs(qx::DDoc& doc) {
    qx::RefRoot& root = doc.domainroot();
    std::size_t pairs = 0;
    for (qx::Tree* parent = &root; parent; parent = parent->nextpreorder(&root)) {
        if (parent->count() > kMaxPairList)
            continue;
        qx::List::Compare compare = qx::DomainIndex::compareof(doc.orderof(*asref(parent)));
        for (qx::Node* a = parent->first(); a; a = a->next())
            for (qx::Node* b = a->next(); b; b = b->next())
                pairs += compare(a, b) == 0;
    }
    return pairs;
}

std::size_t nodecount(qx::DDoc& doc) {
    std::size_t count = 0;
    for (qx::Tree* n = &doc.domainroot(); n; n = n->nextpreorder(&doc.domainroot()))
        ++count;
    return count;
}

// The names from the host down to a node; empty when a node on the way has an
// earlier sibling of its name (a file may hold such twins), since its address
// then names that sibling.
std::vector<std::string> namesto(qx::DDoc& doc, qx::Ref& node) {
    std::vector<std::string> names;
    for (qx::Tree* n = &node; n && n->parent(); n = n->parent()) {
        qx::List::Compare compare = qx::DomainIndex::compareof(doc.orderof(*asref(n->parent())));
        for (qx::Node* before = n->prev(); before; before = before->prev())
            if (compare(before, n) == 0)
                return {};
        names.insert(names.begin(), std::string(asref(n)->name().view()));
    }
    return names;
}

// The address a chain of names is filed under, when the pieces of the joined
// names are the names themselves (a name holding a slash or a query is not).
bool addressof(const std::vector<std::string>& names, std::string& url) {
    url.clear();
    for (const std::string& name : names)
        url += (url.empty() ? "" : "/") + name;
    qx::URLPartIterator pieces(url);
    std::size_t at = 0;
    while (pieces.Next()) {
        if (at == names.size() || pieces.Piece() != names[at++])
            return false;
        pieces.Advance();
    }
    if (!pieces.Piece().empty() && (at == names.size() || pieces.Piece() != names[at++]))
        return false;
    return at == names.size();
}

// Files every address the domain tree holds (as far as the bounds go) and any
// address at all that the document names: the first are found, nothing makes
// a new pair of siblings of one name (a file may already hold some).
void refile(qx::DDoc& doc) {
    const std::size_t pairs = equalpairs(doc);
    std::vector<std::vector<std::string>> chains;
    qx::RefRoot& root = doc.domainroot();
    for (qx::Tree* n = root.nextpreorder(&root); n && chains.size() < kMaxRefiled;
         n = n->nextpreorder(&root))
        if (std::vector<std::string> names = namesto(doc, *asref(n)); !names.empty())
            chains.push_back(std::move(names));
    std::string url;
    for (const auto& names : chains) {
        const std::size_t before = nodecount(doc);
        if (addressof(names, url) && (!doc.filedomainnode(url) || nodecount(doc) != before))
            __builtin_trap();
        doc.filedomainnode(url + "/x");
    }
    if (equalpairs(doc) > pairs)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > INT_MAX)
        return 0;
    std::vector<char> bytes(data, data + size);
    qx::memwstream in(bytes.data(), static_cast<int>(size));
    qx::DDoc doc;
    if (doc.read(in) != 0)
        return 0;
    std::vector<char> first = written(doc);
    qx::memwstream again(first.data(), static_cast<int>(first.size()));
    qx::DDoc copy;
    if (copy.read(again) != 0 || written(copy) != first)
        __builtin_trap();
    // Under each host order in turn, as the document would be opened with it.
    copy.setsortservers(static_cast<int>(size % 3));
    refile(copy);
    return 0;
}
