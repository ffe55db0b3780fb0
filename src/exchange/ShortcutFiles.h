#pragma once

#include "exchange/LinkBytes.h"

#include <memory>
#include <string>
#include <vector>

namespace qx::platform {
class PrivateFolder;
}

namespace qx::exchange {

// The Internet shortcut files a drag hands to file managers: NAME.url for each
// reference, in a folder of the user's own made on first use and kept until
// the object goes (the end of the session), when it is removed with its files.
// A file manager may copy a file after the drag is over, so the files stay;
// the next drag of the same reference writes its file again.
class ShortcutFiles {
public:
    ShortcutFiles();
    ~ShortcutFiles();
    ShortcutFiles(const ShortcutFiles&) = delete;
    ShortcutFiles& operator=(const ShortcutFiles&) = delete;

    // Writes the shortcut of every link, named by its title (by its address
    // when it has none); a name met again in the same call gets " (2)", " (3)"
    // and so on. The "file://" addresses of the files, in the links' order;
    // none at all when the folder or any file could not be written.
    std::vector<std::string> write(const std::vector<Link>& links);
    // Empty before the first write, or when the folder could not be made.
    std::string folder() const;

private:
    std::unique_ptr<platform::PrivateFolder> folder_;
};

} // namespace qx::exchange
