// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CommandTable.h"

#include <QString>
#include <algorithm>
#include <stdexcept>

namespace {

using C = ECommandId;

const std::vector<SCommandSpec> kCommands = {
    {C::New, "&New", "Ctrl+N", "Create a new document", "New", "new"},
    {C::Open, "&Open...", "Ctrl+O", "Open an existing document", "Open", "open"},
    {C::Save, "&Save", "Ctrl+S", "Save the active document", "Save", "save"},
    {C::SaveAs, "Save &As...", "", "Save the active document with a new name", "Save As", ""},
    {C::SaveToTextFile, "Save to &Text File", "", "Output filenames to a text file",
     "Save to Text File", ""},
    {C::Exit, "E&xit", "", "Quit the application; prompts to save documents", "Exit", ""},
    {C::Undo, "&Undo", "Ctrl+Z", "Undo the last action", "Undo", "undo"},
    {C::SelectAll, "Select A&ll", "Ctrl+A", "Select the entire document", "Select All", ""},
    {C::FindReplace, "F&ind / Replace", "Ctrl+H", "Find and replace the specified text",
     "Find and replace", ""},
    {C::Add, "&Add ", "Insert", "Add files to document", "Add", "add"},
    {C::Remove, "Re&move ", "Delete", "Remove files from document", "Remove", "remove"},
    {C::Rename, "Re&name", "F2", "Rename currently selected file", "Rename", ""},
    {C::ToggleMode, "&Toggle Mode ", "Ctrl+T", "Toggle between normal and MP3 - ID3 mode",
     "Toggle Mode", "toggle"},
    {C::RenameWizard, "Rename &Wizard", "Ctrl+R", "Call Rename Wizard", "Rename Wizard", "wizard"},
    {C::SaveId3, "&Save ID3", "Ctrl+I", "Tag ID3 to MP3 files", "Save ID3", ""},
    {C::Go, "&Go", "Ctrl+Enter", "Rename files in batches", "Rename Files", "go"},
    {C::ViewToolbar, "&Toolbar", "", "Show or hide the toolbar", "Toggle ToolBar", ""},
    {C::ViewStatusBar, "&Status Bar", "", "Show or hide the status bar", "Toggle StatusBar", ""},
    {C::Options, "&Options", "", "Changes options", "Options", ""},
    {C::NaturalOrder, "&Natural Order", "",
     "Sort names with numbers by their value, letter case ignored", "Natural Order", ""},
    {C::SentenceCase, "&Sentence case", "F3", "Convert filenames to sentence case", "Sentence Case",
     ""},
    {C::Lowercase, "&lowercase", "F4", "Convert filenames to lowercase", "Lowercase", ""},
    {C::Uppercase, "&UPPERCASE", "F5", "Convert filenames to uppercase", "Uppercase", ""},
    {C::TitleCase, "&Title Case", "F6", "Convert filenames to title case", "Title Case", ""},
    {C::ToggleCase, "tO&GGLE CASE", "F7", "Toggle case of filenames", "Toggle Case", ""},
    {C::Swap, "S&wap", "F8", "Exchange the position of two strings separated by a middle string",
     "Swap", ""},
    {C::InsertSpaces, "Insert S&paces", "F9", "Insert spaces in between words", "Insert Space", ""},
    {C::Lock, "L&ock", "Ctrl+L", "Lock any column when editing MP3's ID3 tag", "Lock Column", ""},
    {C::FilenameToId3, "Filename to ID&3", "Ctrl+1",
     "Read information from filename and add the information to MP3's ID3 tag",
     "Filename to ID3 Tag", ""},
    {C::Id3ToFilename, "ID3 to &Filename", "Ctrl+2",
     "Read information from MP3 ID3's tag and translate the information into filenames",
     "ID3 Tag to Filename", ""},
    {C::HelpTopics, "&Help Topics", "F1", "List Help topics", "Help Topics", ""},
    {C::Help, "&Help", "F1", "List Help topics", "Help", ""},
    {C::About, "&About Tessel...", "", "Display program information, version number and copyright",
     "About", ""},
    {C::LockTitle, "Lock &Title", "", "Locks title column", "Lock title", ""},
    {C::LockArtist, "Lock &Artist", "", "Locks artist column", "Lock artist", ""},
    {C::LockAlbum, "Lock A&lbum", "", "Locks album column", "Lock album", ""},
    {C::LockYear, "Lock &Year", "", "Locks year column", "Lock year", ""},
    {C::LockGenre, "Lock &Genre", "", "Locks genre column", "Lock genre", ""},
    {C::LockComment, "Lock &Comment", "", "Locks comment column", "Lock comment", ""},
};

SMenuItem Item(ECommandId id, const char* label = nullptr) {
    return SMenuItem{false, id, label};
}
const SMenuItem kSeparator{true, C::New, nullptr};

}  // namespace

const std::vector<SCommandSpec>& AllCommands() {
    return kCommands;
}

const SCommandSpec& CommandSpec(ECommandId id) {
    auto found = std::find_if(kCommands.begin(), kCommands.end(),
                              [id](const SCommandSpec& spec) { return spec.id == id; });
    if (found == kCommands.end())
        throw std::logic_error("a command without a spec");
    return *found;
}

QList<QKeySequence> CommandKeys(ECommandId id) {
    switch (id) {
        case C::Go:
            return {QKeySequence(Qt::CTRL | Qt::Key_Return),
                    QKeySequence(Qt::CTRL | Qt::Key_Enter)};
        case C::Undo:
            return {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)};
        case C::Add:
        case C::Remove:
        case C::HelpTopics:  // F1 belongs to Help; both open the same page
            return {};
        default:
            break;
    }
    const char* keyText = CommandSpec(id).keyText;
    if (*keyText == '\0')
        return {};
    return {QKeySequence(QString::fromLatin1(keyText))};
}

const std::vector<SMenuSpec>& MainMenus() {
    static const std::vector<SMenuSpec> menus = {
        {"&File",
         {Item(C::New), Item(C::Open), Item(C::Save), Item(C::SaveAs), kSeparator,
          Item(C::SaveToTextFile), kSeparator, Item(C::Exit)}},
        {"&Edit", {Item(C::Undo), Item(C::SelectAll), kSeparator, Item(C::FindReplace)}},
        {"&Command",
         {Item(C::Add), Item(C::Remove), Item(C::Rename), kSeparator, Item(C::ToggleMode),
          kSeparator, Item(C::RenameWizard), Item(C::SaveId3), kSeparator, Item(C::Go)}},
        {"&View",
         {Item(C::ViewToolbar), Item(C::ViewStatusBar), kSeparator, Item(C::NaturalOrder),
          kSeparator, Item(C::Options)}},
        {"&Tools",
         {Item(C::SentenceCase), Item(C::Lowercase), Item(C::Uppercase), Item(C::TitleCase),
          Item(C::ToggleCase), kSeparator, Item(C::Swap), Item(C::InsertSpaces), kSeparator,
          Item(C::Lock), kSeparator, Item(C::FilenameToId3), Item(C::Id3ToFilename)}},
        {"&Help", {Item(C::HelpTopics), kSeparator, Item(C::About)}},
    };
    return menus;
}

const SMenuSpec& NormalContextMenu() {
    static const SMenuSpec menu = {"Normal",
                                   {Item(C::Add),
                                    Item(C::Remove),
                                    Item(C::Rename),
                                    Item(C::SelectAll),
                                    kSeparator,
                                    Item(C::ToggleMode),
                                    kSeparator,
                                    Item(C::RenameWizard),
                                    Item(C::Go),
                                    kSeparator,
                                    Item(C::SentenceCase, "Sentence case"),
                                    Item(C::Lowercase, "lowercase"),
                                    Item(C::Uppercase, "UPPERCASE"),
                                    Item(C::TitleCase, "Title Case"),
                                    Item(C::ToggleCase, "tOGGLE CASE"),
                                    kSeparator,
                                    Item(C::Swap, "Swap"),
                                    Item(C::InsertSpaces, "Insert Spaces"),
                                    kSeparator,
                                    Item(C::Id3ToFilename)}};
    return menu;
}

const SMenuSpec& Mp3ContextMenu() {
    static const SMenuSpec menu = {
        "MP3",
        {Item(C::Add), Item(C::Remove), Item(C::Rename), Item(C::SelectAll), kSeparator,
         Item(C::ToggleMode), Item(C::SaveId3, "Save ID3"), kSeparator,
         Item(C::SentenceCase, "Sentence case"), Item(C::Lowercase),
         Item(C::Uppercase, "UPPERCASE"), Item(C::TitleCase, "Title Case"),
         Item(C::ToggleCase, "tOGGLE CASE"), kSeparator, Item(C::Swap, "Swap"),
         Item(C::InsertSpaces, "Insert Spaces"), kSeparator, Item(C::Lock),
         Item(C::FilenameToId3)}};
    return menu;
}

const SMenuSpec& LockContextMenu() {
    static const SMenuSpec menu = {"Lock",
                                   {Item(C::LockTitle), Item(C::LockArtist), Item(C::LockAlbum),
                                    Item(C::LockYear), Item(C::LockGenre), Item(C::LockComment)}};
    return menu;
}

const std::vector<ECommandId>& ToolbarCommands() {
    static const std::vector<ECommandId> buttons = {C::New,        C::Open,         C::Save,
                                                    C::Undo,       C::Add,          C::Remove,
                                                    C::ToggleMode, C::RenameWizard, C::Go};
    return buttons;
}

QString MenuText(const SMenuItem& item) {
    const SCommandSpec& spec = CommandSpec(item.id);
    QString text = QString::fromLatin1(item.label ? item.label : spec.label);
    if (*spec.keyText != '\0')
        text += QLatin1Char('\t') + QString::fromLatin1(spec.keyText);
    return text;
}
