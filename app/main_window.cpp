#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "app/ask_panel.h"
#include "app/find_dialog.h"
#include "app/fitted_sizes.h"
#include "app/main_window_host.h"
#include "app/main_window_states.h"
#include "app/message_box.h"
#include "app/options_form.h"
#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "app/text_edit.h"
#include "app/text_io_window_host.h"
#include "app/tool_bar.h"
#include "app/window_caption.h"
#include "core/codepage.h"
#include "core/pass.h"
#include "core/self_test.h"
#include "core/statistics.h"
#include "dicedit/dic_edit_form.h"
#include "documents/load_save.h"
#include "documents/search.h"
#include "documents/settings_location.h"
#include "documents/window_fit.h"

namespace umlo {
namespace {

constexpr int kCaretPanelWidth = 75;
// The editor's font when the settings name none (testing mode).
constexpr const char* kDefaultFontName = "Courier New";
constexpr int kDefaultFontPixels = 11;

} // namespace

TMainForm::TMainForm(StartOptions start) : start_(std::move(start)) {
    setObjectName(QStringLiteral("MainForm"));

    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    editor_ = new TextEdit(central);
    editor_->setObjectName(QStringLiteral("Editor"));
    editor_->resize(563, 290);
    editor_->setFocusPolicy(Qt::ClickFocus);
    editor_->setLineWrapMode(QPlainTextEdit::NoWrap);
    editor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    editor_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    editor_->setContextMenuPolicy(Qt::ActionsContextMenu);
    QPalette palette = editor_->palette();
    palette.setColor(QPalette::Base, ToQColor(kWhite));
    palette.setColor(QPalette::Text, ToQColor(kBlack));
    // The selection stays visible when the editor loses the focus.
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    editor_->setPalette(palette);
    // Ctrl+Z is "Откат" of the pass; the widget's own history would only
    // grow with every replaced letter.
    editor_->setUndoRedoEnabled(false);
    buffer_ = std::make_unique<QtTextBuffer>(*editor_);
    column->addWidget(editor_, 1);
    panel_ = new AskPanel(*buffer_, central);
    column->addWidget(panel_);
    setCentralWidget(central);

    for (int i = 0; i < 2; ++i) {
        statusPanels_[i] = new QLabel(this);
        statusPanels_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
    }
    statusPanels_[0]->setFixedWidth(kCaretPanelWidth);
    statusBar()->addWidget(statusPanels_[0]);
    statusBar()->addWidget(statusPanels_[1], 1);
    statusBar()->setToolTip(MessageText(PassEngine::SummaryTooltip()));

    host_ = std::make_unique<MainWindowHost>(*this, *panel_);
    ioHost_ = std::make_unique<TextIoWindowHost>(*this, *host_);
    recent_ = std::make_unique<RecentFiles>(host_.get());
    engine_ =
        std::make_unique<PassEngine>(dic_, regExprs_, options_.CurrentOptions, *buffer_, *host_);
    files_ =
        std::make_unique<TextFiles>(*buffer_, *ioHost_, *recent_, options_.CurrentOptions, values_);
    CreateMenus();
    recent_->SetOnChanged([this] { RebuildRecentMenu(); });
    toolBar_ = new ToolBar(ToolBar::MenuCommands(*menuBar()), this);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    CreateSearch();
    settingsFolder_ =
        start_.programFolder.empty() ? std::string(".") : SettingsFolder(start_.programFolder);
    CreateForms();

    // The start-up routine.
    if (start_.startFolder.empty()) {
        start_.startFolder = QStringToUtf8(QDir::currentPath());
    }
    if (!start_.programFolder.empty()) {
        QDir::setCurrent(Utf8ToQString(start_.programFolder));
    }
    setAcceptDrops(true);
    // Files dropped on the editor go to the window, not into the text.
    editor_->setAcceptDrops(false);
    ReadCommandLine();
    LoadSettings();
    toolBar_->LoadButtons(values_.ToolButtons);
    toolBar_->setVisible(options_.CurrentOptions.ShowToolBar);
    dicEdit_->SetSplitSize(values_.SplitSize);
    ApplyEditorFont();
    // The settings file holds the keys in cp1251.
    panel_->SetHotKeys(Utf8ToQString(Cp1251ToUtf8(values_.ButtonHotKeys)));
    RegExprSettings& re = engine_->RegExprConfig();
    re.wordsBufferLength = values_.WordsBufferLength;
    re.log = values_.RegExprLog;
    re.logPath = FileInFolder(settingsFolder_, kRegExprLogFileName);
    if (startedForTesting_) {
        StartTestingMode();
    }
    EnableCommand(QStringLiteral("Umlobegin1"), false);
    EnableCommand(QStringLiteral("Umlopos1"), false);
    editorEnabledSaved_ = values_.EditorEnabled;
    ApplyEditorSwitch();

    WindowPlace place = values_.Window;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        // Whatever the settings file says, the window opens on the screen.
        const QRect area = screen->availableGeometry();
        place = FitOnScreen(place, {area.x(), area.y(), area.width(), area.height()});
    }
    if (place.Width > 0 && place.Height > 0) {
        setGeometry(place.Left, place.Top, place.Width, place.Height);
    } else {
        resize(800, 600);
    }

    connect(editor_, &QPlainTextEdit::textChanged, this, &TMainForm::OnTextChanged);
    connect(editor_, &QPlainTextEdit::cursorPositionChanged, this, &TMainForm::OnSelectionMoved);
    connect(editor_, &QPlainTextEdit::selectionChanged, this, &TMainForm::OnSelectionMoved);
    editor_->installEventFilter(this);
    ShowCaretPosition(0);
}

TMainForm::~TMainForm() {
    disconnect(findDialog_, nullptr, this, nullptr);
    editor_->removeEventFilter(this);
    // The editor's signals must not reach the pass objects as they go.
    disconnect(editor_, nullptr, this, nullptr);
}

void TMainForm::ReadCommandLine() {
    const CommandLine line = ParseCommandLine(start_.argument, start_.startFolder);
    startedForTesting_ = line.testingMode;
    startPath_ = line.textPath;
    textOnCommandLine_ = !startPath_.empty();
}

void TMainForm::LoadSettings() {
    settingsFile_ =
        std::make_unique<SettingsFile>(ProgramSettingsFile(settingsFolder_, start_.programFolder));
    SettingsContext context;
    context.ProgramFolder = start_.programFolder;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        context.Screen = {screen->size().width(), screen->size().height()};
    }
    context.TextOnCommandLine = textOnCommandLine_;
    if (startedForTesting_) {
        // The fixed test settings; the user's file is neither read nor written.
        TestingModeSettings(context.Screen, options_, values_);
        return;
    }
    if (start_.readSettings) {
        std::string error;
        if (!settingsFile_->Load(context, options_, values_, *recent_, &error)) {
            host_->ShowError(error);
        }
    } else {
        values_.DictionaryPath = ResolveDictionaryPath("umlox.dat", start_.programFolder);
        values_.RegExprDictionaryPath =
            ResolveDictionaryPath("umlo_regexpr.dat", start_.programFolder);
    }
    if (!textOnCommandLine_ && !values_.StartPath.empty()) {
        startPath_ = values_.StartPath;
        startFormat_ = values_.StartFormat;
    } else if (textOnCommandLine_) {
        startFormat_ = files_->ResolveFormat(startPath_, 0);
    }
}

void TMainForm::ApplyEditorFont() {
    const TOptions& o = options_.CurrentOptions;
    QFont font(o.FontName.empty() ? QString::fromLatin1(kDefaultFontName)
                                  : Utf8ToQString(Cp1251ToUtf8(o.FontName)));
    font.setStyleHint(QFont::Monospace);
    // Russian needs no shaping; skipping it makes laying out a paragraph of
    // a whole book several times cheaper (scripts that need it are still shaped).
    font.setStyleStrategy(QFont::PreferNoShaping);
    if (o.FontSize > 0) {
        font.setPointSize(o.FontSize);
    } else {
        font.setPixelSize(kDefaultFontPixels);
    }
    editor_->setFont(font);
    editor_->document()->setDefaultFont(font);
    // Lines grow or shrink with the font: the caret stays in sight.
    editor_->ensureCursorVisible();
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // The window system's window exists now.
    ShowCaption(*this, windowTitle());
    if (shown_) {
        return;
    }
    shown_ = true;
    panel_->SetAskingState(false, false);
    editor_->setFocus();
    panel_->hide();
    // Once the window is on screen and the event loop runs.
    QTimer::singleShot(0, this, &TMainForm::DeferredStart);
}

void TMainForm::DeferredStart() {
    if (started_) {
        return;
    }
    started_ = true;
    toolBar_->setEnabled(false);
    if (startedForTesting_) {
        LoadTestDictionary(dic_, *host_);
        LoadTestRegExprDictionary(regExprs_, values_.RegExprDictionaryPath);
    } else {
        LoadMainDictionary(dic_, values_.DictionaryPath, *host_);
        LoadRegExprDictionary(regExprs_, values_.RegExprDictionaryPath, options_.CurrentOptions,
                              *host_);
    }
    morphs_.LoadRulesIfPresent(BundledDataFile(start_.programFolder, std::string(kMorphsFileName)),
                               *host_);
    if (startedForTesting_) {
        // The test runs when the user chooses "Тестирование".
        PrepareTestText();
    } else if (!startPath_.empty()) {
        if (files_->LoadText(startPath_, startFormat_)) {
            files_->PresetOpenDialogFormat(startFormat_);
        } else {
            files_->ForgetCurrentPath();
        }
    }
    RefreshCommands();
    ResetStatistics(engine_->Counters(), dic_, regExprs_, *host_);
    SetModified(false);
    toolBar_->setEnabled(!passMenusOff_);
}

bool TMainForm::PassRunning() const {
    // A collection scans like a pass: nothing may change the text or close
    // the window under it.
    return engine_->Flags().PassRunning || engine_->Flags().CollectMode;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // A running scan keeps the window open; it ends with Esc or "Прервать".
    if (PassRunning()) {
        event->ignore();
        return;
    }
    const bool testing = selfTest_ != nullptr && selfTest_->TestingMode();
    if (!testing && !options_.CurrentOptions.NotConfirmOnClose && !files_->AskSaveChanges()) {
        event->ignore();
        return;
    }
    // A run started for testing never writes the user's settings, also after
    // the test has switched to free testing: they are the test's.
    if (startedForTesting_) {
        event->accept();
        return;
    }
    recent_->RememberPosition(files_->CurrentPath(), *buffer_);
    values_.ButtonHotKeys = Utf8ToCp1251(QStringToUtf8(panel_->HotKeys()));
    values_.SplitSize = dicEdit_->SplitSize();
    values_.InsertLog = dicEdit_->InsertLogOn();
    values_.ToolButtons = toolBar_->SavedButtons();
    values_.EditorEnabled = editorEnabledSaved_;
    const QRect g = geometry();
    values_.Window = {g.height(), g.width(), g.top(), g.left()};
    if (start_.writeSettings) {
        std::string error;
        if (!settingsFile_->Save(options_, values_, *recent_, files_->CurrentPath(), &error)) {
            host_->ShowError(error);
        }
    }
    event->accept();
}

namespace {

std::vector<std::string> LocalFiles(const QMimeData* data) {
    std::vector<std::string> paths;
    if (data != nullptr) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                paths.push_back(QStringToUtf8(url.toLocalFile()));
            }
        }
    }
    return paths;
}

} // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (!PassRunning() && !LocalFiles(event->mimeData()).empty()) {
        event->acceptProposedAction();
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    const std::vector<std::string> paths = LocalFiles(event->mimeData());
    if (paths.empty()) {
        return;
    }
    event->acceptProposedAction();
    LoadDroppedFiles(paths);
}

void TMainForm::SetStatusText(int panel, const QString& text) {
    if (panel >= 0 && panel < 2) {
        statusPanels_[panel]->setText(text);
    }
}

QString TMainForm::StatusText(int panel) const {
    return panel >= 0 && panel < 2 ? statusPanels_[panel]->text() : QString();
}

MessageResult TMainForm::Message(MessageKind kind, std::string_view text, MessageButtons buttons,
                                 MessageResult defaultButton) {
    if (answerer_) {
        return answerer_(kind, text, buttons, defaultButton);
    }
    return ShowMessageBox(this, kind, text, buttons, defaultButton);
}

void TMainForm::SetCaptionPath(const QString& path) {
    captionPath_ = path;
    ShowCaption(*this, ToQString(WithModifiedMarker(ToU16(path), modified_)));
}

void TMainForm::SetModified(bool on) {
    if (on == modified_) {
        return;
    }
    modified_ = on;
    ShowCaption(*this, ToQString(WithModifiedMarker(ToU16(windowTitle()), on)));
}

void TMainForm::ApplyWordWrap(bool on) {
    const bool wrapping = editor_->lineWrapMode() != QPlainTextEdit::NoWrap;
    if (wrapping == on) {
        return;
    }
    const int start = buffer_->SelStart();
    editor_->setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    buffer_->SetCaret(start);
}

void TMainForm::ShowCaretPosition(int offset) {
    const LineColumn at = buffer_->LineAndColumn(offset);
    const QString text =
        QStringLiteral("%1:%2 (%3)").arg(at.line + 1).arg(at.column).arg(buffer_->LineCount());
    // The panel grows for long numbers and never shrinks, so that the summary
    // beside it does not jump while the caret moves.
    const int width = FittedLabelWidth(*statusPanels_[0], text, kCaretPanelWidth);
    if (width > statusPanels_[0]->minimumWidth()) {
        statusPanels_[0]->setFixedWidth(width);
    }
    SetStatusText(0, text);
    statusBar()->update();
}

void TMainForm::ClearPassLists() {
    engine_->Undo().ClearUndo(*host_);
    engine_->ClearReplacementPositions();
}

void TMainForm::OnTextChanged() {
    SetModified(true);
    if (!PassRunning()) {
        RefreshCommands();
    }
}

void TMainForm::OnSelectionMoved() {
    ShowCaretPosition(buffer_->SelStart());
    if (!PassRunning()) {
        RefreshCommands();
    }
}

namespace {

// A key that would change the text rather than move about in it.
bool EditingKey(const QKeyEvent& key) {
    const QString text = key.text();
    const bool control = (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
    return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter ||
           key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete ||
           key.matches(QKeySequence::Paste) || key.matches(QKeySequence::Cut) ||
           (!control && !text.isEmpty() && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7f);
}

} // namespace

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
    // A document takes only the pass's letters; typing says why.
    if (watched == editor_ && event->type() == QEvent::KeyPress && buffer_->LettersOnly() &&
        EditingKey(*static_cast<QKeyEvent*>(event))) {
        host_->ShowInfo(LettersOnlyExplanation(files_->CurrentFormat()));
        return true;
    }
    if (watched == editor_ && event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        // The editor would take Ctrl+Z for itself; it belongs to "Откат".
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            key->ignore();
            return true;
        }
    }
    if (watched == editor_ && event->type() == QEvent::KeyPress && !editor_->isReadOnly()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool control = (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0;
        const bool typed =
            key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
            key->key() == Qt::Key_Backspace ||
            (!control && !text.isEmpty() && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7f);
        if (typed) {
            ClearPassLists();
            EnableCommand(QStringLiteral("Findyyfwd1"), false);
            EnableCommand(QStringLiteral("Findyyback1"), false);
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace umlo
