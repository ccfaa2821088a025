#include "ui/modal.h"

#include <QDialog>

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

}  // namespace nutrient
