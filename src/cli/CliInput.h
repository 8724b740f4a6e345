// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "files/GoCommand.h"
#include "transform/NameTools.h"

// What the command line gave one command, as the parser filled it in. A command reads
// only the members its options fill; the others keep their defaults.
struct SCliInput {
    std::string strList;             // the list, or the first word of a command without one
    std::vector<std::string> words;  // the positional arguments after it

    bool bZero = false;    // -z: fields end with a NUL byte, unescaped
    bool bDryRun = false;  // the preview only
    bool bMp3 = false;     // the tags of the rows' files instead of the new names
    FieldChoice fields{true, true, true, true};

    bool bRecursive = false;
    bool bDescending = false;
    bool bMatchCase = false;
    bool bRegex = false;    // replace: FIND is a regular expression
    bool bNatural = false;  // sort: texts in natural order
    ETextOperation caseOperation = ETextOperation::Lowercase;

    std::optional<std::string> name;  // number: --name, else --current or the longest name
    bool bCurrent = false;
    bool bBefore = false;
    std::optional<int> offset;
    int nDigits = 2;
    int nIncrement = 1;
    int nStart = 1;

    std::optional<std::string> extension;  // go: --ext
    bool bYes = false;
    bool bTags = false;  // undo: the tags written without a list
    EOnFailure onFailure = EOnFailure::Stop;

    std::map<int, std::string> tagValues;  // tag: the value of each field given, by column
    bool bAddId3v2 = false;  // tag writes give files without an ID3v2 tag one
    std::string strSeparator = " - ";
    bool bTitleFirst = false;
};
