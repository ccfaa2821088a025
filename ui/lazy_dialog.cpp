#include "ui/lazy_dialog.h"

#include "model/messages.h"

#include "ui/window_parts.h"

#include <QShowEvent>

namespace nutrient {

namespace {
bool nonBlockingForTests = false;
}

void setModalShowingForTests(bool nonBlocking) { nonBlockingForTests = nonBlocking; }

void showModal(QDialog& dialog) {
    if (nonBlockingForTests) {
        dialog.setModal(true);
        dialog.show();
    } else {
        dialog.exec();
    }
}

LazyDialog::LazyDialog(Messages* messages, QWidget* parent) : QDialog(parent), messages_(messages) {}

void LazyDialog::ensureBuilt() {
    if (built_) return;
    built_ = true;
    build();
}

// show(), exec() and open() all come through here, before the window is laid out.
void LazyDialog::setVisible(bool visible) {
    if (visible) ensureBuilt();
    QDialog::setVisible(visible);
}

void LazyDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // A window restored by the window system is not shown anew.
    if (event->spontaneous()) return;
    centreOnScreen(*this);
    if (messages_) {
        guarded(*messages_, [this] { refresh(); });
    } else {
        refresh();
    }
}

}  // namespace nutrient
