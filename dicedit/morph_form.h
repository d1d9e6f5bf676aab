// TMorphForm, "Генерация форм слова": the user picks the rule for a base form
// and edits the forms it makes before they go into the word window.
#pragma once

#include <QDialog>

#include <string>
#include <string_view>
#include <vector>

#include "dicedit/morph_choice.h"

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace umlo {

class TMorphForm : public QDialog {
    Q_OBJECT

public:
    // The rules are read once at start and outlive the dialog.
    explicit TMorphForm(const MorphoGen& rules, QWidget* parent = nullptr);

    // "Создать формы слова" for the word window's caret line (cp1251): shows
    // the dialog modally. True when the user accepted; `forms` then holds the
    // lines to insert after the base word's line, each with "?" when the base
    // word carried it. An empty line shows nothing and gives false.
    bool Generate(std::string_view caretLine, std::vector<std::string>& forms);

    // Fills the dialog for a base form (without "?") as showing it does.
    void Prepare(std::string_view word);
    // The form list's lines as the dialog last closed, accepted or not.
    const std::vector<std::string>& AcceptedForms() const { return accepted_; }

    void done(int result) override;

private:
    void WordTypeChange(int index);

    const MorphoGen& rules_;
    MorphChoice choice_;
    std::vector<std::string> accepted_;

    QLabel* Label1;
    QLabel* lBaseWord;
    QLabel* Label2;
    QComboBox* WordType;
    QPlainTextEdit* WordForms;
    QPushButton* bAccept;
    QPushButton* bExit;
};

} // namespace umlo
