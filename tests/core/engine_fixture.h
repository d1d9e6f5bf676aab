// A pass engine over an in-memory text with the small dictionary of the
// decision rules, the four expressions of the self-test and a scripted host.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/codepage.h"
#include "core/decision.h"
#include "core/main_dictionary.h"
#include "core/options.h"
#include "core/pass.h"
#include "core/regexpr_dictionary.h"
#include "documents/memory_text_buffer.h"
#include "tests/support/scripted_host.h"

namespace umlo::testing {

class EngineTest : public ::testing::Test {
protected:
    EngineTest() : engine(dic, regExprs, options, buffer, host) {
        for (const char* entry : {"Алёша", "всё?", "двухрублёвая", "двухрублёвые", "двухрублёвый",
                                  "ещё", "киносъёмка", "Лёвин?", "Лёвина?", "лёт?", "мёд", "полёт?",
                                  "съёмка", "Тёр?", "тёр", "трёхведёрный", "фотосъёмка", "чём?"}) {
            std::string word = Cp(entry);
            const bool doubtful = word.back() == '?';
            if (doubtful) {
                word.pop_back();
            }
            dic.AddEntry(word, doubtful);
        }
        for (const char* line : {"\\d+ лет", "всё-таки", "о чём", "Тер-[А-Я]"}) {
            EXPECT_TRUE(regExprs.AddLine(Cp(line)));
        }
        engine.SetClock([this] { return now; });
    }

    void SetText(const std::string& utf8) { buffer.SetAllText(Utf8ToUtf16(utf8)); }
    std::string Text() const { return Utf16ToUtf8(buffer.GetAllText()); }
    // A whole pass from the start of the text; the text afterwards.
    std::string Run(const std::string& utf8) {
        SetText(utf8);
        engine.DoUmloficate(0, 1);
        return Text();
    }
    void Answer(std::initializer_list<int> answers) {
        host.answers.insert(host.answers.end(), answers.begin(), answers.end());
    }
    const AskQuestion& OnlyQuestion() const {
        EXPECT_EQ(host.questions.size(), 1u);
        return host.questions.at(0);
    }

    TDic dic;
    TRegExprDic regExprs;
    TOptions options;
    MemoryTextBuffer buffer;
    ScriptedHost host;
    PassEngine engine;
    double now = 1000.0;
};

} // namespace umlo::testing
