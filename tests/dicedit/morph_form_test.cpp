// The word-form dialog: its logic, and the window on the offscreen platform.
#include "dicedit/morph_form.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

#include "core/codepage.h"
#include "tests/support/cp_lines.h"

namespace umlo {
namespace {

using testing::Lines;

MorphoGen Rules() {
    MorphoGen rules;
    rules.LoadRulesFromText(Cp("# правила\r\n"
                               "=Прилагательное\r\n"
                               "кр.:а:1:ый,ая\r\n"
                               "м.р.:ш:0:,а,у\r\n"
                               "=Существительное\r\n"
                               "ж.р.:[кг]а:1:а,и,е,у,ой,ою,и,ам,ами,ах\r\n"));
    return rules;
}

const std::vector<std::string> kElkaForms =
    Lines({"ёлка", "ёлки", "ёлке", "ёлку", "ёлкой", "ёлкою", "ёлки", "ёлкам", "ёлками", "ёлках"});

TEST(MorphChoice, CandidatesInOrderAndTheirForms) {
    const MorphoGen rules = Rules();
    const MorphChoice choice(rules, Cp("ёлка"));
    // The noun's rule comes later in the file, but it matches two pattern
    // elements, more than the other rule's cut of 1: it is listed first.
    EXPECT_EQ(choice.Labels(), Lines({"Существительное (ж.р.)", "Прилагательное (кр.)"}));
    EXPECT_EQ(choice.Forms(0), kElkaForms);
    EXPECT_EQ(choice.Forms(1), Lines({"ёлкый", "ёлкая"}));
    EXPECT_TRUE(choice.Forms(2).empty());
    EXPECT_TRUE(choice.Forms(-1).empty());

    const MorphChoice none(rules, Cp("ёж"));
    EXPECT_EQ(none.Count(), 0);
    EXPECT_TRUE(none.Forms(0).empty());
}

TEST(MorphChoice, BaseFormAndFormLines) {
    EXPECT_FALSE(BaseFormOfLine("").has_value());
    const auto doubtful = BaseFormOfLine(Cp("ёлка?"));
    ASSERT_TRUE(doubtful.has_value());
    EXPECT_EQ(doubtful->word, Cp("ёлка"));
    EXPECT_TRUE(doubtful->doubtful);
    EXPECT_FALSE(BaseFormOfLine(Cp("ёлка"))->doubtful);

    EXPECT_EQ(FormLines("a\nb\r\nc\n"), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(FormLines("\n\na\n\n"), (std::vector<std::string>{"a"}));
    EXPECT_TRUE(FormLines("").empty());
}

class MorphFormTest : public ::testing::Test {
protected:
    template <typename T> T* Child(const char* name) {
        T* widget = form.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString Forms() { return Child<QPlainTextEdit>("WordForms")->toPlainText(); }
    // Runs Generate with `act` done once the dialog is up.
    bool GenerateWith(const char* caretLine, const std::function<void()>& act,
                      std::vector<std::string>& forms) {
        QTimer::singleShot(0, &form, act);
        // A dialog that ignored the keys would otherwise wait for ever.
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, &form, &QDialog::reject);
        guard.start(5000);
        return form.Generate(Cp(caretLine), forms);
    }

    MorphoGen rules = Rules();
    TMorphForm form{rules};
};

QString Joined(const std::vector<std::string>& lines) {
    QStringList list;
    for (const auto& l : lines) {
        list << QString::fromStdString(Cp1251ToUtf8(l));
    }
    return list.join('\n');
}

TEST_F(MorphFormTest, ChoosingAPartOfSpeechShowsItsForms) {
    form.Prepare(Cp("ёлка"));
    EXPECT_EQ(form.windowTitle(), "Генерация форм слова");
    EXPECT_EQ(Child<QLabel>("lBaseWord")->text(), "ёлка");
    EXPECT_TRUE(Child<QLabel>("lBaseWord")->font().bold());
    auto* type = Child<QComboBox>("WordType");
    ASSERT_EQ(type->count(), 2);
    EXPECT_FALSE(type->isEditable());
    EXPECT_EQ(type->currentText(), "Существительное (ж.р.)");
    EXPECT_EQ(Forms(), Joined(kElkaForms));

    type->setCurrentIndex(1);
    EXPECT_EQ(Forms(), "ёлкый\nёлкая");
    type->setCurrentIndex(0);
    EXPECT_EQ(Forms(), Joined(kElkaForms));

    // Shown again for another word, the lists are rebuilt.
    form.Prepare(Cp("ёрш"));
    EXPECT_EQ(type->count(), 1);
    EXPECT_EQ(type->currentText(), "Прилагательное (м.р.)");
    EXPECT_EQ(Forms(), "ёрш\nёрша\nёршу");
}

TEST_F(MorphFormTest, AcceptedEditedFormsCarryTheDoubtfulMark) {
    std::vector<std::string> forms;
    const bool accepted = GenerateWith(
        "ёрш?",
        [this] {
            Child<QPlainTextEdit>("WordForms")->setPlainText("ёрш\nершей\n\nёршом\n");
            Child<QPushButton>("bAccept")->click();
        },
        forms);
    EXPECT_TRUE(accepted);
    EXPECT_EQ(Child<QLabel>("lBaseWord")->text(), "ёрш");
    EXPECT_EQ(forms, Lines({"ёрш?", "ершей?", "ёршом?"}));
    EXPECT_EQ(form.AcceptedForms(), Lines({"ёрш", "ершей", "ёршом"}));
}

TEST_F(MorphFormTest, EnterAcceptsAndEscCancels) {
    std::vector<std::string> forms;
    EXPECT_TRUE(GenerateWith(
        "ёлка", [this] { QTest::keyClick(Child<QComboBox>("WordType"), Qt::Key_Return); }, forms));
    EXPECT_EQ(forms, kElkaForms);

    EXPECT_FALSE(GenerateWith(
        "ёлка", [this] { QTest::keyClick(Child<QComboBox>("WordType"), Qt::Key_Escape); }, forms));
    EXPECT_TRUE(forms.empty());
    // The form list is taken on cancelling too; the editor just does not use it.
    EXPECT_EQ(form.AcceptedForms(), kElkaForms);

    EXPECT_FALSE(GenerateWith(
        "ёлка", [this] { Child<QPushButton>("bExit")->click(); }, forms));
    EXPECT_TRUE(forms.empty());
}

TEST_F(MorphFormTest, NoFittingRuleLeavesBothListsEmpty) {
    std::vector<std::string> forms;
    EXPECT_TRUE(GenerateWith(
        "ёж",
        [this] {
            EXPECT_EQ(Child<QComboBox>("WordType")->count(), 0);
            EXPECT_EQ(Forms(), "");
            Child<QPushButton>("bAccept")->click();
        },
        forms));
    EXPECT_TRUE(forms.empty());
}

TEST_F(MorphFormTest, EmptyCaretLineShowsNothing) {
    std::vector<std::string> forms = Lines({"старое"});
    EXPECT_FALSE(form.Generate("", forms));
    EXPECT_TRUE(forms.empty());
    EXPECT_FALSE(form.isVisible());
}

} // namespace
} // namespace umlo
