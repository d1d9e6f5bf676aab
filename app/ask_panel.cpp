#include "app/ask_panel.h"

#include <QEventLoop>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

#include "app/ask_excerpt.h"
#include "app/qt_convert.h"
#include "core/codepage.h"

namespace umlo {
namespace {

constexpr int kPanelHeight = 119;
constexpr int kContextHeight = 23;
constexpr int kAlwaysWidth = 85;
constexpr int kButtonHeight = 20;
constexpr int kContextPoints = 12;
const char* const kWaitingText = "Подождите или нажмите Esc";

QString WithoutMnemonic(QString caption) {
    caption.remove(QLatin1Char('&'));
    return caption;
}

} // namespace

AskPanel::AskPanel(TextBuffer& editor, QWidget* parent) : QWidget(parent), editor_(editor) {
    setObjectName(QStringLiteral("AskPanel"));
    setFixedHeight(kPanelHeight);

    context_ = new QPlainTextEdit(this);
    context_->setObjectName(QStringLiteral("ContextLine"));
    context_->setFixedHeight(kContextHeight);
    context_->setLineWrapMode(QPlainTextEdit::NoWrap);
    context_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    context_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    context_->setReadOnly(true);
    // It never keeps the focus: the answers stay on the keyboard.
    context_->setFocusPolicy(Qt::NoFocus);
    contextBuffer_ = std::make_unique<QtTextBuffer>(*context_);

    bevel_ = new QFrame(this);
    bevel_->setObjectName(QStringLiteral("AskBevel"));
    bevel_->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel_->setAutoFillBackground(true);

    prompt_ = new QLabel(QStringLiteral("***"), bevel_);
    prompt_->setObjectName(QStringLiteral("lCaption"));
    QFont promptFont = prompt_->font();
    promptFont.setBold(true);
    promptFont.setPixelSize(14);
    prompt_->setFont(promptFont);
    prompt_->setAlignment(Qt::AlignCenter);

    static const char* const kNames[] = {"bYe", "bUmlo", "bYeAll", "bUmloAll", "bUndo", "bCancel"};
    static const int kAnswers[] = {AnswerPlain,           AnswerDiaeresis, AnswerPlainAlways,
                                   AnswerDiaeresisAlways, AnswerUndo,      AnswerCancel};
    for (int i = 0; i < 6; ++i) {
        auto* b = new QPushButton(bevel_);
        b->setObjectName(QString::fromLatin1(kNames[i]));
        b->setFixedHeight(kButtonHeight);
        b->setAutoDefault(false);
        const int answer = kAnswers[i];
        connect(b, &QPushButton::clicked, this, [this, answer] { SetAnswer(answer); });
        buttons_[static_cast<size_t>(i)] = b;
    }
    Button(TagCancel).setText(QStringLiteral("Прервать (Esc)"));

    auto* grid = new QGridLayout(bevel_);
    grid->setContentsMargins(10, 2, 10, 2);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(3);
    grid->addWidget(prompt_, 0, 0, 1, 2);
    grid->addWidget(&Button(TagYe), 1, 0);
    grid->addWidget(&Button(TagYeAll), 1, 1);
    grid->addWidget(&Button(TagUmlo), 2, 0);
    grid->addWidget(&Button(TagUmloAll), 2, 1);
    grid->addWidget(&Button(TagUndo), 3, 0);
    grid->addWidget(&Button(TagCancel), 3, 1);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch(1);
    row->addWidget(bevel_);
    row->addStretch(1);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    column->addWidget(context_);
    column->addLayout(row, 1);

    hotKeyEdit_ = new QLineEdit(bevel_);
    hotKeyEdit_->setObjectName(QStringLiteral("HotKeyEdit"));
    hotKeyEdit_->setMaxLength(1);
    hotKeyEdit_->setAlignment(Qt::AlignCenter);
    hotKeyEdit_->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9A-Za-zА-Яа-яЁё]")), hotKeyEdit_));
    connect(hotKeyEdit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { hotKeyEdit_->setText(text.toUpper()); });
    hotKeyEdit_->hide();
    for (Tag t : {TagYe, TagUmlo, TagYeAll, TagUmloAll}) {
        Button(t).installEventFilter(this);
    }

    ResetCaptions();
    // Sized for the sample line at 12 points before the first question.
    QFont sample = context_->font();
    sample.setPointSize(kContextPoints);
    SetContextFont(sample);
    SetAskingState(false, false);
}

void AskPanel::SetContextFont(const QFont& font) {
    context_->setFont(font);
    context_->document()->setDefaultFont(font);
    // One line of this font with the document's margins above and below and
    // the frame: descenders and commas must not be cut.
    const int margin = static_cast<int>(std::ceil(context_->document()->documentMargin()));
    const int height = QFontMetrics(font).lineSpacing() + 2 * margin + 2 * context_->frameWidth();
    context_->setFixedHeight(std::max(kContextHeight, height));
    FitHeight();
}

void AskPanel::FitHeight() {
    const int below = std::max(kPanelHeight - kContextHeight, bevel_->sizeHint().height());
    setFixedHeight(context_->height() + layout()->spacing() + below);
}

AskPanel::~AskPanel() = default;

QString AskPanel::Key(int index) const {
    // A space keeps the place of a missing accelerator.
    return index < hotKeys_.size() ? hotKeys_.mid(index, 1).trimmed() : QString();
}

void AskPanel::SetHotKeys(const QString& keys) {
    hotKeys_ = keys.left(4);
    ResetCaptions();
    ArrangeAskPanel();
}

void AskPanel::ResetCaptions() {
    static const char* const kBases[] = {"Е", "Ё", "Всегда Е", "Всегда Ё"};
    for (int i = 0; i < 4; ++i) {
        buttons_[static_cast<size_t>(i)]->setText(
            Utf8ToQString(AnswerCaption(kBases[i], QStringToUtf8(Key(i)))));
    }
    Button(TagUndo).setText(QStringLiteral("Откат"));
}

void AskPanel::ArrangeAskPanel() {
    int widest = 0;
    for (Tag t : {TagYe, TagUmlo, TagUndo}) {
        const QPushButton& b = Button(t);
        widest = std::max(widest, b.fontMetrics().horizontalAdvance(WithoutMnemonic(b.text())));
    }
    for (Tag t : {TagYe, TagUmlo, TagUndo}) {
        Button(t).setFixedWidth(widest + 40);
    }
    // The right column is 85 pixels unless its captions need more in this font.
    int right = kAlwaysWidth;
    for (Tag t : {TagYeAll, TagUmloAll, TagCancel}) {
        const QPushButton& b = Button(t);
        right = std::max(right, b.fontMetrics().horizontalAdvance(WithoutMnemonic(b.text())) + 16);
    }
    for (Tag t : {TagYeAll, TagUmloAll, TagCancel}) {
        Button(t).setFixedWidth(right);
    }
    // The layout centres the bevel and makes it wide enough for the prompt.
    bevel_->setMinimumWidth(std::max(widest + 40 + right + 10,
                                     prompt_->fontMetrics().horizontalAdvance(prompt_->text())) +
                            20);
    update();
}

void AskPanel::MarkProposed(Tag proposed) {
    // The default frame alone is faint in some styles: the caption is bold too.
    for (Tag t : {TagYe, TagUmlo}) {
        QPushButton& b = Button(t);
        b.setDefault(t == proposed);
        QFont font = b.font();
        font.setBold(t == proposed);
        b.setFont(font);
    }
}

void AskPanel::SetPrompt(const QString& text, Color color) {
    prompt_->setText(text);
    QPalette p = prompt_->palette();
    p.setColor(QPalette::WindowText, ToQColor(color));
    prompt_->setPalette(p);
}

void AskPanel::SetAskingState(bool on, bool undoAvailable) {
    if (EditingHotKey()) {
        CloseHotKeyEditor(false);
    }
    if (!on) {
        SetPrompt(QString(), kNeutralPromptColor);
        ResetCaptions();
        MarkProposed(TagCancel);
        ArrangeAskPanel();
    }
    for (QPushButton* b : buttons_) {
        b->setEnabled(on);
    }
    Button(TagUndo).setEnabled(on && undoAvailable);
    // The window keeps its size while a question waits.
    if (QWidget* w = window(); w != this) {
        if (on) {
            w->setMinimumSize(w->size());
            w->setMaximumSize(w->size());
        } else {
            w->setMinimumSize(bevel_->minimumWidth(), 0);
            w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
    }
    SetWaitingLook(on);
}

void AskPanel::SetWaitingLook(bool asking) {
    if (!asking) {
        prompt_->setText(Utf8ToQString(kWaitingText));
        ArrangeAskPanel();
    }
    band_ = ToQColor(asking ? kAskingColor : kWaitingColor);
    QPalette p = bevel_->palette();
    p.setColor(QPalette::Window, band_);
    bevel_->setPalette(p);
    update();
}

void AskPanel::ShowQuestion(const AskQuestion& q, const QFont& editorFont) {
    SetPrompt(Utf8ToQString(q.prompt), q.promptWarning ? kWarningPromptColor : kNeutralPromptColor);
    Button(TagYe).setText(Utf8ToQString(AnswerCaption(q.plainForm, QStringToUtf8(Key(0)))));
    Button(TagUmlo).setText(Utf8ToQString(AnswerCaption(q.diaeresisForm, QStringToUtf8(Key(1)))));
    Button(TagUndo).setText(Utf8ToQString(q.undoCaption));
    Button(TagYeAll).setEnabled(q.alwaysEnabled);
    Button(TagUmloAll).setEnabled(q.alwaysEnabled);
    Button(TagUndo).setEnabled(q.undoEnabled);

    // The proposed answer is the one Enter takes: it carries the default
    // frame, and the focus frame shows as after a Tab.
    MarkProposed(q.proposePlain ? TagYe : TagUmlo);
    QWidget* w = window();
    if (w->isVisible() && w->isEnabled()) {
        w->setAttribute(Qt::WA_KeyboardFocusChange);
        Button(q.proposePlain ? TagYe : TagUmlo).setFocus(Qt::OtherFocusReason);
    }

    QFont font = editorFont;
    font.setPointSize(kContextPoints);
    SetContextFont(font);
    const int xWidth = std::max(QFontMetrics(font).horizontalAdvance(QLatin1Char('x')), 1);
    const int lineWidth = context_->isVisible() ? context_->viewport()->width() : width();
    const ContextExcerpt excerpt = BuildContextExcerpt(editor_, lineWidth / xWidth);
    // The excerpt is shown as the pass sees it, in the 8-bit code page.
    contextBuffer_->SetAllText(Cp1251ToUtf16(Utf16ToCp1251(excerpt.text)));
    contextBuffer_->SetCaret(excerpt.wordOffset);
    contextBuffer_->SetSelLength(excerpt.wordLength);
    contextBuffer_->SetSelectionTextColor(kWarningPromptColor);
    contextBuffer_->SetSelectionBold(true);
    contextBuffer_->SetCaret(excerpt.wordOffset);

    ArrangeAskPanel();
    proposal_ = q.proposePlain;
}

int AskPanel::WaitForAnswer() {
    answer_ = 0;
    QEventLoop loop;
    loop_ = &loop;
    emit questionShown();
    if (answer_ == 0) {
        loop.exec();
    }
    loop_ = nullptr;
    // A loop left without an answer (the application quits) stops the pass.
    return answer_ != 0 ? answer_ : AnswerCancel;
}

void AskPanel::SetAnswer(int answer) {
    if (loop_ == nullptr || answer_ != 0) {
        return;
    }
    answer_ = answer;
    loop_->quit();
}

bool AskPanel::HandleKey(const QKeyEvent& event, bool act) {
    if (!Waiting()) {
        return false;
    }
    const int key = event.key();
    if (EditingHotKey()) {
        // Enter and Esc close the field; every other key is its input.
        const bool closing = key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter;
        if (closing && act) {
            CloseHotKeyEditor(key != Qt::Key_Escape);
        }
        return closing;
    }
    if (key == Qt::Key_Escape) {
        if (act) {
            Button(TagCancel).click();
        }
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (!act) {
            return true;
        }
        QWidget* focus = focusWidget();
        for (QPushButton* b : buttons_) {
            if (b == focus && b->isEnabled()) {
                b->click();
                return true;
            }
        }
        Button(proposal_ ? TagYe : TagUmlo).click();
        return true;
    }
    if ((event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) != 0) {
        return false;
    }
    QString typed = event.text();
    if (typed.isEmpty() && key >= 0x20 && key < 0x7f) {
        typed = QChar(key);
    }
    if (typed.size() != 1) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        const QString k = Key(i);
        if (!k.isEmpty() && k.compare(typed, Qt::CaseInsensitive) == 0) {
            QPushButton* b = buttons_[static_cast<size_t>(i)];
            if (act && b->isEnabled()) {
                b->click();
            }
            return true;
        }
    }
    return false;
}

bool AskPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && !EditingHotKey()) {
        for (Tag t : {TagYe, TagUmlo, TagYeAll, TagUmloAll}) {
            if (watched == &Button(t) && Button(t).isEnabled()) {
                OpenHotKeyEditor(t);
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void AskPanel::OpenHotKeyEditor(Tag tag) {
    QPushButton& b = Button(tag);
    const int width =
        std::max(13, hotKeyEdit_->fontMetrics().horizontalAdvance(QLatin1Char('W')) + 8);
    const int height = std::min(b.height(), hotKeyEdit_->sizeHint().height());
    hotKeyEdit_->setFixedSize(width, height);
    // Near the accelerator character of the caption.
    const QString caption = b.text();
    const int beforeAmp = b.fontMetrics().horizontalAdvance(
        caption.left(std::max<qsizetype>(caption.indexOf('&'), 0)));
    hotKeyEdit_->move(b.x() + (b.width() - width) / 2 + beforeAmp / 2,
                      b.y() + (b.height() - height) / 2);
    hotKeyTag_ = tag;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        heldEnabled_[i] = buttons_[i]->isEnabled();
        buttons_[i]->setEnabled(false);
    }
    hotKeyEdit_->setText(Key(tag - 1).toUpper());
    hotKeyEdit_->show();
    hotKeyEdit_->raise();
    hotKeyEdit_->setFocus(Qt::OtherFocusReason);
    hotKeyEdit_->selectAll();
}

void AskPanel::CloseHotKeyEditor(bool take) {
    const int index = hotKeyTag_ - 1;
    const QString typed = hotKeyEdit_->text().toUpper();
    if (take && typed.size() == 1 && index >= 0 && index < 4 && !hotKeyEdit_->text().isEmpty()) {
        bool used = false;
        for (int i = 0; i < 4; ++i) {
            used = used || Key(i).compare(typed, Qt::CaseInsensitive) == 0;
        }
        if (!used) {
            const bool wasEmpty = Key(index).isEmpty();
            while (hotKeys_.size() <= index) {
                hotKeys_ += QLatin1Char(' ');
            }
            hotKeys_[index] = typed[0];
            QPushButton& b = *buttons_[static_cast<size_t>(index)];
            QString caption = b.text();
            const qsizetype amp = caption.indexOf(QLatin1Char('&'));
            if (amp >= 0 && wasEmpty) {
                caption.insert(amp + 1, typed[0]);
            } else if (amp >= 0 && amp + 1 < caption.size()) {
                caption[amp + 1] = typed[0];
            }
            b.setText(caption);
        }
    }
    hotKeyEdit_->hide();
    hotKeyTag_ = 0;
    for (size_t i = 0; i < buttons_.size(); ++i) {
        buttons_[i]->setEnabled(heldEnabled_[i]);
    }
    Button(proposal_ ? TagYe : TagUmlo).setFocus(Qt::OtherFocusReason);
    ArrangeAskPanel();
}

void AskPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), band_);
    // Hatched sides; the bevel paints its own band over the middle.
    p.fillRect(rect(), QBrush(QColor(128, 128, 128), Qt::DiagCrossPattern));
}

} // namespace umlo
