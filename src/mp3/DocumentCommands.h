#pragma once

#include <string>

class CTesselDoc;
class CTesselSession;

// New and Open as the window's File menu runs them. A new or opened list takes the place
// of the rows, and with them of any tag edits not yet written: in MP3 mode with rows, Save
// ID3 is offered first (SaveID3), and its Cancel leaves everything as it was. False when
// cancelled there or when the document could not be made or opened.
bool NewDocument(CTesselSession& session, CTesselDoc& doc);
bool OpenDocument(CTesselSession& session, CTesselDoc& doc, const std::string& path);
