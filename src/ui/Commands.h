#pragma once

#include "doc/DocCommands.h"

// The command numbers of menus, tool bar and accelerators. The language
// modules' menus carry the same numbers.
namespace qx::ui::cmd {

using namespace qx::doc::cmd;

inline constexpr int FindDialog = 500;
inline constexpr int StopAll = 501;
inline constexpr int ExportHtml = 503;
inline constexpr int ExportFavorites = 504;
inline constexpr int RunAllSearches = 505;
inline constexpr int Nothing506 = 506;
inline constexpr int ImportBookmarks = 507;
inline constexpr int ExportBookmarks = 508;
inline constexpr int ImportFromBrowser = 930;
inline constexpr int ExportXbel = 931;
inline constexpr int Properties = 602;
inline constexpr int Hide = 603;
inline constexpr int Unhide = 604;
inline constexpr int Expand = 620;
inline constexpr int Collapse = 621;
inline constexpr int OpenInBrowser = 700;
inline constexpr int OpenInNewWindow = 702;
inline constexpr int Options = 800;
inline constexpr int GroupMode0 = 801;
inline constexpr int GroupMode1 = 802;
inline constexpr int ShowHidden = 900;
inline constexpr int Nothing901 = 901;
inline constexpr int Nothing902 = 902;
inline constexpr int ShowNew = 903;
inline constexpr int RunSearchAgain = 910;
inline constexpr int StopSearch = 911;
inline constexpr int ShowInOtherTree = 912;
inline constexpr int CheckReferences = 913;
inline constexpr int StopChecking = 914;
inline constexpr int ThreadWindow = 917;
inline constexpr int SelectNone = 920;
inline constexpr int SelectFailed = 921;
inline constexpr int SelectAll = 922;
inline constexpr int Rename = 923;
inline constexpr int RevertToBackup = 932;
inline constexpr int HelpContents = 2001;
inline constexpr int HelpOnHelp = 2002;
inline constexpr int About = 2009;
inline constexpr int EditUndo = 24321;
inline constexpr int EditCut = 24322;
inline constexpr int EditCopy = 24323;
inline constexpr int EditPaste = 24324;
inline constexpr int Delete = 24325;
inline constexpr int Nothing24326 = 24326;
inline constexpr int FindInDocument = 24351;
inline constexpr int ReplaceInDocument = 24352;
inline constexpr int FindNext = 24353;
inline constexpr int Exit = 24310;

} // namespace qx::ui::cmd
