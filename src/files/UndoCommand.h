#pragma once

class CTesselSession;

// Takes back the last recorded step.
void Undo(CTesselSession& session);
