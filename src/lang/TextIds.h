#pragma once

// The numbers of the texts, menus and resources the program takes from the
// language module. The numbers are the contract with every module; the texts
// are the module's. Formats show their conversions in the comment.
namespace qx::text {

inline constexpr unsigned AppTitle = 9200;         // main caption, message-box caption
inline constexpr unsigned FindCameBack = 9202;     // %d: find in the trees is back at its start
inline constexpr unsigned FindFromOtherEnd = 9203; // Yes/No: go on from the other end?
inline constexpr unsigned HtmlFileFilter = 9204;   // "description|pattern|..." of the HTML page
inline constexpr unsigned FirstTreeHeading = 9205;
inline constexpr unsigned SecondTreeHeading = 9206;
inline constexpr unsigned SearchServerDone = 9207; // %s query, %d total of the saved search
inline constexpr unsigned DetachedSearchDone = 9208;
inline constexpr unsigned SearchQueued = 9209;
inline constexpr unsigned SearchName = 9210; // followed by a blank and the query in quotes
inline constexpr unsigned FavoritesErrorCaption = 9212;
inline constexpr unsigned FirstCharsetName = 9218; // 9218 + charset - 1 for charsets 1..5
inline constexpr unsigned LastCharsetName = 9222;
inline constexpr unsigned DragCount = 9231; // %d references dragged
inline constexpr unsigned ThreadWindowTitle = 9232;
inline constexpr unsigned FirstEngineName = 9233; // display names of engines 1..8 (9236 unused)
inline constexpr unsigned LastEngineName = 9240;
inline constexpr unsigned CheckerPrefix = 9242; // status-line prefix, followed by the URL
inline constexpr unsigned LanguageChanged = 9250;
inline constexpr unsigned DocumentFilterDescription = 9253;
inline constexpr unsigned AboutText = 9261;
inline constexpr unsigned RunSearchAgain = 9274; // OK/Cancel
inline constexpr unsigned HtmlExportText = 9275;
inline constexpr unsigned HtmlExportLink = 9276;
inline constexpr unsigned StatisticsColumns = 9277; // "|"-separated column titles
inline constexpr unsigned StatisticsTotal = 9278;   // first cell of the totals row
inline constexpr unsigned ModuleDownloaded = 9285;
inline constexpr unsigned ModuleOffer = 9289; // Yes/No
inline constexpr unsigned ModuleUpToDate = 9290;
inline constexpr unsigned ModuleDownloadFailed = 9291;
inline constexpr unsigned HomePage = 9292; // an address
inline constexpr unsigned ModuleAddressNotHttps = 9293;
// Browser bookmark files.
inline constexpr unsigned NotABookmarkFile = 9300;   // %s file name
inline constexpr unsigned BookmarkFileFilter = 9301; // "description|pattern|..."
// After the title of a document opened while another program holds it.
inline constexpr unsigned ReadOnlyTitle = 9330;
// Who holds a document: user, host, process id, when it took it.
inline constexpr unsigned LockHolder = 9331;
inline constexpr unsigned LockHolderUnknown = 9332;
// Recovery of unsaved work, and the backups of a document.
inline constexpr unsigned RecoveryCaption = 9340;
inline constexpr unsigned RecoveryIntro = 9341;
inline constexpr unsigned RecoveryDocument = 9342; // column
inline constexpr unsigned RecoveryKeptAt = 9343;   // column, also of the backups
inline constexpr unsigned RecoveryRestore = 9344;
inline constexpr unsigned RecoveryDiscard = 9345;
inline constexpr unsigned RecoveryLater = 9346;
inline constexpr unsigned BackupsCaption = 9347;
inline constexpr unsigned BackupsSize = 9348; // column
inline constexpr unsigned BackupsOpen = 9349;
// Browser profiles and XBEL files.
inline constexpr unsigned BrowserImportCaption = 9310;
inline constexpr unsigned BrowserImportPrompt = 9311;
inline constexpr unsigned BrowserColumn = 9312;
inline constexpr unsigned ProfileColumn = 9313;
inline constexpr unsigned BookmarksColumn = 9314;
inline constexpr unsigned ChooseStoreButton = 9315;
inline constexpr unsigned ImportButton = 9316;
inline constexpr unsigned BookmarkStoreFilter = 9317;   // "description|pattern|..."
inline constexpr unsigned ReadingBookmarks = 9318;      // %s the import folder's name
inline constexpr unsigned BrowserImported = 9319;       // %s folder, %d added, present, skipped
inline constexpr unsigned StoreWithoutBookmarks = 9320; // %s store
inline constexpr unsigned StoreUnreadable = 9321;       // %s store
inline constexpr unsigned StoreDamaged = 9322;          // %s store
inline constexpr unsigned XbelFileFilter = 9323;        // "description|pattern|..."
inline constexpr unsigned CountUnreadable = 9324;
inline constexpr unsigned CountingBookmarks = 9325;
inline constexpr unsigned LanguageName = 9500;
inline constexpr unsigned UninstallQuestion = 9501; // Yes/No
inline constexpr unsigned InstallLanguagePrompt = 9502;
inline constexpr unsigned InstallContinue = 9505; // Yes/No
inline constexpr unsigned InstalledCopyNeedsNoSetup = 9506;
inline constexpr unsigned InstallTitle = 9600;
inline constexpr unsigned HttpStatusBase = 10120; // 10120 + HTTP status; 10120: a search's -1
inline constexpr unsigned Untitled = 32503;

// Status lines of network progress.
inline constexpr unsigned NetResolving = 40102; // %s host
inline constexpr unsigned NetResolved = 40103;  // %s address
inline constexpr unsigned NetHandleCreated = 40104;
inline constexpr unsigned NetConnecting = 40105; // %s address
inline constexpr unsigned NetRequestSent = 40106;
inline constexpr unsigned NetSendingRequest = 40107;
inline constexpr unsigned NetConnected = 40108; // %s address
inline constexpr unsigned NetReceiving = 40109; // followed by the progress indicator
inline constexpr unsigned NetResponseReceived = 40110;
inline constexpr unsigned NetClosing = 40111;
inline constexpr unsigned NetClosed = 40112;
inline constexpr unsigned NetHandleClosing = 40113;
inline constexpr unsigned NetRequestComplete = 40114; // %d result, %d error
inline constexpr unsigned NetRedirect = 40115;        // %s new address
inline constexpr unsigned NetOtherStatus = 40116;     // %d status code
inline constexpr unsigned NetRequestDone = 40118;

// A string numbered as a command holds that command's hint for the status bar
// and the tool tips (500, 501, 24331 ...).

// Texts of the dialogs, whose layouts are code.
inline constexpr unsigned OptionsCaption = 9700;
inline constexpr unsigned OptionsLanguage = 9701;
inline constexpr unsigned OptionsCheckRef = 9702;
inline constexpr unsigned OptionsCheckSearch = 9703;
inline constexpr unsigned OptionsUseProxy = 9704;
inline constexpr unsigned OptionsProxyAddress = 9705;
inline constexpr unsigned OptionsProxyPort = 9706;
inline constexpr unsigned OptionsMaxThreads = 9707;
inline constexpr unsigned OptionsSortGroup = 9708;
inline constexpr unsigned OptionsSortByName = 9709;
inline constexpr unsigned OptionsSortByHost = 9710;
inline constexpr unsigned OptionsSortByCount = 9711;
inline constexpr unsigned OptionsCheckThreads = 9712;
inline constexpr unsigned OptionsChecksPerHost = 9713;
inline constexpr unsigned OptionsBackups = 9715;
inline constexpr unsigned OptionsRecoveryMinutes = 9716;
inline constexpr unsigned OptionsFavorites = 9714;
inline constexpr unsigned OptionsChooseFolder = 9350;

inline constexpr unsigned FindCaption = 9720;
inline constexpr unsigned FindQuery = 9721;
inline constexpr unsigned FindMax = 9722;
inline constexpr unsigned FindServers = 9723;
inline constexpr unsigned FindModeGroup = 9724;
inline constexpr unsigned FindMode0 = 9725; // query modes 0..3: 9725 + mode
inline constexpr unsigned FindMode3 = 9728;
inline constexpr unsigned FindExclude = 9730;
inline constexpr unsigned FindCheck = 9731;
inline constexpr unsigned FindAtStart = 9732;
inline constexpr unsigned FindStatistics = 9733;

inline constexpr unsigned PropertiesCaption = 9740;
inline constexpr unsigned PropertiesName = 9741;
inline constexpr unsigned PropertiesTitle = 9742;
inline constexpr unsigned PropertiesAddress = 9743;
inline constexpr unsigned PropertiesServers = 9744;
inline constexpr unsigned PropertiesModified = 9745;
inline constexpr unsigned PropertiesCharset = 9746;
inline constexpr unsigned PropertiesSize = 9747;
inline constexpr unsigned PropertiesRelevance = 9748;
inline constexpr unsigned PropertiesStatus = 9749;

inline constexpr unsigned ButtonOk = 9790;
inline constexpr unsigned ButtonCancel = 9791;
inline constexpr unsigned ButtonHelp = 9792;
inline constexpr unsigned AboutCaption = 9793;
inline constexpr unsigned ButtonClose = 9794;
inline constexpr unsigned LanguageCaption = 9795; // setup's language dialog

// The shell: message-box buttons, file dialog captions, the tool bar's name.
inline constexpr unsigned ButtonYes = 9880;
inline constexpr unsigned ButtonNo = 9881;
inline constexpr unsigned OpenCaption = 9882;
inline constexpr unsigned SaveAsCaption = 9883;
inline constexpr unsigned ToolbarName = 9884;

// Menus.
inline constexpr unsigned MainMenu = 1; // the main window's menu bar
inline constexpr unsigned TreeMenu = 2; // its first pop-up is the trees' context menu

// Named resources.
inline constexpr const char* BannerType = "ABITMAP";
inline constexpr const char* BannerName = "Norba";

} // namespace qx::text
