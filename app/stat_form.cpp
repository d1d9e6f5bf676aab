#include "app/stat_form.h"

#include <QCursor>
#include <QEvent>
#include <QFileDialog>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTableWidget>

#include <algorithm>

#include "app/file_dialogs.h"
#include "app/fitted_sizes.h"
#include "app/qt_convert.h"
#include "core/codepage.h"

namespace umlo {
namespace {

constexpr int kClientWidth = 575;
constexpr int kClientHeight = 501;
constexpr int kRowHeight = 15;
constexpr int kWordsHeight = 250;
constexpr int kCombiHeight = 225;
constexpr int kSaveWidth = 75;
constexpr int kSaveHeight = 20;

QTableWidget* MakeGrid(QWidget* parent, QRect place, std::initializer_list<int> widths) {
    auto* grid = new QTableWidget(0, static_cast<int>(widths.size()), parent);
    grid->setGeometry(place);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setMinimumSectionSize(kRowHeight);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    // Sorting is the window's own; the header only reports where it was clicked.
    grid->setSortingEnabled(false);
    grid->horizontalHeader()->setSectionsClickable(false);
    grid->horizontalHeader()->setHighlightSections(false);
    int column = 0;
    for (int width : widths) {
        grid->setColumnWidth(column++, width);
    }
    return grid;
}

std::optional<std::string> RunSaveDialog(QWidget* parent, const std::string& folder,
                                         const std::string& fileName) {
    QFileDialog dialog(parent);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setWindowTitle(QStringLiteral("Сохранить статистику"));
    SetRussianLabels(dialog, FileDialogKind::Save);
    // An existing statistics file is simply written over.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!folder.empty()) {
        dialog.setDirectory(Utf8ToQString(folder));
    }
    dialog.selectFile(Utf8ToQString(fileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QStringToUtf8(dialog.selectedFiles().front());
}

// The busy cursor over the window while a grid is rearranged.
class WindowBusyCursor {
public:
    explicit WindowBusyCursor(QWidget& window) : window_(window) {
        window_.setCursor(Qt::WaitCursor);
    }
    ~WindowBusyCursor() { window_.unsetCursor(); }
    WindowBusyCursor(const WindowBusyCursor&) = delete;
    WindowBusyCursor& operator=(const WindowBusyCursor&) = delete;

private:
    QWidget& window_;
};

} // namespace

TStatForm::TStatForm(const TDic& dic, const TRegExprDic& regExprs, Host& host,
                     std::string programFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      dic_(dic), regExprs_(regExprs), host_(host), programFolder_(std::move(programFolder)),
      chooseSaveName_(RunSaveDialog) {
    setObjectName(QStringLiteral("StatForm"));
    setWindowTitle(QStringLiteral("Статистика"));
    setFixedSize(kClientWidth, kClientHeight);

    sgWords_ = MakeGrid(this, QRect(0, 0, 575, 250), {150, 80, 80, 80, 80, 80});
    sgWords_->setObjectName(QStringLiteral("sgWords"));
    sgCombiWords_ = MakeGrid(this, QRect(0, 251, 575, 225), {474, 80});
    sgCombiWords_->setObjectName(QStringLiteral("sgCombiWords"));
    for (QTableWidget* grid : {sgWords_, sgCombiWords_}) {
        grid->horizontalHeader()->viewport()->installEventFilter(this);
    }

    bSave_ = new QPushButton(QStringLiteral("Сохранить"), this);
    bSave_->setObjectName(QStringLiteral("bSave"));
    bSave_->setGeometry(255, 479, 75, 20);
    // Enter in a grid must not start a save.
    bSave_->setAutoDefault(false);
    connect(bSave_, &QPushButton::clicked, this, [this] { bSaveClick(); });
}

TStatForm::~TStatForm() = default;

void TStatForm::ShowModal() {
    exec();
}

void TStatForm::showEvent(QShowEvent* event) {
    // A window brought back from the task bar is not shown anew.
    if (!event->spontaneous()) {
        Fill();
    }
    QDialog::showEvent(event);
}

void TStatForm::Fill() {
    words_ = WordStatisticsGrid(dic_);
    combi_ = CombiStatisticsGrid(regExprs_);
    Render(*sgWords_, words_);
    Render(*sgCombiWords_, combi_);
    LayOut();
}

void TStatForm::LayOut() {
    // The designed sizes are the least; a larger font or a long number makes
    // the columns, rows and the window grow.
    FitColumns(*sgWords_, {150, 80, 80, 80, 80, 80});
    FitColumns(*sgCombiWords_, {474, 80});
    FitRowHeight(*sgWords_, kRowHeight);
    FitRowHeight(*sgCombiWords_, kRowHeight);
    const int width =
        std::max({kClientWidth, WidthForColumns(*sgWords_), WidthForColumns(*sgCombiWords_)});
    // The expression column takes what the words grid leaves over.
    sgCombiWords_->setColumnWidth(0, sgCombiWords_->columnWidth(0) + width -
                                         WidthForColumns(*sgCombiWords_));
    sgWords_->setGeometry(0, 0, width, kWordsHeight);
    sgCombiWords_->setGeometry(0, kWordsHeight + 1, width, kCombiHeight);
    const QSize hint = bSave_->sizeHint();
    const QSize button(std::max(kSaveWidth, hint.width()), std::max(kSaveHeight, hint.height()));
    const int top = kWordsHeight + 1 + kCombiHeight + 3;
    bSave_->setGeometry((width - button.width()) / 2, top, button.width(), button.height());
    setFixedSize(width, std::max(kClientHeight, top + button.height() + 2));
}

void TStatForm::Render(QTableWidget& table, const StatGrid& grid) {
    if (grid.rows.empty()) {
        table.setRowCount(0);
        return;
    }
    QStringList header;
    for (const std::string& caption : grid.rows.front()) {
        header << ToQString(Cp1251ToUtf16(caption));
    }
    table.setHorizontalHeaderLabels(header);
    table.setRowCount(static_cast<int>(grid.rows.size()) - 1);
    for (size_t r = 1; r < grid.rows.size(); ++r) {
        const auto& row = grid.rows[r];
        for (size_t c = 0; c < row.size(); ++c) {
            const QString text = ToQString(Cp1251ToUtf16(row[c]));
            QTableWidgetItem* item = table.item(static_cast<int>(r) - 1, static_cast<int>(c));
            if (item == nullptr) {
                table.setItem(static_cast<int>(r) - 1, static_cast<int>(c),
                              new QTableWidgetItem(text));
            } else {
                item->setText(text);
            }
        }
    }
}

StatGrid& TStatForm::GridOf(const QTableWidget& table) {
    return &table == sgWords_ ? words_ : combi_;
}

void TStatForm::HeaderClicked(QTableWidget& table, int column) {
    StatGrid& grid = GridOf(table);
    if (column < 0 || column == grid.sortedColumn) {
        return;
    }
    WindowBusyCursor busy(*this);
    umlo::HeaderClicked(grid, column);
    Render(table, grid);
    LayOut();
}

bool TStatForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (QTableWidget* table : {sgWords_, sgCombiWords_}) {
            if (watched == table->horizontalHeader()->viewport()) {
                const auto* mouse = static_cast<QMouseEvent*>(event);
                const int column =
                    table->horizontalHeader()->logicalIndexAt(mouse->position().toPoint());
                HeaderClicked(*table, column);
                break;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TStatForm::bSaveClick() {
    const std::optional<std::string> path = chooseSaveName_(this, programFolder_, kDefaultSaveName);
    if (!path || path->empty()) {
        return;
    }
    SaveStatistics(*path, words_, combi_, host_);
}

} // namespace umlo
