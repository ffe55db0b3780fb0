#pragma once

#include "model/CharsetConverter.h"
#include "platform/SystemError.h"

#include <span>
#include <string>
#include <string_view>

namespace qx {

class Language;
class MessageBoxer;
class Ref;

// Writes references out as a tree of folders and Internet shortcut files, the
// form browsers keep their favourites in: one ".url" file per address, the
// children of a node in a folder named after it.
class FavoritesExport {
public:
    // Writes the node and everything below it that is not hidden into the
    // folder; 0 or the system error of the first file or folder that failed
    // (that file is removed, the ones before it stay).
    platform::SysError ExportNodeToFolder(const std::string& folder, const Ref& node);

    // The favourites export command: every node into the folder, stopping at
    // the first error, which is shown with its error text under caption 9212.
    platform::SysError ExportToFavorites(const std::string& folder,
                                         std::span<const Ref* const> nodes,
                                         const Language& language, MessageBoxer& boxes);

    // The shortcut files written so far.
    std::size_t written() const { return written_; }

    // The file or folder name for a label: the characters * / : < > ? \ and
    // NUL become "_", a name that would mean this folder or the one above
    // ("", ".", "..") becomes "_", and a name is cut to fit, with room for
    // the suffix, into 255 bytes without splitting a UTF-8 sequence.
    static std::string filename(std::string_view label, std::string_view suffix = {});

    // The content of a shortcut file to the address. The address ends at a
    // line break so that it cannot add lines of its own.
    static std::string shortcut(std::string_view url);

private:
    // The label of a node as UTF-8: a target's label in the page's charset,
    // else the node's own name.
    std::string labelof(const Ref& node);

    CharsetConverter converter_;
    std::size_t written_ = 0;
};

} // namespace qx
