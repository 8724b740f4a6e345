// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// One step of a run's renames, in the order they are made. A run renames in an order that
// never needs a name still taken: a file whose new name another file of the run holds
// waits until that file has gone; files that trade names go through an exchange (two) or
// through a temporary name (more).
enum class EStepKind : uint8_t {
    Rename,         // the row's file to its new name
    ToTemporary,    // the row's file to the temporary name nTemporary, opening a cycle
    FromTemporary,  // the row's file from its temporary name to its new name, closing it
    Exchange,       // the row's file and nOther's trade names in one step
};

struct SRenameStep {
    EStepKind kind = EStepKind::Rename;
    int nRow = 0;
    int nOther = -1;      // Exchange: the other row
    int nTemporary = -1;  // ToTemporary, FromTemporary: the index of the temporary name
};

// How a row's file reaches its new name, as the preview tells it.
enum class ERoute : uint8_t {
    Direct,
    Swap,              // it trades names with another file
    ThroughTemporary,  // it waits under a temporary name while its cycle turns
};

// What the planner found: the rows marked (their new name is taken), the steps of the
// rows not marked in the order to make them, the temporary names they use (whole paths),
// and each row's route.
struct SRenamePlan {
    std::vector<bool> marked;
    std::vector<SRenameStep> steps;
    std::vector<std::string> temporaries;
    std::vector<ERoute> routes;
};
