#include "app/file_prop_form.h"

#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>

#include <algorithm>

#include "app/fitted_sizes.h"
#include "app/qt_convert.h"
#include "documents/file_properties.h"

namespace umlo {
namespace {

constexpr int kClientWidth = 545;
constexpr int kClientHeight = 172;
constexpr int kRows = 8;
constexpr int kRowHeight = 20;
constexpr int kNameColumnWidth = 150;

} // namespace

TFilePropForm::TFilePropForm(Host& host, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      host_(host) {
    setObjectName(QStringLiteral("FilePropForm"));
    setWindowTitle(QStringLiteral("Свойства файла"));
    setFixedSize(kClientWidth, kClientHeight);

    sgProp_ = new QTableWidget(kRows, 2, this);
    sgProp_->setObjectName(QStringLiteral("sgProp"));
    sgProp_->setGeometry(0, 0, kClientWidth, kClientHeight);
    sgProp_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgProp_->setSelectionMode(QAbstractItemView::SingleSelection);
    sgProp_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The window is as tall as its eight rows.
    sgProp_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // No fixed rows or columns: the names are ordinary cells of column 0.
    sgProp_->horizontalHeader()->hide();
    sgProp_->verticalHeader()->hide();
    sgProp_->verticalHeader()->setMinimumSectionSize(kRowHeight);
    sgProp_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    sgProp_->setColumnWidth(0, kNameColumnWidth);
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < 2; ++c) {
            sgProp_->setItem(r, c, new QTableWidgetItem());
        }
    }
}

TFilePropForm::~TFilePropForm() = default;

void TFilePropForm::LayOut() {
    // The names and values decide the widths, the font the row height; the
    // designed sizes are the least.
    FitColumns(*sgProp_, {kNameColumnWidth, 0});
    const int rowHeight = FitRowHeight(*sgProp_, kRowHeight);
    const int needed = WidthForColumns(*sgProp_);
    int width = std::max(kClientWidth, needed);
    if (const QScreen* screen = this->screen()) {
        width = std::min(width, screen->availableGeometry().width());
    }
    const int height = std::max(kClientHeight, kRows * rowHeight + 2 * sgProp_->frameWidth());
    setFixedSize(width, height);
    sgProp_->setGeometry(0, 0, width, height);
    // The values take the rest of the window.
    const int rest = width - 2 * sgProp_->frameWidth() - sgProp_->columnWidth(0);
    sgProp_->setColumnWidth(1, std::max(sgProp_->columnWidth(1), rest));
}

bool TFilePropForm::Fill(const TextBuffer& editor, std::string_view path, TextFormat format) {
    const auto rows = FilePropertyRows(editor, path, format, host_);
    if (!rows) {
        return false;
    }
    for (int r = 0; r < kRows && r < static_cast<int>(rows->size()); ++r) {
        const PropertyRow& row = (*rows)[static_cast<size_t>(r)];
        sgProp_->item(r, 0)->setText(Utf8ToQString(row.Name));
        sgProp_->item(r, 1)->setText(Utf8ToQString(row.Value));
    }
    LayOut();
    return true;
}

bool TFilePropForm::ShowFileProperties(const TextBuffer& editor, std::string_view path,
                                       TextFormat format) {
    if (!Fill(editor, path, format)) {
        return false;
    }
    exec();
    return true;
}

} // namespace umlo
