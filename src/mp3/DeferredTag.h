// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "mp3/ID3Tag.h"

// A tag read or written away from the main thread: an error it would report is kept, for
// the main thread to show in row order.
class CDeferredTag : public CID3Tag {
public:
    CDeferredTag() : CID3Tag(nullptr) {}
    void ReportError(int error) override {
        m_bErrorPending = true;
        m_nPendingError = error;
    }
    bool m_bErrorPending = false;
    int m_nPendingError = 0;
};
