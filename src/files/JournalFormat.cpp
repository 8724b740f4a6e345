// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/JournalFormat.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr char kMagic[] = "TESSEL-JOURNAL 3\n";
constexpr char kRenameMark = 'R';
constexpr char kFinishedMark = 'F';
constexpr char kUndoneMark = 'U';
constexpr char kTagMark = 'T';
// A tag write that also changed the ID3v2 tag at the file's start.
constexpr char kHeadTagMark = 'V';
constexpr char kExchangeMark = 'E';

uint32_t Fnv32(const char* bytes, size_t length, uint32_t hash = 2166136261u) {
    for (size_t i = 0; i < length; ++i)
        hash = (hash ^ static_cast<unsigned char>(bytes[i])) * 16777619u;
    return hash;
}

void Put(std::string& out, uint64_t value, int bytes) {
    char little[8];
    for (int i = 0; i < bytes; ++i)
        little[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    out.append(little, static_cast<size_t>(bytes));
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

// A rename record; an exchange record is the same with the other file's row and inode
// after the first file's identity.
bool ReadRename(const std::string& in, size_t& pos, SRunRename& rename, char writtenMark) {
    size_t start = pos++;
    uint64_t row = 0, fromLength = 0, toLength = 0, otherRow = 0;
    rename.bExchange = writtenMark == kExchangeMark;
    rename.nOtherRow = 0;
    rename.nOtherInode = 0;
    if (!Get(in, pos, 4, row) || !Get(in, pos, 4, fromLength) || !Get(in, pos, 4, toLength) ||
        !Get(in, pos, 8, rename.nDevice) || !Get(in, pos, 8, rename.nInode) ||
        (rename.bExchange &&
         (!Get(in, pos, 4, otherRow) || !Get(in, pos, 8, rename.nOtherInode))) ||
        in.size() - pos < fromLength + toLength)
        return false;
    rename.nRow = static_cast<uint32_t>(row);
    rename.nOtherRow = static_cast<uint32_t>(otherRow);
    rename.strFrom.assign(in, pos, fromLength);
    rename.strTo.assign(in, pos + fromLength, toLength);
    pos += fromLength + toLength;
    return ChecksumHolds(in, start, pos, writtenMark);
}

// A record marked as never made was written as a rename or as an exchange: the checksum
// tells which.
bool ReadUnmade(const std::string& in, size_t& pos, SRunRename& rename) {
    size_t start = pos;
    if (ReadRename(in, pos, rename, kRenameMark))
        return true;
    pos = start;
    return ReadRename(in, pos, rename, kExchangeMark);
}

bool ReadTag(const std::string& in, size_t& pos, STagWrite& write, char mark) {
    size_t start = pos++;
    write = STagWrite();
    uint64_t pathLength = 0, hadTag = 0;
    if (!Get(in, pos, 4, pathLength) || !Get(in, pos, 8, write.nDevice) ||
        !Get(in, pos, 8, write.nInode) || !Get(in, pos, 8, write.nOldLength) ||
        !Get(in, pos, 1, hadTag))
        return false;
    write.bHadTag = hadTag != 0;
    size_t blockSize = write.bHadTag ? write.oldBlock.size() : 0;
    if (in.size() - pos < pathLength + blockSize)
        return false;
    std::copy_n(in.begin() + static_cast<std::ptrdiff_t>(pos), blockSize, write.oldBlock.begin());
    pos += blockSize;
    write.strPath.assign(in, pos, pathLength);
    pos += pathLength;
    if (mark == kHeadTagMark) {
        uint64_t headLength = 0;
        if (!Get(in, pos, 8, headLength) || in.size() - pos < headLength)
            return false;
        write.bHeadWritten = true;
        write.oldHead.assign(in, pos, headLength);
        pos += headLength;
        if (!Get(in, pos, 8, write.nNewHeadLength))
            return false;
    }
    return ChecksumHolds(in, start, pos, mark);
}

// The finished and undone records: a mark and the count of renames, checksummed.
bool ReadCountRecord(const std::string& in, size_t& pos, size_t renames, char mark) {
    if (in[pos] != mark)
        return false;
    size_t start = pos++;
    uint64_t count = 0;
    return Get(in, pos, 4, count) && count == renames && ChecksumHolds(in, start, pos, mark);
}

void AppendCountRecord(std::string& out, size_t renames, char mark) {
    size_t start = out.size();
    out += mark;
    Put(out, renames, 4);
    PutChecksum(out, start);
}

}  // namespace

std::string JournalHeader(const std::string& listPath, int64_t started) {
    std::string header(kMagic, sizeof kMagic - 1);
    Put(header, static_cast<uint64_t>(started), 8);
    Put(header, listPath.size(), 4);
    header += listPath;
    return header;
}

void AppendRenameRecord(std::string& out, const SRunRename& rename) {
    size_t start = out.size();
    out += rename.bExchange ? kExchangeMark : kRenameMark;
    Put(out, rename.nRow, 4);
    Put(out, rename.strFrom.size(), 4);
    Put(out, rename.strTo.size(), 4);
    Put(out, rename.nDevice, 8);
    Put(out, rename.nInode, 8);
    if (rename.bExchange) {
        Put(out, rename.nOtherRow, 4);
        Put(out, rename.nOtherInode, 8);
    }
    out += rename.strFrom;
    out += rename.strTo;
    PutChecksum(out, start);
}

void AppendTagRecord(std::string& out, const STagWrite& write) {
    size_t start = out.size();
    out += write.bHeadWritten ? kHeadTagMark : kTagMark;
    Put(out, write.strPath.size(), 4);
    Put(out, write.nDevice, 8);
    Put(out, write.nInode, 8);
    Put(out, write.nOldLength, 8);
    Put(out, write.bHadTag ? 1 : 0, 1);
    if (write.bHadTag)
        out.append(write.oldBlock.begin(), write.oldBlock.end());
    out += write.strPath;
    if (write.bHeadWritten) {
        Put(out, write.oldHead.size(), 8);
        out += write.oldHead;
        Put(out, write.nNewHeadLength, 8);
    }
    PutChecksum(out, start);
}

void AppendFinishedRecord(std::string& out, size_t renames) {
    AppendCountRecord(out, renames, kFinishedMark);
}

std::string JournalBytes(const SJournalContents& contents) {
    std::string bytes = JournalHeader(contents.strListPath, contents.nStarted);
    for (const SRunRename& rename : contents.renames)
        AppendRenameRecord(bytes, rename);
    for (const STagWrite& write : contents.tags)
        AppendTagRecord(bytes, write);
    size_t records = contents.renames.size() + contents.tags.size();
    if (contents.bFinished || contents.bUndone)
        AppendFinishedRecord(bytes, records);
    if (contents.bUndone)
        AppendCountRecord(bytes, records, kUndoneMark);
    return bytes;
}

bool ParseJournal(const std::string& bytes, SJournalContents& contents) {
    contents = SJournalContents();
    constexpr size_t kMagicSize = sizeof kMagic - 1;
    size_t pos = kMagicSize;
    uint64_t started = 0, pathLength = 0;
    if (bytes.compare(0, kMagicSize, kMagic) != 0 || !Get(bytes, pos, 8, started) ||
        !Get(bytes, pos, 4, pathLength) || bytes.size() - pos < pathLength)
        return false;
    contents.nStarted = static_cast<int64_t>(started);
    contents.strListPath.assign(bytes, pos, pathLength);
    pos += pathLength;
    SRunRename rename;
    STagWrite write;
    // At the end, bytes[pos] is the string's terminating zero, which is no mark.
    for (;;) {
        char mark = bytes[pos];
        if (mark == kTagMark || mark == kHeadTagMark) {
            if (!ReadTag(bytes, pos, write, mark))
                return true;  // torn: the run went no further on record
            contents.tags.push_back(write);
            continue;
        }
        if (mark != kRenameMark && mark != kExchangeMark && mark != kUnmadeRecordMark)
            break;
        bool read = mark == kUnmadeRecordMark ? ReadUnmade(bytes, pos, rename)
                                              : ReadRename(bytes, pos, rename, mark);
        if (!read)
            return true;
        if (mark != kUnmadeRecordMark)
            contents.renames.push_back(rename);
    }
    size_t count = contents.renames.size() + contents.tags.size();
    contents.bFinished = ReadCountRecord(bytes, pos, count, kFinishedMark);
    contents.bUndone = contents.bFinished && ReadCountRecord(bytes, pos, count, kUndoneMark);
    return true;
}

size_t SJournalContents::Files() const {
    // A file is told by its identity; a record without one counts as a file of its own.
    std::vector<std::pair<uint64_t, uint64_t>> identified;
    size_t unidentified = 0;
    auto count = [&](uint64_t device, uint64_t inode) {
        if (inode == 0)
            ++unidentified;
        else
            identified.emplace_back(device, inode);
    };
    for (const SRunRename& rename : renames) {
        count(rename.nDevice, rename.nInode);
        if (rename.bExchange)
            count(rename.nDevice, rename.nOtherInode);
    }
    std::sort(identified.begin(), identified.end());
    size_t distinct =
        static_cast<size_t>(std::unique(identified.begin(), identified.end()) - identified.begin());
    return distinct + unidentified + tags.size();
}
