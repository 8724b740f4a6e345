// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CommandTable.h"

#include <QCoreApplication>
#include <QString>
#include <algorithm>
#include <stdexcept>

namespace {

using C = ECommandId;

const std::vector<SCommandSpec> kCommands = {
    {C::New, QT_TRANSLATE_NOOP("Command", "&New"), QT_TRANSLATE_NOOP("Key", "Ctrl+N"),
     QT_TRANSLATE_NOOP("Command", "Create a new document"), QT_TRANSLATE_NOOP("Command", "New"),
     "new"},
    {C::Open, QT_TRANSLATE_NOOP("Command", "&Open..."), QT_TRANSLATE_NOOP("Key", "Ctrl+O"),
     QT_TRANSLATE_NOOP("Command", "Open an existing document"),
     QT_TRANSLATE_NOOP("Command", "Open"), "open"},
    {C::Save, QT_TRANSLATE_NOOP("Command", "&Save"), QT_TRANSLATE_NOOP("Key", "Ctrl+S"),
     QT_TRANSLATE_NOOP("Command", "Save the active document"), QT_TRANSLATE_NOOP("Command", "Save"),
     "save"},
    {C::SaveAs, QT_TRANSLATE_NOOP("Command", "Save &As..."), "",
     QT_TRANSLATE_NOOP("Command", "Save the active document with a new name"),
     QT_TRANSLATE_NOOP("Command", "Save As"), ""},
    {C::SaveToTextFile, QT_TRANSLATE_NOOP("Command", "Save to &Text File"), "",
     QT_TRANSLATE_NOOP("Command", "Output filenames to a text file"),
     QT_TRANSLATE_NOOP("Command", "Save to Text File"), ""},
    {C::Exit, QT_TRANSLATE_NOOP("Command", "E&xit"), "",
     QT_TRANSLATE_NOOP("Command", "Quit the application; prompts to save documents"),
     QT_TRANSLATE_NOOP("Command", "Exit"), ""},
    {C::Undo, QT_TRANSLATE_NOOP("Command", "&Undo"), QT_TRANSLATE_NOOP("Key", "Ctrl+Z"),
     QT_TRANSLATE_NOOP("Command", "Undo the last action"), QT_TRANSLATE_NOOP("Command", "Undo"),
     "undo"},
    {C::SelectAll, QT_TRANSLATE_NOOP("Command", "Select A&ll"), QT_TRANSLATE_NOOP("Key", "Ctrl+A"),
     QT_TRANSLATE_NOOP("Command", "Select the entire document"),
     QT_TRANSLATE_NOOP("Command", "Select All"), ""},
    {C::FindReplace, QT_TRANSLATE_NOOP("Command", "F&ind / Replace"),
     QT_TRANSLATE_NOOP("Key", "Ctrl+H"),
     QT_TRANSLATE_NOOP("Command", "Find and replace the specified text"),
     QT_TRANSLATE_NOOP("Command", "Find and replace"), ""},
    {C::Add, QT_TRANSLATE_NOOP("Command", "&Add "), QT_TRANSLATE_NOOP("Key", "Insert"),
     QT_TRANSLATE_NOOP("Command", "Add files to document"), QT_TRANSLATE_NOOP("Command", "Add"),
     "add"},
    {C::Remove, QT_TRANSLATE_NOOP("Command", "Re&move "), QT_TRANSLATE_NOOP("Key", "Delete"),
     QT_TRANSLATE_NOOP("Command", "Remove files from document"),
     QT_TRANSLATE_NOOP("Command", "Remove"), "remove"},
    {C::Rename, QT_TRANSLATE_NOOP("Command", "Re&name"), QT_TRANSLATE_NOOP("Key", "F2"),
     QT_TRANSLATE_NOOP("Command", "Rename currently selected file"),
     QT_TRANSLATE_NOOP("Command", "Rename"), ""},
    {C::ToggleMode, QT_TRANSLATE_NOOP("Command", "&Toggle Mode "),
     QT_TRANSLATE_NOOP("Key", "Ctrl+T"),
     QT_TRANSLATE_NOOP("Command", "Toggle between normal and MP3 - ID3 mode"),
     QT_TRANSLATE_NOOP("Command", "Toggle Mode"), "toggle"},
    {C::RenameWizard, QT_TRANSLATE_NOOP("Command", "Rename &Wizard"),
     QT_TRANSLATE_NOOP("Key", "Ctrl+R"), QT_TRANSLATE_NOOP("Command", "Call Rename Wizard"),
     QT_TRANSLATE_NOOP("Command", "Rename Wizard"), "wizard"},
    {C::SaveId3, QT_TRANSLATE_NOOP("Command", "&Save ID3"), QT_TRANSLATE_NOOP("Key", "Ctrl+I"),
     QT_TRANSLATE_NOOP("Command", "Tag ID3 to MP3 files"), QT_TRANSLATE_NOOP("Command", "Save ID3"),
     ""},
    {C::Go, QT_TRANSLATE_NOOP("Command", "&Go"), QT_TRANSLATE_NOOP("Key", "Ctrl+Enter"),
     QT_TRANSLATE_NOOP("Command", "Rename files in batches"),
     QT_TRANSLATE_NOOP("Command", "Rename Files"), "go"},
    {C::ViewToolbar, QT_TRANSLATE_NOOP("Command", "&Toolbar"), "",
     QT_TRANSLATE_NOOP("Command", "Show or hide the toolbar"),
     QT_TRANSLATE_NOOP("Command", "Toggle ToolBar"), ""},
    {C::ViewStatusBar, QT_TRANSLATE_NOOP("Command", "&Status Bar"), "",
     QT_TRANSLATE_NOOP("Command", "Show or hide the status bar"),
     QT_TRANSLATE_NOOP("Command", "Toggle StatusBar"), ""},
    {C::Options, QT_TRANSLATE_NOOP("Command", "&Options"), "",
     QT_TRANSLATE_NOOP("Command", "Changes options"), QT_TRANSLATE_NOOP("Command", "Options"), ""},
    {C::NaturalOrder, QT_TRANSLATE_NOOP("Command", "&Natural Order"), "",
     QT_TRANSLATE_NOOP("Command", "Sort names with numbers by their value, letter case ignored"),
     QT_TRANSLATE_NOOP("Command", "Natural Order"), ""},
    {C::SentenceCase, QT_TRANSLATE_NOOP("Command", "&Sentence case"),
     QT_TRANSLATE_NOOP("Key", "F3"),
     QT_TRANSLATE_NOOP("Command", "Convert filenames to sentence case"),
     QT_TRANSLATE_NOOP("Command", "Sentence Case"), ""},
    {C::Lowercase, QT_TRANSLATE_NOOP("Command", "&lowercase"), QT_TRANSLATE_NOOP("Key", "F4"),
     QT_TRANSLATE_NOOP("Command", "Convert filenames to lowercase"),
     QT_TRANSLATE_NOOP("Command", "Lowercase"), ""},
    {C::Uppercase, QT_TRANSLATE_NOOP("Command", "&UPPERCASE"), QT_TRANSLATE_NOOP("Key", "F5"),
     QT_TRANSLATE_NOOP("Command", "Convert filenames to uppercase"),
     QT_TRANSLATE_NOOP("Command", "Uppercase"), ""},
    {C::TitleCase, QT_TRANSLATE_NOOP("Command", "&Title Case"), QT_TRANSLATE_NOOP("Key", "F6"),
     QT_TRANSLATE_NOOP("Command", "Convert filenames to title case"),
     QT_TRANSLATE_NOOP("Command", "Title Case"), ""},
    {C::ToggleCase, QT_TRANSLATE_NOOP("Command", "tO&GGLE CASE"), QT_TRANSLATE_NOOP("Key", "F7"),
     QT_TRANSLATE_NOOP("Command", "Toggle case of filenames"),
     QT_TRANSLATE_NOOP("Command", "Toggle Case"), ""},
    {C::Swap, QT_TRANSLATE_NOOP("Command", "S&wap"), QT_TRANSLATE_NOOP("Key", "F8"),
     QT_TRANSLATE_NOOP("Command",
                       "Exchange the position of two strings separated by a middle string"),
     QT_TRANSLATE_NOOP("Command", "Swap"), ""},
    {C::InsertSpaces, QT_TRANSLATE_NOOP("Command", "Insert S&paces"),
     QT_TRANSLATE_NOOP("Key", "F9"), QT_TRANSLATE_NOOP("Command", "Insert spaces in between words"),
     QT_TRANSLATE_NOOP("Command", "Insert Space"), ""},
    {C::Lock, QT_TRANSLATE_NOOP("Command", "L&ock"), QT_TRANSLATE_NOOP("Key", "Ctrl+L"),
     QT_TRANSLATE_NOOP("Command", "Lock any column when editing MP3's ID3 tag"),
     QT_TRANSLATE_NOOP("Command", "Lock Column"), ""},
    {C::FilenameToId3, QT_TRANSLATE_NOOP("Command", "Filename to ID&3"),
     QT_TRANSLATE_NOOP("Key", "Ctrl+1"),
     QT_TRANSLATE_NOOP("Command",
                       "Read information from filename and add the information to MP3's ID3 tag"),
     QT_TRANSLATE_NOOP("Command", "Filename to ID3 Tag"), ""},
    {C::Id3ToFilename, QT_TRANSLATE_NOOP("Command", "ID3 to &Filename"),
     QT_TRANSLATE_NOOP("Key", "Ctrl+2"),
     QT_TRANSLATE_NOOP(
         "Command",
         "Read information from MP3 ID3's tag and translate the information into filenames"),
     QT_TRANSLATE_NOOP("Command", "ID3 Tag to Filename"), ""},
    {C::HelpTopics, QT_TRANSLATE_NOOP("Command", "&Help Topics"), QT_TRANSLATE_NOOP("Key", "F1"),
     QT_TRANSLATE_NOOP("Command", "List Help topics"), QT_TRANSLATE_NOOP("Command", "Help Topics"),
     ""},
    {C::Help, QT_TRANSLATE_NOOP("Command", "&Help"), QT_TRANSLATE_NOOP("Key", "F1"),
     QT_TRANSLATE_NOOP("Command", "List Help topics"), QT_TRANSLATE_NOOP("Command", "Help"), ""},
    {C::About, QT_TRANSLATE_NOOP("Command", "&About Tessel..."), "",
     QT_TRANSLATE_NOOP("Command", "Display program information, version number and copyright"),
     QT_TRANSLATE_NOOP("Command", "About"), ""},
    {C::LockTitle, QT_TRANSLATE_NOOP("Command", "Lock &Title"), "",
     QT_TRANSLATE_NOOP("Command", "Locks title column"), QT_TRANSLATE_NOOP("Command", "Lock title"),
     ""},
    {C::LockArtist, QT_TRANSLATE_NOOP("Command", "Lock &Artist"), "",
     QT_TRANSLATE_NOOP("Command", "Locks artist column"),
     QT_TRANSLATE_NOOP("Command", "Lock artist"), ""},
    {C::LockAlbum, QT_TRANSLATE_NOOP("Command", "Lock A&lbum"), "",
     QT_TRANSLATE_NOOP("Command", "Locks album column"), QT_TRANSLATE_NOOP("Command", "Lock album"),
     ""},
    {C::LockYear, QT_TRANSLATE_NOOP("Command", "Lock &Year"), "",
     QT_TRANSLATE_NOOP("Command", "Locks year column"), QT_TRANSLATE_NOOP("Command", "Lock year"),
     ""},
    {C::LockGenre, QT_TRANSLATE_NOOP("Command", "Lock &Genre"), "",
     QT_TRANSLATE_NOOP("Command", "Locks genre column"), QT_TRANSLATE_NOOP("Command", "Lock genre"),
     ""},
    {C::LockComment, QT_TRANSLATE_NOOP("Command", "Lock &Comment"), "",
     QT_TRANSLATE_NOOP("Command", "Locks comment column"),
     QT_TRANSLATE_NOOP("Command", "Lock comment"), ""},
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
        {QT_TRANSLATE_NOOP("Menu", "&File"),
         {Item(C::New), Item(C::Open), Item(C::Save), Item(C::SaveAs), kSeparator,
          Item(C::SaveToTextFile), kSeparator, Item(C::Exit)}},
        {QT_TRANSLATE_NOOP("Menu", "&Edit"),
         {Item(C::Undo), Item(C::SelectAll), kSeparator, Item(C::FindReplace)}},
        {QT_TRANSLATE_NOOP("Menu", "&Command"),
         {Item(C::Add), Item(C::Remove), Item(C::Rename), kSeparator, Item(C::ToggleMode),
          kSeparator, Item(C::RenameWizard), Item(C::SaveId3), kSeparator, Item(C::Go)}},
        {QT_TRANSLATE_NOOP("Menu", "&View"),
         {Item(C::ViewToolbar), Item(C::ViewStatusBar), kSeparator, Item(C::NaturalOrder),
          kSeparator, Item(C::Options)}},
        {QT_TRANSLATE_NOOP("Menu", "&Tools"),
         {Item(C::SentenceCase), Item(C::Lowercase), Item(C::Uppercase), Item(C::TitleCase),
          Item(C::ToggleCase), kSeparator, Item(C::Swap), Item(C::InsertSpaces), kSeparator,
          Item(C::Lock), kSeparator, Item(C::FilenameToId3), Item(C::Id3ToFilename)}},
        {QT_TRANSLATE_NOOP("Menu", "&Help"), {Item(C::HelpTopics), kSeparator, Item(C::About)}},
    };
    return menus;
}

const SMenuSpec& NormalContextMenu() {
    static const SMenuSpec menu = {
        "Normal",
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
         Item(C::SentenceCase, QT_TRANSLATE_NOOP("Command", "Sentence case")),
         Item(C::Lowercase, QT_TRANSLATE_NOOP("Command", "lowercase")),
         Item(C::Uppercase, QT_TRANSLATE_NOOP("Command", "UPPERCASE")),
         Item(C::TitleCase, QT_TRANSLATE_NOOP("Command", "Title Case")),
         Item(C::ToggleCase, QT_TRANSLATE_NOOP("Command", "tOGGLE CASE")),
         kSeparator,
         Item(C::Swap, QT_TRANSLATE_NOOP("Command", "Swap")),
         Item(C::InsertSpaces, QT_TRANSLATE_NOOP("Command", "Insert Spaces")),
         kSeparator,
         Item(C::Id3ToFilename)}};
    return menu;
}

const SMenuSpec& Mp3ContextMenu() {
    static const SMenuSpec menu = {
        "MP3",
        {Item(C::Add), Item(C::Remove), Item(C::Rename), Item(C::SelectAll), kSeparator,
         Item(C::ToggleMode), Item(C::SaveId3, QT_TRANSLATE_NOOP("Command", "Save ID3")),
         kSeparator, Item(C::SentenceCase, QT_TRANSLATE_NOOP("Command", "Sentence case")),
         Item(C::Lowercase), Item(C::Uppercase, QT_TRANSLATE_NOOP("Command", "UPPERCASE")),
         Item(C::TitleCase, QT_TRANSLATE_NOOP("Command", "Title Case")),
         Item(C::ToggleCase, QT_TRANSLATE_NOOP("Command", "tOGGLE CASE")), kSeparator,
         Item(C::Swap, QT_TRANSLATE_NOOP("Command", "Swap")),
         Item(C::InsertSpaces, QT_TRANSLATE_NOOP("Command", "Insert Spaces")), kSeparator,
         Item(C::Lock), Item(C::FilenameToId3)}};
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
    QString text = CommandText(item.label ? item.label : spec.label);
    if (*spec.keyText != '\0')
        text += QLatin1Char('\t') + QCoreApplication::translate("Key", spec.keyText);
    return text;
}

QString CommandText(const char* text) {
    return QCoreApplication::translate("Command", text);
}

QString MenuTitle(const SMenuSpec& menu) {
    return QCoreApplication::translate("Menu", menu.title);
}
