// The one modeless find dialog of the program: the search text, "Найти
// далее", the match-case box and the whole-word box (hidden for a regular
// expression). It always searches forward. The window decides where the
// search goes; the dialog only reports its button and its closing.
#pragma once

#include <QDialog>

#include <functional>

#include "documents/search.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace umlo {

class FindDialog : public QDialog, public SearchUi {
    Q_OBJECT

public:
    explicit FindDialog(QWidget* parent);

    // The window gives the keyboard focus to a search target and sets the
    // caption of "Найти снова".
    void SetFocusHandler(std::function<void(TextBuffer&)> focus) { focus_ = std::move(focus); }
    void SetCaptionHandler(std::function<void(std::string_view)> caption) {
        caption_ = std::move(caption);
    }

    // SearchUi.
    std::string SearchText() const override;
    bool MatchCase() const override;
    bool WholeWord() const override;
    void SetWholeWordVisible(bool visible) override;
    void ShowFindDialog() override;
    void FocusTarget(TextBuffer& target) override;
    void SetFindAgainCaption(std::string_view caption) override;

    QLineEdit& TextField() { return *text_; }
    QPushButton& FindNextButton() { return *findNext_; }
    QCheckBox& MatchCaseBox() { return *matchCase_; }
    QCheckBox& WholeWordBox() { return *wholeWord_; }

signals:
    void findNextClicked();
    // The dialog was closed (Cancel, Esc or the title bar).
    void closed();

private:
    QLineEdit* text_ = nullptr;
    QPushButton* findNext_ = nullptr;
    QCheckBox* matchCase_ = nullptr;
    QCheckBox* wholeWord_ = nullptr;
    std::function<void(TextBuffer&)> focus_;
    std::function<void(std::string_view)> caption_;
};

} // namespace umlo
