#include "cli/UndoJournal.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "platform/WriteAll.h"

namespace {

constexpr char kMagic[] = "TESSEL-JOURNAL 1\n";
constexpr size_t kMagicLength = sizeof kMagic - 1;
constexpr char kRecordMark = 'R';
// What a record takes, about, when the journal reserves room for a run.
constexpr size_t kBytesPerRecord = 128;
constexpr size_t kSmallestMap = 64 * 1024;

uint64_t Fnv64(const std::string& bytes) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

uint32_t Fnv32(const char* bytes, size_t length) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
    return hash;
}

char* PutU32(char* out, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        *out++ = static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

void PutU32(std::string& out, uint32_t value) {
    char bytes[4];
    PutU32(bytes, value);
    out.append(bytes, sizeof bytes);
}

bool GetU32(const std::string& in, size_t& pos, uint32_t& value) {
    if (in.size() - pos < 4)
        return false;
    value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(static_cast<unsigned char>(in[pos + i])) << (8 * i);
    pos += 4;
    return true;
}

size_t RecordSize(const std::string& from, const std::string& to) {
    return 1 + 4 + 4 + from.size() + to.size() + 4;
}

// Mark, the two lengths, the two paths and a checksum of all that: a record that a crash
// cut short, or that holds garbage, is recognised and ends the journal. Fills exactly
// RecordSize bytes.
void WriteRecord(char* out, const std::string& from, const std::string& to) {
    char* start = out;
    *out++ = kRecordMark;
    out = PutU32(out, static_cast<uint32_t>(from.size()));
    out = PutU32(out, static_cast<uint32_t>(to.size()));
    out = std::copy(from.begin(), from.end(), out);
    out = std::copy(to.begin(), to.end(), out);
    PutU32(out, Fnv32(start, static_cast<size_t>(out - start)));
}

void AppendRecord(std::string& out, const std::string& from, const std::string& to) {
    size_t start = out.size();
    out.resize(start + RecordSize(from, to));
    WriteRecord(out.data() + start, from, to);
}

bool ReadRecord(const std::string& in, size_t& pos, SJournalRename& rename) {
    size_t start = pos;
    uint32_t fromLength = 0, toLength = 0, checksum = 0;
    if (pos >= in.size() || in[pos] != kRecordMark)
        return false;
    ++pos;
    if (!GetU32(in, pos, fromLength) || !GetU32(in, pos, toLength))
        return false;
    if (in.size() - pos < static_cast<size_t>(fromLength) + toLength)
        return false;
    rename.strFrom.assign(in, pos, fromLength);
    rename.strTo.assign(in, pos + fromLength, toLength);
    pos += static_cast<size_t>(fromLength) + toLength;
    size_t end = pos;
    return GetU32(in, pos, checksum) && checksum == Fnv32(in.data() + start, end - start);
}

bool MakeFolders(const std::string& folder) {
    for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

// A rename or an unlink in a folder is durable only once the folder itself is synced.
bool SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = fsync(fd) == 0;
    close(fd);
    return ok;
}

std::string Header(const std::string& listPath) {
    std::string header(kMagic, kMagicLength);
    PutU32(header, static_cast<uint32_t>(listPath.size()));
    header += listPath;
    return header;
}

}  // namespace

std::string CUndoJournal::Folder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/')
        return std::string(state) + "/tessel";
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        // No usable HOME: the user's home folder as the system records it, never the root.
        const passwd* user = getpwuid(geteuid());
        home = user != nullptr ? user->pw_dir : nullptr;
    }
    if (home == nullptr || home[0] != '/')
        return "";
    return std::string(home) + "/.local/state/tessel";
}

CUndoJournal::CUndoJournal(const std::string& absoluteListPath) : m_strListPath(absoluteListPath) {
    char name[32];
    std::snprintf(name, sizeof name, "/%016llx.journal",
                  static_cast<unsigned long long>(Fnv64(absoluteListPath)));
    m_strPath = Folder() + name;
    // For the tests of a killed run: the process kills itself once that many renames
    // are on record, exactly as an outside SIGKILL would stop it.
    if (const char* kill = std::getenv("TESSEL_CLI_TEST_KILL_AFTER"))
        m_nKillAfter = std::strtol(kill, nullptr, 10);
    if (const char* kill = std::getenv("TESSEL_CLI_TEST_KILL_AT_RECORD"))
        m_nKillAtRecord = std::strtol(kill, nullptr, 10);
}

CUndoJournal::~CUndoJournal() {
    if (m_finishing.joinable())
        m_finishing.join();
    Unmap();
    if (m_fd >= 0)
        close(m_fd);
}

void CUndoJournal::Unmap() {
    if (m_pMap == nullptr)
        return;
    munmap(m_pMap, m_nCapacity);
    m_pMap = nullptr;
    // The room reserved beyond the last record goes.
    if (ftruncate(m_fd, static_cast<off_t>(m_nLength)) != 0)
        Fail("cannot write " + m_strPath);
}

void CUndoJournal::Fail(const std::string& what) {
    if (m_strError.empty())
        m_strError = what + ": " + std::strerror(errno);
}

bool CUndoJournal::Create(const std::vector<SJournalRename>& renames, std::string& error) const {
    std::string folder = Folder();
    if (folder.empty()) {
        error = "no folder for the undo journal: neither XDG_STATE_HOME nor HOME names one";
        return false;
    }
    if (!MakeFolders(folder)) {
        error = "cannot create " + folder + ": " + std::strerror(errno);
        return false;
    }
    std::string bytes = Header(m_strListPath);
    for (const SJournalRename& rename : renames)
        AppendRecord(bytes, rename.strFrom, rename.strTo);
    std::string temporary = m_strPath + ".XXXXXX";
    int fd = mkstemp(temporary.data());
    bool ok = fd >= 0 && WriteAll(fd, bytes) && fsync(fd) == 0 &&
              rename(temporary.c_str(), m_strPath.c_str()) == 0 && SyncFolder(folder);
    if (!ok) {
        error = "cannot write " + m_strPath + ": " + std::strerror(errno);
        if (fd >= 0)
            unlink(temporary.c_str());
    }
    if (fd >= 0)
        close(fd);
    return ok;
}

bool CUndoJournal::RunStarting(int rows) {
    std::string error;
    if (!Create({}, error)) {
        m_strError = error;
        return false;
    }
    m_fd = open(m_strPath.c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        Fail("cannot open " + m_strPath);
        return false;
    }
    m_nLength = Header(m_strListPath).size();
    // Records go through a shared mapping of the file when it can be had: a store there
    // is in the file as soon as it is made, with no system call per rename. Otherwise
    // each record is written with one call.
    Map(m_nLength + static_cast<size_t>(std::max(rows, 0)) * kBytesPerRecord);
    return true;
}

bool CUndoJournal::Map(size_t capacity) {
    capacity = std::max(capacity, kSmallestMap);
    // The room is allocated on disk before it is mapped, so that a store into the mapping
    // never meets a full disk (which would end the process).
    void* map = MAP_FAILED;
    if (posix_fallocate(m_fd, 0, static_cast<off_t>(capacity)) == 0)
        map = m_pMap ? mremap(m_pMap, m_nCapacity, capacity, MREMAP_MAYMOVE)
                     : mmap(nullptr, capacity, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, 0);
    if (map == MAP_FAILED) {
        if (m_pMap)
            munmap(m_pMap, m_nCapacity);
        m_pMap = nullptr;
        m_nCapacity = 0;
        return false;
    }
    size_t mappedBefore = m_pMap ? m_nCapacity : 0;
    m_pMap = static_cast<char*>(map);
    m_nCapacity = capacity;
    // The new pages are faulted in here at once, which takes milliseconds, rather than
    // one by one between renames, which slowed a run of 100,000 renames by some 40 ms.
    // Where the system cannot, they are faulted in as the records reach them.
    size_t pageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    size_t firstNewPage = mappedBefore / pageSize * pageSize;
    madvise(m_pMap + firstNewPage, capacity - firstNewPage, MADV_POPULATE_WRITE);
    return true;
}

bool CUndoJournal::Append(const std::string& from, const std::string& to, size_t size) {
    if (m_pMap != nullptr && m_nLength + size > m_nCapacity &&
        !Map(std::max(m_nCapacity * 2, m_nLength + size))) {
        // Mapped so far: those records are in the file; the rest go by write, after them.
        if (ftruncate(m_fd, static_cast<off_t>(m_nLength)) != 0)
            return false;
    }
    if (m_pMap == nullptr) {
        m_strRecord.clear();
        AppendRecord(m_strRecord, from, to);
        return lseek(m_fd, static_cast<off_t>(m_nLength), SEEK_SET) >= 0 &&
               WriteAll(m_fd, m_strRecord);
    }
    WriteRecord(m_pMap + m_nLength, from, to);
    return true;
}

bool CUndoJournal::RenameStarting(int /*row*/, const std::string& from, const std::string& to) {
    if (m_fd < 0)
        return false;
    // For the tests of a killed run: after that many renames, or with that record on file
    // and its rename not yet made.
    if (m_nWritten == m_nKillAfter)
        raise(SIGKILL);
    size_t size = RecordSize(from, to);
    if (!Append(from, to, size)) {
        Fail("cannot write " + m_strPath);
        // A record cut short ends the journal; nothing after it would be read.
        if (ftruncate(m_fd, static_cast<off_t>(m_nLength)) != 0) {
            close(m_fd);
            m_fd = -1;
        }
        return false;
    }
    m_nRecordStart = m_nLength;
    m_nLength += size;
    if (++m_nWritten == m_nKillAtRecord)
        raise(SIGKILL);
    return true;
}

void CUndoJournal::RenameFailed(int /*row*/) {
    if (m_fd < 0)
        return;
    if (m_pMap) {
        // Zero bytes end the journal where the record began.
        std::memset(m_pMap + m_nRecordStart, 0, m_nLength - m_nRecordStart);
    } else if (ftruncate(m_fd, static_cast<off_t>(m_nRecordStart)) != 0) {
        Fail("cannot write " + m_strPath);
        return;
    }
    m_nLength = m_nRecordStart;
    --m_nWritten;
}

void CUndoJournal::RunFinished() {
    if (m_fd < 0 || m_finishing.joinable())
        return;
    try {
        m_finishing = std::thread([this] { SyncAndClose(); });
    } catch (const std::system_error&) {
        SyncAndClose();
    }
}

void CUndoJournal::SyncAndClose() {
    Unmap();
    if (fsync(m_fd) != 0)
        Fail("cannot sync " + m_strPath);
    close(m_fd);
    m_fd = -1;
}

const std::string& CUndoJournal::Error() {
    if (m_finishing.joinable())
        m_finishing.join();
    return m_strError;
}

bool CUndoJournal::Read(std::vector<SJournalRename>& renames, std::string& error) const {
    renames.clear();
    int fd = open(m_strPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = errno == ENOENT ? "no run to undo" : m_strPath + ": " + std::strerror(errno);
        return false;
    }
    std::string bytes;
    char buffer[65536];
    ssize_t got;
    while ((got = read(fd, buffer, sizeof buffer)) != 0) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = m_strPath + ": " + std::strerror(errno);
            close(fd);
            return false;
        }
        bytes.append(buffer, static_cast<size_t>(got));
    }
    close(fd);
    std::string header = Header(m_strListPath);
    if (bytes.compare(0, header.size(), header) != 0) {
        error = m_strPath + ": the undo journal belongs to another list or is damaged";
        return false;
    }
    size_t pos = header.size();
    SJournalRename rename;
    while (ReadRecord(bytes, pos, rename))
        renames.push_back(rename);
    return true;
}

bool CUndoJournal::Replace(const std::vector<SJournalRename>& renames, std::string& error) const {
    if (!renames.empty())
        return Create(renames, error);
    if (unlink(m_strPath.c_str()) != 0 && errno != ENOENT) {
        error = "cannot remove " + m_strPath + ": " + std::strerror(errno);
        return false;
    }
    SyncFolder(Folder());
    return true;
}
