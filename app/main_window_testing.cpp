// Testing mode ("/t"): the item "Тестирование", the built-in test text and
// dictionaries, and the test run itself.
#include <QAction>
#include <QMenu>

#include "app/ask_panel.h"
#include "app/main_window.h"
#include "app/main_window_host.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "core/pass.h"
#include "core/self_test.h"

namespace umlo {
namespace {

constexpr int kTestWindowWidth = 700;

} // namespace

void TMainForm::StartTestingMode() {
    fileMenu_->addSeparator();
    AddCommand(fileMenu_, "Testing1", "Тестирование", "F11", true, &TMainForm::Testing1Click);
    selfTest_ = std::make_unique<SelfTest>();
    selfTest_->SetTestingMode(true);
    SetCaptionPath(QStringLiteral("[Testing mode]"));
}

void TMainForm::PrepareTestText() {
    selfTest_->BuildTestText(*engine_);
    TestTextBuilt();
}

void TMainForm::TestTextBuilt() {
    panel_->SetHotKeys(QStringLiteral("1234"));
    resize(kTestWindowWidth, height());
    SetModified(false);
}

void TMainForm::Testing1Click() {
    if (selfTest_ == nullptr || PassRunning()) {
        return;
    }
    const SelfTestOutcome outcome = selfTest_->RunSelfTest(*engine_);
    if (outcome.kind == SelfTestOutcome::Kind::Reset) {
        // Free testing: the rebuilt text, dictionaries and options, asked by hand.
        TestTextBuilt();
        SetCaptionPath(QStringLiteral("[Free testing mode]"));
    }
    RefreshCommands();
}

} // namespace umlo
