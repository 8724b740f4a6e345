// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TesselDoc.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "model/Archive.h"
#include "model/ListObserver.h"
#include "model/Prompts.h"
#include "model/TesselSession.h"
#include "platform/RegularFile.h"
#include "platform/ReplaceFile.h"
#include "platform/WriteAll.h"

namespace {

// Reads the count rows that follow, one after another, and appends each to the list.
// Returns what is wrong with them, "" when nothing is: the rows before the first one that
// is cut short, unreadable or has a path of another file are kept; that row and the rest
// are not.
std::string ReadRows(CArchiveReader& reader, size_t count, CRenameList& list) {
    // A row takes at least six one-byte string lengths and two 4-byte numbers, so a
    // damaged count cannot make room for more rows than the bytes could hold.
    constexpr size_t kLeastRowBytes = 6 + 2 * 4;
    list.Reserve(std::min(count, reader.Remaining() / kLeastRowBytes));
    for (size_t row = 0; row < count; ++row) {
        auto entry = std::make_unique<CHitDoc>();
        if (!entry->Serialize(reader))
            return "row " + std::to_string(row + 1) + " is cut short or unreadable";
        if (!entry->HasSoundPath())
            return "row " + std::to_string(row + 1) +
                   " has a path that is not an absolute path ending in its name";
        list.Append(std::move(entry));
    }
    return reader.Remaining() == 0 ? "" : "bytes follow its last row";
}

}  // namespace

std::string SerializeList(CTesselSession& session) {
    std::string bytes;
    // Room that only the bytes written take up in memory: growing a long list's bytes
    // copies them over and over.
    bytes.reserve(32 + static_cast<size_t>(session.List().GetCount()) * 512);
    WriteListBytes(session, [&bytes](std::string_view piece) {
        bytes += piece;
        return true;
    });
    return bytes;
}

bool WriteListBytes(CTesselSession& session, const std::function<bool(std::string_view)>& write) {
    constexpr size_t kPieceBytes = 1 << 20;
    CRenameList& list = session.List();
    CArchiveWriter archive;
    archive.Reserve(kPieceBytes + 64 * 1024);
    archive.WriteString(kTslHeader);
    archive.WriteInt32(list.GetCount());
    IPrompts& prompts = session.Prompts();
    prompts.BeginProgress(list.GetCount());
    bool taken = true;
    for (int row = 0; row < list.GetCount() && taken; ++row) {
        list.GetEntry(row).Serialize(archive);
        if (archive.Bytes().size() >= kPieceBytes) {
            taken = write(archive.Bytes());
            archive.Clear();
        }
    }
    taken = taken && write(archive.Bytes());
    // The error of a failed write outlives the progress calls.
    int error = errno;
    prompts.SetProgress(list.GetCount());
    prompts.EndProgress();
    errno = error;
    return taken;
}

bool CTesselDoc::OnNewDocument() {
    m_strPath.clear();
    m_session.SetModified(false);
    m_session.EndEditing();
    m_session.List().Empty();
    m_session.SetAllMp3(true);
    m_session.UndoHistory().Clear();
    m_session.ReleaseSnapshot();
    return true;
}

bool CTesselDoc::OnOpenDocument(const std::string& path) {
    int fd = -1;
    uint64_t size = 0;
    if (int error = OpenRegularFile(path, fd, size)) {
        std::string reason = std::strerror(error);
        m_session.Prompts().MessageWithParts(EMessageId::CannotOpenList,
                                             "Cannot open " + path + ": " + reason + ".",
                                             {path, reason}, EIcon::Stop, EButtons::Ok);
        return false;
    }
    CArchiveReader reader([fd](char* buffer, size_t count) { return ReadSome(fd, buffer, count); },
                          size);
    bool opened = OpenFrom(reader, path);
    close(fd);
    return opened;
}

bool CTesselDoc::OpenFromBytes(const std::string& bytes, const std::string& path) {
    CArchiveReader reader(bytes);
    return OpenFrom(reader, path);
}

bool CTesselDoc::OpenFrom(CArchiveReader& reader, const std::string& path) {
    std::string header;
    if (!reader.ReadString(header) || header != kTslHeader) {
        m_session.Prompts().Message(EMessageId::UnrecognizedFileType, kUnrecognizedMessage,
                                    EIcon::Stop, EButtons::Ok);
        return false;
    }
    OnNewDocument();
    int32_t count = 0;
    std::string damage;
    if (!reader.ReadInt32(count))
        damage = "it ends before its row count";
    else if (count < 0)
        damage = "its row count is negative";
    bool ok = damage.empty();
    if (ok && count != 0)
        m_session.SetNormalColumns();
    // Rows arrive without a notification each; the front end shows them all at the end.
    CRenameList& list = m_session.List();
    IListObserver* observer = list.GetObserver();
    if (observer)
        observer->ListAboutToBeReset();
    list.SetObserver(nullptr);
    // The rows come in normal mode with default tags and the undo history was emptied
    // above, so each row takes the entry read for it.
    if (ok)
        damage = ReadRows(reader, static_cast<size_t>(count), list);
    list.SetObserver(observer);
    if (observer)
        observer->ListReset();
    m_session.RecomputeAllMp3();
    if (!damage.empty()) {
        ReportLoadFailure(path, damage);
        return false;
    }
    m_strPath = path;
    m_session.SetModified(false);
    return true;
}

void CTesselDoc::ReportLoadFailure(const std::string& path, const std::string& damage) {
    // What was read stays, but it is not that file: a Save must ask for a name.
    m_strPath.clear();
    m_session.SetModified(m_session.List().GetCount() > 0);
    m_session.Prompts().MessageWithParts(
        EMessageId::DamagedList, "Cannot read " + path + ": the list is damaged (" + damage + ").",
        {path, damage}, EIcon::Stop, EButtons::Ok);
}

bool CTesselDoc::OnSaveDocument(const std::string& path) {
    return SaveEnded(path, ReplaceFile(path, [this](int fd) {
                         return WriteListBytes(m_session, [fd](std::string_view piece) {
                             return WriteAll(fd, piece);
                         });
                     }));
}

bool CTesselDoc::SaveEnded(const std::string& path, const std::string& why) {
    if (!why.empty()) {
        m_session.Prompts().MessageWithParts(EMessageId::CannotSaveList,
                                             "Cannot save " + path + ": " + why + ".", {path, why},
                                             EIcon::Stop, EButtons::Ok);
        return false;
    }
    m_strPath = path;
    m_session.SetModified(false);
    return true;
}
