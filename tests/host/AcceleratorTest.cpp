#include "core/Accelerator.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

using core::AcceleratorChar;
using core::AssignAccelerators;
using core::IsBlankCaption;

namespace {

using Captions = std::vector<std::wstring>;

TEST(Accelerator, LauncherMenus) {
    EXPECT_EQ(AssignAccelerators({L"Audio CD Burner", L"Audio CD Grabber"}),
              (Captions{L"&Audio CD Burner", L"A&udio CD Grabber"}));
    EXPECT_EQ(
        AssignAccelerators(
            {L"ISO Burner", L"ISO Grabber", L"ISO Builder", L"-", L"Disc Eraser", L"Device Info"}),
        (Captions{L"&ISO Burner", L"I&SO Grabber", L"IS&O Builder", L"-", L"&Disc Eraser", L"D&evice Info"}));
}

TEST(Accelerator, CharacterOfACaption) {
    EXPECT_EQ(AcceleratorChar(L"&File"), L'F');
    EXPECT_EQ(AcceleratorChar(L"e&xit"), L'X');
    EXPECT_EQ(AcceleratorChar(L"R&&D"), 0);
    EXPECT_EQ(AcceleratorChar(L"R&&&D"), L'D');
    EXPECT_EQ(AcceleratorChar(L"&&&&"), 0);
    EXPECT_EQ(AcceleratorChar(L"Ends&"), 0);
    EXPECT_EQ(AcceleratorChar(L"&1st"), L'1');
    EXPECT_EQ(AcceleratorChar(L""), 0);
}

TEST(Accelerator, ExistingAcceleratorsAreKeptAndReserved) {
    // The later entry's B is reserved before the first entry chooses.
    EXPECT_EQ(AssignAccelerators({L"Burn", L"&Build"}), (Captions{L"B&urn", L"&Build"}));
    EXPECT_EQ(AssignAccelerators({L"&burn", L"Burn"}), (Captions{L"&burn", L"B&urn"}));
}

TEST(Accelerator, ChoosesOnlyDigitsAndLettersIgnoringCase) {
    EXPECT_EQ(AssignAccelerators({L"abc", L"ABC", L"bac", L"  9 lives"}),
              (Captions{L"&abc", L"A&BC", L"ba&c", L"  &9 lives"}));
    EXPECT_EQ(AssignAccelerators({L"R&&D", L"RD"}), (Captions{L"&R&&D", L"R&D"}));
    EXPECT_EQ(AssignAccelerators({L"A&&B", L"A"}), (Captions{L"&A&&B", L"A"}));
    EXPECT_EQ(AssignAccelerators({L"A", L"A&&B"}), (Captions{L"&A", L"A&&&B"}));
}

TEST(Accelerator, EntriesWithoutAFreeCharacterAndSeparatorsStayAsTheyAre) {
    EXPECT_EQ(AssignAccelerators({L"ab", L"ba", L"ab!", L"", L"-", L"- -", L"\u00e9t\u00e9"}),
              (Captions{L"&ab", L"&ba", L"ab!", L"", L"-", L"- -", L"\u00e9&t\u00e9"}));
}

TEST(Accelerator, SecondRunChangesNothingAndNoCharacterIsShared) {
    std::mt19937 random(7);
    const std::wstring alphabet = L"aAbB1&-  xX";
    for (int round = 0; round < 2000; ++round) {
        Captions captions(random() % 6);
        for (auto& caption : captions) {
            caption.resize(random() % 6);
            for (auto& c : caption) {
                c = alphabet[random() % alphabet.size()];
            }
        }
        const Captions once = AssignAccelerators(captions);
        ASSERT_EQ(AssignAccelerators(once), once);
        std::multiset<wchar_t> assigned;
        for (size_t i = 0; i < captions.size(); ++i) {
            if (once[i] != captions[i]) {
                ASSERT_EQ(AcceleratorChar(captions[i]), 0);
                ASSERT_EQ(once[i].size(), captions[i].size() + 1);
                assigned.insert(AcceleratorChar(once[i]));
            }
        }
        for (size_t i = 0; i < captions.size(); ++i) {
            if (once[i] == captions[i] && AcceleratorChar(captions[i]) != 0) {
                ASSERT_EQ(assigned.count(AcceleratorChar(captions[i])), 0u);
            }
        }
        for (wchar_t c : assigned) {
            ASSERT_EQ(assigned.count(c), 1u);
        }
    }
}

TEST(Accelerator, BlankCaptions) {
    EXPECT_TRUE(IsBlankCaption(L""));
    EXPECT_TRUE(IsBlankCaption(L"   "));
    EXPECT_TRUE(IsBlankCaption(L"\t\r\n \x1F"));
    EXPECT_FALSE(IsBlankCaption(L" x "));
    EXPECT_FALSE(IsBlankCaption(L"-"));
    EXPECT_FALSE(IsBlankCaption(L"\u00a0"));
}

} // namespace
