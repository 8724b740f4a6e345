#include "mp3/DocumentCommands.h"

#include "model/TesselDoc.h"
#include "model/TesselSession.h"
#include "mp3/Mp3Mode.h"

namespace {

// False when the user chose to keep the list as it is.
bool OfferUnsavedTags(CTesselSession& session) {
    if (!session.IsMp3Mode() || session.List().GetCount() == 0)
        return true;
    session.EndEditing();
    return SaveID3(session) != EAnswer::Cancel;
}

}  // namespace

bool NewDocument(CTesselSession& session, CTesselDoc& doc) {
    return OfferUnsavedTags(session) && doc.OnNewDocument();
}

bool OpenDocument(CTesselSession& session, CTesselDoc& doc, const std::string& path) {
    return OfferUnsavedTags(session) && doc.OnOpenDocument(path);
}
