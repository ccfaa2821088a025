#include "ui/window_parts.h"

#include <QDialog>
#include <QFrame>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace nutrient {

void centreOnScreen(QWidget& window) {
    const QScreen* screen = window.screen();
    if (!screen) return;
    QRect frame = window.frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window.move(frame.topLeft());
}

QFrame* sunkenPanel(QWidget* parent, const char* objectName, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    if (objectName) panel->setObjectName(QString::fromLatin1(objectName));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    if (geometry.isValid()) panel->setGeometry(geometry);
    return panel;
}

QFont pixelFont(int pixels, bool bold, bool italic) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QPushButton* makeCloseButton(QDialog& window, QWidget* parent) {
    auto* button =
        new QPushButton(window.style()->standardIcon(QStyle::SP_DialogCloseButton), QStringLiteral("&Close"), parent);
    button->setObjectName(QStringLiteral("BitBtn1"));
    QObject::connect(button, &QPushButton::clicked, &window, &QDialog::close);
    return button;
}

}  // namespace nutrient
