// The main window: its texts, places and sizes, the emblem drawn unscaled and clipped, the
// keyboard order, Enter right after start-up, and the windows its buttons open.

#include "ui/lazy_dialog.h"
#include "ui/main_window.h"
#include "widgets.h"

#include <QLabel>
#include <QScreen>

using nutrient::MainWindow;

namespace {

QRect geometryIn(QWidget& window, QWidget* widget) {
    return QRect(widget->mapTo(&window, QPoint(0, 0)), widget->size());
}

}  // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { nutrient::setModalShowingForTests(true); }
    void captionAndFixedClientArea();
    void centredOnTheScreen();
    void controlsStandWhereTheyBelong_data();
    void controlsStandWhereTheyBelong();
    void buttonsCarryTheirCaptionsAndGlyphs_data();
    void buttonsCarryTheirCaptionsAndGlyphs();
    void aboutLinesAreCentredAndBold_data();
    void aboutLinesAreCentredAndBold();
    void emblemIsDrawnUnscaledFromItsTopLeftCorner();
    void keyboardVisitsTheButtonsInOrder();
    void enterRightAfterStartUpClosesTheWindow();
    void escapeDoesNotCloseTheWindow();
    void buttonsShowTheirWindowsModally_data();
    void buttonsShowTheirWindowsModally();
};

void MainWindowTest::captionAndFixedClientArea() {
    MainWindow form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Расчет формирования биогенной нагрузки"));
    QCOMPARE(form.size(), QSize(427, 392));
    QCOMPARE(form.minimumSize(), QSize(427, 392));
    QCOMPARE(form.maximumSize(), QSize(427, 392));
}

void MainWindowTest::centredOnTheScreen() {
    MainWindow form;
    form.move(0, 0);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const QPoint offset = form.frameGeometry().center() - form.screen()->availableGeometry().center();
    QVERIFY2(offset.manhattanLength() <= 1, qPrintable(QString("%1,%2").arg(offset.x()).arg(offset.y())));
}

void MainWindowTest::controlsStandWhereTheyBelong_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");  // in the window's client coordinates
    QTest::newRow("client panel") << "Panel1" << QRect(0, 0, 427, 392);
    QTest::newRow("upper panel") << "Panel2" << QRect(16, 16, 393, 169);
    QTest::newRow("picture panel") << "Panel3" << QRect(136, 200, 145, 137);
    QTest::newRow("picture") << "Image1" << QRect(142, 206, 133, 125);
    QTest::newRow("Параметры") << "BitBtn3" << QRect(16, 208, 113, 25);
    QTest::newRow("Расчет") << "BitBtn2" << QRect(296, 208, 113, 25);
    QTest::newRow("Выход") << "BitBtn1" << QRect(152, 352, 113, 25);
    QTest::newRow("Описание методики") << "BitBtn5" << QRect(32, 144, 161, 25);
    QTest::newRow("Техническая поддержка") << "BitBtn4" << QRect(232, 144, 161, 25);
}

void MainWindowTest::controlsStandWhereTheyBelong() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    MainWindow form;
    QCOMPARE(geometryIn(form, namedChild<QWidget>(form, qPrintable(name))), geometry);
}

void MainWindowTest::buttonsCarryTheirCaptionsAndGlyphs_data() {
    QTest::addColumn<QString>("caption");  // of the button the row is named after
    QTest::newRow("BitBtn1") << "&Выход";
    QTest::newRow("BitBtn2") << "&Расчет";
    QTest::newRow("BitBtn3") << "&Параметры";
    QTest::newRow("BitBtn4") << "&Техническая поддержка";
    QTest::newRow("BitBtn5") << "&Описание методики";
}

void MainWindowTest::buttonsCarryTheirCaptionsAndGlyphs() {
    QFETCH(QString, caption);
    MainWindow form;
    QPushButton* b = button(form, QTest::currentDataTag());
    QCOMPARE(b->text(), caption);
    QVERIFY(!b->icon().isNull());
    // The caption with its glyph fits inside the button's frame.
    const int captionWidth = b->fontMetrics().horizontalAdvance(QString(caption).remove('&'));
    QVERIFY2(captionWidth + b->iconSize().width() + 4 <= b->width() - 8, qPrintable(caption));
}

void MainWindowTest::aboutLinesAreCentredAndBold_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixelSize");
    QTest::newRow("1") << "Программа предназначена " << 12;
    QTest::newRow("2") << "для расчета формирования биогенной нагрузки " << 12;
    QTest::newRow("3") << "на водные объекты" << 12;
    QTest::newRow("4") << "Методика института Сарвенского" << 8;
}

void MainWindowTest::aboutLinesAreCentredAndBold() {
    QFETCH(QString, text);
    QFETCH(int, pixelSize);
    MainWindow form;
    QLabel* line = nullptr;
    for (QLabel* label : namedChild<QWidget>(form, "Panel2")->findChildren<QLabel*>())
        if (label->text() == text) line = label;
    QVERIFY2(line, qPrintable(text));
    QCOMPARE(line->font().pixelSize(), pixelSize);
    QVERIFY(line->font().bold());
    QVERIFY(line->alignment() & Qt::AlignHCenter);
    QVERIFY(line->sizeHint().width() <= line->width());
    QVERIFY(line->sizeHint().height() <= line->height());
}

void MainWindowTest::emblemIsDrawnUnscaledFromItsTopLeftCorner() {
    const QImage emblem(QStringLiteral(":/images/emblem.png"));
    QVERIFY(!emblem.isNull());
    QVERIFY(emblem.width() > 133 && emblem.height() > 125);  // larger than the area: clipped
    QVERIFY(emblem.depth() >= 24);

    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget* picture = namedChild<QWidget>(form, "Image1");
    const QImage shown = picture->grab().toImage().convertToFormat(emblem.format());
    QCOMPARE(shown.size(), QSize(133, 125));
    QCOMPARE(shown, emblem.copy(0, 0, 133, 125));
}

void MainWindowTest::keyboardVisitsTheButtonsInOrder() {
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QStringList visited;
    for (int i = 0; i < 6; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(visited, QStringList({"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn4", "BitBtn5", "BitBtn1"}));
}

void MainWindowTest::enterRightAfterStartUpClosesTheWindow() {
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), button(form, "BitBtn1"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!form.isVisible());
}

void MainWindowTest::escapeDoesNotCloseTheWindow() {
    MainWindow form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.isVisible());
}

void MainWindowTest::buttonsShowTheirWindowsModally_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("window");  // 0 parameters, 1 results, 2 help, 3 method
    QTest::newRow("Параметры") << "BitBtn3" << 0;
    QTest::newRow("Расчет") << "BitBtn2" << 1;
    QTest::newRow("Техническая поддержка") << "BitBtn4" << 2;
    QTest::newRow("Описание методики") << "BitBtn5" << 3;
}

void MainWindowTest::buttonsShowTheirWindowsModally() {
    QFETCH(QString, name);
    QFETCH(int, window);
    MainWindow form;
    QDialog windows[4];
    form.setWindows(windows[0], windows[1], windows[2], windows[3]);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));

    click(form, qPrintable(name));
    for (int i = 0; i < 4; ++i) QCOMPARE(windows[i].isVisible(), i == window);
    QVERIFY(windows[window].isModal());

    windows[window].close();
    QVERIFY(form.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "tst_main_window.moc"
