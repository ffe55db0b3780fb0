#include "exchange/BrowserImport.h"
#include "ExchangeTestSupport.h"
#include "PlacesFixture.h"
#include "TempDir.h"
#include "exchange/ChromiumBookmarks.h"
#include "exchange/OrganizerPath.h"
#include "model/Container.h"
#include "model/UrlRef.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace qx {
namespace {

using test::ExchangeDoc;
using test::PlacesFixture;

// --- A Bookmarks file as Chromium writes it, with its checksum: MD5 over
// each node in the order written, a url as its id, its title in UTF-16LE,
// "url" and the address; a folder as its id, title and "folder".
class ChromiumFile {
public:
    std::string url(const std::string& name, const std::string& address,
                    const std::string& added = "13285932710000000") {
        const std::string id = std::to_string(++ids_);
        sum(id);
        sum(utf16(name));
        sum("url");
        sum(address);
        return R"({"date_added": ")" + added + R"(", "date_last_used": "0", "guid": "g)" + id +
               R"(", "id": ")" + id + R"(", "meta_info": {"last_visited_desktop": "1"}, "name": )" +
               quoted(name) + R"(, "type": "url", "url": )" + quoted(address) + "}";
    }
    // Chromium writes the children first, so the folder's own fields come
    // after them; the checksum takes the folder before its children, which
    // the caller makes first.
    std::string folder(const std::string& id, const std::string& name,
                       const std::vector<std::string>& children) {
        std::string text = R"({"children": [)";
        for (std::size_t i = 0; i < children.size(); ++i)
            text += (i ? ", " : "") + children[i];
        return text + R"(], "date_added": "13285932700000000", "date_modified": "0", "guid": "f)" +
               id + R"(", "id": ")" + id + R"(", "name": )" + quoted(name) +
               R"(, "type": "folder"})";
    }
    std::string folderid(const std::string& name) {
        const std::string id = std::to_string(++ids_);
        sum(id);
        sum(utf16(name));
        sum("folder");
        return id;
    }
    std::string file(const std::string& bar, const std::string& other, const std::string& synced) {
        unsigned char digest[EVP_MAX_MD_SIZE];
        unsigned int length = 0;
        EVP_DigestFinal_ex(md5_.get(), digest, &length);
        std::string hex;
        for (unsigned int i = 0; i < length; ++i) {
            static const char kDigits[] = "0123456789abcdef";
            hex += kDigits[digest[i] >> 4];
            hex += kDigits[digest[i] & 15];
        }
        return "{\n   \"checksum\": \"" + hex +
               "\",\n   \"roots\": {\n      \"bookmark_bar\": " + bar +
               ",\n      \"other\": " + other + ",\n      \"synced\": " + synced +
               "\n   },\n   \"version\": 1\n}\n";
    }

private:
    static std::string quoted(const std::string& text) {
        std::string q = "\"";
        for (char c : text) {
            if (c == '"' || c == '\\')
                q += '\\';
            if (static_cast<unsigned char>(c) < 0x20) {
                char escape[8];
                std::snprintf(escape, sizeof escape, "\\u%04x", c);
                q += escape;
            } else {
                q += c;
            }
        }
        return q + "\"";
    }
    // UTF-8 (BMP only, as the tests' titles are) to UTF-16LE bytes.
    static std::string utf16(const std::string& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size();) {
            const auto c = static_cast<unsigned char>(text[i]);
            unsigned cp = c;
            if (c >= 0xE0) {
                cp = ((c & 0x0Fu) << 12) | ((text[i + 1] & 0x3Fu) << 6) | (text[i + 2] & 0x3Fu);
                i += 3;
            } else if (c >= 0xC0) {
                cp = ((c & 0x1Fu) << 6) | (text[i + 1] & 0x3Fu);
                i += 2;
            } else {
                ++i;
            }
            out += static_cast<char>(cp & 0xFF);
            out += static_cast<char>(cp >> 8);
        }
        return out;
    }
    void sum(const std::string& bytes) { EVP_DigestUpdate(md5_.get(), bytes.data(), bytes.size()); }

    struct FreeDigest {
        void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
    };
    std::unique_ptr<EVP_MD_CTX, FreeDigest> md5_{[] {
        EVP_MD_CTX* context = EVP_MD_CTX_new();
        EVP_DigestInit_ex(context, EVP_md5(), nullptr);
        return context;
    }()};
    int ids_ = 0;
};

// A profile of the Chromium family with a bar, a nested folder, other
// bookmarks with hostile entries and an empty mobile root.
std::string chromiumprofile() {
    ChromiumFile f;
    const std::string barid = f.folderid("Bookmarks bar");
    const std::string workid = f.folderid("Work");
    const std::string one = f.url("One", "https://example.org/one");
    const std::string innerid = f.folderid("Inner");
    const std::string two = f.url("Два", "https://example.org/two", "13300000000000000");
    const std::string inner = f.folder(innerid, "Inner", {two});
    const std::string work = f.folder(workid, "Work", {one, inner});
    const std::string top = f.url("Top", "https://example.com/");
    const std::string bar = f.folder(barid, "Bookmarks bar", {work, top});
    const std::string otherid = f.folderid("Other bookmarks");
    const std::string script = f.url("Script", "javascript:alert(1)");
    const std::string data = f.url("Data", "data:text/html,<b>x</b>");
    const std::string noisy = f.url(std::string("Tab\there\x01\x7f") + std::string(2000, 'x'),
                                    "https://example.net/noisy");
    const std::string other = f.folder(otherid, "Other bookmarks", {script, data, noisy});
    const std::string syncedid = f.folderid("Mobile bookmarks");
    return f.file(bar, other, f.folder(syncedid, "Mobile bookmarks", {}));
}

// The document's state: nothing may change when an import fails.
struct Snapshot {
    explicit Snapshot(DDoc& doc)
        : stamp(doc.stamp()), objects(doc.container().count()), top(doc.orgroot().count()) {}
    bool operator==(const Snapshot&) const = default;
    std::uint64_t stamp;
    std::size_t objects;
    std::size_t top;
};

std::string titleat(DDoc& doc, const std::string& path) {
    const Ref* node = OrganizerPath::find(doc, path);
    return node && node->target() ? std::string(node->target()->props().title.view()) : "<none>";
}

TEST(ChromiumImport, FoldersUrlsDatesAndTheHostileEntriesOfAProfile) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.file("Default"));
    dir.write("Default/Bookmarks", chromiumprofile());
    ExchangeDoc d;
    BrowserImport import;
    ASSERT_EQ(import.read(dir.file("Default"), {}), BrowserImport::Ok) << import.message();
    EXPECT_EQ(import.foldername(), "Chromium: Default");
    ASSERT_TRUE(import.place(d.doc));
    EXPECT_EQ(import.added(), 4u);
    EXPECT_EQ(import.skipped(), 2u);

    const std::string base = "Chromium: Default/Bookmarks bar/";
    EXPECT_EQ(titleat(d.doc, base + "Work/One"), "One");
    const Ref* two = OrganizerPath::find(d.doc, base + "Work/Inner/Два");
    ASSERT_NE(two, nullptr);
    const platform::SystemTime& date = two->target()->props().modified;
    // 13300000000000000 microseconds after 1601 is 2022-06-18 04:26:40 UTC.
    EXPECT_EQ(date.year, 2022);
    EXPECT_EQ(date.month, 6);
    EXPECT_EQ(date.day, 18);
    EXPECT_EQ(date.hour, 4);
    EXPECT_EQ(OrganizerPath::find(d.doc, base + "Top")->target()->props().modified.day, 6);
    // Children keep the file's order.
    const Ref* bar = OrganizerPath::find(d.doc, "Chromium: Default/Bookmarks bar");
    EXPECT_EQ(static_cast<const Ref*>(bar->firstchild())->name().view(), "Work");
    // Pages are filed in the domain tree like any other.
    EXPECT_EQ(d.doc.finddomainnode("https://example.org/one")->target(),
              OrganizerPath::find(d.doc, base + "Work/One")->target());

    const Ref* other = OrganizerPath::find(d.doc, "Chromium: Default/Other bookmarks");
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(other->count(), 1u);
    const std::string noisy(
        static_cast<const Ref*>(other->firstchild())->target()->props().title.view());
    EXPECT_EQ(noisy.substr(0, 9), "Tab herex");
    EXPECT_EQ(noisy.size(), BookmarkTree::kMaxTitle);
    EXPECT_EQ(OrganizerPath::find(d.doc, "Chromium: Default/Mobile bookmarks"), nullptr);
}

TEST(ChromiumImport, DamagedFilesAndEmptyProfilesLeaveTheDocumentAlone) {
    test::TempDir dir;
    ExchangeDoc d;
    d.reference("Mine", "https://example.org/one");
    const Snapshot before(d.doc);
    const std::string whole = chromiumprofile();
    std::filesystem::create_directories(dir.file("p"));
    for (const std::string& bytes :
         {whole.substr(0, whole.size() / 2), whole.substr(0, whole.size() - 3),
          std::string("{\"version\": 1}"), std::string("\xEF\xBB\xBF[1,2"), std::string(),
          std::string(100000, '[')}) {
        dir.write("p/Bookmarks", bytes);
        BrowserImport import;
        EXPECT_NE(import.read(dir.file("p/Bookmarks"), {}), BrowserImport::Ok) << bytes.size();
        EXPECT_FALSE(import.message().empty());
        EXPECT_FALSE(import.place(d.doc));
        EXPECT_EQ(Snapshot(d.doc), before);
    }
    std::filesystem::create_directories(dir.file("empty"));
    BrowserImport import;
    EXPECT_EQ(import.read(dir.file("empty"), {}), BrowserImport::NoBookmarks);
    EXPECT_NE(import.message().find("neither"), std::string::npos);
    dir.write("p/Bookmarks",
              ChromiumFile().file(R"({"children": [], "name": "b", "type": "folder"})",
                                  R"({"type": "folder"})", "null"));
    EXPECT_EQ(import.read(dir.file("p/Bookmarks"), {}), BrowserImport::NoBookmarks);
    EXPECT_EQ(import.read(dir.file("missing"), {}), BrowserImport::Unreadable);
}

TEST(ChromiumImport, OddButWholeJsonIsTakenAsFarAsItMakesSense) {
    BookmarkTree tree;
    // Wrong types, unknown keys and nodes, a url with children, deep nesting.
    std::string deep = R"({"roots": {"other": {"children": [)";
    for (int i = 0; i < 5000; ++i)
        deep += R"({"type": "folder", "name": "d", "children": [)";
    deep += R"({"type": "url", "url": "https://example.org/deep", "name": 7})";
    for (int i = 0; i < 5000; ++i)
        deep += "]}";
    deep +=
        R"(, {"type": "url", "url": 5, "date_added": {"x": 1}}, {"children": [], "type": "url", "url": "https://e.org/empty", "name": "e"}, {"type": "url", "url": "https://e.org/", "date_added": 12345678901234567890, "children": [{"type": "url", "url": "https://e.org/in"}]}], "type": "folder"}, "custom": {"children": [{"type": "url", "url": "https://e.org/skip"}]}}})";
    ASSERT_EQ(ChromiumBookmarks::read(deep, tree), ChromiumBookmarks::Ok);
    EXPECT_EQ(tree.folders(), 5002u);
    EXPECT_EQ(tree.bookmarks(), 3u);
    EXPECT_EQ(tree.items()[5002].url, "https://e.org/empty");
    EXPECT_EQ(tree.items()[5001].url, "https://example.org/deep");
    EXPECT_EQ(tree.items()[5001].parent, 5000u);
}

// --- Firefox

TEST(FirefoxImport, FoldersInPositionOrderWithoutSeparatorsTagsOrPlaceQueries) {
    test::TempDir dir;
    {
        PlacesFixture places(dir.file("places.sqlite"));
        const auto work = places.folder(PlacesFixture::kMenu, "Work");
        places.bookmark(work, "https://example.org/one", "One", 1600000001000000);
        places.separator(work);
        places.bookmark(work, "place:sort=8&maxResults=10", "Most Visited");
        places.bookmark(work, "javascript:void(0)", "Bookmarklet");
        const auto inner = places.folder(work, "Inner");
        places.bookmark(inner, "https://example.org/two", "Two\x01\x02");
        places.bookmark(PlacesFixture::kToolbar, "https://example.com/", "Top");
        const auto tag = places.folder(PlacesFixture::kTags, "tagged");
        places.bookmark(tag, "https://example.org/one", "");
        places.bookmark(PlacesFixture::kUnfiled, "https://example.net/", "Loose");
        // Positions decide the order, not the order of the rows.
        places.exec("UPDATE moz_bookmarks SET position = 9 WHERE title = 'One'");
    }
    ExchangeDoc d;
    BrowserImport import;
    ASSERT_EQ(import.read(dir.file("places.sqlite"), {}), BrowserImport::Ok) << import.message();
    ASSERT_TRUE(import.place(d.doc));
    EXPECT_EQ(import.added(), 4u);
    EXPECT_EQ(import.skipped(), 2u);
    const std::string top = "Firefox: " + std::filesystem::path(dir.path()).filename().string();
    EXPECT_EQ(import.foldername(), top);
    const Ref* work = OrganizerPath::find(d.doc, top + "/Bookmarks Menu/Work");
    ASSERT_NE(work, nullptr);
    ASSERT_EQ(work->count(), 2u);
    EXPECT_EQ(static_cast<const Ref*>(work->firstchild())->name().view(), "Inner");
    EXPECT_EQ(titleat(d.doc, top + "/Bookmarks Menu/Work/Inner/Two"), "Two");
    const platform::SystemTime& date =
        OrganizerPath::find(d.doc, top + "/Bookmarks Menu/Work/One")->target()->props().modified;
    EXPECT_EQ(date.year, 2020);
    EXPECT_EQ(date.month, 9);
    EXPECT_EQ(date.day, 13);
    EXPECT_EQ(date.hour, 12);
    EXPECT_EQ(titleat(d.doc, top + "/Bookmarks Toolbar/Top"), "Top");
    EXPECT_EQ(titleat(d.doc, top + "/Other Bookmarks/Loose"), "Loose");
    EXPECT_EQ(OrganizerPath::find(d.doc, top + "/tags"), nullptr);
    EXPECT_EQ(OrganizerPath::find(d.doc, top + "/Mobile Bookmarks"), nullptr);
}

TEST(FirefoxImport, WhatTheBrowserHoldsLockedInItsLogIsRead) {
    test::TempDir dir;
    PlacesFixture places(dir.file("places.sqlite"), true);
    places.bookmark(PlacesFixture::kToolbar, "https://example.org/recent", "Recent");
    ASSERT_TRUE(std::filesystem::exists(dir.file("places.sqlite-wal")));
    ASSERT_GT(std::filesystem::file_size(dir.file("places.sqlite-wal")), 0u);
    ExchangeDoc d;
    BrowserImport import;
    ASSERT_EQ(import.read(dir.path(), {}), BrowserImport::Ok) << import.message();
    ASSERT_TRUE(import.place(d.doc));
    EXPECT_EQ(import.added(), 1u);
    // Nothing was made beside the browser's files.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"places.sqlite", "places.sqlite-wal"}));
    places.bookmark(PlacesFixture::kToolbar, "https://example.org/later", "Later");
    ASSERT_EQ(import.read(dir.path(), {}), BrowserImport::Ok) << import.message();
    import.place(d.doc);
    EXPECT_EQ(import.added(), 1u);
    EXPECT_EQ(import.present(), 1u);
}

TEST(FirefoxImport, DamagedOrForeignDatabasesLeaveTheDocumentAlone) {
    test::TempDir dir;
    {
        PlacesFixture places(dir.file("good.sqlite"));
        places.exec("BEGIN");
        for (int i = 0; i < 500; ++i)
            places.bookmark(PlacesFixture::kMenu, "https://example.org/" + std::to_string(i),
                            std::string(200, 'x'));
        places.exec("COMMIT");
    }
    const std::string good = test::TempDir::read(dir.file("good.sqlite"));
    ASSERT_GT(good.size(), 20000u);
    std::string scrambled = good;
    for (std::size_t i = 4096; i < scrambled.size(); i += 7)
        scrambled[i] = static_cast<char>(scrambled[i] ^ 0x5A);
    {
        PlacesFixture other(dir.file("other.sqlite"));
        other.exec("DROP TABLE moz_bookmarks");
    }
    dir.write("truncated.sqlite", good.substr(0, good.size() / 3));
    dir.write("scrambled.sqlite", scrambled);
    dir.write("header.sqlite", good.substr(0, 100));
    ExchangeDoc d;
    d.reference("Mine", "https://example.org/1");
    const Snapshot before(d.doc);
    for (const char* name :
         {"truncated.sqlite", "scrambled.sqlite", "header.sqlite", "other.sqlite"}) {
        BrowserImport import;
        EXPECT_EQ(import.read(dir.file(name), {}), BrowserImport::Damaged) << name;
        EXPECT_FALSE(import.message().empty()) << name;
        EXPECT_FALSE(import.place(d.doc));
        EXPECT_EQ(Snapshot(d.doc), before) << name;
    }
}

TEST(FirefoxImport, ACycleInTheParentsEndsAndEveryRowCountsOnce) {
    test::TempDir dir;
    {
        PlacesFixture places(dir.file("places.sqlite"));
        const auto a = places.folder(PlacesFixture::kMenu, "a");
        const auto b = places.folder(a, "b");
        places.bookmark(b, "https://example.org/b", "B");
        // The root under its own grandchild, and a folder that is its own parent.
        places.exec("UPDATE moz_bookmarks SET parent = " + std::to_string(b) + " WHERE id = 1");
        places.exec("INSERT INTO moz_bookmarks (id, type, parent, position, title, guid) VALUES "
                    "(500, 2, 500, 0, 'self', 'selfselfself')");
    }
    BrowserImport import;
    ASSERT_EQ(import.read(dir.file("places.sqlite"), {}), BrowserImport::Ok) << import.message();
    EXPECT_EQ(import.tree().bookmarks(), 1u);
    EXPECT_EQ(import.tree().folders(), 3u);
}

// --- Importing again

TEST(BrowserImportAgain, AddsOnlyWhatIsMissingAndKeepsWhatThePagesHave) {
    test::TempDir dir;
    PlacesFixture places(dir.file("places.sqlite"));
    const auto work = places.folder(PlacesFixture::kMenu, "Work");
    places.bookmark(work, "https://example.org/one", "One from Firefox", 1600000001000000);
    places.bookmark(work, "https://example.org/two", "Two");
    places.bookmark(PlacesFixture::kToolbar, "https://example.org/one", "One again");
    ExchangeDoc d;
    // A page the document knows already, with its own title and date.
    Ref& mine = d.reference("Mine", "https://example.org/one");
    ObjectProp props = mine.target()->props();
    props.modified.year = 2001;
    props.modified.month = 2;
    props.modified.day = 3;
    d.doc.setobjectprops(*mine.target(), props);
    const std::vector<BrowserProfile> known{
        {BrowserProfile::Firefox, "Firefox ESR", "default-esr", dir.file("places.sqlite")}};

    BrowserImport first;
    ASSERT_EQ(first.read(dir.file("places.sqlite"), known), BrowserImport::Ok);
    EXPECT_EQ(first.foldername(), "Firefox ESR: default-esr");
    first.place(d.doc);
    EXPECT_EQ(first.added(), 3u);
    const std::string menu = "Firefox ESR: default-esr/Bookmarks Menu/Work/";
    const Ref* one = OrganizerPath::find(d.doc, menu + "Mine");
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->target(), mine.target());
    EXPECT_EQ(one->target()->props().modified.year, 2001);
    EXPECT_EQ(titleat(d.doc, menu + "Two"), "Two");

    const Snapshot once(d.doc);
    BrowserImport second;
    ASSERT_EQ(second.read(dir.file("places.sqlite"), known), BrowserImport::Ok);
    second.place(d.doc);
    EXPECT_EQ(second.added(), 0u);
    EXPECT_EQ(second.present(), 3u);
    EXPECT_EQ(Snapshot(d.doc), once);

    // Deleted here: it comes back. Moved out of the import folder: missing.
    d.doc.deletesubtree(*OrganizerPath::find(d.doc, menu + "Two"));
    d.doc.move(d.doc.orgroot(),
               *OrganizerPath::find(d.doc, "Firefox ESR: default-esr/Bookmarks "
                                           "Toolbar/Mine"),
               nullptr);
    places.bookmark(work, "https://example.org/three", "Three");
    BrowserImport third;
    ASSERT_EQ(third.read(dir.file("places.sqlite"), known), BrowserImport::Ok);
    third.place(d.doc);
    EXPECT_EQ(third.added(), 3u);
    EXPECT_EQ(third.present(), 1u);
    EXPECT_EQ(titleat(d.doc, menu + "Two"), "Two");
    EXPECT_EQ(titleat(d.doc, menu + "Three"), "Three");
    EXPECT_EQ(titleat(d.doc, "Firefox ESR: default-esr/Bookmarks Toolbar/Mine"), "Mine");
    // One folder of that name, however often it is imported.
    std::size_t folders = 0;
    for (Tree* n = d.doc.orgroot().firstchild(); n; n = n->nextsibling())
        folders += static_cast<Ref*>(n)->name().view() == "Firefox ESR: default-esr";
    EXPECT_EQ(folders, 1u);
}

TEST(BrowserImportAgain, ALargeProfileArrivesWholeAndInOrder) {
    test::TempDir dir;
    {
        PlacesFixture places(dir.file("places.sqlite"));
        places.exec("BEGIN");
        for (int f = 0; f < 100; ++f) {
            const auto folder = places.folder(PlacesFixture::kMenu, "F" + std::to_string(f));
            for (int i = 0; i < 200; ++i)
                places.bookmark(folder,
                                "https://h" + std::to_string(i % 37) + ".example.org/" +
                                    std::to_string(f) + "/" + std::to_string(i),
                                "P" + std::to_string(i));
        }
        places.exec("COMMIT");
    }
    ExchangeDoc d;
    BrowserImport import;
    ASSERT_EQ(import.read(dir.file("places.sqlite"), {}), BrowserImport::Ok);
    import.place(d.doc);
    EXPECT_EQ(import.added(), 20000u);
    const Ref* menu = static_cast<const Ref*>(d.doc.orgroot().firstchild()->firstchild());
    ASSERT_EQ(menu->count(), 100u);
    const Ref* last = static_cast<const Ref*>(menu->lastchild());
    EXPECT_EQ(last->name().view(), "F99");
    EXPECT_EQ(static_cast<const Ref*>(last->lastchild())->target()->props().title.view(), "P199");
    EXPECT_EQ(static_cast<const Ref*>(last->lastchild())->target()->props().url.view(),
              "https://h14.example.org/99/199");
}

} // namespace
} // namespace qx
