#include "exchange/ShortcutFiles.h"

#include "exchange/HtmlPage.h"
#include "exchange/InternetShortcut.h"
#include "exchange/WholeFile.h"
#include "platform/PrivateFolder.h"

#include <set>

namespace qx::exchange {

ShortcutFiles::ShortcutFiles() = default;

ShortcutFiles::~ShortcutFiles() = default;

std::string ShortcutFiles::folder() const {
    return folder_ ? folder_->path() : std::string();
}

std::vector<std::string> ShortcutFiles::write(const std::vector<Link>& links) {
    if (!folder_)
        folder_ = std::make_unique<platform::PrivateFolder>("qxseek-shortcuts-");
    if (folder_->path().empty())
        return {};
    std::vector<std::string> addresses;
    std::set<std::string> taken;
    for (const Link& link : links) {
        const std::string stem = link.title.empty() ? link.url : link.title;
        std::string name = InternetShortcut::fileName(stem);
        for (int n = 2; !taken.insert(name).second; ++n)
            name = InternetShortcut::fileName(stem + " (" + std::to_string(n) + ")");
        const std::string path = folder_->path() + "/" + name;
        if (WholeFile::write(path, InternetShortcut::content(link.url)) != 0)
            return {};
        addresses.push_back(HtmlPage::fileurl(path));
    }
    return addresses;
}

} // namespace qx::exchange
