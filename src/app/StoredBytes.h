// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QVariant>
#include <string>

// A name or path in the settings: as text when its bytes are UTF-8, so that the file
// stays readable, and as the bytes themselves otherwise, so that it reads back unchanged.
QVariant StoredBytes(const std::string& bytes);
std::string BytesFromStored(const QVariant& stored);
