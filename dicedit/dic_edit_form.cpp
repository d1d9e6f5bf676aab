#include "dicedit/dic_edit_form.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/codepage.h"
#include "dicedit/morph_form.h"
#include "dicedit/pane_lines.h"
#include "dicedit/window_title.h"

namespace umlo {

namespace {

constexpr char kDictionaryFilter[] = "Словарь (*.dat)";
constexpr char kSaveTitle[] = "Сохранить словарь";
// Long operations let the window system in this often to see Esc.
constexpr qint64 kPumpIntervalMs = 100;

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
    return text.toUtf8().toStdString();
}

void SetUpPane(QPlainTextEdit& pane) {
    QFont font(QStringLiteral("Courier New"));
    font.setPixelSize(13);
    pane.setFont(font);
    pane.setLineWrapMode(QPlainTextEdit::NoWrap);
    pane.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The selection stays visible when the pane loses the focus.
    QPalette palette = pane.palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    pane.setPalette(palette);
}

} // namespace

// The editor's host: its own status field, hourglass and commands; message
// boxes are the program's.
class TDicEditForm::WindowHost : public Host, public DicEditUi {
public:
    explicit WindowHost(TDicEditForm& form) : form_(form) {}

    void SetStatusText(int, std::string_view text) override {
        form_.status_->setText(FromUtf8(text));
    }
    std::string StatusText(int) const override { return ToUtf8(form_.status_->text()); }
    void SetBusy(bool busy) override { form_.SetBusy(busy); }
    MessageResult ShowMessage(MessageKind kind, std::string_view text, MessageButtons buttons,
                              MessageResult defaultButton) override {
        return form_.messages_.ShowMessage(kind, text, buttons, defaultButton);
    }
    void EnableCommand(std::string_view itemName, bool enabled) override {
        if (QAction* action = form_.Action(FromUtf8(itemName))) {
            action->setEnabled(enabled);
        }
    }

    std::optional<std::string> AskOpenPath(const std::string& folder,
                                           std::string_view title) override {
        return form_.AskPath(false, FromUtf8(title), folder, {});
    }
    std::optional<std::string> AskSavePath(const std::string& folder,
                                           const std::string& fileName) override {
        return form_.AskPath(true, QString::fromUtf8(kSaveTitle), folder, fileName);
    }
    void SetCaption(std::string_view caption) override { ShowCaption(form_, FromUtf8(caption)); }
    DicPane FocusedPane() const override { return form_.FocusedPane(); }
    void FocusPane(DicPane pane) override {
        if (pane == DicPane::Dictionary) {
            form_.dicEditor_->setFocus();
            form_.lastPane_ = pane;
        } else if (pane == DicPane::Words) {
            form_.wordEditor_->setFocus();
            form_.lastPane_ = pane;
        }
    }
    bool EscPressed() override { return form_.EscPressed(); }

private:
    TDicEditForm& form_;
};

TDicEditForm::TDicEditForm(Host& messages, DicEditContext context,
                           const PaneBufferFactory& makeBuffer, QWidget* parent)
    : QDialog(parent), messages_(messages) {
    setObjectName(QStringLiteral("DicEditForm"));
    setModal(true);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);

    dicEditor_ = new QPlainTextEdit(this);
    dicEditor_->setObjectName(QStringLiteral("DicEditor"));
    wordEditor_ = new QPlainTextEdit(this);
    wordEditor_->setObjectName(QStringLiteral("WordEditor"));
    SetUpPane(*dicEditor_);
    dicEditor_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    SetUpPane(*wordEditor_);
    QPalette words = wordEditor_->palette();
    words.setColor(QPalette::Base, words.color(QPalette::ToolTipBase));
    wordEditor_->setPalette(words);

    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->addWidget(dicEditor_);
    splitter_->addWidget(wordEditor_);
    // The word window keeps its width when the window is resized.
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setChildrenCollapsible(false);

    auto* statusBar = new QStatusBar(this);
    statusBar->setSizeGripEnabled(false);
    status_ = new QLabel(statusBar);
    statusBar->addWidget(status_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(splitter_, 1);
    layout->addWidget(statusBar);

    dictionaryBuffer_ = makeBuffer(*dicEditor_);
    wordBuffer_ = makeBuffer(*wordEditor_);
    for (QPlainTextEdit* pane : {dicEditor_, wordEditor_}) {
        pane->setMaximumBlockCount(0);
        pane->installEventFilter(this);
    }
    if (context.wordForms != nullptr) {
        morphForm_ = new TMorphForm(*context.wordForms, this);
    }
    host_ = std::make_unique<WindowHost>(*this);
    logic_ = std::make_unique<DicEditor>(*dictionaryBuffer_, *wordBuffer_, *host_, *host_,
                                         std::move(context));
    layout->setMenuBar(CreateMenus());
    SetSplitSize(splitSize_);

    connect(dicEditor_, &QPlainTextEdit::textChanged, this, [this] {
        if (!closing_) {
            logic_->DictionaryChanged();
        }
    });
    connect(dicEditor_, &QPlainTextEdit::cursorPositionChanged, this,
            [this] { logic_->DictionaryCaretMoved(); });
    connect(dicEditor_, &QPlainTextEdit::selectionChanged, this,
            [this] { logic_->DictionaryCaretMoved(); });
    connect(wordEditor_, &QPlainTextEdit::textChanged, this, [this] { logic_->WordsChanged(); });
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { FocusChanged(now); });
    qApp->installEventFilter(this);
}

TDicEditForm::~TDicEditForm() {
    qApp->removeEventFilter(this);
    disconnect(qApp, nullptr, this, nullptr);
    disconnect(dicEditor_, nullptr, this, nullptr);
    disconnect(wordEditor_, nullptr, this, nullptr);
}

QMenuBar* TDicEditForm::CreateMenus() {
    auto* bar = new QMenuBar(this);
    bar->setObjectName(QStringLiteral("menuBar"));
    DicEditor& e = *logic_;

    QMenu* file = bar->addMenu(QStringLiteral("Файл"));
    AddCommand(file, "Open1", "Загрузить словарь", "Ctrl+L", [&e] { e.Open1Click(); });
    AddCommand(file, "OpenCurrDic1", "Загрузить текущий словарь", "Ctrl+Alt+L",
               [&e] { e.OpenCurrDic1Click(); });
    AddCommand(file, "OpenCurrRegExprDic1", "Загрузить текущий СРВ", "Ctrl+Alt+R",
               [&e] { e.OpenCurrRegExprDic1Click(); });
    AddCommand(file, "Save1", "Сохранить словарь", "Ctrl+S", [&e] { e.Save1Click(); });
    AddCommand(file, "Subtract1", "Вычесть словарь", nullptr, [&e] { e.Subtract1Click(); });
    AddCommand(file, "Exit1", "Выход", nullptr, [this] { Exit1Click(); });

    QMenu* edit = bar->addMenu(QStringLiteral("Редактировать"));
    AddCommand(edit, "Cut1", "Вырезать", "Ctrl+X", [&e] { e.Cut1Click(); });
    AddCommand(edit, "Copy1", "Копировать", "Ctrl+C", [&e] { e.Copy1Click(); });
    AddCommand(edit, "Paste1", "Вставить", "Ctrl+V", [&e] { e.Paste1Click(); });
    AddCommand(edit, "Selectall1", "Выделить всё", "Ctrl+A", [&e] { e.Selectall1Click(); });

    QMenu* ops = bar->addMenu(QStringLiteral("Операции"));
    AddCommand(ops, "Sort1", "Сортировать словарь", "F5", [&e] { e.Sort1Click(); });
    AddCommand(ops, "DelDoubles1", "Удалить дубли из словаря", "Ctrl+D",
               [&e] { e.DelDoubles1Click(); });
    AddCommand(ops, "CheckDic1", "Найти следующую ошибку в словаре", "Ctrl+E",
               [&e] { e.CheckDic1Click(); });
    ops->addSeparator();
    AddCommand(ops, "AddToDic1", "Добавить в словарь", "Ins", [&e] { e.AddToDic1Click(); });
    AddCommand(ops, "DelFromDic1", "Удалить слово", "Ctrl+Del", [&e] { e.DelFromDic1Click(); });
    // Their keys belong to the load commands above, which come first.
    AddCommand(
        ops, "Lower1", "В нижний регистр", "Ctrl+L", [&e] { e.Lower1Click(); }, false);
    AddCommand(
        ops, "Upper1", "С заглавной буквы", "Ctrl+Alt+L", [&e] { e.Upper1Click(); }, false);
    AddCommand(ops, "Find1", "Найти подстроку", "Ctrl+F", [&e] { e.Find1Click(); });
    AddCommand(ops, "FindRegExp1", "Найти РВ", "Ctrl+R", [&e] { e.FindRegExp1Click(); });
    AddCommand(ops, "FindInDic1", "Найти место в словаре", "Ctrl+G", [&e] { e.FindInDic1Click(); });
    AddCommand(ops, "Morph1", "Создать формы слова", "Ctrl+Ins", [this] { Morph1Click(); });
    AddCommand(ops, "SweepWordEditor1", "Убрать лишние слова из окна слов", nullptr,
               [&e] { e.SweepWordEditor1Click(); });
    AddCommand(ops, "InsertDicSize1", "Вставить длину словаря", nullptr,
               [&e] { e.InsertDicSize1Click(); });

    QMenu* options = bar->addMenu(QStringLiteral("Опции"));
    AddCommand(options, "IsCombiWords1", "Режим СРВ", nullptr, [&e] {
        e.IsCombiWords1Click();
    })->setCheckable(true);
    AddCommand(options, "InsertLog1", "Вести лог новых слов", nullptr, [&e] {
        e.InsertLog1Click();
    })->setCheckable(true);
    return bar;
}

QAction* TDicEditForm::AddCommand(QMenu* menu, const char* name, const char* caption,
                                  const char* shortcut, std::function<void()> handler,
                                  bool ownsShortcut) {
    QString text = QString::fromUtf8(caption);
    auto* action = new QAction(this);
    action->setObjectName(QString::fromLatin1(name));
    if (shortcut != nullptr) {
        if (ownsShortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(shortcut)));
            action->setShortcutContext(Qt::WindowShortcut);
        } else {
            // Shown in the menu only: the key acts on the first item that has it.
            text += QLatin1Char('\t') +
                    QKeySequence(QString::fromLatin1(shortcut)).toString(QKeySequence::NativeText);
        }
    }
    action->setText(text);
    connect(action, &QAction::triggered, this, [this, handler = std::move(handler)] {
        if (busy_ > 0) {
            return;
        }
        handler();
        SyncCheckMarks();
    });
    menu->addAction(action);
    addAction(action);
    actions_[action->objectName()] = action;
    return action;
}

QAction* TDicEditForm::Action(const QString& name) const {
    const auto it = actions_.find(name);
    return it == actions_.end() ? nullptr : it->second;
}

QString TDicEditForm::StatusText() const {
    return status_->text();
}

void TDicEditForm::SyncCheckMarks() {
    Action(QStringLiteral("IsCombiWords1"))->setChecked(logic_->RegExprMode());
    Action(QStringLiteral("InsertLog1"))->setChecked(logic_->InsertLogOn());
}

void TDicEditForm::Execute(const QRect& place) {
    setGeometry(place);
    SetSplitSize(splitSize_);
    logic_->Opened();
    SyncCheckMarks();
    // Its window-system window, so that an empty caption is shown empty.
    create();
    ShowCaption(*this, windowTitle());
    exec();
}

void TDicEditForm::AppendWord(std::string_view word) {
    logic_->AppendWord(word);
}

int TDicEditForm::SplitSize() const {
    if (isVisible()) {
        const QList<int> sizes = splitter_->sizes();
        if (sizes.size() == 2 && sizes[1] > 0) {
            return sizes[1];
        }
    }
    return splitSize_;
}

void TDicEditForm::SetSplitSize(int size) {
    splitSize_ = size > 0 ? size : splitSize_;
    const int total = std::max(splitter_->width(), width() > 0 ? width() : 0);
    splitter_->setSizes({std::max(total - splitSize_, 1), splitSize_});
}

bool TDicEditForm::InsertLogOn() const {
    return logic_->InsertLogOn();
}

void TDicEditForm::Morph1Click() {
    if (morphForm_ == nullptr || !logic_->WordFormsAvailable()) {
        return;
    }
    const int line = CaretLine(*wordBuffer_);
    std::vector<std::string> forms;
    if (morphForm_->Generate(PaneLine(*wordBuffer_, line), forms)) {
        logic_->InsertWordForms(line, forms);
    }
}

void TDicEditForm::Exit1Click() {
    close();
}

void TDicEditForm::reject() {
    // Esc is not "Выход": the window closes through its close query only.
}

void TDicEditForm::closeEvent(QCloseEvent* event) {
    if (busy_ > 0 || !logic_->CanClose()) {
        event->ignore();
        return;
    }
    event->accept();
    splitSize_ = SplitSize();
    closing_ = true;
    logic_->Closed();
    closing_ = false;
    QDialog::done(QDialog::Accepted);
}

void TDicEditForm::PrepareFileDialog(QFileDialog& dialog, bool save, const QString& title,
                                     const std::string& folder, const std::string& fileName) {
    // Qt's own dialog speaks Russian through its translation; the desktop's
    // native one speaks the system's language.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(title);
    dialog.setNameFilter(QString::fromUtf8(kDictionaryFilter));
    dialog.setDirectory(FromUtf8(folder));
    if (save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        // The editor asks its own overwrite question.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
        const std::string bare = fileName.substr(fileName.rfind('/') + 1);
        if (!bare.empty()) {
            dialog.selectFile(FromUtf8(bare));
        }
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
}

std::optional<std::string> TDicEditForm::AskPath(bool save, const QString& title,
                                                 const std::string& folder,
                                                 const std::string& fileName) {
    if (pathAnswerer_) {
        return pathAnswerer_(save);
    }
    QFileDialog dialog(this);
    PrepareFileDialog(dialog, save, title, folder, fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return ToUtf8(dialog.selectedFiles().front());
}

void TDicEditForm::SetBusy(bool on) {
    busy_ += on ? 1 : -1;
    if (busy_ < 0) {
        busy_ = 0;
    }
    const bool busy = busy_ > 0;
    dictionaryBuffer_->SetBusyCursor(busy);
    wordBuffer_->SetBusyCursor(busy);
    if (busy && on && busy_ == 1) {
        escPressed_ = false;
    }
}

bool TDicEditForm::EscPressed() {
    if (!sincePump_.isValid() || sincePump_.elapsed() >= kPumpIntervalMs) {
        sincePump_.restart();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    const bool pressed = escPressed_;
    escPressed_ = false;
    return pressed;
}

DicPane TDicEditForm::FocusedPane() const {
    const QWidget* focus = QApplication::focusWidget();
    if (focus == dicEditor_) {
        return DicPane::Dictionary;
    }
    if (focus == wordEditor_) {
        return DicPane::Words;
    }
    return lastPane_;
}

void TDicEditForm::FocusChanged(QWidget* now) {
    if (now == dicEditor_ || now == wordEditor_) {
        lastPane_ = now == dicEditor_ ? DicPane::Dictionary : DicPane::Words;
        logic_->PaneFocused();
    }
}

bool TDicEditForm::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (busy_ > 0) {
        // A long operation lets events in only to see Esc; the window's own
        // input must not change the text under it.
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (widget != nullptr && widget->window() == this) {
            if (type == QEvent::KeyPress || type == QEvent::ShortcutOverride) {
                if (type == QEvent::KeyPress &&
                    static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                    escPressed_ = true;
                }
                event->accept();
                return true;
            }
            if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick ||
                type == QEvent::MouseButtonRelease || type == QEvent::Wheel) {
                return true;
            }
        }
        return false;
    }
    if ((watched == dicEditor_ || watched == wordEditor_) && type == QEvent::ShortcutOverride) {
        // The panes would take Insert, Ctrl+Delete, Ctrl+Insert and the like
        // for themselves; the menu's keys belong to the menu.
        auto* key = static_cast<QKeyEvent*>(event);
        const QKeySequence pressed(key->keyCombination());
        for (const auto& [name, action] : actions_) {
            if (!action->shortcut().isEmpty() && action->shortcut() == pressed) {
                key->ignore();
                return true;
            }
        }
    }
    return false;
}

} // namespace umlo
