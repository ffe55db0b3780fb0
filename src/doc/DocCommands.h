#pragma once

// The commands that the document manager takes.
namespace qx::doc::cmd {

inline constexpr int FileNew = 24331;
inline constexpr int FileOpen = 24332;
inline constexpr int FileSave = 24333;
inline constexpr int FileSaveAs = 24334;
inline constexpr int FileRevert = 24335;
inline constexpr int FileClose = 24339;
inline constexpr int RecentFile0 = 31990;

} // namespace qx::doc::cmd
