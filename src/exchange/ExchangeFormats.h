#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace qx::exchange {

// The formats of drags and the clipboard by their MIME names.
inline constexpr std::string_view kOrganizer = "application/x-norba-web-organizer";
inline constexpr std::string_view kUriList = "text/uri-list";
inline constexpr std::string_view kMozUrl = "text/x-moz-url";
inline constexpr std::string_view kText = "text/plain;charset=utf-8";
inline constexpr std::string_view kPlainText = "text/plain";
inline constexpr std::string_view kNetscapeUrl = "_NETSCAPE_URL";
inline constexpr std::string_view kHtml = "text/html";
inline constexpr std::string_view kShortcut = "application/x-mswinurl";

// The private format of tree drags inside this process: the process
// identifier in the name keeps other processes from taking it for theirs.
std::string privateFormat(std::uint32_t processId);
// This process's private format, made once.
const std::string& ownPrivateFormat();
// A private format of some process of ours (this one or another).
bool isPrivateFormat(std::string_view format);

// Of the clipboard's formats, the one a paste takes: the first of the
// organizer format, a URL and text that is there; empty when none is.
std::string pasteFormat(std::span<const std::string> available);

// A walk over a format list in the shape of a format enumerator: Next copies
// up to count names from the cursor on; Clone starts a new walk at the
// first format, not at this one's cursor.
class FormatEnumerator {
public:
    enum Result { Ok = 0, False = 1, InvalidArg = -1 };

    explicit FormatEnumerator(const std::vector<std::string>& formats) : formats_(&formats) {}

    Result next(std::size_t count, std::string* out, std::size_t* fetched);
    Result skip(std::size_t count);
    void reset() { cursor_ = 0; }
    std::unique_ptr<FormatEnumerator> clone() const;

private:
    const std::vector<std::string>* formats_;
    std::size_t cursor_ = 0;
};

} // namespace qx::exchange
