// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>
#include <vector>

class CResultsList;

enum class EIcon { None, Information, Question, Warning, Stop };
enum class EButtons { Ok, YesNo, YesNoCancel };
enum class EAnswer { Ok, Cancel, Yes, No };
enum class EOptionsPage { Viewer, Id3Editor };

// Every message and question of the core, so that a front end tells them apart by this
// and never by their text (which may name a file or carry the system's reason).
enum class EMessageId {
    CannotOpenTagFile,     // "Cannot open file. Access is denied."
    TagDiskFull,           // a tag could not be written: the disk is full
    SaveTagChanges,        // "Save changes to MP3 files?" (Yes, No, Cancel)
    ContinueAfterFailure,  // "PATH: REASON" and "Do you want to continue?" (Yes, No)
    CannotOpenList,        // "Cannot open PATH: REASON."
    UnrecognizedFileType,  // "Unrecognized file type"
    DamagedList,           // "Cannot read PATH: the list is damaged (REASON)."
    CannotSaveList,        // "Cannot save PATH: REASON."
    CannotWriteText,       // "Cannot write file: Access denied"
    CannotFind,            // "Cannot find the string '%s'"
    InvalidPattern,        // a regular expression that does not compile, with where it fails
    CannotUndo,            // "Cannot undo last operation"
    InvalidExtension,      // "Cannot rename to this invalid extension"
    EnterFilename,         // "Please enter filename"
    NameTooLong,           // a command would grow a name past 4,096 bytes
    ListInUse,       // another process holds the list's lock, or its journal folder is refused
    JournalProblem,  // a run's journal could not be written or put away
    InterruptedRun,  // a run of COUNT files was interrupted: put them back? (Yes, No)
};

// The extension choice before a rename run.
struct SExtensionChoice {
    bool bKeep = true;
    std::string strExtension = ".mp3";
};

// The separator and part order of Filename <-> ID3.
struct SSeparatorChoice {
    std::string strSeparator = " - ";
    bool bArtistFirst = true;
};

// The ten boxes of the "ID3 Editor" options page: Title, Artist, Album, Comment for the
// text commands; Title, Artist, Album, Year, Genre, Comment for the column locks.
struct SId3EditorOptions {
    std::array<bool, 4> format{};
    std::array<bool, 6> lock{};
    // Tag writes give a file without an ID3v2 tag one.
    bool bAddId3v2 = false;
    bool operator==(const SId3EditorOptions&) const = default;
};

// What the Rename Wizard starts from.
struct SWizardInput {
    std::string strCurrentName;  // the longest current new name
    std::string strSampleExt;    // that row's extension
};

// The numbering settings the wizard hands back on Finish, as read from its boxes.
struct SNumberingSettings {
    bool bStandardName = true;
    std::string strName;
    int nDigits = 2;
    int nIncrement = 1;
    int nStart = 1;
    int nOffset = -1;  // -1 after the name, 0 before it, otherwise a character offset
};

// Every message and dialog a core command needs. The desktop shows real dialogs, the
// command line answers from its options, tests answer from a script.
class IPrompts {
public:
    virtual ~IPrompts() = default;

    virtual EAnswer Message(EMessageId id, const std::string& text, EIcon icon,
                            EButtons buttons) = 0;
    // The same message with the variable parts its text names (a path, the system's
    // reason, a count), in the order the text names them, so that a front end can word it
    // in another language. A front end that shows the English text keeps to Message.
    virtual EAnswer MessageWithParts(EMessageId id, const std::string& text,
                                     const std::vector<std::string>& /*parts*/, EIcon icon,
                                     EButtons buttons) {
        return Message(id, text, icon, buttons);
    }
    // The multiple-selection file dialog of Add; full paths in the dialog's order.
    virtual bool ChooseFilesToAdd(std::vector<std::string>& paths) = 0;
    virtual bool ChooseExtension(SExtensionChoice& choice) = 0;
    // A preview (true = OK) or the results of a run.
    virtual bool ShowResults(const CResultsList& results) = 0;
    // The Swap dialog; middle arrives as " - ".
    virtual bool AskSwapMiddle(std::string& middle) = 0;
    virtual bool AskSeparator(SSeparatorChoice& choice) = 0;
    // The Options sheet opened at a page; options arrive as stored and leave as shown.
    virtual bool ShowOptions(EOptionsPage page, SId3EditorOptions& options) = 0;
    virtual bool RunRenameWizard(const SWizardInput& input, SNumberingSettings& settings) = 0;

    virtual void BeginProgress(int range) = 0;
    virtual void SetProgress(int position) = 0;
    // The same, naming the file the operation has reached (its path's bytes, valid only
    // during the call). A front end that shows no names keeps to the position.
    virtual void SetProgressFile(int position, const std::string& /*path*/) {
        SetProgress(position);
    }
    virtual void ShowProgress(bool visible) = 0;
    virtual void EndProgress() = 0;
    // Called on the caller's thread at least every 50 ms while a long operation runs: a
    // window keeps itself painted here. True once the user asked to cancel.
    virtual bool CancelRequested() { return false; }
};
