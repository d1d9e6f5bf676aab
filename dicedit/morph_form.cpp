#include "dicedit/morph_form.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "core/codepage.h"

namespace umlo {
namespace {

QString FromCp1251(std::string_view text) {
    return QString::fromStdU16String(Cp1251ToUtf16(text));
}

std::string ToCp1251(const QString& text) {
    return Utf16ToCp1251(text.toStdU16String());
}

QString JoinLines(const std::vector<std::string>& lines) {
    QStringList list;
    for (const auto& line : lines) {
        list << FromCp1251(line);
    }
    return list.join(u'\n');
}

} // namespace

TMorphForm::TMorphForm(const MorphoGen& rules, QWidget* parent)
    : QDialog(parent), rules_(rules), Label1(new QLabel("Исходная форма слова:", this)),
      lBaseWord(new QLabel(this)), Label2(new QLabel("Часть речи:", this)),
      WordType(new QComboBox(this)), WordForms(new QPlainTextEdit(this)),
      bAccept(new QPushButton("Принять", this)), bExit(new QPushButton("Выйти", this)) {
    setWindowTitle("Генерация форм слова");
    Label1->setObjectName("Label1");
    lBaseWord->setObjectName("lBaseWord");
    Label2->setObjectName("Label2");
    WordType->setObjectName("WordType");
    WordForms->setObjectName("WordForms");
    bAccept->setObjectName("bAccept");
    bExit->setObjectName("bExit");

    QFont bold = lBaseWord->font();
    bold.setBold(true);
    lBaseWord->setFont(bold);
    WordType->setEditable(false);
    WordForms->setLineWrapMode(QPlainTextEdit::NoWrap);
    WordForms->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Enter anywhere but in the form list accepts, Esc cancels.
    bAccept->setDefault(true);
    bExit->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(lBaseWord, 0, 1);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(WordType, 1, 1);
    grid->addWidget(WordForms, 2, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bAccept);
    buttons->addWidget(bExit);
    grid->addLayout(buttons, 3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    resize(380, 340);

    connect(WordType, &QComboBox::currentIndexChanged, this, &TMorphForm::WordTypeChange);
    connect(bAccept, &QPushButton::clicked, this, &QDialog::accept);
    connect(bExit, &QPushButton::clicked, this, &QDialog::reject);
}

void TMorphForm::Prepare(std::string_view word) {
    choice_ = MorphChoice(rules_, word);
    lBaseWord->setText(FromCp1251(word));
    {
        const QSignalBlocker quiet(WordType);
        WordType->clear();
        for (const auto& label : choice_.Labels()) {
            WordType->addItem(FromCp1251(label));
        }
        WordType->setCurrentIndex(choice_.Count() > 0 ? 0 : -1);
    }
    WordTypeChange(WordType->currentIndex());
    WordType->setFocus();
}

void TMorphForm::WordTypeChange(int index) {
    WordForms->setPlainText(JoinLines(choice_.Forms(index)));
}

void TMorphForm::done(int result) {
    // Taken on every close; only an accepted dialog's forms are used.
    accepted_ = FormLines(ToCp1251(WordForms->toPlainText()));
    QDialog::done(result);
}

bool TMorphForm::Generate(std::string_view caretLine, std::vector<std::string>& forms) {
    forms.clear();
    const auto base = BaseFormOfLine(caretLine);
    if (!base) {
        return false;
    }
    Prepare(base->word);
    if (exec() != QDialog::Accepted) {
        return false;
    }
    forms = MarkForms(accepted_, base->doubtful);
    return true;
}

} // namespace umlo
