#include "ui/help_windows.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace nutrient {

namespace {

// The text of a resource file, without the line end of its last line: the view then holds
// exactly one line per line of the file.
QString resourceText(const QString& resource) {
    QFile file(resource);
    file.open(QIODevice::ReadOnly);
    QString text = QString::fromUtf8(file.readAll());
    if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
    return text;
}

}  // namespace

TextWindow::TextWindow(const char* caption, const QString& resource, QWidget* parent)
    : LazyDialog(parent), resource_(resource) {
    setWindowTitle(QString::fromUtf8(caption));
}

void TextWindow::build() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    Memo1 = new QPlainTextEdit(panel);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    Memo1->setFont(font);
    Memo1->setPlainText(resourceText(resource_));

    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(Memo1);
    auto* windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->addWidget(panel);
}

void TextWindow::showEvent(QShowEvent* event) {
    LazyDialog::showEvent(event);
    centreOnScreen(*this);
}

TForm4::TForm4(QWidget* parent)
    : TextWindow("Помощь", QStringLiteral(":/texts/help.txt"), parent) {
    setObjectName(QStringLiteral("Form4"));
    resize(696, 480);
}

TForm7::TForm7(QWidget* parent)
    : TextWindow("Описание методики", QStringLiteral(":/texts/method.txt"), parent) {
    setObjectName(QStringLiteral("Form7"));
    setFixedSize(862, 606);
}

}  // namespace nutrient
