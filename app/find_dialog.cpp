#include "app/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/qt_convert.h"
#include "core/codepage.h"

namespace umlo {

FindDialog::FindDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FindDialog"));
    setWindowTitle(QStringLiteral("Найти"));
    setModal(false);

    auto* grid = new QGridLayout(this);
    auto* label = new QLabel(QStringLiteral("Что:"), this);
    text_ = new QLineEdit(this);
    text_->setObjectName(QStringLiteral("FindText"));
    label->setBuddy(text_);
    wholeWord_ = new QCheckBox(QStringLiteral("Только слово целиком"), this);
    wholeWord_->setObjectName(QStringLiteral("WholeWord"));
    matchCase_ = new QCheckBox(QStringLiteral("С учетом регистра"), this);
    matchCase_->setObjectName(QStringLiteral("MatchCase"));
    findNext_ = new QPushButton(QStringLiteral("Найти далее"), this);
    findNext_->setObjectName(QStringLiteral("FindNext"));
    findNext_->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
    cancel->setObjectName(QStringLiteral("FindCancel"));
    // Enter always searches: a clicked "Отмена" keeps the focus when the
    // dialog hides, and as an auto-default button it would take Enter over.
    cancel->setAutoDefault(false);
    findNext_->setAutoDefault(false);

    grid->addWidget(label, 0, 0);
    grid->addWidget(text_, 0, 1);
    grid->addWidget(findNext_, 0, 2);
    grid->addWidget(wholeWord_, 1, 0, 1, 2);
    grid->addWidget(cancel, 1, 2);
    grid->addWidget(matchCase_, 2, 0, 1, 2);

    connect(findNext_, &QPushButton::clicked, this, &FindDialog::findNextClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // reject() also serves Esc and the title bar's close button.
    connect(this, &QDialog::finished, this, &FindDialog::closed);
}

std::string FindDialog::SearchText() const {
    return Utf16ToCp1251(ToU16(text_->text()));
}

bool FindDialog::MatchCase() const {
    return matchCase_->isChecked();
}

bool FindDialog::WholeWord() const {
    return !wholeWord_->isHidden() && wholeWord_->isChecked();
}

void FindDialog::SetWholeWordVisible(bool visible) {
    wholeWord_->setVisible(visible);
}

void FindDialog::ShowFindDialog() {
    show();
    raise();
    activateWindow();
    text_->setFocus();
}

void FindDialog::FocusTarget(TextBuffer& target) {
    if (focus_) {
        focus_(target);
    }
}

void FindDialog::SetFindAgainCaption(std::string_view caption) {
    if (caption_) {
        caption_(caption);
    }
}

} // namespace umlo
