// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <string>
#include <vector>

// The local paths of a text/uri-list as a file manager sends it, read from its bytes: each
// file:// URL (with no host or "localhost") percent-decoded to the bytes of the name, so a
// name that is not valid UTF-8 arrives as it is on disk. Comments, blank lines and other
// schemes are left out.
std::vector<std::string> PathsFromUriList(const QByteArray& uriList);
