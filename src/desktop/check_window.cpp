#include "check_window.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "files/sector.h"
#include "reports/check.h"
#include "store/codes.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "text_codec.h"

namespace qelvar {

namespace {

enum Column { HexColumn, RuleColumn, MessageColumn };
constexpr int kSlotRole = Qt::UserRole;

}  // namespace

CheckWindow::CheckWindow(const SubsectorStore& store, SectorSource loadedSector, QWidget* parent)
    : QWidget(parent, Qt::Window), store_(store), loadedSector_(std::move(loadedSector)) {
    setObjectName("CheckWindow");
    setWindowTitle(tr("Check subsector"));
    resize(720, 360);
    rules_ = new QLabel(this);
    rules_->setObjectName("CheckRules");
    summary_ = new QLabel(this);
    summary_->setObjectName("CheckSummary");
    list_ = new QTreeWidget(this);
    list_->setObjectName("FindingList");
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setHeaderLabels({tr("Hex"), tr("Rule"), tr("Message")});
    list_->header()->setSectionResizeMode(MessageColumn, QHeaderView::Stretch);
    list_->setSortingEnabled(true);
    list_->sortByColumn(HexColumn, Qt::AscendingOrder);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rules_);
    layout->addWidget(summary_);
    layout->addWidget(list_);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &CheckWindow::rowActivated);
    // Esc and Ctrl+W close it, as they close the Sector window.
    auto* close = new QAction(tr("Close"), this);
    close->setObjectName("checkClose");
    close->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_W), QKeySequence(Qt::Key_Escape)});
    close->setShortcutContext(Qt::WindowShortcut);
    addAction(close);
    connect(close, &QAction::triggered, this, &QWidget::close);
}

void CheckWindow::refresh() {
    const std::shared_ptr<const Sector> sector = loadedSector_ ? loadedSector_() : nullptr;
    const std::vector<Finding> findings =
        sector ? checkSubsectorOfSector(store_, *sector, {}) : checkSubsector(store_, {}, CheckRules::Classic);
    rules_->setText(sector ? tr("Rules: modern (published sector data)")
                           : tr("Rules: classic (this program's tables)"));
    const int offset = letterOffset(store_.subsectorLetter).value_or(0);
    list_->setSortingEnabled(false);
    list_->clear();
    for (const Finding& finding : findings) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(HexColumn, QString::fromStdString(formatFourDigits(finding.hex)));
        item->setText(RuleColumn, QString::fromStdString(finding.rule));
        item->setText(MessageColumn, fromBytes(finding.message));
        const int slot = store_.slotOfLocation(finding.hex - offset);
        const bool world = slot >= 1 && slot <= kHexCount && finding.rule != "outside-subsector";
        item->setData(HexColumn, kSlotRole, world ? slot : 0);
    }
    list_->setSortingEnabled(true);
    list_->resizeColumnToContents(HexColumn);
    list_->resizeColumnToContents(RuleColumn);
    const int count = static_cast<int>(findings.size());
    summary_->setText(count == 0 ? tr("No findings.") : count == 1 ? tr("1 finding.") : tr("%1 findings.").arg(count));
}

void CheckWindow::rowActivated(QTreeWidgetItem* item) {
    const int slot = item ? item->data(HexColumn, kSlotRole).toInt() : 0;
    if (slot > 0 && store_.worlds[static_cast<std::size_t>(slot)].occupied()) emit worldChosen(slot);
}

}  // namespace qelvar
