// libFuzzer target for the ".tsl" reader: any bytes must end in a clean load or a clean
// failure, and a list that loaded must save and load again to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/Profile.h"
#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CFakePrompts prompts;
    CMemoryProfile profile;
    CTesselSession session(prompts, profile);
    CTesselDoc doc(session);
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!doc.OpenFromBytes(bytes, "fuzz.tsl")) {
        if (prompts.m_messages.size() != 1)
            std::abort();  // every failed open says why, once
        return 0;
    }
    // 16-bit strings come back as UTF-8 and lengths in their shortest form, so the first
    // save may differ from the input; from then on the list must be stable.
    std::string saved = SerializeList(session);
    CTesselSession again(prompts, profile);
    CTesselDoc reopened(again);
    if (!reopened.OpenFromBytes(saved, "saved.tsl") ||
        again.List().GetCount() != session.List().GetCount() || SerializeList(again) != saved)
        std::abort();
    return 0;
}
