// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <string_view>

class CArchiveReader;
class CTesselSession;

inline constexpr const char* kTslHeader = "#TESSELHEADER";
inline constexpr const char* kUnrecognizedMessage = "Unrecognized file type";

// The rename list as a ".tsl" document: it has no data of its own beyond its path and
// walks the session's rows when it saves and adds rows when it opens.
class CTesselDoc {
public:
    explicit CTesselDoc(CTesselSession& session) : m_session(session) {}

    // Empties the list and the undo history; the document becomes untitled.
    bool OnNewDocument();
    // Loads a saved list in place of the current one. A file that is not a list leaves
    // the rows and the path alone; a damaged one keeps the rows read before the damage.
    // A list is damaged unless its bytes end right after its last row and each row's
    // path is its name in an absolute folder (CHitDoc::HasSoundPath).
    bool OnOpenDocument(const std::string& path);
    // The same, for bytes already read from the file at path (named in messages only).
    bool OpenFromBytes(const std::string& bytes, const std::string& path);
    // The same, for the bytes a reader gives.
    bool OpenFrom(CArchiveReader& reader, const std::string& path);
    // Writes every row, replacing the file only once the whole list is on disk. The bytes
    // go out piece by piece, so a long list never sits in memory whole beside its rows.
    bool OnSaveDocument(const std::string& path);

    const std::string& GetPath() const { return m_strPath; }

private:
    void ReportLoadFailure(const std::string& path, const std::string& damage);
    // Ends a save that ReplaceFile made: "" when it worked, otherwise why it did not.
    bool SaveEnded(const std::string& path, const std::string& why);

    CTesselSession& m_session;
    std::string m_strPath;
};

// The whole file of a list: header, count, one record per row.
std::string SerializeList(CTesselSession& session);
// The same bytes handed to write in pieces of about a megabyte as they are made; stops as
// soon as write returns false, and returns whether every piece was taken.
bool WriteListBytes(CTesselSession& session, const std::function<bool(std::string_view)>& write);
