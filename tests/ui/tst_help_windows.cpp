// The recommendations and the method description: their texts to the byte, read-only,
// scrolling, word-wrapped, and the window sizes.

#include "ui/help_windows.h"

#include "saved_files.h"
#include "widgets.h"

#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>

using nutrient::HelpWindow;
using nutrient::MethodWindow;

namespace {

// The recommendations exactly as the user must see them; several lines end with a blank.
const char* const kHelpLines[] = {
    "РЕКОМЕНДАЦИИ ПОЛЬЗОВАТЕЛЮ",
    " ",
    "1.При обращении к режиму \"Расчет\" может быть получена диагностика \"…is not a valid "
    "floating point value\". В этом случае ",
    "следует войти в \"Панель управления\", затем в \"Язык и региональные стандарты\", затем в "
    "\"Настройка\" и в позиции ",
    "\"Разделитель целой и дробной части\" заменить \",\" на \".\". После чего нажать ОК.",
    "",
    "2.Если при выполнении расчетов значение биогенной нагрузки на водоем оказывается меньше "
    "значения фоновой нагрузки ",
    "(L< Lnat) - графики не представляются. Следует проверить правильность задания параметров "
    "модели.",
    "",
    "3.Если при значение выноса биогенов с урожаем больше биогенной нагрузки от рассредоточенных "
    "источников (Lс>  L e + Lmf ",
    "+ Lof+ La) - графики не представляются. Следует проверить правильность задания параметров "
    "модели.",
    "",
    "4. Возникновение отрицательных значений L и Lret в результате расчетов также связано с "
    "неправильным заданием ",
    "параметров. В этом случае графики также не представляются.",
    "",
    "5.Сохранить измененнные параметры и результаты расчетов можно под другим именем после "
    "нажания  SAVE. Возвратиться ",
    "к исходному варианту - STANDART",
    "",
    "",
};

QPlainTextEdit* memoOf(QWidget& window) { return window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1")); }

// The help window or the method window.
std::unique_ptr<QDialog> textWindow(bool help) {
    if (help) return std::make_unique<HelpWindow>();
    return std::make_unique<MethodWindow>();
}

QStringList methodLines() { return QString::fromUtf8(fileBytes(QStringLiteral(":/texts/method.txt"))).split('\n'); }

}  // namespace

class HelpWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void helpResourceHoldsTheRecommendationsByteForByte();
    void helpWindowShowsTheNineteenLines();
    void methodWindowShowsTheWholeDescription();
    void methodDescriptionOpensWithItsTitleLines();
    void methodDescriptionSetsOutTheNineFormulas_data();
    void methodDescriptionSetsOutTheNineFormulas();
    void methodDescriptionCoversTheTypicalValuesAndLiterature();
    void windowsHaveTheirCaptionsAndSizes();
    void centredOnTheScreenEachTimeTheyShow();
    void textsCannotBeEdited_data();
    void textsCannotBeEdited();
    void textsScrollAndWrap_data();
    void textsScrollAndWrap();
};

void HelpWindowsTest::helpResourceHoldsTheRecommendationsByteForByte() {
    QByteArray expected;
    for (const char* line : kHelpLines) expected += QByteArray(line) + '\n';
    QCOMPARE(std::size(kHelpLines), size_t(19));
    QCOMPARE(fileBytes(QStringLiteral(":/texts/help.txt")), expected);
}

void HelpWindowsTest::helpWindowShowsTheNineteenLines() {
    HelpWindow help;
    help.ensureBuilt();  // its text view, not yet shown
    QPlainTextEdit* memo = memoOf(help);
    QVERIFY(memo);
    QCOMPARE(memo->document()->blockCount(), 19);
    for (int i = 0; i < 19; ++i)
        QCOMPARE(memo->document()->findBlockByNumber(i).text(), QString::fromUtf8(kHelpLines[i]));
}

void HelpWindowsTest::methodWindowShowsTheWholeDescription() {
    MethodWindow method;
    method.ensureBuilt();  // its text view, not yet shown
    QPlainTextEdit* memo = memoOf(method);
    QVERIFY(memo);
    QCOMPARE(memo->document()->blockCount(), 75);
    QCOMPARE(memo->toPlainText() + '\n', QString::fromUtf8(fileBytes(QStringLiteral(":/texts/method.txt"))));
}

void HelpWindowsTest::methodDescriptionOpensWithItsTitleLines() {
    const QStringList lines = methodLines();
    QCOMPARE(lines.size(), 76);  // 75 lines and the empty rest after the last line end
    QCOMPARE(lines[0], QStringLiteral("Расчет формирования биогенной нагрузки на водные объекты "
                                      "Северо-запада России"));
    QCOMPARE(lines[1], QString());
    QCOMPARE(lines[2], QString(46, ' ') + QStringLiteral("(Методика Института Сарвенского)"));
    QCOMPARE(lines[3], QString());
    QCOMPARE(lines[4], QString());
    QCOMPARE(lines[75], QString());
}

void HelpWindowsTest::methodDescriptionSetsOutTheNineFormulas_data() {
    QTest::addColumn<QString>("formula");  // with the blanks that precede it
    QTest::addColumn<int>("number");
    QTest::newRow("1") << "Ltot = Lp + Le + Lmf + Lof+ La +Lex- Lc ." << 1;
    QTest::newRow("2") << "  Le =(Cf Af+Cu Au + Cnat Anat + Cmix Amix)y/1000," << 2;
    QTest::newRow("3") << "Lof =  Сумма (1000 Kfj N)," << 3;
    QTest::newRow("4") << "Lc= df Af ," << 4;
    QTest::newRow("5") << "L=Rt Ltot=(1-Rr) Ltot =Ltot-Lret," << 5;
    QTest::newRow("6") << " Rr =1- Rt = 1-1/(1+aHLb)" << 6;
    QTest::newRow("7") << "HL=3.15q/W." << 7;
    QTest::newRow("8") << "q = 0.03171 y." << 8;
    QTest::newRow("9") << "Lnat = Rt[da A + yCnatA(1-W/100)/1000]." << 9;
}

void HelpWindowsTest::methodDescriptionSetsOutTheNineFormulas() {
    QFETCH(QString, formula);
    QFETCH(int, number);
    const QStringList lines = methodLines();
    const QString tag = QStringLiteral("(%1)").arg(number);
    // The formula alone on its line, padded with blanks so that its number stands at the right.
    const QRegularExpression pattern(
        QStringLiteral("^%1 +\\(%2\\)$").arg(QRegularExpression::escape(formula)).arg(number));
    int found = -1;
    for (int i = 0; i < lines.size(); ++i)
        if (pattern.match(lines[i]).hasMatch()) found = i;
    QVERIFY2(found > 0, qPrintable(formula));
    QVERIFY(lines[found].indexOf(tag) > 80);
    QCOMPARE(lines[found - 1], QString());
    QCOMPARE(lines[found + 1], QString());
}

void HelpWindowsTest::methodDescriptionCoversTheTypicalValuesAndLiterature() {
    const QString text = QString::fromUtf8(fileBytes(QStringLiteral(":/texts/method.txt")));
    for (const char* needed :
         {"[т год-1]", "[мг дм-3 = г м-3]", "[км2]", "[мм год-1]", "280 - 320 мм год-1", "8.9-10.1 дм3 км-2 сек-1",
          "da = 0.002 - 0.005 т км-2 год-1", "денитрификации", "2ТПВодхоз", "1000L/А", "1000Lnat/А"})
        QVERIFY2(text.contains(QString::fromUtf8(needed)), needed);
    const QStringList lines = methodLines();
    const int heading = lines.indexOf(QStringLiteral("Литература"));
    QVERIFY(heading > 0);
    QCOMPARE(lines[heading + 2].left(3), QStringLiteral("1. "));
    QCOMPARE(lines[heading + 3].left(3), QStringLiteral("2. "));
    QCOMPARE(lines[heading + 4].left(3), QStringLiteral("3. "));
    QCOMPARE(heading + 5, 75);
}

void HelpWindowsTest::windowsHaveTheirCaptionsAndSizes() {
    HelpWindow help;
    QCOMPARE(help.windowTitle(), QStringLiteral("Помощь"));
    QCOMPARE(help.size(), QSize(696, 480));
    QVERIFY(help.maximumSize() != help.minimumSize());  // resizable

    MethodWindow method;
    QCOMPARE(method.windowTitle(), QStringLiteral("Описание методики"));
    QCOMPARE(method.size(), QSize(862, 606));
    QCOMPARE(method.minimumSize(), QSize(862, 606));
    QCOMPARE(method.maximumSize(), QSize(862, 606));
}

// Only the help window: the method window is larger than the 800 x 600 screen of the
// offscreen platform, which keeps it on the screen instead.
void HelpWindowsTest::centredOnTheScreenEachTimeTheyShow() {
    auto window = std::make_unique<HelpWindow>();
    for (int showing = 0; showing < 2; ++showing) {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QPoint offset = window->frameGeometry().center() - window->screen()->availableGeometry().center();
        QVERIFY(offset.manhattanLength() <= 1);
        window->close();
        window->move(3, 5);  // moved away by the user: the next showing centres it again
    }
}

void HelpWindowsTest::textsCannotBeEdited_data() {
    QTest::addColumn<bool>("help");
    QTest::newRow("help") << true;
    QTest::newRow("method") << false;
}

void HelpWindowsTest::textsCannotBeEdited() {
    QFETCH(bool, help);
    const auto window = textWindow(help);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QPlainTextEdit* memo = memoOf(*window);
    const QString before = memo->toPlainText();
    memo->setFocus();
    typeKeys(memo, QStringLiteral("xyz"));
    QTest::keyClick(memo, Qt::Key_Delete);
    QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClick(memo, Qt::Key_Return);
    QVERIFY(memo->isReadOnly());
    QCOMPARE(memo->toPlainText(), before);
}

void HelpWindowsTest::textsScrollAndWrap_data() { textsCannotBeEdited_data(); }

void HelpWindowsTest::textsScrollAndWrap() {
    QFETCH(bool, help);
    const auto window = textWindow(help);
    if (help) window->resize(400, 200);  // the help window is resizable; at this size it must scroll
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QPlainTextEdit* memo = memoOf(*window);
    QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
    QVERIFY(memo->verticalScrollBar()->maximum() > 0);
    QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
    const int bottom = memo->verticalScrollBar()->maximum();
    memo->verticalScrollBar()->setValue(bottom);
    QCOMPARE(memo->verticalScrollBar()->value(), bottom);
    QCOMPARE(memo->font().pointSize(), 8);
}

QTEST_MAIN(HelpWindowsTest)
#include "tst_help_windows.moc"
