// The application's last guard: a failure or an exhausted memory that escapes an event handler
// becomes a failure box, and the program goes on delivering events.

#include "ui/program.h"
#include "widgets.h"

#include <QMessageBox>

#include <functional>
#include <new>

Q_DECLARE_METATYPE(std::function<void()>)

namespace {

// A handler that fails on one kind of event and counts the others.
class FailingHandler : public QObject {
public:
    explicit FailingHandler(std::function<void()> failure) : failure_(std::move(failure)) {}
    int delivered = 0;

protected:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) failure_();
        ++delivered;
        return true;
    }

private:
    std::function<void()> failure_;
};

}  // namespace

class ApplicationTest : public QObject {
    Q_OBJECT
public:
    explicit ApplicationTest(Recorder& recorder) : recorder_(recorder) {}

private slots:
    void escapingFailuresBecomeFailureBoxes_data() {
        QTest::addColumn<std::function<void()>>("failure");
        QTest::addColumn<Boxes>("boxes");
        QTest::newRow("memory") << std::function<void()>([] { throw std::bad_alloc(); })
                                << Boxes{{"failure", nutrient::kOutOfMemory}};
        QTest::newRow("failure") << std::function<void()>([] { throw nutrient::Failure(nutrient::kDiskFull); })
                                 << Boxes{{"failure", nutrient::kDiskFull}};
    }
    void escapingFailuresBecomeFailureBoxes() {
        QFETCH(std::function<void()>, failure);
        QFETCH(Boxes, boxes);
        recorder_.boxes.clear();
        FailingHandler handler(failure);
        QEvent failing(QEvent::User);
        QVERIFY(!QCoreApplication::sendEvent(&handler, &failing));
        QCOMPARE(recorder_.boxes, boxes);
        QEvent next(QEvent::Type(QEvent::User + 1));
        QVERIFY(QCoreApplication::sendEvent(&handler, &next));
        QCOMPARE(handler.delivered, 1);
    }

    // On a Russian desktop Qt's own dialogs speak Russian, and the boxes keep their "OK".
    void qtTextsInTheDesktopsLanguage() {
        QTranslator russian;
        QVERIFY(nutrient::translateQtTexts(russian, QLocale(QLocale::Russian, QLocale::Russia)));
        QCOMPARE(QCoreApplication::translate("QFileDialog", "&Open"), QStringLiteral("&Открыть"));
        QString okText;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            okText = box->button(QMessageBox::Ok)->text();
            box->accept();
        });
        nutrient::MessageBoxes().warning(nutrient::kWarnWaterShare);
        QCoreApplication::removeTranslator(&russian);
        QCOMPARE(okText, QStringLiteral("OK"));
    }

private:
    Recorder& recorder_;
};

int main(int argc, char** argv) {
    Recorder recorder;
    nutrient::GuardedApplication application(argc, argv, recorder);
    ApplicationTest test(recorder);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_application.moc"
