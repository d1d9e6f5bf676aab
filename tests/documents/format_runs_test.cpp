#include "documents/format_runs.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "documents/memory_text_buffer.h"

namespace umlo {
namespace {

CharFormat Coloured(Color c) {
    CharFormat f;
    f.text = c;
    return f;
}

// The runs must say exactly what one format per character says, and stay
// in their canonical form: ascending, first at 0, no equal neighbours.
void ExpectSame(const FormatRuns& runs, const std::vector<CharFormat>& model) {
    ASSERT_EQ(runs.Length(), static_cast<int>(model.size()));
    for (size_t i = 0; i < model.size(); ++i) {
        ASSERT_EQ(runs.At(static_cast<int>(i)), model[i]) << "offset " << i;
    }
    const auto& r = runs.Runs();
    ASSERT_EQ(r.empty(), model.empty());
    if (!r.empty()) {
        ASSERT_EQ(r.front().start, 0);
    }
    for (size_t k = 1; k < r.size(); ++k) {
        ASSERT_LT(r[k - 1].start, r[k].start);
        ASSERT_LT(r[k].start, runs.Length());
        ASSERT_FALSE(r[k - 1].format == r[k].format) << "run " << k;
    }
}

TEST(FormatRuns, RandomSplicesAndChangesMatchAFormatPerCharacter) {
    std::mt19937 random(3);
    FormatRuns runs;
    std::vector<CharFormat> model;
    runs.Reset(50);
    model.assign(50, CharFormat{});
    for (int step = 0; step < 3000; ++step) {
        const int length = static_cast<int>(model.size());
        const int at = static_cast<int>(random() % static_cast<unsigned>(length + 1));
        const CharFormat f = Coloured(random() % 3);
        if (random() % 2 == 0) {
            const int to = std::min(length, at + static_cast<int>(random() % 6));
            runs.Modify(at, to, [&f](CharFormat& c) { c.text = f.text; });
            for (int i = at; i < to; ++i) {
                model[static_cast<size_t>(i)].text = f.text;
            }
        } else {
            const int removed = std::min(length - at, static_cast<int>(random() % 4));
            const int inserted = static_cast<int>(random() % 4);
            runs.Splice(at, removed, inserted, f);
            model.erase(model.begin() + at, model.begin() + at + removed);
            model.insert(model.begin() + at, static_cast<size_t>(inserted), f);
        }
        ExpectSame(runs, model);
    }
}

TEST(FormatRuns, EmptyingAndRefillingTheText) {
    FormatRuns runs;
    runs.Splice(0, 0, 3, Coloured(5));
    ExpectSame(runs, std::vector<CharFormat>(3, Coloured(5)));
    runs.Splice(0, 3, 0, CharFormat{});
    ExpectSame(runs, {});
    runs.Modify(0, 0, [](CharFormat& c) { c.bold = true; });
    ExpectSame(runs, {});
    runs.Reset(0);
    EXPECT_TRUE(runs.Runs().empty());
}

// What the memory buffer keeps for a plain text is its characters and one run;
// each letter a pass marks adds a run, and taking the marks off takes them.
TEST(FormatRuns, APlainTextCostsOneRunAndMarksCostTheirOwn) {
    MemoryTextBuffer b;
    b.SetAllText(std::u16string(100000, u'е'));
    EXPECT_EQ(b.Formats().size(), 1u);
    for (int at = 10; at < 1000; at += 10) {
        ASSERT_TRUE(b.ReplaceLetter(at, u'ё', {Color(1), Color(2)}));
    }
    EXPECT_EQ(b.Formats().size(), 1u + 2 * 99);
    b.SelectAllText();
    b.SetSelectionTextColor(kBlack);
    b.SetSelectionBackColor(kWhite);
    EXPECT_EQ(b.Formats().size(), 1u);
}

} // namespace
} // namespace umlo
