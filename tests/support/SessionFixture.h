// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/Profile.h"
#include "model/TesselSession.h"
#include "support/FakePrompts.h"
#include "support/RecordingObserver.h"
#include "support/TempDir.h"

// A session with scripted prompts, an in-memory profile, a recording observer and a
// temporary folder for the files a test needs.
class SessionTest : public ::testing::Test {
protected:
    SessionTest() {
        observer.m_pList = &session.List();
        session.List().SetObserver(&observer);
    }

    // Appends a row whose entry has only the given names (no file behind it).
    CHitDoc& AddRow(const std::string& name, const std::string& folder = "/music/") {
        CHitDoc entry;
        entry.m_strName.Set(name);
        entry.m_strNewName.Set(TitleOf(name));
        entry.m_strExt.Set(ExtensionOf(name));
        entry.m_strPath.Set(folder + name);
        session.AddEntry(entry);
        return session.List().GetEntry(session.List().GetCount() - 1);
    }
    void AddRows(std::initializer_list<const char*> names) {
        for (const char* name : names)
            AddRow(name);
    }

    std::vector<std::string> NewNames() {
        std::vector<std::string> names;
        for (int row = 0; row < session.List().GetCount(); ++row)
            names.push_back(session.List().GetEntry(row).m_strNewName.Get());
        return names;
    }

    // The cell texts of one column, row by row, and of one row, column by column.
    std::vector<std::string> Column(int column) {
        std::vector<std::string> texts;
        for (int row = 0; row < session.List().GetCount(); ++row)
            texts.push_back(session.List().CellText(row, column));
        return texts;
    }
    std::vector<std::string> Row(int row) {
        std::vector<std::string> texts;
        for (int column = 0; column < session.List().GetColumnCount(); ++column)
            texts.push_back(session.List().CellText(row, column));
        return texts;
    }

    CTempDir dir;
    CFakePrompts prompts;
    CMemoryProfile profile;
    CRecordingObserver observer;
    CTesselSession session{prompts, profile};
};
