// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target for the ".tsl" reader: any bytes must end in a clean load or a clean
// failure. A list that loaded holds only rows whose paths are their names in absolute
// folders, saves and loads again to the same bytes, and is not changed by an edit that is
// undone: its saved bytes stay the same, so nothing would be written.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/RunCommands.h"
#include "model/Profile.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"
#include "transform/NameTools.h"

namespace {

void Require(bool holds) {
    if (!holds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFakePrompts prompts;
    CMemoryProfile profile;
    CTesselSession session(prompts, profile);
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!CTesselDoc(session).OpenFromBytes(bytes, "fuzz.tsl")) {
        Require(prompts.m_messages.size() == 1);  // every failed open says why, once
        return 0;
    }
    CRenameList& list = session.List();
    for (int row = 0; row < list.GetCount(); ++row)
        Require(list.GetEntry(row).HasSoundPath());

    // 16-bit strings come back as UTF-8 and lengths in their shortest form, so the first
    // save may differ from the input; from then on the list must be stable.
    std::string saved = SerializeList(session);
    CTesselSession again(prompts, profile);
    Require(CTesselDoc(again).OpenFromBytes(saved, "saved.tsl"));
    Require(again.List().GetCount() == list.GetCount());
    Require(SerializeList(again) == saved);

    TransformNames(session, ETextOperation::ToggleCase);
    if (session.CanUndo())
        Undo(session);
    Require(SerializeList(session) == saved);
    return 0;
}
