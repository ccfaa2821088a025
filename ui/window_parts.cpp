#include "ui/window_parts.h"

#include <QAction>
#include <QDialog>
#include <QFrame>
#include <QLabel>
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

QLabel* setUpLabel(QLabel* label, const QString& text, const QFont& font, Qt::Alignment alignment,
                   const QRect& geometry, const QString& objectName) {
    if (!objectName.isEmpty()) label->setObjectName(objectName);
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAlignment(alignment);
    if (geometry.isValid()) label->setGeometry(geometry);
    label->setText(text);
    return label;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QFont& font, Qt::Alignment alignment,
                  const QRect& geometry, const QString& objectName) {
    return setUpLabel(new QLabel(parent), text, font, alignment, geometry, objectName);
}

QPushButton* makeButton(QWidget* parent, const char* objectName, const QString& text, const QIcon& glyph,
                        const QRect& geometry) {
    auto* button = new QPushButton(glyph, text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    if (geometry.isValid()) button->setGeometry(geometry);
    return button;
}

QAction* addWindowAction(QWidget& window, const QString& text, const QList<QKeySequence>& keys,
                         const std::function<void()>& handler) {
    auto* action = new QAction(text, &window);
    action->setShortcuts(keys);
    QObject::connect(action, &QAction::triggered, &window, handler);
    window.addAction(action);
    window.setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

QPushButton* makeCloseButton(QDialog& window, QWidget* parent) {
    QPushButton* button = makeButton(parent, "BitBtn1", QStringLiteral("&Close"),
                                     window.style()->standardIcon(QStyle::SP_DialogCloseButton));
    QObject::connect(button, &QPushButton::clicked, &window, &QDialog::close);
    return button;
}

}  // namespace nutrient
