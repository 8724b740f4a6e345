// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How a list command ended: the user cancelled one of its questions, it ran and changed
// nothing (no undo step), or it changed rows (one undo step recorded).
enum class ECommandOutcome { Cancelled, Unchanged, Changed };
