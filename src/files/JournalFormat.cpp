#include "files/JournalFormat.h"

namespace {

constexpr char kMagic[] = "TESSEL-JOURNAL 2\n";
constexpr char kRenameMark = 'R';
constexpr char kFinishedMark = 'F';

uint32_t Fnv32(const char* bytes, size_t length, uint32_t hash = 2166136261u) {
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
    return hash;
}

void Put(std::string& out, uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

bool Get(const std::string& in, size_t& pos, int bytes, uint64_t& value) {
    if (in.size() - pos < static_cast<size_t>(bytes))
        return false;
    value = 0;
    for (int i = 0; i < bytes; ++i)
        value |= static_cast<uint64_t>(static_cast<unsigned char>(in[pos + i])) << (8 * i);
    pos += static_cast<size_t>(bytes);
    return true;
}

void PutChecksum(std::string& out, size_t start) {
    Put(out, Fnv32(out.data() + start, out.size() - start), 4);
}

// The checksum covers the record as written, whatever its mark became later.
bool ChecksumHolds(const std::string& in, size_t start, size_t& pos, char writtenMark) {
    size_t end = pos;
    uint64_t checksum = 0;
    return Get(in, pos, 4, checksum) &&
           checksum == Fnv32(in.data() + start + 1, end - start - 1, Fnv32(&writtenMark, 1));
}

bool ReadRename(const std::string& in, size_t& pos, SRunRename& rename) {
    size_t start = pos++;
    uint64_t row = 0, fromLength = 0, toLength = 0;
    if (!Get(in, pos, 4, row) || !Get(in, pos, 4, fromLength) || !Get(in, pos, 4, toLength) ||
        !Get(in, pos, 8, rename.nDevice) || !Get(in, pos, 8, rename.nInode) ||
        in.size() - pos < fromLength + toLength)
        return false;
    rename.nRow = static_cast<uint32_t>(row);
    rename.strFrom.assign(in, pos, fromLength);
    rename.strTo.assign(in, pos + fromLength, toLength);
    pos += fromLength + toLength;
    return ChecksumHolds(in, start, pos, kRenameMark);
}

bool ReadFinished(const std::string& in, size_t& pos, size_t renames) {
    size_t start = pos++;
    uint64_t count = 0;
    return Get(in, pos, 4, count) && count == renames &&
           ChecksumHolds(in, start, pos, kFinishedMark);
}

}  // namespace

std::string JournalHeader(const std::string& listPath) {
    std::string header(kMagic, sizeof kMagic - 1);
    Put(header, listPath.size(), 4);
    header += listPath;
    return header;
}

void AppendRenameRecord(std::string& out, const SRunRename& rename) {
    size_t start = out.size();
    out += kRenameMark;
    Put(out, rename.nRow, 4);
    Put(out, rename.strFrom.size(), 4);
    Put(out, rename.strTo.size(), 4);
    Put(out, rename.nDevice, 8);
    Put(out, rename.nInode, 8);
    out += rename.strFrom;
    out += rename.strTo;
    PutChecksum(out, start);
}

void AppendFinishedRecord(std::string& out, size_t renames) {
    size_t start = out.size();
    out += kFinishedMark;
    Put(out, renames, 4);
    PutChecksum(out, start);
}

std::string JournalBytes(const std::string& listPath, const SJournalContents& contents) {
    std::string bytes = JournalHeader(listPath);
    for (const SRunRename& rename : contents.renames)
        AppendRenameRecord(bytes, rename);
    if (contents.bFinished)
        AppendFinishedRecord(bytes, contents.renames.size());
    return bytes;
}

bool ParseJournal(const std::string& bytes, const std::string& listPath,
                  SJournalContents& contents) {
    contents = SJournalContents();
    std::string header = JournalHeader(listPath);
    if (bytes.compare(0, header.size(), header) != 0)
        return false;
    size_t pos = header.size();
    SRunRename rename;
    // At the end, bytes[pos] is the string's terminating zero, which is no mark.
    while (bytes[pos] == kRenameMark || bytes[pos] == kUnmadeRecordMark) {
        bool made = bytes[pos] == kRenameMark;
        if (!ReadRename(bytes, pos, rename))
            return true;  // torn: the run went no further on record
        if (made)
            contents.renames.push_back(rename);
    }
    contents.bFinished =
        bytes[pos] == kFinishedMark && ReadFinished(bytes, pos, contents.renames.size());
    return true;
}
