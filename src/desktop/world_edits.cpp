#include "world_edits.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>

#include "document/document_file.h"
#include "map_view.h"
#include "seams/prompter.h"
#include "store/codes.h"
#include "store/cp1252.h"
#include "store/subsector_store.h"
#include "store/text.h"
#include "store/startup.h"
#include "document_controller.h"

namespace qelvar {

WorldEdits::WorldEdits(DocumentController& document, const SubsectorStore& store, Prompter& prompter, MapView& map,
                       QObject* parent)
    : QObject(parent), document_(document), store_(store), prompter_(prompter), map_(map) {
    const auto action = [this](const char* name, const QString& caption, const QString& tip, QKeySequence key) {
        auto* a = new QAction(caption, &map_);
        a->setObjectName(name);
        a->setStatusTip(tip);
        a->setToolTip(tip);
        a->setShortcut(key);
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        map_.addAction(a);
        return a;
    };
    add_ = action("mnuaddworld", tr("&Add world"), tr("Make a world on the empty hex under the cursor"),
                  QKeySequence(Qt::Key_Insert));
    delete_ =
        action("mnudeleteworld", tr("&Delete world"), tr("Remove the world under the cursor"), QKeySequence::Delete);
    move_ = action("mnumoveworld", tr("&Move world to..."), tr("Move the world under the cursor to an empty hex"),
                   QKeySequence(Qt::CTRL | Qt::Key_M));
    copy_ =
        action("mnucopyworld", tr("&Copy world"),
               tr("Copy the world under the cursor as a line of the tab-separated sector format"), QKeySequence::Copy);
    paste_ = action("mnupasteworld", tr("&Paste world"), tr("Put the copied world on the empty hex under the cursor"),
                    QKeySequence::Paste);
    connect(add_, &QAction::triggered, this, [this] { (void)addWorld(); });
    connect(delete_, &QAction::triggered, this, &WorldEdits::deleteWorld);
    connect(move_, &QAction::triggered, this, &WorldEdits::moveWorld);
    connect(copy_, &QAction::triggered, this, &WorldEdits::copyWorld);
    connect(paste_, &QAction::triggered, this, &WorldEdits::pasteWorld);
}

void WorldEdits::addTo(QMenu* menu) {
    menu->addSeparator();
    for (QAction* action : {add_, delete_, move_, copy_, paste_}) menu->addAction(action);
}

int WorldEdits::cursorLocation() const { return map_.cursorColumn() * 100 + map_.cursorRow(); }

int WorldEdits::cursorSlot() const { return store_.slotOfLocation(cursorLocation()); }

std::string WorldEdits::hexText(int location) const { return shownHex(store_.subsectorLetter, location); }

int WorldEdits::addWorld() {
    // The cursor is always on a hex of the subsector, which has its slot.
    const int slot = cursorSlot();
    if (store_.worlds[static_cast<std::size_t>(slot)].occupied()) return 0;
    WorldRecord world;
    world.location = static_cast<std::int16_t>(cursorLocation());
    world.name = "New world";
    world.uwp = "X0000000";
    const bool added =
        document_.changeWorld(slot, world, tr("Add world at %1").arg(QString::fromStdString(hexText(world.location))));
    return added ? slot : 0;
}

void WorldEdits::deleteWorld() {
    const WorldRecord& world = store_.worlds[static_cast<std::size_t>(cursorSlot())];
    if (!world.occupied()) return;
    document_.perform(std::make_unique<DeleteWorldEdit>(document_.hexOf(world.location)),
                      tr("Delete world %1 (%2)")
                          .arg(QString::fromStdString(utf8FromCp1252(world.name.trimmed())),
                               QString::fromStdString(hexText(world.location))));
}

void WorldEdits::moveWorld() {
    const int from = cursorSlot();
    if (!store_.worlds[static_cast<std::size_t>(from)].occupied()) return;
    // The hexes are asked and told in the map's own numbering (the sector's, when the letter is known).
    const std::string range = "(" + hexText(101) + " to " + hexText(810) + ")";
    const std::string answer =
        prompter_.inputBox("Move the world at " + hexText(cursorLocation()) + " to which hex " + range + "?",
                           applicationTitle(), hexText(cursorLocation()));
    if (answer.empty()) return;
    const std::string_view typed = trimBlanks(answer);
    const int shown = typed.size() == 4 && typed.find_first_not_of("0123456789") == std::string_view::npos
                          ? std::stoi(std::string(typed))
                          : 0;
    const int location = shown - letterOffset(store_.subsectorLetter).value_or(0);
    if (location / 100 < 1 || location / 100 > 8 || location % 100 < 1 || location % 100 > 10) {
        prompter_.message("\"" + answer + "\" is no hex of the subsector " + range, MessageIcon::Exclamation);
        return;
    }
    moveWorldTo(cursorLocation(), location);
}

void WorldEdits::moveWorldTo(int fromLocation, int location) {
    // Both are hexes of the subsector: the map drags between its own hexes, the keyboard's answer was checked.
    const int from = store_.slotOfLocation(fromLocation);
    const int to = store_.slotOfLocation(location);
    if (!store_.worlds[static_cast<std::size_t>(from)].occupied()) return;
    if (store_.worlds[static_cast<std::size_t>(to)].occupied()) {
        prompter_.message("The hex " + hexText(location) + " already holds a world", MessageIcon::Exclamation);
        return;
    }
    const QString name =
        QString::fromStdString(utf8FromCp1252(store_.worlds[static_cast<std::size_t>(from)].name.trimmed()));
    document_.perform(
        std::make_unique<MoveWorldEdit>(document_.hexOf(fromLocation), document_.hexOf(location)),
        tr("Move %1 (%2) to %3")
            .arg(name, QString::fromStdString(hexText(fromLocation)), QString::fromStdString(hexText(location))));
}

void WorldEdits::copyWorld() {
    const WorldRecord& world = store_.worlds[static_cast<std::size_t>(cursorSlot())];
    if (!world.occupied()) return;
    // Every field the document holds of the world goes with it.
    const std::string line = worldTabLine(document_.document(), document_.hexOf(world.location));
    QGuiApplication::clipboard()->setText(QString::fromStdString(line));
}

void WorldEdits::pasteWorld() {
    const int slot = cursorSlot();
    if (store_.worlds[static_cast<std::size_t>(slot)].occupied()) return;
    const std::string line = QGuiApplication::clipboard()->text().section('\n', 0, 0).remove('\r').toStdString();
    const Result<SectorWorld> pasted = worldFromTabLine(document_.document(), document_.hexOf(cursorLocation()), line);
    if (!pasted || pasted->record.name.trimmed().empty()) {
        prompter_.message("The clipboard holds no world line of the tab-separated sector format",
                          MessageIcon::Exclamation);
        return;
    }
    const QString name = QString::fromStdString(utf8FromCp1252(pasted->record.name.trimmed()));
    document_.perform(std::make_unique<AddWorldEdit>(*pasted),
                      tr("Paste world %1 at %2").arg(name, QString::fromStdString(hexText(cursorLocation()))));
}

}  // namespace qelvar
