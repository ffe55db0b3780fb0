#include "exchange/FirefoxPlaces.h"

#include "exchange/BookmarkTree.h"
#include "platform/FileSystem.h"
#include "platform/FileTime.h"
#include "platform/PrivateFolder.h"

#include <sqlite3.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qx {

namespace {

struct CloseDatabase {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};

struct FinalizeStatement {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};

struct Row {
    std::int64_t id = 0;
    std::int64_t parent = 0;
    int type = 0;
    std::int64_t added = 0;
    std::string title;
    std::string url;
    std::string guid;
};

enum : int { kBookmark = 1, kFolder = 2 };

constexpr std::string_view kRootGuid = "root________";
constexpr std::string_view kTagsGuid = "tags________";

// The names the roots go by; Firefox stores only short words for them.
std::string_view rootname(const Row& row) {
    if (row.guid == "menu________")
        return "Bookmarks Menu";
    if (row.guid == "toolbar_____")
        return "Bookmarks Toolbar";
    if (row.guid == "unfiled_____")
        return "Other Bookmarks";
    if (row.guid == "mobile______")
        return "Mobile Bookmarks";
    return row.title;
}

platform::FileTime prtime(std::int64_t micro) {
    constexpr std::int64_t kLimit =
        static_cast<std::int64_t>((UINT64_MAX - platform::kUnixEpochFileTime) / 10);
    if (micro <= 0 || micro > kLimit)
        return 0;
    return platform::kUnixEpochFileTime + static_cast<platform::FileTime>(micro) * 10;
}

std::string text(sqlite3_stmt* statement, int column) {
    const auto* bytes = sqlite3_column_text(statement, column);
    return bytes ? std::string(reinterpret_cast<const char*>(bytes),
                               static_cast<std::size_t>(sqlite3_column_bytes(statement, column)))
                 : std::string();
}

// Puts the rows into the tree: from the children of the root down, without
// recursion, each row at most once (a damaged table may hold a cycle).
void build(const std::vector<Row>& rows, BookmarkTree& tree) {
    // Rows come ordered by parent: each parent's children are one run.
    std::unordered_map<std::int64_t, std::pair<std::size_t, std::size_t>> children;
    const Row* root = nullptr;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        auto [at, made] = children.try_emplace(rows[i].parent, i, i);
        at->second.second = i + 1;
        if (rows[i].guid == kRootGuid)
            root = &rows[i];
    }
    if (!root)
        return;
    std::vector<bool> seen(rows.size(), false);
    struct Step {
        std::size_t next;
        std::size_t end;
        std::uint32_t folder;
        // A root folder, dropped when nothing was put into it.
        bool root;
        std::size_t made;
    };
    std::vector<Step> open;
    auto enter = [&](std::int64_t id, std::uint32_t folder, bool isroot) {
        const auto found = children.find(id);
        if (found == children.end()) {
            if (isroot)
                tree.dropifempty(folder);
            return;
        }
        open.push_back(
            {found->second.first, found->second.second, folder, isroot, tree.items().size()});
    };
    seen[static_cast<std::size_t>(root - rows.data())] = true;
    enter(root->id, BookmarkTree::kTop, false);
    while (!open.empty()) {
        Step& step = open.back();
        if (step.next == step.end) {
            const Step done = step;
            open.pop_back();
            if (done.root && tree.items().size() == done.made)
                tree.dropifempty(done.folder);
            continue;
        }
        const std::size_t index = step.next++;
        const Row& row = rows[index];
        if (seen[index])
            continue;
        seen[index] = true;
        const bool underroot = open.size() == 1;
        if (row.type == kBookmark) {
            tree.addbookmark(step.folder, row.url, row.title, prtime(row.added));
        } else if (row.type == kFolder) {
            if (underroot && row.guid == kTagsGuid)
                continue;
            const std::uint32_t folder = tree.addfolder(
                step.folder, underroot ? rootname(row) : std::string_view(row.title));
            enter(row.id, folder, underroot);
        }
    }
}

} // namespace

int FirefoxPlaces::read(const std::string& path, BookmarkTree& tree) {
    error_ = 0;
    message_.clear();
    if (!platform::isRegularFile(path)) {
        message_ = "no places.sqlite";
        return NoFile;
    }
    platform::PrivateFolder folder("qxseek-places-");
    if (folder.path().empty()) {
        error_ = folder.error();
        return CannotCopy;
    }
    const std::string copy = folder.path() + "/places.sqlite";
    const std::string log = path + "-wal";
    // A checkpoint of the running browser between the two copies would pair
    // the database of one moment with the log of another: copy again.
    for (int attempt = 0;; ++attempt) {
        const platform::FileIdentity before = platform::identifyFile(path);
        error_ = platform::copyFile(path, copy);
        if (error_ == 0 && platform::isRegularFile(log))
            error_ = platform::copyFile(log, copy + "-wal");
        if (error_ != 0)
            return CannotCopy;
        if (platform::identifyFile(path) == before || attempt == 3)
            break;
    }

    sqlite3* opened = nullptr;
    // Opened for writing: replaying the log needs its index file, which
    // SQLite makes beside the copy.
    const int status = sqlite3_open_v2(copy.c_str(), &opened, SQLITE_OPEN_READWRITE, nullptr);
    std::unique_ptr<sqlite3, CloseDatabase> db(opened);
    if (status != SQLITE_OK) {
        message_ = opened ? sqlite3_errmsg(opened) : sqlite3_errstr(status);
        return NotDatabase;
    }
    sqlite3_stmt* prepared = nullptr;
    const char* query = "SELECT b.id, b.parent, b.type, b.dateAdded, b.title, p.url, b.guid "
                        "FROM moz_bookmarks b LEFT JOIN moz_places p ON p.id = b.fk "
                        "ORDER BY b.parent, b.position, b.id";
    if (sqlite3_prepare_v2(db.get(), query, -1, &prepared, nullptr) != SQLITE_OK) {
        message_ = sqlite3_errmsg(db.get());
        // A database that is not Firefox's, or none at all.
        const int code = sqlite3_errcode(db.get()) & 0xFF;
        return code == SQLITE_ERROR ? NotPlaces : NotDatabase;
    }
    std::unique_ptr<sqlite3_stmt, FinalizeStatement> statement(prepared);
    std::vector<Row> rows;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        Row row;
        row.id = sqlite3_column_int64(statement.get(), 0);
        row.parent = sqlite3_column_int64(statement.get(), 1);
        row.type = sqlite3_column_int(statement.get(), 2);
        row.added = sqlite3_column_int64(statement.get(), 3);
        row.title = text(statement.get(), 4);
        row.url = text(statement.get(), 5);
        row.guid = text(statement.get(), 6);
        rows.push_back(std::move(row));
    }
    if (step != SQLITE_DONE) {
        message_ = sqlite3_errmsg(db.get());
        return NotDatabase;
    }
    build(rows, tree);
    return Ok;
}

} // namespace qx
