// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Makes a write past the file size limit (ulimit -f) fail with EFBIG instead of ending
// the process by SIGXFSZ, so that the failed write's usual handling runs: a half-written
// tag is taken back, a list save leaves no file behind, a run stops before renaming. Each
// front end calls it once at start-up, before any thread is made.
void IgnoreFileSizeSignal();
