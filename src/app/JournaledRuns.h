#pragma once

class CTesselDoc;
class CTesselSession;

// Go and the Undo of a run from the window, made as tessel-cli makes them for a saved
// list: the list's lock is held while they run, so that no other process changes the
// list or its files meanwhile, and Go writes the crash-safe journal, which tessel-cli
// undo can replay. When the window's Undo puts back the run the journal records, the
// journal goes too, so that nothing is undone twice. An untitled list has no journal:
// there is no list for another process to undo it against.
class CJournaledRuns {
public:
    CJournaledRuns(CTesselSession& session, CTesselDoc& doc);

    void Go();
    void Undo();

private:
    CTesselSession& m_session;
    CTesselDoc& m_doc;
};
