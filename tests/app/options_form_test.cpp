// The options dialog on the offscreen platform: every control against its
// field, the enabling rules, the sample, the font and colour buttons and the
// three ways out.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "app/options_form.h"
#include "app/qt_text_buffer.h"
#include "core/codepage.h"

namespace umlo {
namespace {

struct BoxField {
    const char* name;
    const char* caption;
    bool TOptions::*field;
};

const std::vector<BoxField>& AllBoxes() {
    static const std::vector<BoxField> boxes = {
        {"cbRegExprs", "Использование словаря регулярных выражений", &TOptions::RegExprs},
        {"cbNoVarOnly", "Только бесспорные замены", &TOptions::NoVarOnly},
        {"cbVarOnly", "Только интерактивные замены", &TOptions::VarOnly},
        {"cbCheckUmlo", "Проверять расстановку \"ё\"", &TOptions::CheckUmlo},
        {"cbAlwaysAsk", "Всегда подтверждать замену", &TOptions::AlwaysAsk},
        {"cbToConfirmAbbr", "Всегда подтверждать замену для сокращений", &TOptions::ToConfirmAbbr},
        {"cbToConfirmCap", "Всегда подтверждать замену для имён собственных",
         &TOptions::ToConfirmCap},
        {"cbToConfirmEllipsis", "Всегда подтверждать замену для оборванных слов",
         &TOptions::ToConfirmEllipsis},
        {"cbProposeLast", "Предлагать последний вариант замены", &TOptions::ProposeLast},
        {"cbFBFormat", "Учитывать формат \"FictionBook\"", &TOptions::FBFormat},
        {"cbFastScroll", "Быстрая промотка", &TOptions::FastScroll},
        {"cbLastFile", "Запоминать последний файл", &TOptions::RecallLastFile},
        {"cbAutoUnicode", "Автораспознавать формат Unicode", &TOptions::AutoUnicode},
        {"cbWordWrap", "Заворачивать текст (\"Word wrap\")", &TOptions::WordWrap},
        {"cbMark", "Помечать исправленное", &TOptions::Mark},
        {"cbShowToolbar", "Показывать панель инструментов", &TOptions::ShowToolBar},
    };
    return boxes;
}

// The working copy with every box off and everything enabled.
TOptions AllOff() {
    TOptions o;
    for (const BoxField& b : AllBoxes()) {
        o.*b.field = false;
    }
    o.PlainText = true;
    o.RegExprDicLoaded = true;
    return o;
}

class OptionsFormTest : public ::testing::Test {
protected:
    template <typename T> T& Find(const char* name) {
        T* w = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        if (w == nullptr) {
            throw std::runtime_error(name);
        }
        return *w;
    }
    QCheckBox& Box(const char* name) { return Find<QCheckBox>(name); }
    QPushButton& Button(const char* name) { return Find<QPushButton>(name); }
    QLineEdit& Edit(const char* name) { return Find<QLineEdit>(name); }
    CharFormat SampleLetter() { return form.SampleBuffer().FormatAt(5); }

    TOptionsForm form;
};

TEST_F(OptionsFormTest, CaptionsOfTheWindowTabsAndControls) {
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Опции"));
    ASSERT_EQ(form.Tabs().count(), 3);
    EXPECT_EQ(form.Tabs().tabText(0), QStringLiteral("Ёфикация"));
    EXPECT_EQ(form.Tabs().tabText(1), QStringLiteral("Редактор"));
    EXPECT_EQ(form.Tabs().tabText(2), QStringLiteral("Сеть"));
    for (const BoxField& b : AllBoxes()) {
        EXPECT_EQ(Box(b.name).text(), QString::fromUtf8(b.caption)) << b.name;
    }
    const std::vector<std::pair<const char*, const char*>> buttons = {
        {"bMark", "Цвет"},
        {"bBackMark", "Фон"},
        {"bFont", "Шрифт"},
        {"bOK", "Применить"},
        {"bOKSave", "Применить и запомнить"},
        {"bCancel", "Отменить"}};
    for (const auto& [name, caption] : buttons) {
        EXPECT_EQ(Button(name).text(), QString::fromUtf8(caption)) << name;
    }
    QStringList labels;
    for (const QLabel* label : form.findChildren<QLabel*>()) {
        labels << label->text();
    }
    EXPECT_TRUE(labels.contains(QStringLiteral("Количество строк промотки:")));
    EXPECT_TRUE(labels.contains(QStringLiteral("Прокси:")));
    EXPECT_TRUE(labels.contains(QStringLiteral("порт:")));
    // The check boxes sit on their tabs in the listed order.
    QWidget* umloPage = form.Tabs().widget(0);
    EXPECT_EQ(Box("cbFastScroll").parentWidget(), umloPage);
    EXPECT_EQ(Box("cbShowToolbar").parentWidget(), form.Tabs().widget(1));
    EXPECT_EQ(Edit("eProxyPort").parentWidget(), form.Tabs().widget(2));
    QWidget* w = &Box("cbRegExprs");
    for (const char* next : {"cbNoVarOnly", "cbVarOnly", "cbCheckUmlo", "cbAlwaysAsk"}) {
        w = w->nextInFocusChain();
        EXPECT_EQ(w->objectName(), QString::fromLatin1(next));
    }
}

TEST_F(OptionsFormTest, EveryCheckBoxShowsAndCollectsItsOwnField) {
    for (const BoxField& b : AllBoxes()) {
        TOptions d = AllOff();
        d.*b.field = true;
        form.Open(d);
        for (const BoxField& other : AllBoxes()) {
            EXPECT_EQ(Box(other.name).isChecked(), other.field == b.field)
                << b.name << " shown, " << other.name;
        }
        // Collected back, and the box turned off reaches only its field.
        Button("bOK").click();
        EXPECT_EQ(form.Result(), OptionsResult::Apply);
        EXPECT_TRUE(d.*b.field) << b.name;
        form.Open(d);
        Box(b.name).setChecked(false);
        Button("bOK").click();
        EXPECT_EQ(d, AllOff()) << b.name;
    }
}

TEST_F(OptionsFormTest, TextFieldsShowAndCollectNumbersAndTheProxyName) {
    TOptions d = AllOff();
    d.LinesBelow = 3;
    d.ProxyName = Cp("сервер.рф");
    d.ProxyPort = 3128;
    form.Open(d);
    EXPECT_EQ(Edit("eLinesBelow").text(), QStringLiteral("3"));
    EXPECT_EQ(Edit("eProxyName").text(), QStringLiteral("сервер.рф"));
    EXPECT_EQ(Edit("eProxyPort").text(), QStringLiteral("3128"));

    Edit("eLinesBelow").setText(QStringLiteral("-1"));
    Edit("eProxyName").setText(QStringLiteral("прокси"));
    Edit("eProxyPort").setText(QString());
    Button("bOKSave").click();
    EXPECT_EQ(form.Result(), OptionsResult::ApplyAndRemember);
    EXPECT_EQ(d.LinesBelow, -1);
    EXPECT_EQ(d.ProxyName, Cp("прокси"));
    EXPECT_EQ(d.ProxyPort, 0);
}

TEST_F(OptionsFormTest, ANonNumericPortKeepsTheDialogOpenUntilCorrected) {
    TOptions d = AllOff();
    form.Open(d);
    form.show();
    Box("cbShowToolbar").setChecked(true);
    Edit("eLinesBelow").setText(QStringLiteral("6"));
    Edit("eProxyPort").setText(QStringLiteral("80a"));
    Button("bOK").click();
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.Result(), OptionsResult::Cancel);
    // What was read before the port stays; the toolbar box comes after it.
    EXPECT_EQ(d.LinesBelow, 6);
    EXPECT_EQ(d.ProxyPort, 3128);
    EXPECT_FALSE(d.ShowToolBar);

    Edit("eProxyPort").setText(QStringLiteral("80"));
    Button("bOK").click();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.Result(), OptionsResult::Apply);
    EXPECT_EQ(d.ProxyPort, 80);
    EXPECT_TRUE(d.ShowToolBar);

    // A bad line count holds the dialog just the same.
    form.Open(d);
    form.show();
    Edit("eLinesBelow").setText(QStringLiteral("два"));
    Button("bOKSave").click();
    EXPECT_TRUE(form.isVisible());
    // The answer of the earlier close does not carry over.
    EXPECT_EQ(form.Result(), OptionsResult::Cancel);
    form.hide();
}

TEST_F(OptionsFormTest, AlwaysAskDisablesTheThreeConfirmBoxesWithoutClearingThem) {
    TOptions d = AllOff();
    d.ToConfirmAbbr = true;
    d.ToConfirmEllipsis = true;
    form.Open(d);
    const char* confirm[] = {"cbToConfirmAbbr", "cbToConfirmCap", "cbToConfirmEllipsis"};
    for (const char* name : confirm) {
        EXPECT_TRUE(Box(name).isEnabled()) << name;
    }
    Box("cbAlwaysAsk").click();
    for (const char* name : confirm) {
        EXPECT_FALSE(Box(name).isEnabled()) << name;
    }
    EXPECT_TRUE(Box("cbToConfirmAbbr").isChecked());
    Button("bOK").click();
    EXPECT_TRUE(d.AlwaysAsk);
    EXPECT_TRUE(d.ToConfirmAbbr && d.ToConfirmEllipsis);
    EXPECT_FALSE(d.ToConfirmCap);

    // Opened again with AlwaysAsk on, the boxes start disabled.
    form.Open(d);
    EXPECT_FALSE(Box("cbToConfirmCap").isEnabled());
    Box("cbAlwaysAsk").click();
    EXPECT_TRUE(Box("cbToConfirmCap").isEnabled());
}

TEST_F(OptionsFormTest, TheTwoOnlyBoxesCanNeverBothBeTicked) {
    TOptions d = AllOff();
    form.Open(d);
    Box("cbNoVarOnly").click();
    EXPECT_FALSE(Box("cbVarOnly").isEnabled());
    Box("cbVarOnly").click(); // a disabled box does not take the click
    EXPECT_FALSE(Box("cbVarOnly").isChecked());
    Box("cbNoVarOnly").click();
    EXPECT_TRUE(Box("cbVarOnly").isEnabled());
    Box("cbVarOnly").click();
    EXPECT_FALSE(Box("cbNoVarOnly").isEnabled());
    Button("bOK").click();
    EXPECT_TRUE(d.VarOnly);
    EXPECT_FALSE(d.NoVarOnly);
}

TEST_F(OptionsFormTest, RichTextDisablesTheFontAndAnEmptyDictionaryTheRegExprBox) {
    TOptions d = AllOff();
    d.RegExprs = true;
    d.PlainText = false;
    d.RegExprDicLoaded = false;
    form.Open(d);
    EXPECT_FALSE(Button("bFont").isEnabled());
    EXPECT_FALSE(Box("cbRegExprs").isEnabled());
    EXPECT_TRUE(Box("cbRegExprs").isChecked());
    // The box is still collected as it stands.
    Button("bOK").click();
    EXPECT_TRUE(d.RegExprs);

    d.PlainText = true;
    d.RegExprDicLoaded = true;
    form.Open(d);
    EXPECT_TRUE(Button("bFont").isEnabled());
    EXPECT_TRUE(Box("cbRegExprs").isEnabled());
}

TEST_F(OptionsFormTest, TheSampleShowsTheMarkingColoursOnlyWhileMarkIsTicked) {
    const std::u16string text = form.SampleBuffer().GetAllText();
    EXPECT_EQ(text, std::u16string(u"В чащах юга жил бы цитрус? Да, но фальшивый экземпляр! ") +
                        kLineBreak + u"The quick brown fox jumps over the lazy dog.");
    EXPECT_TRUE(form.Sample().isReadOnly());

    TOptions d = AllOff();
    d.Mark = true;
    d.ColorMark = 255;
    d.ColorBackMark = 65280;
    d.BackColor = 0xC0C0C0;
    form.Open(d);
    EXPECT_TRUE(Button("bMark").isEnabled() && Button("bBackMark").isEnabled());
    EXPECT_EQ(SampleLetter().text, 255u);
    EXPECT_EQ(SampleLetter().back, 65280u);
    // Only the sixth character is marked, and nothing stays selected.
    EXPECT_EQ(form.SampleBuffer().FormatAt(4).back, kWhite);
    EXPECT_EQ(form.SampleBuffer().FormatAt(6).text, kBlack);
    EXPECT_EQ(form.SampleBuffer().SelLength(), 0);

    Box("cbMark").click();
    EXPECT_FALSE(Button("bMark").isEnabled());
    EXPECT_FALSE(Button("bBackMark").isEnabled());
    EXPECT_EQ(SampleLetter().text, kBlack);
    EXPECT_EQ(SampleLetter().back, 0xC0C0C0u);
    EXPECT_EQ(form.SampleBuffer().SelLength(), 0);
}

TEST_F(OptionsFormTest, TheSampleWrapsExactlyWhenWordWrapIsTicked) {
    TOptions d = AllOff();
    form.Open(d);
    EXPECT_EQ(form.Sample().lineWrapMode(), QPlainTextEdit::NoWrap);
    Box("cbWordWrap").click();
    EXPECT_EQ(form.Sample().lineWrapMode(), QPlainTextEdit::WidgetWidth);
    Box("cbWordWrap").click();
    EXPECT_EQ(form.Sample().lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST_F(OptionsFormTest, FontButtonPresetsTheDialogAndStoresTheChoice) {
    TOptions d = AllOff();
    d.FontName = "Courier New";
    d.FontSize = 12;
    d.FontCharset = 204;
    std::vector<FontChoice> presets;
    std::optional<FontChoice> answer;
    form.SetFontChooser([&](const FontChoice& preset) {
        presets.push_back(preset);
        return answer;
    });
    form.Open(d);
    EXPECT_EQ(form.Sample().font().pointSize(), 12);

    Button("bFont").click(); // cancelled
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0], (FontChoice{"Courier New", 12, 204}));
    EXPECT_EQ(d.FontSize, 12);

    answer = FontChoice{"DejaVu Sans", 15, 1};
    Button("bFont").click();
    EXPECT_EQ(d.FontName, "DejaVu Sans");
    EXPECT_EQ(d.FontSize, 15);
    EXPECT_EQ(d.FontCharset, 1);
    EXPECT_EQ(form.Sample().font().pointSize(), 15);
    EXPECT_EQ(form.Sample().font().family(), QStringLiteral("DejaVu Sans"));
}

TEST_F(OptionsFormTest, ColourButtonsPresetTheirColourAndRedrawTheSample) {
    TOptions d = AllOff();
    d.Mark = true;
    d.ColorMark = 16711680;
    d.ColorBackMark = 65535;
    std::vector<Color> presets;
    std::optional<Color> answer;
    form.SetColorChooser([&](Color preset) {
        presets.push_back(preset);
        return answer;
    });
    form.Open(d);
    Button("bMark").click(); // cancelled
    EXPECT_EQ(d.ColorMark, 16711680u);
    answer = 128;
    Button("bMark").click();
    answer = 8421504;
    Button("bBackMark").click();
    EXPECT_EQ(presets, (std::vector<Color>{16711680, 16711680, 65535}));
    EXPECT_EQ(d.ColorMark, 128u);
    EXPECT_EQ(d.ColorBackMark, 8421504u);
    EXPECT_EQ(SampleLetter().text, 128u);
    EXPECT_EQ(SampleLetter().back, 8421504u);
}

// The modal run, answered from inside its loop.
OptionsResult RunAnswered(TOptionsForm& form, OptionCopies& copies,
                          const OptionsDialogInputs& inputs, std::function<void()> answer) {
    QTimer::singleShot(0, &form, std::move(answer));
    return form.Execute(copies, inputs);
}

TEST_F(OptionsFormTest, ExecuteStartsFromTheSettingsInForceAndLeavesThemToTheCaller) {
    OptionCopies copies;
    copies.CurrentOptions.AlwaysAsk = true;
    copies.DialogOptions.AlwaysAsk = false; // a stale copy from an earlier run
    const OptionsDialogInputs inputs{0x102030, false, true};
    const OptionsResult r = RunAnswered(form, copies, inputs, [&] {
        EXPECT_TRUE(Box("cbAlwaysAsk").isChecked());
        EXPECT_FALSE(Button("bFont").isEnabled());
        EXPECT_TRUE(Box("cbRegExprs").isEnabled());
        Box("cbFastScroll").click();
        Button("bOKSave").click();
    });
    EXPECT_EQ(r, OptionsResult::ApplyAndRemember);
    EXPECT_TRUE(copies.DialogOptions.FastScroll);
    EXPECT_EQ(copies.DialogOptions.BackColor, 0x102030u);
    EXPECT_FALSE(copies.DialogOptions.PlainText);
    EXPECT_FALSE(copies.CurrentOptions.FastScroll);

    const OptionsChange c = CommitOptionsDialog(copies, r);
    EXPECT_TRUE(c.applied);
    EXPECT_TRUE(copies.CurrentOptions.FastScroll);
    EXPECT_TRUE(copies.SavedOptions.FastScroll);
}

TEST_F(OptionsFormTest, ApplyIsForThisRunOnly) {
    OptionCopies copies;
    const OptionsResult r = RunAnswered(form, copies, {}, [&] {
        Box("cbWordWrap").click();
        Button("bOK").click();
    });
    EXPECT_EQ(r, OptionsResult::Apply);
    const OptionsChange c = CommitOptionsDialog(copies, r);
    EXPECT_TRUE(c.wordWrapChanged);
    EXPECT_FALSE(copies.CurrentOptions.WordWrap);
    EXPECT_TRUE(copies.SavedOptions.WordWrap);
}

TEST_F(OptionsFormTest, CancelEscAndClosingTheWindowChangeNothing) {
    const std::vector<std::function<void(TOptionsForm&)>> ways = {
        [&](TOptionsForm&) { Button("bCancel").click(); },
        [](TOptionsForm& f) { QTest::keyClick(&f, Qt::Key_Escape); },
        [](TOptionsForm& f) { f.close(); },
    };
    for (size_t i = 0; i < ways.size(); ++i) {
        OptionCopies copies;
        const OptionsResult r = RunAnswered(form, copies, {}, [&, i] {
            Box("cbMark").click();
            Edit("eLinesBelow").setText(QStringLiteral("9"));
            ways[i](form);
        });
        EXPECT_EQ(r, OptionsResult::Cancel) << i;
        EXPECT_FALSE(CommitOptionsDialog(copies, r).applied) << i;
        EXPECT_EQ(copies.CurrentOptions, TOptions{}) << i;
        EXPECT_EQ(copies.SavedOptions, TOptions{}) << i;
    }
}

} // namespace
} // namespace umlo
