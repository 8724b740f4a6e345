// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/CoreTexts.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstring>

#include "files/JournaledRun.h"
#include "model/ColumnTitles.h"
#include "model/CountText.h"
#include "model/ListState.h"
#include "model/ResultsList.h"
#include "model/TagPresence.h"
#include "view/DisplayText.h"

namespace {

constexpr const char* kMessageContext = "CoreMessage";
constexpr const char* kResultContext = "ResultText";
constexpr const char* kColumnContext = "ColumnTitle";

// The core's messages by id, in English with a %1, %2 ... for each part the core sends
// beside its text, in the order it sends them. A message whose text varies otherwise (a
// list of files, a reason composed of several) has no entry and is shown as it came.
struct SMessageForm {
    EMessageId id;
    const char* form;
};
const SMessageForm kMessageForms[] = {
    {EMessageId::CannotOpenTagFile,
     QT_TRANSLATE_NOOP("CoreMessage", "Cannot open file. Access is denied.")},
    {EMessageId::TagDiskFull,
     QT_TRANSLATE_NOOP("CoreMessage",
                       "Cannot write the tag: the disk is full. The file was left as it was.")},
    {EMessageId::SaveTagChanges, QT_TRANSLATE_NOOP("CoreMessage", "Save changes to MP3 files?")},
    {EMessageId::ContinueAfterFailure,
     QT_TRANSLATE_NOOP("CoreMessage", "%1: %2\n\nDo you want to continue?")},
    {EMessageId::CannotOpenList, QT_TRANSLATE_NOOP("CoreMessage", "Cannot open %1: %2.")},
    {EMessageId::UnrecognizedFileType, QT_TRANSLATE_NOOP("CoreMessage", "Unrecognized file type")},
    {EMessageId::DamagedList,
     QT_TRANSLATE_NOOP("CoreMessage", "Cannot read %1: the list is damaged (%2).")},
    {EMessageId::CannotSaveList, QT_TRANSLATE_NOOP("CoreMessage", "Cannot save %1: %2.")},
    {EMessageId::CannotWriteText,
     QT_TRANSLATE_NOOP("CoreMessage", "Cannot write file: Access denied")},
    {EMessageId::CannotFind, QT_TRANSLATE_NOOP("CoreMessage", "Cannot find the string '%1'")},
    {EMessageId::CannotUndo, QT_TRANSLATE_NOOP("CoreMessage", "Cannot undo last operation")},
    {EMessageId::InvalidExtension,
     QT_TRANSLATE_NOOP("CoreMessage", "Cannot rename to this invalid extension")},
    {EMessageId::EnterFilename, QT_TRANSLATE_NOOP("CoreMessage", "Please enter filename")},
    {EMessageId::NameTooLong,
     QT_TRANSLATE_NOOP("CoreMessage",
                       "A name would grow past 4,096 bytes: the command was "
                       "refused and nothing changed.")},
    {EMessageId::InterruptedRun,
     QT_TRANSLATE_NOOP("CoreMessage",
                       "A run was interrupted before it ended: %1 files may still "
                       "have their new names.\nPut them back now?")},
};

// The verdicts of a preview or results by code, and the notes of the routes a rename takes.
struct SResultForm {
    int nCode;
    const char* text;
};
const SResultForm kResultForms[] = {
    {kResultOk, QT_TRANSLATE_NOOP("ResultText", "OK")},
    {kResultExists, QT_TRANSLATE_NOOP("ResultText", "File already exists")},
    {kResultNotFound, QT_TRANSLATE_NOOP("ResultText", "File not found")},
    {kResultReadOnly, QT_TRANSLATE_NOOP("ResultText", "Read only")},
    {kResultIllegalChar, QT_TRANSLATE_NOOP("ResultText", "Illegal character")},
    {kResultUnexpected, QT_TRANSLATE_NOOP("ResultText", "Unexpected error.  Please refer to help")},
    {kResultUnchanged, QT_TRANSLATE_NOOP("ResultText", "Unchanged")},
    {kResultCancelled, QT_TRANSLATE_NOOP("ResultText", "Not renamed")},
    {kResultNameTooLong, QT_TRANSLATE_NOOP("ResultText", "File name too long")},
};
const char* const kRouteNotes[] = {
    QT_TRANSLATE_NOOP("ResultText", "OK (swaps names)"),
    QT_TRANSLATE_NOOP("ResultText", "OK (through a temporary name)"),
    QT_TRANSLATE_NOOP("ResultText", "ID3v2 tag left alone: it cannot be read"),
    QT_TRANSLATE_NOOP("ResultText", "ID3v2 tag left alone: its frames cannot be read"),
    QT_TRANSLATE_NOOP("ResultText", "ID3v2.2 tag written as ID3v2.3"),
    QT_TRANSLATE_NOOP("ResultText", "file written anew to make room for the ID3v2 tag"),
};
const char* const kResultsTitles[] = {QT_TRANSLATE_NOOP("ResultText", "Preview"),
                                      QT_TRANSLATE_NOOP("ResultText", "Results")};

const char* const kNormalTitles[] = {QT_TRANSLATE_NOOP("ColumnTitle", "New Filename"),
                                     QT_TRANSLATE_NOOP("ColumnTitle", "Current Filename"),
                                     QT_TRANSLATE_NOOP("ColumnTitle", "Type"),
                                     QT_TRANSLATE_NOOP("ColumnTitle", "Size"),
                                     QT_TRANSLATE_NOOP("ColumnTitle", "Modified"),
                                     QT_TRANSLATE_NOOP("ColumnTitle", "In Folder")};
const char* const kMp3Titles[] = {
    QT_TRANSLATE_NOOP("ColumnTitle", "Filename"), QT_TRANSLATE_NOOP("ColumnTitle", "Title"),
    QT_TRANSLATE_NOOP("ColumnTitle", "Artist"),   QT_TRANSLATE_NOOP("ColumnTitle", "Album"),
    QT_TRANSLATE_NOOP("ColumnTitle", "Year"),     QT_TRANSLATE_NOOP("ColumnTitle", "Genre"),
    QT_TRANSLATE_NOOP("ColumnTitle", "Comment")};

QString Translated(const char* context, const char* source) {
    return QCoreApplication::translate(context, source);
}

// The English text translated when it is one of the known sources; otherwise as it is.
template <size_t N>
QString TranslatedIfKnown(const char* context, const char* const (&sources)[N],
                          const std::string& text) {
    for (const char* source : sources)
        if (text == source)
            return Translated(context, source);
    return ToDisplay(text);
}

QString WithParts(QString form, const std::vector<std::string>& parts) {
    // One pass for all parts, so that a "%1" inside a path is not taken for a place.
    switch (parts.size()) {
        case 0:
            return form;
        case 1:
            return form.arg(ToDisplay(parts[0]));
        case 2:
            return form.arg(ToDisplay(parts[0]), ToDisplay(parts[1]));
        default:
            return form.arg(ToDisplay(parts[0]), ToDisplay(parts[1]), ToDisplay(parts[2]));
    }
}

}  // namespace

QString CountText(size_t count) {
    //: The separator between groups of three digits in a count, as in 12,345.
    QString separator = QCoreApplication::translate("CountText", ",");
    return QString::fromStdString(GroupedNumber(count)).replace(QLatin1Char(','), separator);
}

QString CoreMessageText(EMessageId id, const std::string& text,
                        const std::vector<std::string>& parts) {
    for (const SMessageForm& entry : kMessageForms) {
        if (entry.id != id)
            continue;
        // The English form with the parts must be the very text the core sent; a text the
        // table does not describe keeps its own words.
        QString english = WithParts(QString::fromUtf8(entry.form), parts);
        if (english != ToDisplay(text) || parts.size() > 3)
            break;
        return WithParts(Translated(kMessageContext, entry.form), parts);
    }
    return ToDisplay(text);
}

QString ColumnTitleText(EMode mode, int column) {
    const char* title = ColumnTitle(mode, column);
    if (mode == EMode::Mp3)
        return TranslatedIfKnown(kColumnContext, kMp3Titles, title);
    return TranslatedIfKnown(kColumnContext, kNormalTitles, title);
}

QString ResultsTitleText(const CResultsList& results) {
    return TranslatedIfKnown(kResultContext, kResultsTitles, results.m_strTitle);
}

QString VerdictText(int code) {
    for (const SResultForm& form : kResultForms)
        if (form.nCode == code && std::strcmp(form.text, ResultText(code)) == 0)
            return Translated(kResultContext, form.text);
    return QString::fromUtf8(ResultText(code));
}

QString TagPresenceDisplayText(const STagPresence& presence) {
    QStringList tags;
    if (presence.bV1)
        tags << QStringLiteral("ID3v1");
    if (presence.bV2Broken)
        tags << QCoreApplication::translate("ResultText", "ID3v2 (unreadable)");
    else if (presence.nV2Version != 0)
        tags << QStringLiteral("ID3v2.%1").arg(presence.nV2Version);
    if (tags.isEmpty())
        return QCoreApplication::translate("ResultText", "No tag");
    return QCoreApplication::translate("ResultText", "Tags: %1")
        .arg(tags.join(QStringLiteral(" + ")));
}

QString ResultCommentText(const CResultsList& results, size_t row) {
    int code = results.Code(row);
    std::string english = results.Comment(row);
    // An OK row may carry the note of its route instead of the verdict.
    // A tag write's notes are joined by "; ", each translated on its own.
    if (code == kResultOk && english != ResultText(kResultOk)) {
        QStringList notes;
        for (const QString& note : QString::fromUtf8(english).split(QStringLiteral("; ")))
            notes << TranslatedIfKnown(kResultContext, kRouteNotes, note.toStdString());
        return notes.join(QStringLiteral("; "));
    }
    QString comment = VerdictText(code);
    if (int error = results.SystemError(row))
        comment += QStringLiteral(" (%1)").arg(QString::fromLocal8Bit(std::strerror(error)));
    return comment;
}

QString ResultsSummaryText(const CResultsList& results) {
    SResultCounts counts = results.Counts();
    bool tags = results.m_bTags;
    if (!results.m_bResultsMode) {
        QString text = counts.nOk == 1
                           ? QCoreApplication::translate("CountText", "%1 row OK, %2 unchanged")
                           : QCoreApplication::translate("CountText", "%1 rows OK, %2 unchanged");
        text = text.arg(CountText(counts.nOk), CountText(counts.nUnchanged));
        // Before a run nothing is cancelled yet: every other code stands in its way.
        size_t problems = counts.nProblems + counts.nCancelled;
        if (problems > 0)
            text += (tags ? QCoreApplication::translate("CountText", ", %1 cannot be written")
                          : QCoreApplication::translate("CountText", ", %1 cannot be renamed"))
                        .arg(CountText(problems));
        return text;
    }
    QString text = (tags ? QCoreApplication::translate("CountText", "%1 written, %2 failed")
                         : QCoreApplication::translate("CountText", "%1 renamed, %2 failed"))
                       .arg(CountText(counts.nOk), CountText(counts.nProblems));
    size_t left = counts.nCancelled + counts.nUnchanged;
    if (left == 0)
        return text;
    QStringList why;
    if (counts.nCancelled > 0)
        why << QCoreApplication::translate("CountText", "%1 cancelled")
                   .arg(CountText(counts.nCancelled));
    if (counts.nUnchanged > 0)
        why << QCoreApplication::translate("CountText", "%1 unchanged")
                   .arg(CountText(counts.nUnchanged));
    return text + (tags ? QCoreApplication::translate("CountText", ", %1 not written (%2)")
                        : QCoreApplication::translate("CountText", ", %1 not renamed (%2)"))
                      .arg(CountText(left), why.join(QStringLiteral(", ")));
}

QString ConfirmRefusalText(const CResultsList& results) {
    if (results.m_bResultsMode || results.CanConfirm())
        return {};
    bool tags = results.m_bTags;
    SResultCounts counts = results.Counts();
    if (results.IsBlocked()) {
        size_t problems = results.GetCount() - counts.nOk - counts.nUnchanged;
        QString text;
        if (tags)
            text = problems == 1
                       ? QCoreApplication::translate(
                             "CountText", "%1 row cannot be written: fix or remove it to go on")
                       : QCoreApplication::translate(
                             "CountText", "%1 rows cannot be written: fix or remove them to go on");
        else
            text = problems == 1
                       ? QCoreApplication::translate(
                             "CountText", "%1 row cannot be renamed: fix or remove it to go on")
                       : QCoreApplication::translate(
                             "CountText", "%1 rows cannot be renamed: fix or remove them to go on");
        return text.arg(CountText(problems));
    }
    if (results.GetCount() == 0)
        return tags
                   ? QCoreApplication::translate("CountText", "Nothing to write: the list is empty")
                   : QCoreApplication::translate("CountText",
                                                 "Nothing to rename: the list is empty");
    if (counts.nUnchanged == results.GetCount())
        return tags ? QCoreApplication::translate("CountText",
                                                  "Nothing to write: every row is unchanged")
                    : QCoreApplication::translate("CountText",
                                                  "Nothing to rename: every row is unchanged");
    return tags ? QCoreApplication::translate(
                      "CountText", "Nothing to write: no row that would change can be written")
                : QCoreApplication::translate(
                      "CountText", "Nothing to rename: no row that would change can be renamed");
}

QString ListStateDisplayText(const SListState& state) {
    QString text =
        (state.nRows == 1 ? QCoreApplication::translate("CountText", "%1 row, %2 selected")
                          : QCoreApplication::translate("CountText", "%1 rows, %2 selected"))
            .arg(CountText(state.nRows), CountText(state.nSelected));
    if (state.bMp3Mode)
        text += (state.nUnsavedTags == 1
                     ? QCoreApplication::translate("CountText", ", %1 tag not saved")
                     : QCoreApplication::translate("CountText", ", %1 tags not saved"))
                    .arg(CountText(state.nUnsavedTags));
    return text;
}

QString UndoSummaryText(const SRunOutcome& outcome) {
    size_t failed = outcome.nFailed - outcome.nNotReached;
    QString text =
        (outcome.nDone == 1
             ? QCoreApplication::translate("CountText", "Undo: %1 file put back, %2 failed")
             : QCoreApplication::translate("CountText", "Undo: %1 files put back, %2 failed"))
            .arg(CountText(outcome.nDone), CountText(failed));
    if (outcome.nNotReached > 0)
        text += QCoreApplication::translate("CountText", ", %1 not put back (cancelled)")
                    .arg(CountText(outcome.nNotReached));
    return text;
}
