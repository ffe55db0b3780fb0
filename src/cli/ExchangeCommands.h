#pragma once

#include "cli/Cli.h"

namespace qx::cli {

// The commands that move references out of and into documents: the HTML
// page, the shortcut folder, browser bookmark files, browser profiles and
// XBEL files.
int runexporthtml(const Args& args, const std::vector<std::string>& values);
int runexportshortcuts(const Args& args, const std::vector<std::string>& values);
int runimportbookmarks(const Args& args, const std::vector<std::string>& values);
int runexportbookmarks(const Args& args, const std::vector<std::string>& values);
int runimportbrowser(const Args& args, const std::vector<std::string>& values);
int runexportxbel(const Args& args, const std::vector<std::string>& values);

} // namespace qx::cli
