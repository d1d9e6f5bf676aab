#include "app/toolbar_customize_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace umlo {
namespace {

const QString kSeparatorCaption = QStringLiteral("Разделитель");

QPushButton* MakeButton(const QString& caption, const QString& name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

} // namespace

ToolbarCustomizeDialog::ToolbarCustomizeDialog(std::vector<ToolbarCommand> commands,
                                               ToolbarLayout layout, QWidget* parent)
    : QDialog(parent), commands_(std::move(commands)), layout_(std::move(layout)) {
    setObjectName(QStringLiteral("ToolbarCustomizeDialog"));
    setWindowTitle(QStringLiteral("Настройка панели инструментов"));

    offered_ = new QListWidget(this);
    offered_->setObjectName(QStringLiteral("OfferedList"));
    bar_ = new QListWidget(this);
    bar_->setObjectName(QStringLiteral("BarList"));
    add_ = MakeButton(QStringLiteral("Добавить ->"), QStringLiteral("AddButton"), this);
    remove_ = MakeButton(QStringLiteral("<- Удалить"), QStringLiteral("RemoveButton"), this);
    up_ = MakeButton(QStringLiteral("Вверх"), QStringLiteral("UpButton"), this);
    down_ = MakeButton(QStringLiteral("Вниз"), QStringLiteral("DownButton"), this);
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    box->button(QDialogButtonBox::Ok)->setText(QStringLiteral("ОК"));
    box->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Отмена"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Имеющиеся кнопки:"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Панель инструментов:"), this), 0, 2);
    grid->addWidget(offered_, 1, 0);
    auto* middle = new QVBoxLayout;
    middle->addStretch();
    middle->addWidget(add_);
    middle->addWidget(remove_);
    middle->addStretch();
    grid->addLayout(middle, 1, 1);
    grid->addWidget(bar_, 1, 2);
    auto* right = new QVBoxLayout;
    right->addStretch();
    right->addWidget(up_);
    right->addWidget(down_);
    right->addStretch();
    grid->addLayout(right, 1, 3);
    grid->addWidget(box, 2, 0, 1, 4);

    connect(add_, &QPushButton::clicked, this, &ToolbarCustomizeDialog::AddSelected);
    connect(remove_, &QPushButton::clicked, this, &ToolbarCustomizeDialog::RemoveSelected);
    connect(up_, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { MoveSelected(1); });
    connect(offered_, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::AddSelected);
    connect(bar_, &QListWidget::itemDoubleClicked, this, &ToolbarCustomizeDialog::RemoveSelected);
    connect(offered_, &QListWidget::currentRowChanged, this,
            &ToolbarCustomizeDialog::UpdateButtons);
    connect(bar_, &QListWidget::currentRowChanged, this, &ToolbarCustomizeDialog::UpdateButtons);
    connect(box, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);

    Fill(0, layout_.Bar().empty() ? -1 : 0);
}

const ToolbarCommand* ToolbarCustomizeDialog::Find(const std::string& name) const {
    const QString key = QString::fromStdString(name);
    const auto it = std::find_if(commands_.begin(), commands_.end(),
                                 [&](const ToolbarCommand& c) { return c.name == key; });
    return it == commands_.end() ? nullptr : &*it;
}

void ToolbarCustomizeDialog::Fill(int offeredRow, int barRow) {
    const auto addItem = [this](QListWidget* list, const std::string& name) {
        auto* item = new QListWidgetItem(list);
        item->setData(Qt::UserRole, QString::fromStdString(name));
        if (name == kToolbarSeparator) {
            item->setText(kSeparatorCaption);
        } else if (const ToolbarCommand* command = Find(name)) {
            item->setText(command->caption);
            item->setIcon(command->picture);
        } else {
            item->setText(QString::fromStdString(name));
        }
    };
    offered_->clear();
    bar_->clear();
    // A separator is always on offer, above the commands.
    addItem(offered_, std::string(kToolbarSeparator));
    for (const std::string& name : layout_.Offered()) {
        addItem(offered_, name);
    }
    for (const std::string& name : layout_.Bar()) {
        addItem(bar_, name);
    }
    offered_->setCurrentRow(std::clamp(offeredRow, -1, offered_->count() - 1));
    bar_->setCurrentRow(std::clamp(barRow, -1, bar_->count() - 1));
    UpdateButtons();
}

void ToolbarCustomizeDialog::UpdateButtons() {
    const int offeredRow = offered_->currentRow();
    const int barRow = bar_->currentRow();
    add_->setEnabled(offeredRow >= 0 && !layout_.Full());
    remove_->setEnabled(barRow >= 0);
    up_->setEnabled(barRow > 0);
    down_->setEnabled(barRow >= 0 && barRow + 1 < bar_->count());
}

void ToolbarCustomizeDialog::AddSelected() {
    const int offeredRow = offered_->currentRow();
    if (offeredRow < 0) {
        return;
    }
    const std::string name =
        offered_->item(offeredRow)->data(Qt::UserRole).toString().toStdString();
    // After the selected entry of the bar, so that commands added one after
    // another keep their order; at the end when nothing is selected.
    const int barRow = bar_->currentRow();
    const int at = barRow < 0 ? static_cast<int>(layout_.Bar().size()) : barRow + 1;
    if (!layout_.Insert(static_cast<std::size_t>(at), name)) {
        return;
    }
    Fill(offeredRow, at);
}

void ToolbarCustomizeDialog::RemoveSelected() {
    const int barRow = bar_->currentRow();
    if (barRow < 0 || !layout_.Remove(static_cast<std::size_t>(barRow))) {
        return;
    }
    Fill(offered_->currentRow(), barRow);
}

void ToolbarCustomizeDialog::MoveSelected(int delta) {
    const int barRow = bar_->currentRow();
    const int to = barRow + delta;
    if (barRow < 0 || to < 0 ||
        !layout_.Move(static_cast<std::size_t>(barRow), static_cast<std::size_t>(to))) {
        return;
    }
    Fill(offered_->currentRow(), to);
}

} // namespace umlo
