// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QGroupBox;
class QLineEdit;

// The one-line "Sample" of the wizard's pages. A read-only line rather than a label: a
// long name scrolls inside it instead of widening the wizard.
QLineEdit* MakeSamplePreview();
// The "Sample" group around a preview line.
QGroupBox* SampleGroup(QLineEdit* preview);
// Shows a sample computed by the core, from its start.
void ShowSample(QLineEdit* preview, const std::string& sample);
