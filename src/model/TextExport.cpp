// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TextExport.h"

#include <cstdio>

#include "model/Prompts.h"
#include "model/TesselSession.h"

bool WriteNewNames(const CRenameList& list, std::FILE* file, ERecordFormat format) {
    // Written as bytes: a name need not be valid UTF-8 and stays exactly as it is.
    CRecordText records(format);
    std::string& text = records.Text();
    for (int row = 0; row < list.GetCount(); ++row) {
        records.Field(list.GetEntry(row).GetNewFileName());
        records.EndRecord();
        if (text.size() >= (1 << 16) || row + 1 == list.GetCount()) {
            if (std::fwrite(text.data(), 1, text.size(), file) != text.size())
                return false;
            text.clear();
        }
    }
    return true;
}

bool SaveToTextFile(CTesselSession& session, const std::string& path, ERecordFormat format) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    bool ok = file != nullptr;
    if (ok) {
        ok = WriteNewNames(session.List(), file, format);
        // A full disk may only show when the buffer is flushed on closing.
        if (std::fclose(file) != 0)
            ok = false;
    }
    if (!ok)
        session.Prompts().Message(EMessageId::CannotWriteText, kCannotWriteTextMessage, EIcon::Stop,
                                  EButtons::Ok);
    return ok;
}
