#include "ScanReference.h"

#include "model/DDoc.h"
#include "model/DomainRef.h"
#include "model/NameCollation.h"
#include "model/RefOrder.h"
#include "model/RefRoot.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

namespace qx {
namespace {

class Names {
public:
    explicit Names(unsigned seed) : random_(seed) {}

    std::size_t below(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }

    // Short names from a few letters, so that siblings collide in every way:
    // equal, equal but for case, and sharing prefixes.
    std::string word(std::size_t maxlength) {
        static const char letters[] = "abAB.c";
        std::string text;
        for (std::size_t n = 1 + below(maxlength); n > 0; --n)
            text += letters[below(sizeof letters - 1)];
        return text;
    }

    std::string host() { return "s://" + word(4); }

    std::string url() {
        std::string text = host();
        for (std::size_t depth = below(3); depth > 0; --depth)
            text += "/" + word(2);
        return text + "/" + word(3);
    }

    std::string recase(std::string text) {
        for (char& c : text)
            if (below(2))
                c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 32
                                                           : (c >= 'A' && c <= 'Z' ? c + 32 : c));
        return text;
    }

private:
    std::mt19937 random_;
};

std::vector<Ref*> parents(DDoc& doc) {
    std::vector<Ref*> found;
    for (Tree* n = &doc.domainroot(); n; n = n->nextpreorder(&doc.domainroot()))
        if (n->first())
            found.push_back(static_cast<Ref*>(n));
    return found;
}

// Asks the index and the plain scan the same questions, on every kind of
// parent, with names that exist, exist in another case, and do not exist.
void compareLookups(DDoc& doc, Names& names, const char* when) {
    std::vector<Ref*> all = parents(doc);
    for (int round = 0; round < 3000; ++round) {
        Ref* parent = round % 3 == 0 ? &doc.domainroot() : all[names.below(all.size())];
        std::string name;
        if (round % 4 == 3) {
            name = parent == &doc.domainroot() ? names.host() : names.word(3);
        } else {
            name = std::string(
                static_cast<Ref*>(parent->nth(names.below(parent->count())))->name().view());
            if (round % 2)
                name = names.recase(name);
        }
        Ref* position = nullptr;
        Ref* expectedPosition = nullptr;
        Ref* found = doc.findsorted(*parent, name, &position);
        Ref* expected = test::scanfind(doc, *parent, name, &expectedPosition);
        ASSERT_EQ(found, expected) << when << " type " << doc.sortservers() << " name " << name;
        if (!found) {
            ASSERT_EQ(position, expectedPosition) << when << " name " << name;
        }
    }
}

TEST(DomainIndex, AnswersAsTheScanInEveryOrder) {
    for (int type : {DDoc::HostsByName, DDoc::HostsByHost, DDoc::HostsByCount}) {
        DDoc doc;
        doc.setsortservers(type);
        Names names(7 + type);
        for (int i = 0; i < 4000; ++i)
            doc.filedomainnode(names.recase(names.url()));
        ASSERT_GT(doc.domainroot().count(), 100u);
        compareLookups(doc, names, "filed");

        // Under another setting the hosts are out of order until sorted.
        doc.setsortservers((type + 1) % 3);
        compareLookups(doc, names, "unsorted");
        doc.sorthosts();
        compareLookups(doc, names, "sorted");

        // Nodes linked anywhere, as a document from elsewhere may hold them.
        std::vector<Ref*> all = parents(doc);
        for (int i = 0; i < 300; ++i) {
            Ref* parent = all[names.below(all.size())];
            doc.createdomainnode(*parent, Str(names.word(3)),
                                 static_cast<Ref*>(parent->nth(names.below(parent->count()))),
                                 false);
        }
        compareLookups(doc, names, "disordered");
    }
}

// Where filing puts hosts, against the steps written out on a plain vector.
class HostListModel {
public:
    explicit HostListModel(int type) : type_(type) {}

    void file(const std::string& host, const std::string& url) {
        std::size_t at = 0;
        for (; at < hosts_.size(); ++at) {
            const int c = compare(hosts_[at].name, host);
            if (c == 0)
                break;
            if (c > 0 && type_ != DDoc::HostsByCount) {
                hosts_.insert(hosts_.begin() + at, {host, 0});
                break;
            }
        }
        if (at == hosts_.size())
            hosts_.push_back({host, 0});
        if (!seen_.insert(url).second)
            return;
        ++hosts_[at].count;
        if (type_ == DDoc::HostsByCount)
            reposition(at);
    }

    std::string names() const {
        std::string text;
        for (const auto& h : hosts_)
            text += (text.empty() ? "" : ",") + h.name;
        return text;
    }

private:
    struct Host {
        std::string name;
        std::uint32_t count;
    };

    int compare(const std::string& a, const std::string& b) const {
        if (type_ != DDoc::HostsByHost)
            return collation::comparenocase(a, b);
        const UrlRef ra{Str(a)}, rb{Str(b)};
        return RefOrder::byhost(&ra, &rb);
    }

    void reposition(std::size_t at) {
        const std::uint32_t count = hosts_[at].count;
        if ((at == 0 || hosts_[at - 1].count >= count) &&
            (at + 1 == hosts_.size() || hosts_[at + 1].count <= count))
            return;
        Host moving = hosts_[at];
        hosts_.erase(hosts_.begin() + at);
        std::size_t to = hosts_.size();
        while (to > 0 && hosts_[to - 1].count < count)
            --to;
        hosts_.insert(hosts_.begin() + to, moving);
    }

    int type_;
    std::vector<Host> hosts_;
    std::set<std::string> seen_;
};

TEST(DomainIndex, PlacesHostsAsTheStepsSay) {
    for (int type : {DDoc::HostsByName, DDoc::HostsByHost, DDoc::HostsByCount}) {
        DDoc doc;
        doc.setsortservers(type);
        HostListModel model(type);
        Names names(99 + type);
        for (int i = 0; i < 3000; ++i) {
            // Host names without letter-case variants, so that the model's
            // notion of "the same page" is plain text equality.
            const std::string host = "s://" + std::to_string(names.below(60) * 7919 % 1000);
            const std::string url = host + "/" + std::to_string(names.below(40));
            doc.filedomainnode(url);
            model.file(host, url);
            ASSERT_EQ(test::childnames(doc.domainroot()), model.names())
                << "type " << type << " step " << i;
        }
    }
}

} // namespace
} // namespace qx
