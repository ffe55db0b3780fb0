#include "exchange/FavoritesExport.h"

#include "exchange/ExportWalk.h"
#include "exchange/WholeFile.h"
#include "lang/Language.h"
#include "lang/MessageBoxer.h"
#include "lang/TextIds.h"
#include "model/Object.h"
#include "model/Ref.h"

#include <filesystem>
#include <functional>
#include <system_error>
#include <vector>

namespace qx {

namespace {

constexpr std::size_t kMaxName = 255;

// The folder part of a file path is made with its parents; one that exists
// already is no failure.
platform::SysError makefolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (!error)
        return 0;
    const platform::SysError code = platform::fromErrno(error.value());
    return code == platform::err::FileExists || code == platform::err::AlreadyExists ? 0 : code;
}

// Builds the folders and files of one exported node: a node's children go
// into the folder named after it, its own file beside that folder once they
// are written.
class FolderWriter : public ExportVisitor {
public:
    FolderWriter(const std::string& folder, std::function<std::string(const Ref&)> label,
                 std::size_t& written)
        : label_(std::move(label)), written_(written) {
        paths_.push_back(folder);
    }

    int enter(const Ref& node) override {
        labels_.push_back(label_(node));
        paths_.push_back(paths_.back() + "/" + FavoritesExport::filename(labels_.back()));
        return 0;
    }

    int leave(const Ref& node) override {
        paths_.pop_back();
        const std::string label = std::move(labels_.back());
        labels_.pop_back();
        const Object* target = ExportWalk::pageof(node);
        if (!target || target->props().url.empty())
            return 0;
        if (platform::SysError made = makefolder(paths_.back()))
            return static_cast<int>(made);
        const std::string file = paths_.back() + "/" + FavoritesExport::filename(label, ".url");
        const int result = static_cast<int>(
            WholeFile::write(file, FavoritesExport::shortcut(target->props().url.view())));
        if (result == 0)
            ++written_;
        return result;
    }

private:
    std::function<std::string(const Ref&)> label_;
    // The folder of the node being written, below the folder of its parent.
    std::vector<std::string> paths_;
    std::vector<std::string> labels_;
    std::size_t& written_;
};

} // namespace

std::string FavoritesExport::filename(std::string_view label, std::string_view suffix) {
    std::string name(label);
    for (char& c : name) {
        switch (c) {
        case '*':
        case '/':
        case ':':
        case '<':
        case '>':
        case '?':
        case '\\':
        case '\0':
            c = '_';
            break;
        default:
            break;
        }
    }
    if (name.empty() || name == "." || name == "..")
        name = "_";
    const std::size_t room = kMaxName - suffix.size();
    if (name.size() > room) {
        std::size_t cut = room;
        // Back up over continuation bytes to the start of the cut sequence.
        while (cut > 0 && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
            --cut;
        name.resize(cut);
    }
    return name.append(suffix);
}

std::string FavoritesExport::shortcut(std::string_view url) {
    url = url.substr(0, url.find_first_of("\r\n"));
    std::string content = "[InternetShortcut]\r\nURL=";
    content.append(url);
    content.append("\r\n");
    return content;
}

std::string FavoritesExport::labelof(const Ref& node) {
    if (const Object* target = ExportWalk::pageof(node))
        return converter_.toutf8(node.label().view(), target->props().charset);
    return converter_.toutf8(node.name().view(), 0);
}

platform::SysError FavoritesExport::ExportNodeToFolder(const std::string& folder, const Ref& node) {
    FolderWriter writer(
        folder, [this](const Ref& n) { return labelof(n); }, written_);
    return static_cast<platform::SysError>(ExportWalk::walk(node, writer));
}

platform::SysError FavoritesExport::ExportToFavorites(const std::string& folder,
                                                      std::span<const Ref* const> nodes,
                                                      const Language& language,
                                                      MessageBoxer& boxes) {
    platform::SysError result = 0;
    for (const Ref* node : nodes) {
        result = ExportNodeToFolder(folder, *node);
        if (result != 0) {
            boxes.show(language.errorText(static_cast<std::int32_t>(result)),
                       language.text(text::FavoritesErrorCaption), mb::Ok | mb::TaskModal);
            break;
        }
    }
    return result;
}

} // namespace qx
