#include "ui/help_windows.h"

#include "ui/resource_text.h"
#include "ui/window_parts.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace nutrient {

TextWindow::TextWindow(const char* caption, const QString& resource, QWidget* parent)
    : LazyDialog(nullptr, parent), resource_(resource) {
    setWindowTitle(QString::fromUtf8(caption));
}

void TextWindow::build() {
    QFrame* panel = sunkenPanel(this, "Panel1");

    textView_ = new QPlainTextEdit(panel);
    textView_->setObjectName(QStringLiteral("Memo1"));
    textView_->setReadOnly(true);
    textView_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textView_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textView_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    textView_->setFont(font);
    // Without the last line end, the view holds exactly one line per line of the file.
    textView_->setPlainText(resourceText(resource_));

    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(textView_);
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->addWidget(panel);
}

HelpWindow::HelpWindow(QWidget* parent) : TextWindow("Помощь", QStringLiteral(":/texts/help.txt"), parent) {
    setObjectName(QStringLiteral("Form4"));
    resize(696, 480);
}

MethodWindow::MethodWindow(QWidget* parent)
    : TextWindow("Описание методики", QStringLiteral(":/texts/method.txt"), parent) {
    setObjectName(QStringLiteral("Form7"));
    setFixedSize(862, 606);
}

}  // namespace nutrient
