// The results window: the figures it shows for the standard catchment, the L < Lnat boxes,
// what a failed calculation leaves on screen, the chart buttons, the table on the clipboard
// and a layout in which nothing is clipped.

#include "ui/results_window.h"

#include "recorder.h"
#include "ui/modal.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>
#include <utility>
#include <vector>

using nutrient::LoadResults;
using nutrient::ParameterSet;
using nutrient::RetentionShared;
using nutrient::TForm3;

using Edits = std::vector<std::pair<const char*, const char*>>;
Q_DECLARE_METATYPE(Edits)

namespace {

const char* const kBelowBackground =
    "Расчитанное значение биогенной нагрузки на водоем меньше значения фоновой нагрузки! "
    "Проверьте  правильность задания параметров модели или уменьшите значение выноса биогенов "
    "с урожаем.";

// The standard catchment as the window shows it: caption, P field and text, N field and text.
struct ShownRow {
    const char* caption;
    const char* pField;
    const char* pText;
    const char* nField;
    const char* nText;
};
const ShownRow kStandardTable[] = {
    {"Нагрузка от точечных источников (Lp)", "Edit1", "212.0", "Edit13", "1324.0"},
    {"Рассредоточенная эмиссия подстилающей поверхностью (Le)", "Edit2", "457.4", "Edit12",
     "7206.5"},
    {"Нагрузка, сформированная в результате внесения минеральных удобрений (Lmf )", "Edit3",
     "633.0", "Edit14", "3899.0"},
    {"Нагрузка, сформированной за счет животноводства и птицеводства (Lof)", "Edit4", "5723.9",
     "Edit15", "23370.9"},
    {"Нагрузка, сформированной атмосферными выпадениями (La)", "Edit6", "83.6", "Edit17", "0.0"},
    {"Поступление извне (Lex)", "Edit27", "0.00", "Edit28", "0.00"},
    {"Вынос биогенных веществ за пределы водосбора с выращенным урожаем (Lc)", "Edit7", "2222.9",
     "Edit18", "15324.4"},
    {"Суммарная биогеннаяй нагрузка на водосбор (Ltot)", "Edit8", "4887.0", "Edit19", "20476.0"},
    {"Удержание биогенных веществ водосбором и его гидрографической сетью (Lret)", "Edit10",
     "1760.5", "Edit21", "5410.1"},
    {"Вынос биогенных веществ с водосбора и нагрузки на водный объект (L)", "Edit11", "3126.5",
     "Edit22", "15065.9"},
    {"Фоновая (природная) компонента нагрузки  (Lnat)", "Edit5", "300.0", "Edit9", "3969.3"},
    {"Модуль выноса с водосбора (кг/(км² год))", "Edit16", "120.49", "Edit23", "580.62"},
    {"Модуль фонового выноса (кг/(км² год))", "Edit20", "11.56", "Edit24", "152.97"},
};

// The fields the calculation writes before the runoff and water share are divided (steps up
// to the total load); the inflow row is written last of all.
const QStringList kWrittenBeforeRetention = {"Edit1", "Edit13", "Edit2",  "Edit12", "Edit3",
                                             "Edit14", "Edit4", "Edit15", "Edit6",  "Edit17",
                                             "Edit7", "Edit18", "Edit8",  "Edit19"};

// Records the boxes, and what the window's L(P) field shows while each is up.
struct WatchingRecorder : Recorder {
    std::function<QString()> watch;
    QStringList seen;
    void error(const std::string& text) override {
        seen << watch();
        Recorder::error(text);
    }
    void failure(const std::string& text) override {
        seen << watch();
        Recorder::failure(text);
    }
};

// One program's worth of shared objects around a results window.
struct Session {
    WatchingRecorder recorder;
    ParameterSet parameters{recorder};
    LoadResults results;
    RetentionShared shared;
    QDialog sourceShares;
    QDialog budget;
    TForm3 window{parameters, results, shared, recorder};

    explicit Session(bool standard = true) {
        if (standard) parameters.applyStandard();
        recorder.boxes.clear();
        recorder.watch = [this] { return text("Edit11"); };
        window.setChartWindows(sourceShares, budget);
    }
    void edit(const Edits& edits) {
        for (const auto& [field, text] : edits) parameters.setText(field, text);
        recorder.boxes.clear();
    }
    QString text(const QString& field) const {
        const auto* edit = window.findChild<QLineEdit*>(field);
        return edit ? edit->text() : QStringLiteral("<no field %1>").arg(field);
    }
    QStringList allFields() const {
        QStringList names;
        for (const ShownRow& row : kStandardTable) names << row.pField << row.nField;
        return names;
    }
};

std::vector<RecordedBox> errors(int count) {
    return std::vector<RecordedBox>(count, RecordedBox{"error", kBelowBackground});
}

// Everything of the P load except its natural part set to nothing: the water body then gets
// exactly its natural load, L(P) and Lnat(P) both 148.5 * Rt(P).
const Edits kOnlyNaturalPhosphorus = {
    {"Edit21", "10000"}, {"Edit22", "0"}, {"Edit23", "0"}, {"Edit24", "0"}, {"Edit36", "0"},
    {"Edit13", "0"},     {"Edit15", "0"}, {"Edit27", "0"}, {"Edit28", "0"}, {"Edit29", "0"},
    {"Edit17", "0"}};

// Room for text inside a line edit: its width less the frame and the edit's own margins.
int textRoom(const QLineEdit& field) {
    return field.width() - 2 * field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
}

}  // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { nutrient::setModalShowingForTests(true); }
    void standardSetShowsItsFiguresWithoutBox();
    void initialTextsGiveOtherFigures();
    void loadBelowBackgroundIsReportedPerNutrient_data();
    void loadBelowBackgroundIsReportedPerNutrient();
    void failedCalculationOpensWithTheRowsItWrote_data();
    void failedCalculationOpensWithTheRowsItWrote();
    void reopeningKeepsTextsAndRereadsTheName();
    void chartButtonsOpenTheirWindowsOverThisOne();
    void copyPutsTheTableOnTheClipboard_data();
    void copyPutsTheTableOnTheClipboard();
    void nothingIsClippedOrOverlapping();
};

void ResultsWindowTest::standardSetShowsItsFiguresWithoutBox() {
    Session s;
    s.window.show();
    for (const ShownRow& row : kStandardTable) {
        QCOMPARE(s.text(row.pField), QString::fromUtf8(row.pText));
        QCOMPARE(s.text(row.nField), QString::fromUtf8(row.nText));
    }
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Результаты расчетов"));
    QCOMPARE(s.window.findChild<QLabel*>("Label2")->text(),
             QStringLiteral("Частный водосбор Финского залива"));
    QCOMPARE(s.window.focusWidget(), s.window.findChild<QPushButton*>("BitBtn1"));
}

// Before the parameters window is first shown the derived natural area and runoff modulus
// read "22440" and "9.5": the N emission and every figure after the retention change (worked
// out by hand from Rt(P) = 0.63946, Rt(N) = 0.73566 at HL = 29.925); the rest stays.
void ResultsWindowTest::initialTextsGiveOtherFigures() {
    const std::map<QString, QString> changed = {
        {"Edit12", "7206.6"}, {"Edit19", "20476.1"}, {"Edit10", "1762.0"}, {"Edit21", "5412.8"},
        {"Edit11", "3125.0"}, {"Edit22", "15063.3"}, {"Edit5", "299.8"},   {"Edit9", "3968.6"},
        {"Edit16", "120.43"}, {"Edit23", "580.52"},  {"Edit20", "11.55"},  {"Edit24", "152.94"}};
    Session s(false);
    s.window.show();
    for (const ShownRow& row : kStandardTable) {
        for (const auto& [field, standard] :
             {std::pair(row.pField, row.pText), std::pair(row.nField, row.nText)}) {
            const auto it = changed.find(field);
            QCOMPARE(s.text(field), it == changed.end() ? QString::fromUtf8(standard) : it->second);
        }
    }
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
}

void ResultsWindowTest::loadBelowBackgroundIsReportedPerNutrient_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<bool>("phosphorusAtBackground");
    QTest::newRow("crop removal of P very high") << Edits{{"Edit17", "10"}} << 1 << false;
    QTest::newRow("crop removal of N very high") << Edits{{"Edit19", "30"}} << 1 << false;
    QTest::newRow("both very high") << Edits{{"Edit17", "10"}, {"Edit19", "30"}} << 2 << false;
    QTest::newRow("L(P) shown equal to Lnat(P)") << kOnlyNaturalPhosphorus << 0 << true;
}

void ResultsWindowTest::loadBelowBackgroundIsReportedPerNutrient() {
    QFETCH(Edits, edits);
    QFETCH(int, boxes);
    QFETCH(bool, phosphorusAtBackground);
    Session s;
    s.edit(edits);
    s.window.show();
    QCOMPARE(s.recorder.boxes, errors(boxes));
    QVERIFY(s.window.isVisible());
    QCOMPARE(s.recorder.seen, QStringList(boxes, s.text("Edit11")));
    if (phosphorusAtBackground) {
        QCOMPARE(s.text("Edit8"), QStringLiteral("148.5"));
        QCOMPARE(s.text("Edit11"), s.text("Edit5"));
    }
}

void ResultsWindowTest::failedCalculationOpensWithTheRowsItWrote_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QStringList>("written");
    // The crop removal would raise the L < Lnat box, had the check run.
    QTest::newRow("no water share") << Edits{{"Edit17", "10"}, {"Edit25", "0"}}
                                    << "Floating point division by zero" << kWrittenBeforeRetention;
    QTest::newRow("point load not a number") << Edits{{"Edit17", "10"}, {"Edit36", "12,5"}}
                                             << "'12,5' is not a valid floating point value"
                                             << QStringList{};
}

// The figures of the earlier run must not stay beside the new ones.
void ResultsWindowTest::failedCalculationOpensWithTheRowsItWrote() {
    QFETCH(Edits, edits);
    QFETCH(QString, failure);
    QFETCH(QStringList, written);
    Session s;
    s.window.show();
    s.window.close();
    s.edit(edits);
    s.window.show();
    QCOMPARE(s.recorder.boxes, (std::vector<RecordedBox>{{"failure", failure.toStdString()}}));
    QCOMPARE(s.recorder.seen, QStringList{QString()});  // no old L(P) beneath the box
    QVERIFY(s.window.isVisible());
    for (const QString& field : s.allFields())
        QVERIFY2(s.text(field).isEmpty() != written.contains(field), qPrintable(field));
}

void ResultsWindowTest::reopeningKeepsTextsAndRereadsTheName() {
    Session s;
    s.window.show();
    s.window.findChild<QPushButton*>("BitBtn1")->click();
    QVERIFY(!s.window.isVisible());
    QCOMPARE(s.text("Edit22"), QStringLiteral("15065.9"));
    s.parameters.setText("Edit38", "Озеро <b>Ильмень</b>");
    s.window.show();
    for (const ShownRow& row : kStandardTable)
        QCOMPARE(s.text(row.nField), QString::fromUtf8(row.nText));
    QCOMPARE(s.window.findChild<QLabel*>("Label2")->text(), QStringLiteral("Озеро <b>Ильмень</b>"));
    QCOMPARE(s.window.findChild<QLabel*>("Label2")->textFormat(), Qt::PlainText);
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
}

void ResultsWindowTest::chartButtonsOpenTheirWindowsOverThisOne() {
    Session s;
    s.window.show();
    s.window.findChild<QPushButton*>("BitBtn2")->click();
    QVERIFY(s.sourceShares.isVisible() && s.sourceShares.isModal());
    QVERIFY(!s.budget.isVisible());
    s.sourceShares.close();
    s.window.findChild<QPushButton*>("BitBtn3")->click();
    QVERIFY(s.budget.isVisible() && s.budget.isModal());
    QVERIFY(s.window.isVisible());
    s.budget.close();
}

void ResultsWindowTest::copyPutsTheTableOnTheClipboard_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("wholeTable");
    QTest::newRow("close button") << "BitBtn1" << false << true;
    QTest::newRow("value field, nothing selected") << "Edit16" << false << true;
    QTest::newRow("value field, its text selected") << "Edit16" << true << false;
}

void ResultsWindowTest::copyPutsTheTableOnTheClipboard() {
    QFETCH(QString, focus);
    QFETCH(bool, selected);
    QFETCH(bool, wholeTable);
    Session s;
    s.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    auto* target = s.window.findChild<QWidget*>(focus);
    target->setFocus();
    if (selected) static_cast<QLineEdit*>(target)->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);

    QStringList expected;
    for (const ShownRow& row : kStandardTable)
        expected << QString::fromUtf8(row.caption) + '\t' + row.pText + '\t' + row.nText;
    QCOMPARE(QGuiApplication::clipboard()->text(),
             wholeTable ? expected.join('\n') : QStringLiteral("120.49"));
}

// Captions with their leaders inside their labels and clear of the fields, values whole in
// their fields, no two controls on top of each other; the picture is left in the build folder.
void ResultsWindowTest::nothingIsClippedOrOverlapping() {
    Session s;
    s.window.show();
    QCOMPARE(s.window.size(), QSize(639, 590));

    std::vector<QWidget*> controls;
    for (QLabel* label : s.window.findChildren<QLabel*>()) {
        const QStringList lines = label->text().split('\n');
        QVERIFY2(label->height() >= lines.size() * label->fontMetrics().height() - 2,
                 qPrintable(label->text()));
        for (const QString& line : lines)
            QVERIFY2(label->fontMetrics().horizontalAdvance(line) <= label->width(),
                     qPrintable(line));
        if (label->text() != "2") controls.push_back(label);
    }
    int leaders = 0;
    for (const QLabel* label : s.window.findChildren<QLabel*>())
        if (label->text().endsWith("....")) ++leaders;
    QCOMPARE(leaders, 13);
    for (QLineEdit* field : s.window.findChildren<QLineEdit*>()) {
        QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) <= textRoom(*field),
                 qPrintable(field->objectName()));
        QCOMPARE(field->width(), 60);
        QVERIFY(field->isReadOnly());
        controls.push_back(field);
    }
    for (QPushButton* button : s.window.findChildren<QPushButton*>()) controls.push_back(button);
    const QRect client(QPoint(0, 0), s.window.size());
    for (QWidget* a : controls) {
        const QRect ra(a->mapTo(&s.window, QPoint(0, 0)), a->size());
        QVERIFY2(client.contains(ra), qPrintable(a->objectName()));
        for (QWidget* b : controls) {
            const QRect rb(b->mapTo(&s.window, QPoint(0, 0)), b->size());
            QVERIFY2(a == b || !ra.intersects(rb),
                     qPrintable(a->objectName() + " / " + b->objectName()));
        }
    }

    const QString picture = QCoreApplication::applicationDirPath() + "/results_window.png";
    QVERIFY(s.window.grab().save(picture));
}

QTEST_MAIN(ResultsWindowTest)
#include "tst_results_window.moc"
