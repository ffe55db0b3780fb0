#include "PlacesFixture.h"

#include "TempDir.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>

namespace qx::test {

PlacesFixture::PlacesFixture(const std::string& path, bool wal) {
    EXPECT_EQ(sqlite3_open(path.c_str(), &db_), SQLITE_OK);
    // A test's database need not survive a power cut.
    exec("PRAGMA synchronous = OFF");
    if (wal)
        exec("PRAGMA journal_mode = WAL; PRAGMA wal_autocheckpoint = 0;"
             "PRAGMA locking_mode = EXCLUSIVE;");
    exec(data("places-schema.sql"));
}

PlacesFixture::~PlacesFixture() {
    close();
}

void PlacesFixture::close() {
    if (db_)
        sqlite3_close(db_);
    db_ = nullptr;
}

std::string PlacesFixture::data(const std::string& name) {
    const char* dir = std::getenv("QX_TEST_DATA");
    const std::string text =
        TempDir::read(std::string(dir && *dir ? dir : QX_TEST_DATA_DIR) + "/" + name);
    EXPECT_FALSE(text.empty()) << name;
    return text;
}

void PlacesFixture::exec(const std::string& sql) {
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK)
        << (error ? error : "") << "\n"
        << sql.substr(0, 200);
    sqlite3_free(error);
}

std::int64_t PlacesFixture::insert(int type, std::int64_t parent, std::int64_t place,
                                   const std::string& title, std::int64_t added) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db_,
                       "INSERT INTO moz_bookmarks (type, fk, parent, position, title, dateAdded, "
                       "lastModified, guid) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                       -1, &statement, nullptr);
    sqlite3_bind_int(statement, 1, type);
    if (place)
        sqlite3_bind_int64(statement, 2, place);
    sqlite3_bind_int64(statement, 3, parent);
    sqlite3_bind_int(statement, 4, positions_[parent]++);
    if (type != 3)
        sqlite3_bind_text(statement, 5, title.data(), static_cast<int>(title.size()),
                          SQLITE_TRANSIENT);
    sqlite3_bind_int64(statement, 6, added);
    sqlite3_bind_int64(statement, 7, added);
    const std::string guid = "fixture" + std::to_string(++guids_);
    sqlite3_bind_text(statement, 8, guid.c_str(), -1, SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE) << sqlite3_errmsg(db_);
    sqlite3_finalize(statement);
    return sqlite3_last_insert_rowid(db_);
}

std::int64_t PlacesFixture::folder(std::int64_t parent, const std::string& title,
                                   std::int64_t added) {
    return insert(2, parent, 0, title, added);
}

std::int64_t PlacesFixture::bookmark(std::int64_t parent, const std::string& url,
                                     const std::string& title, std::int64_t added) {
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db_, "INSERT INTO moz_places (url, guid, url_hash) VALUES (?, ?, 0)", -1,
                       &statement, nullptr);
    sqlite3_bind_text(statement, 1, url.data(), static_cast<int>(url.size()), SQLITE_TRANSIENT);
    const std::string guid = "place" + std::to_string(++guids_);
    sqlite3_bind_text(statement, 2, guid.c_str(), -1, SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(statement), SQLITE_DONE) << sqlite3_errmsg(db_);
    sqlite3_finalize(statement);
    return insert(1, parent, sqlite3_last_insert_rowid(db_), title, added);
}

void PlacesFixture::separator(std::int64_t parent) {
    insert(3, parent, 0, "", 1700000000000000);
}

} // namespace qx::test
