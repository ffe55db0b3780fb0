#pragma once

#include "platform/FileTime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qx {

// Bookmarks read from outside (a browser profile, an XBEL file), held apart
// from any document until the whole source was read: a reader that fails half
// way leaves the document as it was. Texts are cleaned as they come in, since
// browsers store whatever a page or an extension gave them: control
// characters go, titles are cut at kMaxTitle bytes on a character boundary,
// and bookmarks without a web address (javascript:, place:, data:, about:)
// are left out and counted.
class BookmarkTree {
public:
    // The parent of the items at the top.
    static constexpr std::uint32_t kTop = UINT32_MAX;
    static constexpr std::size_t kMaxTitle = 1024;
    static constexpr std::size_t kMaxDescription = 4096;
    // Longer addresses are refused rather than cut: a cut address is another one.
    static constexpr std::size_t kMaxUrl = 8192;

    struct Item {
        // An earlier item, or kTop.
        std::uint32_t parent = kTop;
        bool folder = false;
        std::string title;
        std::string url;
        std::string description;
        // When the bookmark was made; 0 unknown.
        platform::FileTime added = 0;
    };

    std::uint32_t addfolder(std::uint32_t parent, std::string_view title);
    // False when the address is not a web address (counted as skipped).
    bool addbookmark(std::uint32_t parent, std::string_view url, std::string_view title,
                     platform::FileTime added, std::string_view description = {});
    // Readers that learn a folder's name after its contents set it here.
    void settitle(std::uint32_t folder, std::string_view title);
    // Takes a folder back when nothing was put into it since it was made (an
    // empty root folder of a browser is not worth a folder of ours).
    void dropifempty(std::uint32_t folder);

    const std::vector<Item>& items() const { return items_; }
    std::size_t folders() const { return folders_; }
    std::size_t bookmarks() const { return items_.size() - folders_; }
    std::size_t skipped() const { return skipped_; }

    // Text without control characters (C0, DEL and C1) and the non-characters
    // U+FFFE and U+FFFF, blanks at either end
    // removed, cut to at most limit bytes without splitting a UTF-8 sequence.
    static std::string cleantext(std::string_view text, std::size_t limit);
    // http, https or ftp, "://" and a host.
    static bool isweb(std::string_view url);

private:
    // The parent as given when it names a folder, else kTop: an item's parent
    // always comes before it.
    std::uint32_t checked(std::uint32_t parent) const;

    std::vector<Item> items_;
    std::size_t folders_ = 0;
    std::size_t skipped_ = 0;
};

} // namespace qx
