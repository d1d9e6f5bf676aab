// TStatForm, "Статистика": every dictionary word met by the passes with its
// four counters, and every regular expression that settled a word, each list
// sortable by a click on a column header and saved as a plain text file.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>
#include <string>

#include "core/host.h"
#include "core/main_dictionary.h"
#include "core/regexpr_dictionary.h"
#include "core/statistics.h"

class QPushButton;
class QTableWidget;

namespace umlo {

class TStatForm : public QDialog {
    Q_OBJECT

public:
    // The save dialog: the folder it starts in and the preset file name; the
    // chosen path (UTF-8), or nullopt when the user cancels.
    using SaveNameChooser = std::function<std::optional<std::string>(
        QWidget* parent, const std::string& folder, const std::string& fileName)>;

    static constexpr const char* kDefaultSaveName = "umlo_stat.log";

    // The window reads the dictionaries' counters each time it is shown and
    // never changes them; failures to save are reported through host.
    // programFolder (UTF-8) is where the save dialog starts.
    TStatForm(const TDic& dic, const TRegExprDic& regExprs, Host& host, std::string programFolder,
              QWidget* parent = nullptr);
    ~TStatForm() override;

    // "Детальная статистика" (Stat1): fills the grids and waits until closed.
    void ShowModal();

    // Rebuilds both grids from the counters, sorted by the first column.
    void Fill();
    // A header click on one of the grids: sorts unless it is the sorted column.
    void HeaderClicked(QTableWidget& grid, int column);
    // bSave: asks for a file name and writes both grids to it.
    void bSaveClick();

    QTableWidget& sgWords() const { return *sgWords_; }
    QTableWidget& sgCombiWords() const { return *sgCombiWords_; }
    QPushButton& bSave() const { return *bSave_; }
    const StatGrid& WordsGrid() const { return words_; }
    const StatGrid& CombiGrid() const { return combi_; }

    // Tests choose the file name here instead of in a dialog.
    void SetSaveNameChooser(SaveNameChooser chooser) { chooseSaveName_ = std::move(chooser); }

protected:
    void showEvent(QShowEvent* event) override;
    // A mouse button released over a header cell sorts by that column.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    StatGrid& GridOf(const QTableWidget& table);
    void Render(QTableWidget& table, const StatGrid& grid);
    // Columns, rows and the window sized for what the grids hold.
    void LayOut();

    const TDic& dic_;
    const TRegExprDic& regExprs_;
    Host& host_;
    std::string programFolder_;
    SaveNameChooser chooseSaveName_;

    QTableWidget* sgWords_ = nullptr;
    QTableWidget* sgCombiWords_ = nullptr;
    QPushButton* bSave_ = nullptr;
    StatGrid words_;
    StatGrid combi_;
};

} // namespace umlo
