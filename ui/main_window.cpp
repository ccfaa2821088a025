#include "ui/main_window.h"

#include "model/messages.h"
#include "ui/window_parts.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

namespace nutrient {

namespace {

constexpr int kClientWidth = 427;
constexpr int kClientHeight = 392;
constexpr int kButtonHeight = 25;

// The style's standard glyph as the buttons show it.  standardIcon() decodes the glyph in every
// size it comes in, up to 128 pixels, which made it the costliest part of building this window
// at start-up; these buttons of a fixed-size window show it at the one size standardPixmap()
// gives.  On a high-density screen the whole icon keeps the glyph sharp.
QIcon standardGlyph(const QStyle& style, QStyle::StandardPixmap glyph) {
    if (qGuiApp->devicePixelRatio() > 1.0) return style.standardIcon(glyph);
    return QIcon(style.standardPixmap(glyph));
}

QPushButton* glyphButton(QWidget* parent, const char* name, const char* text, QStyle::StandardPixmap glyph,
                         const QRect& geometry) {
    return makeButton(parent, name, QString::fromUtf8(text), standardGlyph(*parent->style(), glyph), geometry);
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : LazyDialog(nullptr, parent) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kProgramTitle));
    setFixedSize(kClientWidth, kClientHeight);
    // Captions in the 8-point face of the program's text windows.
    QFont captions = font();
    captions.setPointSize(8);
    setFont(captions);
    ensureBuilt();
}

void MainWindow::build() {
    QFrame* client = sunkenPanel(this, "Panel1", QRect(0, 0, kClientWidth, kClientHeight));
    buildAboutPanel(client);
    buildEmblem(client);
    buildActionButtons(client);
    setKeyboardOrder();
}

void MainWindow::buildAboutPanel(QWidget* client) {
    QFrame* panel = sunkenPanel(client, "Panel2", QRect(16, 16, 393, 169));

    struct Line {
        const char* text;
        int pixelSize;
        int top;
        int height;
    };
    // The trailing blanks belong to the texts.
    static constexpr Line kLines[] = {
        {"Программа предназначена ", 12, 10, 18},
        {"для расчета формирования биогенной нагрузки ", 12, 30, 18},
        {"на водные объекты", 12, 50, 18},
        {"Методика института Сарвенского", 8, 78, 14},
    };
    int number = 1;
    for (const Line& line : kLines) {
        makeLabel(panel, QString::fromUtf8(line.text), pixelFont(line.pixelSize, true),
                  Qt::AlignHCenter | Qt::AlignVCenter, QRect(2, line.top, panel->width() - 4, line.height),
                  QStringLiteral("Label%1").arg(number++));
    }

    const int buttonTop = panel->height() - 16 - kButtonHeight;
    methodButton_ = glyphButton(panel, "BitBtn5", "&Описание методики", QStyle::SP_DialogHelpButton,
                                QRect(16, buttonTop, 161, kButtonHeight));
    helpButton_ = glyphButton(panel, "BitBtn4", "&Техническая поддержка", QStyle::SP_DialogHelpButton,
                              QRect(panel->width() - 16 - 161, buttonTop, 161, kButtonHeight));
    // Semi-condensed, so that "&Техническая поддержка" and its glyph fit the 161 pixels.
    for (QPushButton* button : {methodButton_, helpButton_}) {
        QFont condensed = button->font();
        condensed.setStretch(QFont::SemiCondensed);
        button->setFont(condensed);
    }
    connect(methodButton_, &QPushButton::clicked, this, &MainWindow::openMethodDescription);
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::openHelp);
}

void MainWindow::buildEmblem(QWidget* client) {
    QFrame* frame = sunkenPanel(client, "Panel3", QRect(136, 200, 145, 137));
    // Drawn unscaled from its top-left corner; the label clips what does not fit.
    auto* picture = new QLabel(frame);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setGeometry(6, 6, 133, 125);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(QPixmap(QStringLiteral(":/images/emblem.png")));
}

void MainWindow::buildActionButtons(QWidget* client) {
    // The style's own "yes to all" and "ignore" glyphs are empty in most styles; the green check
    // and the green forward arrow stand for them.
    parametersButton_ =
        glyphButton(client, "BitBtn3", "&Параметры", QStyle::SP_DialogApplyButton, QRect(16, 208, 113, kButtonHeight));
    calculateButton_ =
        glyphButton(client, "BitBtn2", "&Расчет", QStyle::SP_ArrowForward, QRect(296, 208, 113, kButtonHeight));
    exitButton_ =
        glyphButton(client, "BitBtn1", "&Выход", QStyle::SP_DialogCloseButton, QRect(152, 352, 113, kButtonHeight));
    connect(parametersButton_, &QPushButton::clicked, this, &MainWindow::openParameters);
    connect(calculateButton_, &QPushButton::clicked, this, &MainWindow::openResults);
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
}

void MainWindow::setKeyboardOrder() {
    setTabOrder(exitButton_, calculateButton_);
    setTabOrder(calculateButton_, parametersButton_);
    setTabOrder(parametersButton_, helpButton_);
    setTabOrder(helpButton_, methodButton_);
}

void MainWindow::setWindows(QDialog& parameters, QDialog& results, QDialog& help, QDialog& method) {
    parameters_ = &parameters;
    results_ = &results;
    help_ = &help;
    method_ = &method;
}

void MainWindow::setClosingCheck(std::function<bool()> check) { closingCheck_ = std::move(check); }

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closingCheck_ && !closingCheck_()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void MainWindow::openParameters() {
    if (parameters_) showModal(*parameters_);
}

void MainWindow::openResults() {
    if (results_) showModal(*results_);
}

void MainWindow::openMethodDescription() {
    if (method_) showModal(*method_);
}

void MainWindow::openHelp() {
    if (help_) showModal(*help_);
}

void MainWindow::refresh() { exitButton_->setFocus(); }

void MainWindow::keyPressEvent(QKeyEvent* event) {
    // The main window has no cancel button: Esc does not close it.
    if (event->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(event);
}

}  // namespace nutrient
