#pragma once

// The document manager's errors and questions, shown through
// Language::documentMessage(): the text comes from the language module by
// these numbers, "%s" in it standing for the document's title.
namespace qx::docmsg {

inline constexpr unsigned SaveChanges = 32510; // Yes/No/Cancel: save the changes?
inline constexpr unsigned CannotOpen = 32511;  // the file cannot be opened or read
inline constexpr unsigned CannotSave = 32512;  // the file cannot be written
inline constexpr unsigned FileNotFound = 32513;
inline constexpr unsigned NotADocument = 32514; // the reader rejected the file
inline constexpr unsigned NoTemplate = 32515;   // no template matches the file name
inline constexpr unsigned CannotClose = 32516;
inline constexpr unsigned RevertChanges = 32517; // Yes/No: drop the changes and read again?
inline constexpr unsigned Overwrite = 32518;     // Yes/No: replace the existing file?
inline constexpr unsigned AlreadyOpen = 32519;
inline constexpr unsigned OutOfMemory = 32520;
// Yes/No: the file changed on disk since it was read; write over it?
inline constexpr unsigned ChangedOnDisk = 32521;
// The copy of the file as opened could not be kept among the backups.
inline constexpr unsigned CannotBackUp = 32522;
// Another program holds the document; the second "%s" says who. Yes/No: open
// it read-only?
inline constexpr unsigned HeldElsewhere = 32523;
// Yes/No/Cancel: a program on another computer holds it (second "%s"): take
// it over, open it read-only, or leave it?
inline constexpr unsigned HeldOnOtherHost = 32524;
// No lock file can be made beside it; the second "%s" says why.
inline constexpr unsigned NotProtected = 32525;
// Yes/No/Cancel: the file changed on disk under unsaved changes: read it
// again, merge it into the open document, or keep the open one?
inline constexpr unsigned ChangedUnderEdits = 32526;
// The file was deleted or replaced by a folder; the document stays.
inline constexpr unsigned GoneFromDisk = 32527;
// Save As cannot replace a file another program holds (second "%s").
inline constexpr unsigned TargetHeld = 32528;
// A recovery file that cannot be read was set aside; "%s" is its path.
inline constexpr unsigned RecoveryUnreadable = 32533;
// The unsaved work could not be written for recovery.
inline constexpr unsigned RecoveryNotKept = 32534;
inline constexpr unsigned NoBackups = 32535;
// "%s" is the backup's file name.
inline constexpr unsigned BackupUnreadable = 32536;
// Yes/No: drop the changes for the chosen backup?
inline constexpr unsigned RevertToBackup = 32537;

} // namespace qx::docmsg
