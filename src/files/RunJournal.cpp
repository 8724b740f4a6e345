// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RunJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>

#include "files/JournalFolder.h"
#include "platform/WriteAll.h"

namespace {

// How often the records are synced. A killed process loses nothing written: every record
// reaches the file before its rename, and the kernel keeps the pages written. Only a power
// cut or a system crash loses what is not yet on disk, and syncing every quarter second
// bounds that to the records of the renames of the last quarter second (those files keep
// their new names). The file system commits the renames themselves only every few seconds
// (ext4: 5 s), so renames of that moment are as likely to be lost with their records. A
// sync also every 1,000 renames, some 50 a second, waited each time for a commit of the
// file system's journal: a Go of 100,000 files took about a quarter longer.
constexpr std::chrono::milliseconds kSyncEvery{250};

std::string Describe(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

CRunJournal::CRunJournal(const CJournalFolder& folder, std::string name, std::string listPath)
    : m_folder(folder), m_strListPath(std::move(listPath)), m_strName(std::move(name)) {}

CRunJournal::~CRunJournal() {
    if (m_fd >= 0)
        close(m_fd);
}

std::string CRunJournal::Path() const {
    return m_folder.Path() + "/" + m_strName;
}

void CRunJournal::Fail(const std::string& what) {
    if (m_strError.empty())
        m_strError = Describe(what, Path());
}

int CRunJournal::WriteWhole(const std::string& bytes, std::string& error, bool durable) const {
    // The new journal takes the old one's place only once it is whole (and, when durable,
    // on disk).
    std::string temporary = m_strName + ".new";
    int folder = m_folder.Fd();
    unlinkat(folder, temporary.c_str(), 0);
    int fd =
        openat(folder, temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    bool ok = fd >= 0 && WriteAll(fd, bytes) && (!durable || fsync(fd) == 0) &&
              renameat(folder, temporary.c_str(), folder, m_strName.c_str()) == 0 &&
              (!durable || m_folder.Sync());
    if (ok)
        return fd;
    error = Describe("cannot write", Path());
    if (fd >= 0) {
        unlinkat(folder, temporary.c_str(), 0);
        close(fd);
    }
    return -1;
}

bool CRunJournal::RunStarting(int /*rows*/) {
    std::string header = JournalHeader(m_strListPath, static_cast<int64_t>(time(nullptr)));
    // The header reaches the disk with the first records, at the first sync: alone it
    // would let no rename be undone after a power cut, and syncing it first would keep
    // every run waiting for the disk before its first rename.
    m_fd = WriteWhole(header, m_strError, false);
    m_bOnDisk = false;
    if (m_fd < 0)
        return false;
    m_nLength = header.size();
    m_nStartedEnd = m_nLength;
    m_written.clear();
    m_started = SWritten{-1, 0};
    m_nRenames = 0;
    m_lastSync = std::chrono::steady_clock::now();
    return true;
}

bool CRunJournal::Append(const std::string& records) {
    size_t done = 0;
    while (done < records.size()) {
        ssize_t wrote = pwrite(m_fd, records.data() + done, records.size() - done,
                               static_cast<off_t>(m_nLength + done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0) {
            if (wrote == 0)
                errno = EIO;
            return false;
        }
        done += static_cast<size_t>(wrote);
    }
    return true;
}

void CRunJournal::SyncIfDue() {
    if (std::chrono::steady_clock::now() - m_lastSync >= kSyncEvery)
        Sync();
}

void CRunJournal::Sync() {
    // The journal's name in its folder reaches the disk with its first sync.
    if (fdatasync(m_fd) != 0 || (!m_bOnDisk && !m_folder.Sync()))
        Fail("cannot sync");
    m_bOnDisk = true;
    m_lastSync = std::chrono::steady_clock::now();
}

namespace {

SFileId Identify(SFileId known, const std::string& path) {
    struct stat facts;
    if (known.nInode == 0 && lstat(path.c_str(), &facts) == 0)
        known = SFileId{static_cast<uint64_t>(facts.st_dev), static_cast<uint64_t>(facts.st_ino)};
    return known;
}

}  // namespace

void CRunJournal::AddRecord(const SComingRename& rename) {
    m_rename.nRow = static_cast<uint32_t>(rename.nRow);
    m_rename.strFrom.assign(rename.from);
    m_rename.strTo.assign(rename.to);
    SFileId file = Identify(rename.file, m_rename.strFrom);
    m_rename.nDevice = file.nDevice;
    m_rename.nInode = file.nInode;
    m_rename.bExchange = rename.bExchange;
    m_rename.nOtherRow = rename.bExchange ? static_cast<uint32_t>(rename.nOtherRow) : 0;
    m_rename.nOtherInode = rename.bExchange ? Identify(rename.otherFile, m_rename.strTo).nInode : 0;
    m_written.push_back(SWritten{rename.nStep, m_nLength + m_strRecord.size()});
    AppendRenameRecord(m_strRecord, m_rename);
}

bool CRunJournal::WriteRecords() {
    size_t records = 0;
    for (auto it = m_written.rbegin(); it != m_written.rend() && it->nStart >= m_nLength; ++it)
        ++records;
    if (!Append(m_strRecord)) {
        Fail("cannot write");
        m_written.resize(m_written.size() - records);
        // A part of the records left behind would end the journal anyway; it goes.
        if (ftruncate(m_fd, static_cast<off_t>(m_nLength)) != 0) {
            close(m_fd);
            m_fd = -1;
        }
        return false;
    }
    m_nLength += m_strRecord.size();
    SyncIfDue();
    return true;
}

bool CRunJournal::RenamesAhead(const std::vector<SComingRename>& renames) {
    if (m_fd < 0)
        return false;
    m_strRecord.clear();
    for (const SComingRename& rename : renames) {
        // A file the preview did not identify gets its record alone, right before its
        // rename, so that it is the last record while the rename may be unmade.
        if (rename.file.nInode == 0 || (rename.bExchange && rename.otherFile.nInode == 0))
            break;
        AddRecord(rename);
    }
    return m_strRecord.empty() || WriteRecords();
}

bool CRunJournal::RenameStarting(const SComingRename& rename) {
    if (m_fd < 0)
        return false;
    while (!m_written.empty() && m_written.front().nStep < rename.nStep)
        m_written.pop_front();
    if (m_written.empty() || m_written.front().nStep != rename.nStep) {
        m_written.clear();
        m_strRecord.clear();
        AddRecord(rename);
        if (!WriteRecords())
            return false;
    }
    m_started = m_written.front();
    m_written.pop_front();
    m_nStartedEnd = m_written.empty() ? m_nLength : m_written.front().nStart;
    ++m_nRenames;
    return true;
}

bool CRunJournal::TagWriteStarting(const STagWrite& write) {
    std::lock_guard<std::mutex> lock(m_tagMutex);
    if (m_fd < 0)
        return false;
    m_strRecord.clear();
    AppendTagRecord(m_strRecord, write);
    if (!WriteRecords())
        return false;
    SyncIfDue();
    m_nStartedEnd = m_nLength;
    ++m_nRenames;
    return true;
}

void CRunJournal::RenameFailed(int step) {
    if (m_fd < 0 || m_started.nStep != step)
        return;
    if (pwrite(m_fd, &kUnmadeRecordMark, 1, static_cast<off_t>(m_started.nStart)) != 1) {
        Fail("cannot write");
        return;
    }
    --m_nRenames;
}

void CRunJournal::RunFinished() {
    if (m_fd < 0)
        return;
    // The renames told ahead that the run never reached leave no record behind.
    if (m_nLength > m_nStartedEnd && ftruncate(m_fd, static_cast<off_t>(m_nStartedEnd)) == 0)
        m_nLength = m_nStartedEnd;
    m_written.clear();
    m_strRecord.clear();
    AppendFinishedRecord(m_strRecord, m_nRenames);
    if (!Append(m_strRecord))
        Fail("cannot write");
    Sync();
    close(m_fd);
    m_fd = -1;
    // A run that renamed nothing is no step to undo: it leaves no journal to find.
    if (m_nRenames == 0 && unlinkat(m_folder.Fd(), m_strName.c_str(), 0) == 0)
        m_folder.Sync();
}

bool CRunJournal::Read(SJournalContents& contents, std::string& error) const {
    contents = SJournalContents();
    int fd =
        openat(m_folder.Fd(), m_strName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT)
            error = "no run to undo";
        else if (errno == ELOOP)
            error = Path() + ": refused: the undo journal is a link";
        else
            error = Describe("cannot read", Path());
        return false;
    }
    struct stat facts;
    std::string bytes;
    bool ok = fstat(fd, &facts) == 0 && S_ISREG(facts.st_mode) && facts.st_uid == geteuid();
    if (!ok)
        error = Path() + ": refused: the undo journal is not a file of this user's";
    char buffer[65536];
    while (ok) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = Describe("cannot read", Path());
            ok = false;
        }
        if (got <= 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    if (ok && !ParseJournal(bytes, contents)) {
        error = Path() + ": the undo journal is damaged";
        ok = false;
    }
    return ok;
}

bool CRunJournal::Replace(const SJournalContents& contents, std::string& error) const {
    if (contents.Records() == 0 && !contents.bUndone) {
        if (unlinkat(m_folder.Fd(), m_strName.c_str(), 0) != 0 && errno != ENOENT) {
            error = Describe("cannot remove", Path());
            return false;
        }
        m_folder.Sync();
        return true;
    }
    int fd = WriteWhole(JournalBytes(contents), error, true);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}
