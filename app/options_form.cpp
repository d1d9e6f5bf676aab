#include "app/options_form.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/qt_convert.h"
#include "app/qt_text_buffer.h"
#include "core/codepage.h"

namespace umlo {

namespace {

// The sample's sixth character stands for a replaced letter.
constexpr int kSampleLetter = 5;

QString Cp1251ToQString(const std::string& text) {
    return ToQString(Cp1251ToUtf16(text));
}

std::string QStringToCp1251(const QString& text) {
    return Utf16ToCp1251(ToU16(text));
}

} // namespace

TOptionsForm::TOptionsForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OptionsForm"));
    setWindowTitle(QStringLiteral("Опции"));
    setModal(true);
    dialog_ = &idle_;

    chooseFont_ = [this](const FontChoice& preset) -> std::optional<FontChoice> {
        bool ok = false;
        // Qt's own dialogs speak Russian through its translation; the
        // desktop's native ones speak the system's language.
        const QFont font = QFontDialog::getFont(&ok, QFontOf(preset), this, QString(),
                                                QFontDialog::DontUseNativeDialog);
        if (!ok) {
            return std::nullopt;
        }
        return FontChoiceOf(font, preset.Charset);
    };
    chooseColor_ = [this](Color preset) -> std::optional<Color> {
        const QColor color = QColorDialog::getColor(ToQColor(preset), this, QString(),
                                                    QColorDialog::DontUseNativeDialog);
        if (!color.isValid()) {
            return std::nullopt;
        }
        return FromQColor(color);
    };

    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    layout->addWidget(tabs_);
    BuildUmloPage();
    BuildEditorPage();
    BuildNetworkPage();
    BuildButtons();

    // These five are the ones whose clicks change what else is enabled.
    for (bool TOptions::*field : {&TOptions::NoVarOnly, &TOptions::VarOnly, &TOptions::AlwaysAsk,
                                  &TOptions::Mark, &TOptions::WordWrap}) {
        connect(&Box(field), &QCheckBox::clicked, this, [this] { ApplyDependencies(); });
    }
}

TOptionsForm::~TOptionsForm() = default;

QCheckBox* TOptionsForm::AddCheckBox(QWidget* page, const char* name, const char* caption,
                                     bool TOptions::*field) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), page);
    box->setObjectName(QString::fromLatin1(name));
    boxes_.push_back({box, field});
    return box;
}

QPushButton* TOptionsForm::AddButton(QWidget* page, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), page);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* TOptionsForm::AddLineEdit(QWidget* page, const char* name) {
    auto* edit = new QLineEdit(page);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

void TOptionsForm::BuildUmloPage() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(AddCheckBox(page, "cbRegExprs", "Использование словаря регулярных выражений",
                                  &TOptions::RegExprs));
    layout->addWidget(
        AddCheckBox(page, "cbNoVarOnly", "Только бесспорные замены", &TOptions::NoVarOnly));
    layout->addWidget(
        AddCheckBox(page, "cbVarOnly", "Только интерактивные замены", &TOptions::VarOnly));
    layout->addWidget(
        AddCheckBox(page, "cbCheckUmlo", "Проверять расстановку \"ё\"", &TOptions::CheckUmlo));
    layout->addWidget(
        AddCheckBox(page, "cbAlwaysAsk", "Всегда подтверждать замену", &TOptions::AlwaysAsk));
    layout->addWidget(AddCheckBox(page, "cbToConfirmAbbr",
                                  "Всегда подтверждать замену для сокращений",
                                  &TOptions::ToConfirmAbbr));
    layout->addWidget(AddCheckBox(page, "cbToConfirmCap",
                                  "Всегда подтверждать замену для имён собственных",
                                  &TOptions::ToConfirmCap));
    layout->addWidget(AddCheckBox(page, "cbToConfirmEllipsis",
                                  "Всегда подтверждать замену для оборванных слов",
                                  &TOptions::ToConfirmEllipsis));
    layout->addWidget(AddCheckBox(page, "cbProposeLast", "Предлагать последний вариант замены",
                                  &TOptions::ProposeLast));
    layout->addWidget(
        AddCheckBox(page, "cbFBFormat", "Учитывать формат \"FictionBook\"", &TOptions::FBFormat));
    layout->addWidget(AddCheckBox(page, "cbFastScroll", "Быстрая промотка", &TOptions::FastScroll));

    auto* row = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Количество строк промотки:"), page);
    linesBelow_ = AddLineEdit(page, "eLinesBelow");
    linesBelow_->setMaximumWidth(linesBelow_->fontMetrics().horizontalAdvance(QLatin1Char('0')) *
                                 12);
    label->setBuddy(linesBelow_);
    row->addWidget(label);
    row->addWidget(linesBelow_);
    row->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    tabs_->addTab(page, QStringLiteral("Ёфикация"));
}

void TOptionsForm::BuildEditorPage() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        AddCheckBox(page, "cbLastFile", "Запоминать последний файл", &TOptions::RecallLastFile));
    layout->addWidget(AddCheckBox(page, "cbAutoUnicode", "Автораспознавать формат Unicode",
                                  &TOptions::AutoUnicode));
    layout->addWidget(
        AddCheckBox(page, "cbWordWrap", "Заворачивать текст (\"Word wrap\")", &TOptions::WordWrap));

    auto* markRow = new QHBoxLayout;
    markRow->addWidget(AddCheckBox(page, "cbMark", "Помечать исправленное", &TOptions::Mark));
    markColor_ = AddButton(page, "bMark", "Цвет");
    backMarkColor_ = AddButton(page, "bBackMark", "Фон");
    markRow->addWidget(markColor_);
    markRow->addWidget(backMarkColor_);
    markRow->addStretch();
    layout->addLayout(markRow);

    sample_ = new QPlainTextEdit(page);
    sample_->setObjectName(QStringLiteral("SampleEditor"));
    sample_->setReadOnly(true);
    sampleBuffer_ = std::make_unique<QtTextBuffer>(*sample_);
    sampleBuffer_->SetAllText(std::u16string(u"В чащах юга жил бы цитрус? Да, но фальшивый "
                                             u"экземпляр! ") +
                              kLineBreak + u"The quick brown fox jumps over the lazy dog.");
    layout->addWidget(sample_);

    layout->addWidget(AddCheckBox(page, "cbShowToolbar", "Показывать панель инструментов",
                                  &TOptions::ShowToolBar));
    font_ = AddButton(page, "bFont", "Шрифт");
    auto* fontRow = new QHBoxLayout;
    fontRow->addWidget(font_);
    fontRow->addStretch();
    layout->addLayout(fontRow);
    // Editor / Enabled: without it "Редактор словарей" and "Сбор новых Ё"
    // stay off, and this is where the user finds the switch.
    editorEnabled_ =
        new QCheckBox(QStringLiteral("Включить редактор словарей и сбор новых Ё"), page);
    editorEnabled_->setObjectName(QStringLiteral("cbEditorEnabled"));
    layout->addWidget(editorEnabled_);
    tabs_->addTab(page, QStringLiteral("Редактор"));

    connect(markColor_, &QPushButton::clicked, this, [this] { ChooseColor(&TOptions::ColorMark); });
    connect(backMarkColor_, &QPushButton::clicked, this,
            [this] { ChooseColor(&TOptions::ColorBackMark); });
    connect(font_, &QPushButton::clicked, this, [this] { ChooseFont(); });
}

void TOptionsForm::BuildNetworkPage() {
    auto* page = new QWidget(tabs_);
    auto* layout = new QVBoxLayout(page);
    auto* row = new QHBoxLayout;
    auto* nameLabel = new QLabel(QStringLiteral("Прокси:"), page);
    proxyName_ = AddLineEdit(page, "eProxyName");
    nameLabel->setBuddy(proxyName_);
    auto* portLabel = new QLabel(QStringLiteral("порт:"), page);
    proxyPort_ = AddLineEdit(page, "eProxyPort");
    proxyPort_->setMaximumWidth(proxyPort_->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8);
    portLabel->setBuddy(proxyPort_);
    row->addWidget(nameLabel);
    row->addWidget(proxyName_, 1);
    row->addWidget(portLabel);
    row->addWidget(proxyPort_);
    layout->addLayout(row);
    layout->addStretch();
    tabs_->addTab(page, QStringLiteral("Сеть"));
}

void TOptionsForm::BuildButtons() {
    auto* row = new QHBoxLayout;
    QPushButton* ok = AddButton(this, "bOK", "Применить");
    QPushButton* okSave = AddButton(this, "bOKSave", "Применить и запомнить");
    QPushButton* cancel = AddButton(this, "bCancel", "Отменить");
    ok->setDefault(true);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(okSave);
    row->addWidget(cancel);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);

    connect(ok, &QPushButton::clicked, this, [this] { CollectAndClose(CodeApply); });
    connect(okSave, &QPushButton::clicked, this, [this] { CollectAndClose(CodeApplyAndRemember); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QCheckBox& TOptionsForm::Box(bool TOptions::*field) const {
    for (const BoundCheckBox& b : boxes_) {
        if (b.field == field) {
            return *b.box;
        }
    }
    // Only fields that have a box are asked for.
    Q_ASSERT(false);
    return *boxes_.front().box;
}

OptionsResult TOptionsForm::Execute(OptionCopies& copies, const OptionsDialogInputs& inputs) {
    copies.StartDialog();
    TOptions& d = copies.DialogOptions;
    d.BackColor = inputs.BackColor;
    d.PlainText = inputs.PlainText;
    d.RegExprDicLoaded = inputs.RegExprDicLoaded;
    Open(d);
    SetEditorEnabled(inputs.EditorEnabled);
    exec();
    return Result();
}

void TOptionsForm::Open(TOptions& dialogOptions) {
    dialog_ = &dialogOptions;
    setResult(QDialog::Rejected);
    for (const BoundCheckBox& b : boxes_) {
        b.box->setChecked(dialogOptions.*b.field);
    }
    const OptionTexts texts = TextsOf(dialogOptions);
    linesBelow_->setText(Cp1251ToQString(texts.LinesBelow));
    proxyName_->setText(Cp1251ToQString(texts.ProxyName));
    proxyPort_->setText(Cp1251ToQString(texts.ProxyPort));
    ApplyDependencies();
}

OptionsResult TOptionsForm::Result() const {
    switch (result()) {
    case CodeApply:
        return OptionsResult::Apply;
    case CodeApplyAndRemember:
        return OptionsResult::ApplyAndRemember;
    default:
        return OptionsResult::Cancel;
    }
}

void TOptionsForm::SetEditorEnabled(bool on) {
    editorEnabled_->setChecked(on);
}

bool TOptionsForm::EditorEnabledTicked() const {
    return editorEnabled_->isChecked();
}

void TOptionsForm::ApplyDependencies() {
    OptionTicks ticks;
    ticks.NoVarOnly = Box(&TOptions::NoVarOnly).isChecked();
    ticks.VarOnly = Box(&TOptions::VarOnly).isChecked();
    ticks.AlwaysAsk = Box(&TOptions::AlwaysAsk).isChecked();
    ticks.Mark = Box(&TOptions::Mark).isChecked();
    const OptionEnables e = EnablesOf(ticks, *dialog_);
    Box(&TOptions::ToConfirmAbbr).setEnabled(e.ToConfirm);
    Box(&TOptions::ToConfirmCap).setEnabled(e.ToConfirm);
    Box(&TOptions::ToConfirmEllipsis).setEnabled(e.ToConfirm);
    Box(&TOptions::VarOnly).setEnabled(e.VarOnly);
    Box(&TOptions::NoVarOnly).setEnabled(e.NoVarOnly);
    markColor_->setEnabled(e.MarkColors);
    backMarkColor_->setEnabled(e.MarkColors);
    font_->setEnabled(e.Font);
    Box(&TOptions::RegExprs).setEnabled(e.RegExprs);
    sample_->setLineWrapMode(Box(&TOptions::WordWrap).isChecked() ? QPlainTextEdit::WidgetWidth
                                                                  : QPlainTextEdit::NoWrap);
    RedrawSample();
}

void TOptionsForm::RedrawSample() {
    const QFont font = QFontOf(FontChoiceOf(*dialog_));
    sample_->setFont(font);
    sample_->document()->setDefaultFont(font);
    const SampleColors colors =
        SampleLetterColors(Box(&TOptions::Mark).isChecked(), *dialog_,
                           FromQColor(sample_->palette().color(QPalette::Text)));
    sampleBuffer_->SetCaret(kSampleLetter);
    sampleBuffer_->SetSelLength(1);
    sampleBuffer_->SetSelectionTextColor(colors.text);
    sampleBuffer_->SetSelectionBackColor(colors.back);
    sampleBuffer_->SetCaret(0);
}

void TOptionsForm::ChooseFont() {
    if (const auto choice = chooseFont_(FontChoiceOf(*dialog_))) {
        StoreFontChoice(*choice, *dialog_);
        RedrawSample();
    }
}

void TOptionsForm::ChooseColor(Color TOptions::*field) {
    if (const auto color = chooseColor_(dialog_->*field)) {
        dialog_->*field = *color;
        RedrawSample();
    }
}

void TOptionsForm::CollectAndClose(int code) {
    TOptions& d = *dialog_;
    // The toolbar box is collected last, after the number fields.
    for (const BoundCheckBox& b : boxes_) {
        if (b.field != &TOptions::ShowToolBar) {
            d.*b.field = b.box->isChecked();
        }
    }
    const OptionTexts texts{QStringToCp1251(linesBelow_->text()),
                            QStringToCp1251(proxyName_->text()),
                            QStringToCp1251(proxyPort_->text())};
    if (!CollectTexts(texts, d)) {
        return;
    }
    d.ShowToolBar = Box(&TOptions::ShowToolBar).isChecked();
    done(code);
}

} // namespace umlo
