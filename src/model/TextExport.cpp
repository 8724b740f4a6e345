#include "model/TextExport.h"

#include <cstdio>

#include "model/Prompts.h"
#include "model/TesselSession.h"

namespace {

bool WriteNames(const CRenameList& list, std::FILE* file) {
    for (int row = 0; row < list.GetCount(); ++row) {
        const CHitDoc& entry = list.GetEntry(row);
        const std::string& name = entry.m_strNewName.Get();
        const std::string& ext = entry.m_strExt.Get();
        // Written as bytes: a name need not be valid UTF-8 and stays exactly as it is.
        if (std::fwrite(name.data(), 1, name.size(), file) != name.size() ||
            std::fwrite(ext.data(), 1, ext.size(), file) != ext.size() ||
            std::fputc('\n', file) == EOF)
            return false;
    }
    return true;
}

}  // namespace

bool SaveToTextFile(CTesselSession& session, const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    bool ok = file != nullptr;
    if (ok) {
        ok = WriteNames(session.List(), file);
        // A full disk may only show when the buffer is flushed on closing.
        if (std::fclose(file) != 0)
            ok = false;
    }
    if (!ok)
        session.Prompts().Message(EMessageId::CannotWriteText, kCannotWriteTextMessage, EIcon::Stop,
                                  EButtons::Ok);
    return ok;
}
