#include "ui/modal.h"

#include <QPushButton>
#include <QScreen>
#include <QStyle>

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

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

QPushButton* makeCloseButton(QDialog& window, QWidget* parent) {
    auto* button = new QPushButton(window.style()->standardIcon(QStyle::SP_DialogCloseButton),
                                   QStringLiteral("&Close"), parent);
    button->setObjectName(QStringLiteral("BitBtn1"));
    QObject::connect(button, &QPushButton::clicked, &window, &QDialog::close);
    return button;
}

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

}  // namespace nutrient
