// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/CountText.h"

std::string GroupedNumber(size_t count) {
    std::string digits = std::to_string(count);
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            grouped += ',';
        grouped += digits[i];
    }
    return grouped;
}

std::string Counted(size_t count, const std::string& singular, const std::string& plural) {
    return GroupedNumber(count) + " " + (count == 1 ? singular : plural);
}
