#include "exchange/BrowserImport.h"

#include "exchange/BookmarkPlacement.h"
#include "exchange/ChromiumBookmarks.h"
#include "exchange/FirefoxPlaces.h"
#include "model/DDoc.h"
#include "platform/File.h"
#include "platform/FileSystem.h"

#include <cstring>

namespace qx {

namespace {

constexpr char kSqliteMagic[] = "SQLite format 3";

std::string folderpart(const std::string& path) {
    const std::string::size_type slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string namepart(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/')
        trimmed.pop_back();
    const std::string::size_type slash = trimmed.find_last_of('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

bool issqlite(const std::string& path) {
    // The whole file is not needed: the header says what it is.
    const platform::FileHandle file = platform::openFileForReading(path.c_str());
    if (file == platform::kInvalidFile)
        return false;
    char bytes[sizeof kSqliteMagic] = {};
    const std::int64_t got = platform::readFile(file, bytes, sizeof bytes);
    platform::closeFile(file);
    return got == static_cast<std::int64_t>(sizeof bytes) &&
           std::memcmp(bytes, kSqliteMagic, sizeof bytes) == 0;
}

} // namespace

int BrowserImport::fail(int code, const std::string& message) {
    message_ = message;
    tree_ = BookmarkTree();
    return code;
}

int BrowserImport::read(const BrowserProfile& profile) {
    foldername_ = profile.browser + ": " + profile.name;
    return readstore(profile.store, profile.file);
}

int BrowserImport::read(const std::string& path, const std::vector<BrowserProfile>& known) {
    std::string file = path;
    if (platform::isFolder(path)) {
        if (platform::isRegularFile(path + "/places.sqlite"))
            file = path + "/places.sqlite";
        else if (platform::isRegularFile(path + "/Bookmarks"))
            file = path + "/Bookmarks";
        else
            return fail(NoBookmarks, path + " holds neither places.sqlite nor Bookmarks");
    } else if (!platform::isRegularFile(path)) {
        return fail(Unreadable, "cannot read " + path + ": no such file or folder");
    }
    const BrowserProfile::Store store =
        issqlite(file) ? BrowserProfile::Firefox : BrowserProfile::Chromium;
    foldername_ = std::string(store == BrowserProfile::Firefox ? "Firefox" : "Chromium") + ": " +
                  namepart(folderpart(file));
    for (const BrowserProfile& profile : known) {
        if (profile.file == file)
            foldername_ = profile.browser + ": " + profile.name;
    }
    return readstore(store, file);
}

int BrowserImport::readstore(BrowserProfile::Store store, const std::string& file) {
    tree_ = BookmarkTree();
    read_ = false;
    message_.clear();
    if (store == BrowserProfile::Firefox) {
        FirefoxPlaces places;
        switch (places.read(file, tree_)) {
        case FirefoxPlaces::Ok:
            break;
        case FirefoxPlaces::NoFile:
            return fail(NoBookmarks, "no bookmarks: " + file + " does not exist");
        case FirefoxPlaces::CannotCopy:
            return fail(Unreadable,
                        "cannot copy " + file + ": error " + std::to_string(places.error()));
        case FirefoxPlaces::NotPlaces:
            return fail(Damaged,
                        file + " is not a Firefox bookmark database (" + places.message() + ")");
        default:
            return fail(Damaged, file + " is damaged (" + places.message() + ")");
        }
    } else {
        if (!platform::isRegularFile(file))
            return fail(NoBookmarks, "no bookmarks: " + file + " does not exist");
        std::string bytes;
        if (const platform::SysError error = platform::readWholeFile(file, kMaxJson, bytes))
            return fail(Unreadable, "cannot read " + file + ": error " + std::to_string(error));
        const int result = ChromiumBookmarks::read(bytes, tree_);
        if (result == ChromiumBookmarks::NotJson)
            return fail(Damaged, file + " is truncated or damaged (not a whole JSON text)");
        if (result != ChromiumBookmarks::Ok)
            return fail(Damaged, file + " is not a Chromium bookmark file (no roots)");
    }
    if (tree_.bookmarks() == 0 && tree_.folders() == 0 && tree_.skipped() == 0)
        return fail(NoBookmarks, "no bookmarks in " + file);
    read_ = true;
    return Ok;
}

bool BrowserImport::place(DDoc& doc) {
    if (!read_)
        return false;
    BookmarkPlacement placement(doc);
    placement.addmissing(tree_, BookmarkPlacement::topfolder(doc, foldername_));
    added_ = placement.bookmarks();
    present_ = placement.present();
    skipped_ = tree_.skipped() + placement.refused();
    return true;
}

} // namespace qx
