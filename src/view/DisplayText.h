// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>
#include <string>

// Names are bytes. What the screen shows of them is their UTF-8 reading, with a
// replacement mark where a byte is not valid UTF-8; the bytes themselves stay in the core
// and are only replaced when the user typed a new text.
QString ToDisplay(const std::string& bytes);
std::string FromDisplay(const QString& text);
// Paths that came from a Qt dialog or a URL, as the file system spells them.
std::string PathBytes(const QString& path);
// The file URL of a path, its bytes percent-encoded, so that a name that is not UTF-8
// still names its own file.
QUrl FileUrl(const std::string& path);
