// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>

#include "model/Prompts.h"

// Asks whether to save before work is left, with the buttons desktops use for it: Save,
// Discard and Cancel, each with a mnemonic. The answer is the core's: Yes to save, No to
// discard, Cancel to stay.
EAnswer AskSaveDiscardCancel(QWidget* parent, QMessageBox::Icon icon, const QString& text);
