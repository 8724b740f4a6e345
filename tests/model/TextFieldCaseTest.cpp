// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

#include "model/TextField.h"

// UTF-8 text is written as itself, single bytes that are not UTF-8 in octal.
namespace {

enum ECaseTool { kSentence, kLower, kUpper, kTitle, kToggle, kInsertSpaces, kCaseTools };

using SCaseRow = std::pair<std::string, std::array<std::string, kCaseTools>>;

// Names of several scripts, each with what every case tool makes of it, in ECaseTool
// order. Title and toggle case map one letter to one letter, so a sharp s, which has no
// single uppercase letter, stays as it is.
// clang-format off
const SCaseRow kCaseTable[] = {
    // Plain ASCII, with the first and last letters of the alphabet in both cases.
    {"jazzQuiz AZaz",     {"Jazzquiz azaz", "jazzquiz azaz", "JAZZQUIZ AZAZ", "Jazzquiz Azaz",
                           "JAZZqUIZ azAZ", "jazz Quiz AZaz"}},
    {"über_straße",       {"Über_straße", "über_straße", "ÜBER_STRASSE", "Über_straße",
                           "ÜBER_STRAßE", "über_straße"}},
    {"über straße",       {"Über straße", "über straße", "ÜBER STRASSE", "Über Straße",
                           "ÜBER STRAßE", "über straße"}},
    {"ÉCOLE ÉTÉ",         {"École été", "école été", "ÉCOLE ÉTÉ", "École Été",
                           "école été", "ÉCOLE ÉTÉ"}},
    {"élanVital ÉlanÉté", {"Élanvital élanété", "élanvital élanété", "ÉLANVITAL ÉLANÉTÉ",
                           "Élanvital Élanété", "ÉLANvITAL éLANéTÉ", "élan Vital Élan Été"}},
    {"καλημέραΚόσμε",     {"Καλημέρακόσμε", "καλημέρακόσμε", "ΚΑΛΗΜΈΡΑΚΌΣΜΕ",
                           "Καλημέρακόσμε", "ΚΑΛΗΜΈΡΑκΌΣΜΕ", "καλημέρα Κόσμε"}},
    // Whole-text lowercase ends a word with the final sigma; toggling one letter does not.
    {"ΟΔΟΣ ΟΔΟΣ",         {"Οδος οδος", "οδος οδος", "ΟΔΟΣ ΟΔΟΣ", "Οδος Οδος",
                           "οδοσ οδοσ", "ΟΔΟΣ ΟΔΟΣ"}},
    {"новыйГод МОСКВА",   {"Новыйгод москва", "новыйгод москва", "НОВЫЙГОД МОСКВА",
                           "Новыйгод Москва", "НОВЫЙгОД москва", "новый Год МОСКВА"}},
    // A word is opened by the title-case form of a letter, which for a digraph is not its
    // uppercase.
    {"ǄEMAL ǆemal",       {"ǅemal ǆemal", "ǆemal ǆemal", "ǄEMAL ǄEMAL", "ǅemal ǅemal",
                           "ǆemal ǄEMAL", "ǄEMAL ǆemal"}},
    // Digits, emoji and letters without case come before the first letter raised.
    {"3 ÉTÉS",            {"3 Étés", "3 étés", "3 ÉTÉS", "3 Étés", "3 étés", "3 ÉTÉS"}},
    {"😀 éCOLE 東京",     {"😀 École 東京", "😀 école 東京", "😀 ÉCOLE 東京", "😀 École 東京",
                           "😀 École 東京", "😀 é COLE 東京"}},
    {"2024 東京 😀",      {"2024 東京 😀", "2024 東京 😀", "2024 東京 😀", "2024 東京 😀",
                           "2024 東京 😀", "2024 東京 😀"}},
    // Bytes that are not UTF-8 (a stray byte at the start, one after the space and a cut
    // sequence at the end) are kept, and are neither letters nor spaces.
    {"\351ÉCOLE \377élanÉté\303",
                          {"\351École \377élanété\303", "\351école \377élanété\303",
                           "\351ÉCOLE \377ÉLANÉTÉ\303", "\351École \377élanété\303",
                           "\351école \377ÉLANéTÉ\303", "\351ÉCOLE \377élan Été\303"}},
};
// clang-format on

void ExpectTool(ECaseTool tool, void (CTextField::*operation)()) {
    for (const auto& [name, results] : kCaseTable) {
        CTextField field(name);
        (field.*operation)();
        EXPECT_EQ(field.Get(), results[tool]) << "from '" << name << "'";
    }
}

TEST(TextFieldCaseTest, SentenceCaseRaisesTheFirstCasedLetterOfAnyScript) {
    ExpectTool(kSentence, &CTextField::SentenceCase);
}

TEST(TextFieldCaseTest, LowercaseMapsEveryLetterAndKeepsStrayBytes) {
    ExpectTool(kLower, &CTextField::MakeLower);
}

TEST(TextFieldCaseTest, UppercaseMapsEveryLetterAndKeepsStrayBytes) {
    ExpectTool(kUpper, &CTextField::MakeUpper);
}

TEST(TextFieldCaseTest, TitleCaseRaisesTheLetterAfterEverySpace) {
    ExpectTool(kTitle, &CTextField::TitleCase);
}

TEST(TextFieldCaseTest, ToggleCaseSwapsTheCaseOfEveryLetter) {
    ExpectTool(kToggle, &CTextField::ToggleCase);
}

TEST(TextFieldWordTest, InsertSpacesSplitsALowercaseLetterFromAnUppercaseOneAfterIt) {
    ExpectTool(kInsertSpaces, &CTextField::InsertSpaces);
}

}  // namespace
