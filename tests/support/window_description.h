#pragma once
// A window as a user sees it, as text: each control's kind, name, caption, state, place and font, each menu
// item's caption, shortcuts and state; compared with files under tests/data/windows/ that the program wrote
// once and that were checked by eye (QELVAR_WRITE_WINDOWS=1 writes them again).

#include <gtest/gtest.h>

#include <QtWidgets>
#include <cstdlib>
#include <string>

#include "store/file_io.h"

namespace qelvar::testing {

namespace windows {

inline QString quoted(const QString& text) { return "\"" + QString(text).replace('\n', "\\n") + "\""; }

inline QString imageHash(const QImage& image) {
    return QString::number(qHash(QByteArrayView(image.constBits(), image.sizeInBytes())), 16);
}

inline void describeActions(QString& out, const QList<QAction*>& actions, int depth) {
    for (QAction* a : actions) {
        out += QString(depth * 2, ' ') +
               (a->isSeparator() ? "---" : "action " + a->objectName() + " " + quoted(a->text()));
        if (!a->shortcuts().isEmpty()) out += " [" + QKeySequence::listToString(a->shortcuts()) + "]";
        if (!a->isEnabled()) out += " disabled";
        if (a->isCheckable()) out += a->isChecked() ? " checked" : " unchecked";
        if (!a->statusTip().isEmpty()) out += " tip " + quoted(a->statusTip());
        out += "\n";
        if (a->menu() && a->menu()->toolTipsVisible()) out += QString(depth * 2 + 2, ' ') + "(tips shown)\n";
        if (a->menu()) describeActions(out, a->menu()->actions(), depth + 1);
    }
}

inline QString textOf(QWidget* w) {
    QStringList items;
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        return quoted(b->text()) + (b->isCheckable() ? b->isChecked() ? " checked" : " unchecked" : "");
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->pixmap().isNull() ? quoted(l->text()) : "pixmap " + imageHash(l->pixmap().toImage());
    if (auto* g = qobject_cast<QGroupBox*>(w)) return quoted(g->title());
    if (auto* e = qobject_cast<QLineEdit*>(w)) return quoted(e->text()) + (e->isReadOnly() ? " read-only" : "");
    if (auto* e = qobject_cast<QPlainTextEdit*>(w)) return quoted(e->toPlainText());
    if (auto* s = qobject_cast<QAbstractSlider*>(w)) {
        return QString::asprintf("%d..%d at %d step %d/%d", s->minimum(), s->maximum(), s->value(), s->singleStep(),
                                 s->pageStep());
    }
    // The volumes of the drive list are the machine's own.
    if (w->objectName() == "Drive1") return quoted(qobject_cast<QComboBox*>(w)->currentText());
    QAbstractItemModel* model = nullptr;
    if (auto* c = qobject_cast<QComboBox*>(w)) model = c->model();
    auto* view = qobject_cast<QAbstractItemView*>(w);
    if (view) model = view->model();
    if (qobject_cast<QTreeView*>(w))
        for (int c = 0; c < model->columnCount(); ++c) items << model->headerData(c, Qt::Horizontal).toString();
    for (int r = 0; model && r < model->rowCount(); ++r) {
        for (int c = 0; c < model->columnCount(); ++c) {
            const QModelIndex index = model->index(r, c);
            const bool current =
                view ? view->selectionModel()->isSelected(index) : r == qobject_cast<QComboBox*>(w)->currentIndex();
            items << (current ? "*" : "") + index.data().toString();
        }
    }
    if (w->objectName() == "Shape1") return "drawn " + imageHash(w->grab().toImage());
    return items.isEmpty() ? QString() : quoted(items.join('|'));
}

inline void describe(QString& out, QWidget* w, int depth) {
    out += QString(depth * 2, ' ') + w->metaObject()->className() + " " + w->objectName();
    if (w->isWindow()) {
        out += " title " + quoted(w->windowTitle()) + (w->isModal() ? " modal" : "");
        out += QString::asprintf(" least %dx%d", w->minimumWidth(), w->minimumHeight());
        if (!w->windowIcon().isNull()) out += " icon";
    }
    if (const QString text = textOf(w); !text.isEmpty()) out += " " + text;
    if (!w->isWindow() && !w->minimumSize().isNull())
        out += QString::asprintf(" least %dx%d", w->minimumWidth(), w->minimumHeight());
    const QRect g = w->geometry();
    out += QString::asprintf(" %d,%d %dx%d", g.x(), g.y(), g.width(), g.height());
    if (auto* b = qobject_cast<QPushButton*>(w))
        out += b->isDefault() ? " default" : b->autoDefault() ? " auto-default" : "";
    if (auto* f = qobject_cast<QFrame*>(w); f && f->frameShape() != QFrame::NoFrame)
        out += QString(" frame %1").arg(f->frameShape());
    if (auto* l = qobject_cast<QLabel*>(w)) {
        if (l->wordWrap()) out += " wrapped";
        if (l->alignment() != (Qt::AlignLeft | Qt::AlignVCenter))
            out += QString(" aligned %1").arg(l->alignment(), 0, 16);
    }
    if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->selectionMode() != QAbstractItemView::SingleSelection)
        out += QString(" selection %1").arg(v->selectionMode());
    if (w->focusPolicy() & Qt::TabFocus) out += " tab";
    if (!w->isEnabled()) out += " disabled";
    if (!w->isVisible()) out += " hidden";
    if (const QFont f = w->font(); w->parentWidget() && f != w->parentWidget()->font())
        out += QString(" font %1 %2%3").arg(f.family()).arg(f.pointSizeF()).arg(f.bold() ? " bold" : "");
    if (!w->toolTip().isEmpty()) out += " tip " + quoted(w->toolTip());
    out += "\n";
    if (auto* bar = qobject_cast<QMenuBar*>(w)) return describeActions(out, bar->actions(), depth + 1);
    if (!qobject_cast<QMenu*>(w)) describeActions(out, w->actions(), depth + 1);
    // An item view shows its model; a scroll area what it scrolls.
    if (qobject_cast<QAbstractItemView*>(w)) return;
    auto* area = qobject_cast<QAbstractScrollArea*>(w);
    for (QObject* child : area ? area->viewport()->children() : w->children()) {
        auto* c = qobject_cast<QWidget*>(child);
        if (c && !c->isWindow()) describe(out, c, depth + 1);
    }
}

}  // namespace windows

// Compares `text` with the file `name` of tests/data/windows/.
inline void expectSeen(const std::string& name, const QString& text) {
    const std::string file = std::string(QELVAR_TEST_DATA) + "/windows/" + name + ".txt";
    if (std::getenv("QELVAR_WRITE_WINDOWS")) (void)writeFileAtomically(file, text.toStdString());
    const Result<std::string> expected = readFileBytes(file);
    EXPECT_EQ(expected ? *expected : "<no file>", text.toStdString()) << file;
}

// The window's description, headed by what was done before.
inline QString seen(const QString& heading, QWidget* window) {
    QString out = "== " + heading + "\n";
    windows::describe(out, window, 0);
    return out;
}

}  // namespace qelvar::testing
