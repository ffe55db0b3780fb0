#pragma once

#include <cstdint>
#include <map>
#include <string>

struct sqlite3;

namespace qx::test {

// A places.sqlite made the way Firefox makes it (the schema in the tests'
// data), filled by the test. The database stays open until close() or the
// end of the object, like a running browser holds it.
class PlacesFixture {
public:
    // Root folder ids of the schema's rows.
    static constexpr std::int64_t kMenu = 2, kToolbar = 3, kTags = 4, kUnfiled = 5, kMobile = 6;

    // wal: the database in write-ahead mode with checkpoints off and an
    // exclusive lock, as Firefox keeps it.
    PlacesFixture(const std::string& path, bool wal = false);
    ~PlacesFixture();
    PlacesFixture(const PlacesFixture&) = delete;
    PlacesFixture& operator=(const PlacesFixture&) = delete;

    std::int64_t folder(std::int64_t parent, const std::string& title,
                        std::int64_t added = 1700000000000000);
    std::int64_t bookmark(std::int64_t parent, const std::string& url, const std::string& title,
                          std::int64_t added = 1700000000000000);
    void separator(std::int64_t parent);
    // Any statement; fails the test when it fails.
    void exec(const std::string& sql);
    void close();

    // The text of a file of the tests' data.
    static std::string data(const std::string& name);

private:
    std::int64_t insert(int type, std::int64_t parent, std::int64_t place, const std::string& title,
                        std::int64_t added);

    sqlite3* db_ = nullptr;
    std::map<std::int64_t, int> positions_;
    std::int64_t guids_ = 0;
};

} // namespace qx::test
