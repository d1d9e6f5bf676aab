// Rich text written back by patching: only the changed letters' bytes move,
// each in the form the file held it in, and marks are groups of their own
// with colours added to the table.
#include "documents/rtf_patch.h"

#include <gtest/gtest.h>

#include "documents/memory_text_buffer.h"
#include "documents/text_file.h"

namespace umlo {
namespace {

constexpr Color kBlue = 16711680;
constexpr Color kYellow = 65535;

// Reads the file, lets change do to the buffer what a pass would, patches.
std::optional<std::string> Patched(const std::string& rtf,
                                   const std::function<void(MemoryTextBuffer&)>& change) {
    const RtfSource source = ReadRtfSource(rtf);
    MemoryTextBuffer buffer;
    SetBufferRichText(buffer, source.text);
    change(buffer);
    return PatchRtf(source, buffer);
}

void AllEtoYo(MemoryTextBuffer& b, LetterColors colors = {}) {
    const std::u16string text = b.GetAllText();
    for (int i = 0; i < static_cast<int>(text.size()); ++i) {
        if (text[i] == u'е' || text[i] == u'Е') {
            b.ReplaceLetter(i, text[i] == u'е' ? u'ё' : u'Ё', colors);
        }
    }
}

TEST(RtfPatch, EachLetterIsRewrittenInItsOwnForm) {
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 "
                            "Times;}{\\f2\\fcharset0\\cpg866 Dos;}}\n"
                            "{\\i \\'e5\\'c5}\\uc1\\u1077\\'e5 \\u1045 ?\\u1077?"
                            "{\\f2 \\'a5\\'85}\xe5\xc5\\par}";
    const auto out = Patched(rtf, [](MemoryTextBuffer& b) { AllEtoYo(b); });
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset204 "
                    "Times;}{\\f2\\fcharset0\\cpg866 Dos;}}\n"
                    "{\\i \\'b8\\'a8}\\uc1\\u1105\\'b8 \\u1025 ?\\u1105?"
                    "{\\f2 \\'f1\\'f0}\xb8\xa8\\par}");
    EXPECT_EQ(ReadRtf(*out).text, u"ёЁё ЁёёЁёЁ");
}

TEST(RtfPatch, UnchangedOrUndoneTextComesBackByteForByte) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1251{\\colortbl;\\red255\\green0\\blue0;}{\\cf1 \\'e5}x}";
    EXPECT_EQ(Patched(rtf, [](MemoryTextBuffer&) {}), rtf);
    // Changed and taken back, colour and all.
    EXPECT_EQ(Patched(rtf,
                      [](MemoryTextBuffer& b) {
                          const Color red = b.FormatAt(0).text;
                          b.ReplaceLetter(0, u'ё', {kBlue, kYellow});
                          b.ReplaceLetter(0, u'е', {red, kWhite});
                      }),
              rtf);
}

TEST(RtfPatch, OtherEditsCannotBePatched) {
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1251 \\'e5\\'f9\\'e5 x}";
    EXPECT_FALSE(Patched(rtf, [](MemoryTextBuffer& b) {
        b.SetCaret(4);
        b.ReplaceSelection(u"y");
    }));
    EXPECT_FALSE(Patched(rtf, [](MemoryTextBuffer& b) {
        b.SetCaret(0);
        b.SetSelLength(1);
        b.ReplaceSelection(u"а");
    }));
    EXPECT_FALSE(Patched(rtf, [](MemoryTextBuffer& b) {
        b.SetCaret(0);
        b.ReplaceSelection(u"е");
    }));
}

TEST(RtfPatch, MarkedLettersGetAGroupAndTheTableItsColours) {
    // Blue is in the table already; yellow is added after it.
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 "
                            "A;}}{\\colortbl;\\red0\\green0\\blue255;}\\'e5\\u1077?}";
    const auto out = Patched(rtf, [](MemoryTextBuffer& b) { AllEtoYo(b, {kBlue, kYellow}); });
    ASSERT_TRUE(out);
    EXPECT_EQ(
        *out,
        "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 A;}}{\\colortbl;\\red0\\green0\\blue255;\\red255"
        "\\green255\\blue0;}{\\cf1\\highlight2\\chcbpat2 \\'b8}{\\cf1\\highlight2\\chcbpat2 "
        "\\u1105?}}");
    const RichText back = ReadRtf(*out);
    EXPECT_EQ(back.text, u"ёё");
    ASSERT_EQ(back.runs.size(), 1u);
    EXPECT_EQ(back.runs[0].format.text, kBlue);
    EXPECT_EQ(back.runs[0].format.back, kYellow);

    // Without a table: one after the font table, with its "auto" entry first.
    const auto made =
        Patched("{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 A;}}\\'e5}", [](MemoryTextBuffer& b) {
            AllEtoYo(b, {kBlue, std::nullopt});
        });
    ASSERT_TRUE(made);
    EXPECT_EQ(*made,
              "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 A;}}{\\colortbl;\\red0\\green0\\blue255;}"
              "{\\cf1\\highlight0\\chcbpat0 \\'b8}}");
    EXPECT_EQ(ReadRtf(*made).runs.at(0).format.text, kBlue);
    // Without a font table either: right after the header.
    const auto bare = Patched("{\\rtf1\\ansi\\ansicpg1251 \\'e5}", [](MemoryTextBuffer& b) {
        AllEtoYo(b, {kBlue, std::nullopt});
    });
    ASSERT_TRUE(bare);
    EXPECT_EQ(ReadRtf(*bare).text, u"ё");
    EXPECT_EQ(ReadRtf(*bare).runs.at(0).format.text, kBlue);
}

// Found by fuzzing: a colour table where the patch cannot add to it, or no
// document group to put a new one in, must not give a file whose colours or
// text read differently; such a file is written anew instead.
TEST(RtfPatch, MarksNeedAColourTableInItsPlace) {
    const auto mark = [](MemoryTextBuffer& b) { AllEtoYo(b, {kBlue, kYellow}); };
    EXPECT_FALSE(Patched("{\\u1077", mark));
    EXPECT_FALSE(Patched("{\\rtf1{\\x{\\colortbl;\\red255\\green0\\blue0;}}\\u1077?}", mark));
    // Without marks the letters alone are patched even there.
    const auto plain = Patched("{\\u1077", [](MemoryTextBuffer& b) { AllEtoYo(b); });
    ASSERT_TRUE(plain);
    EXPECT_EQ(*plain, "{\\u1105");
    // A file with no table at all gets one after its font table.
    const auto added = Patched("{\\rtf1{\\fonttbl{\\f0 A;}}\\u1077?}", mark);
    ASSERT_TRUE(added);
    EXPECT_EQ(*added, "{\\rtf1{\\fonttbl{\\f0 A;}}{\\colortbl;\\red0\\green0\\blue255;"
                      "\\red255\\green255\\blue0;}{\\cf1\\highlight2\\chcbpat2 \\u1105?}}");
}

// Found by fuzzing: the characters a \\uN skips may be control symbols or
// words, and \\ucN may skip several; a mark group keeps them all with their
// letter, or closing the group would let them through as text.
TEST(RtfPatch, TheMarkGroupKeepsEveryFallbackOfItsLetter) {
    const auto mark = [](MemoryTextBuffer& b) { AllEtoYo(b, {kBlue, kYellow}); };
    for (const std::string& body :
         {std::string("\\u1077\\}"), std::string("\\u1077\\par x"), std::string("\\uc0\\u1077 x"),
          std::string("\\uc0\\u1077 "), std::string("\\uc2\\u1077\\}\\{x"),
          std::string("\\*\xe5\\b \xe3")}) {
        const std::string rtf = "{\\rtf1{\\fonttbl{\\f0 A;}}" + body + "}";
        const auto patched = Patched(rtf, mark);
        ASSERT_TRUE(patched) << body;
        MemoryTextBuffer expected;
        SetBufferRichText(expected, ReadRtfSource(rtf).text);
        AllEtoYo(expected);
        EXPECT_EQ(ReadRtfSource(*patched).text.text, expected.GetAllText()) << *patched;
    }
}

TEST(RtfPatch, ALeadingSignatureCharacterShiftsNothing) {
    const std::string rtf = "{\\rtf1\\ansi\\ansicpg1251\\uc1\\u-257?\\'e5}";
    const RtfSource source = ReadRtfSource(rtf);
    EXPECT_EQ(source.text.text, u"е");
    const auto out = Patched(rtf, [](MemoryTextBuffer& b) { AllEtoYo(b); });
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "{\\rtf1\\ansi\\ansicpg1251\\uc1\\u-257?\\'b8}");
}

} // namespace
} // namespace umlo
