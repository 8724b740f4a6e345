#include "model/TesselDoc.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <vector>

#include "model/Archive.h"
#include "model/ListObserver.h"
#include "model/Prompts.h"
#include "model/TesselSession.h"
#include "platform/ReadWholeFile.h"
#include "platform/ReplaceFile.h"
#include "platform/WriteAll.h"

namespace {

enum class ELoad { Ok, Unrecognized, Damaged };

constexpr size_t kEntriesPerPart = 8192;

// Runs work(part, first, last) on each part of kEntriesPerPart entries in turn.
template <class Work>
void ForEachChunk(size_t count, Work work) {
    for (size_t part = 0, first = 0; first < count; ++part, first += kEntriesPerPart)
        work(part, first, std::min(count, first + kEntriesPerPart));
}

// The entries of a list, read up to the first that is missing or damaged, and where the
// last of them ended.
struct SReadEntries {
    std::vector<std::unique_ptr<CHitDoc>> entries;
    size_t nEnd = 0;
};

// Reads the count entries that follow in the archive, in parts: a quick walk over the
// entries finds where each part begins. Returns the entries before the
// first that is missing or damaged, as a reading one by one would.
SReadEntries ReadEntries(const CArchiveReader& archive, size_t count) {
    std::vector<size_t> partStarts;
    CArchiveReader walker = archive;
    size_t whole = 0;
    for (; whole < count; ++whole) {
        if (whole % kEntriesPerPart == 0)
            partStarts.push_back(walker.Position());
        if (!CHitDoc::SkipSerialized(walker))
            break;
    }
    SReadEntries read;
    read.nEnd = walker.Position();
    std::vector<std::unique_ptr<CHitDoc>>& entries = read.entries;
    entries.resize(whole);
    ForEachChunk(whole, [&](size_t part, size_t first, size_t last) {
        CArchiveReader reader(archive.Bytes(), partStarts[part]);
        for (size_t row = first; row < last; ++row) {
            auto entry = std::make_unique<CHitDoc>();
            if (!entry->Serialize(reader))
                break;
            entries[row] = std::move(entry);
        }
    });
    auto firstMissing = std::find(entries.begin(), entries.end(), nullptr);
    entries.erase(firstMissing, entries.end());
    return read;
}

// What is wrong with a list whose count and entries were read: "" when nothing is. The
// rows before a row with a path of another file are kept; that row and the rest dropped.
std::string FindDamage(SReadEntries& read, size_t count, size_t size) {
    std::vector<std::unique_ptr<CHitDoc>>& entries = read.entries;
    for (size_t row = 0; row < entries.size(); ++row) {
        if (!entries[row]->HasSoundPath()) {
            entries.resize(row);
            return "row " + std::to_string(row + 1) +
                   " has a path that is not an absolute path ending in its name";
        }
    }
    if (entries.size() != count)
        return "row " + std::to_string(entries.size() + 1) + " is cut short or unreadable";
    if (read.nEnd != size)
        return "bytes follow its last row";
    return "";
}

}  // namespace

size_t SListBytes::Size() const {
    size_t size = 0;
    for (const std::string& piece : pieces)
        size += piece.size();
    return size;
}

bool SListBytes::SameAs(const SListBytes& other) const {
    if (Size() != other.Size())
        return false;
    // Walks both at once, a stretch that lies within one piece of each at a time.
    size_t mine = 0, theirs = 0, myAt = 0, theirAt = 0;
    while (mine < pieces.size() && theirs < other.pieces.size()) {
        std::string_view a = std::string_view(pieces[mine]).substr(myAt);
        std::string_view b = std::string_view(other.pieces[theirs]).substr(theirAt);
        size_t length = std::min(a.size(), b.size());
        if (a.substr(0, length) != b.substr(0, length))
            return false;
        myAt += length;
        theirAt += length;
        if (myAt == pieces[mine].size())
            ++mine, myAt = 0;
        if (theirAt == other.pieces[theirs].size())
            ++theirs, theirAt = 0;
    }
    return true;
}

std::string SListBytes::Joined() const {
    std::string joined;
    joined.reserve(Size());
    for (const std::string& piece : pieces)
        joined += piece;
    return joined;
}

SListBytes SerializeListPieces(CTesselSession& session) {
    CRenameList& list = session.List();
    size_t rows = static_cast<size_t>(list.GetCount());
    SListBytes bytes;
    CArchiveWriter head;
    head.WriteString(kTslHeader);
    head.WriteInt32(list.GetCount());
    bytes.pieces.push_back(head.Bytes());
    bytes.pieces.resize(1 + (rows + kEntriesPerPart - 1) / kEntriesPerPart);
    IPrompts& prompts = session.Prompts();
    prompts.BeginProgress(list.GetCount());
    ForEachChunk(rows, [&](size_t part, size_t first, size_t last) {
        CArchiveWriter archive;
        archive.Reserve((last - first) * 128);
        for (size_t row = first; row < last; ++row)
            list.GetEntry(static_cast<int>(row)).Serialize(archive);
        bytes.pieces[1 + part] = archive.Take();
    });
    prompts.SetProgress(list.GetCount());
    prompts.EndProgress();
    return bytes;
}

std::string SerializeList(CTesselSession& session) {
    return SerializeListPieces(session).Joined();
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
    std::string bytes;
    if (int error = ReadWholeFile(path, bytes)) {
        m_session.Prompts().Message(EMessageId::CannotOpenList,
                                    "Cannot open " + path + ": " + std::strerror(error) + ".",
                                    EIcon::Stop, EButtons::Ok);
        return false;
    }
    return OpenFromBytes(bytes, path);
}

bool CTesselDoc::OpenFromBytes(const std::string& bytes, const std::string& path) {
    CArchiveReader reader(bytes);
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
    if (ok) {
        SReadEntries read = ReadEntries(reader, static_cast<size_t>(count));
        damage = FindDamage(read, static_cast<size_t>(count), bytes.size());
        for (std::unique_ptr<CHitDoc>& entry : read.entries)
            list.Append(std::move(entry));
    }
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
    m_session.Prompts().Message(EMessageId::DamagedList,
                                "Cannot read " + path + ": the list is damaged (" + damage + ").",
                                EIcon::Stop, EButtons::Ok);
}

bool CTesselDoc::OnSaveDocument(const std::string& path) {
    return SaveBytes(path, SerializeListPieces(m_session));
}

bool CTesselDoc::SaveBytes(const std::string& path, const SListBytes& bytes) {
    std::string why = ReplaceFile(path, [&](int fd) {
        for (const std::string& piece : bytes.pieces)
            if (!WriteAll(fd, piece))
                return false;
        return true;
    });
    if (!why.empty()) {
        m_session.Prompts().Message(EMessageId::CannotSaveList,
                                    "Cannot save " + path + ": " + why + ".", EIcon::Stop,
                                    EButtons::Ok);
        return false;
    }
    m_strPath = path;
    m_session.SetModified(false);
    return true;
}
