// The program from its command line, run as a process with no display: the options and their
// exit statuses, bad files that never stop the others, the three formats.  And the same files in
// the windows: opened at start, and computed to the same texts as without a window.

#include "fake_file_dialogs.h"
#include "model/file_system.h"
#include "model/results_export.h"
#include "standard_set.h"
#include "ui/lazy_dialog.h"
#include "ui/program.h"
#include "widgets.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <unistd.h>

using namespace nutrient;

namespace {

const QByteArray kStandard = QByteArray::fromStdString(kStandardFileBytes);

// The standard set's file with some of its lines (1-based) replaced.
QByteArray standardWith(const QList<QPair<int, QByteArray>>& lines) {
    QList<QByteArray> file = kStandard.split('\n');
    for (const auto& [line, text] : lines) file[line - 1] = text + '\r';
    return file.join('\n');
}

// The files the tests compute.  "folder.txt" is a folder, "missing.txt" is not there, and
// "Пар.txt" is named in Windows-1251.
const QList<QPair<QByteArray, QByteArray>> kFiles = {
    {"standard.txt", kStandard},
    {"below.txt", standardWith({{10, "3"}, {11, "20"}})},  // crop removal above the load: L < Lnat
    {"water.txt", standardWith({{6, "120"}})},             // water share over 100 %
    {"stops.txt", standardWith({{32, "0,08"}})},           // the calculation stops at Cf(P)
    {"short.txt", kStandard.left(kStandard.indexOf("1003"))},
    {"long.txt", kStandard + QByteArray("1\r\n").repeated(360)},
    {"binary.txt", QByteArray::fromHex("89504e470d0a1a0a0000000d49484452")},  // a PNG's first bytes
    {"data.dat", kStandard},
    {"\xCF\xE0\xF0.txt", kStandard},
};

QByteArray standardRecord(const QByteArray& file) {
    QByteArray record = file + ",Частный водосбор Финского залива";
    for (const ShownResult& result : kStandardResults) record += QByteArray(",") + result.p + "," + result.n;
    return record + "\r\n";
}

struct Case {
    const char* name;
    const char* commandLine;  // for the shell; "$0" is the program
    int status;
    QByteArray firstError;  // the first line on standard error
    QByteArray lastError;   // and the last, when there are more
    int errorLines;
    QByteArray output;  // a part of the standard output
};

// A failure on standard error: the file, then the text as its box shows it.
QByteArray failureLine(const char* file, std::string_view text) {
    return QByteArray(file) + ": " + QByteArray::fromStdString(shownFailureText(text));
}

const std::string kNan = notANumberMessage("");
const QByteArray kComputed = standardRecord("standard.txt");  // the good file after a bad one
const QByteArray kUsage;                                      // a usage error: no output, then the usage

const Case kCases[] = {
    {"help", R"("$0" --help)", 0, "", "", 0, "  --format <FORMAT>   With --calculate: table (default), csv or json.\n"},
    {"version", R"("$0" -v)", 0, "", "", 0, "nutrient-load 1.0.0\n"},
    {"unknown option", R"("$0" --calculate --bogus standard.txt)", 2, "nutrient-load: Unknown option 'bogus'.", "", 0,
     kUsage},
    {"unknown option for the windows", R"("$0" --bogus)", 2, "nutrient-load: Unknown option 'bogus'.", "", 0, kUsage},
    {"unknown format", R"("$0" --calculate --format xml standard.txt)", 2,
     "nutrient-load: Unknown format 'xml': table, csv or json.", "", 0, kUsage},
    {"nothing to compute", R"("$0" --calculate)", 2,
     "nutrient-load: --calculate needs a FILE (\"-\" for standard input).", "", 0, kUsage},
    {"two files for the windows", R"(QT_QPA_PLATFORM=offscreen "$0" standard.txt water.txt)", 2,
     "nutrient-load: More than one FILE needs --calculate.", "", 0, kUsage},
    {"format for the windows", R"("$0" --format csv standard.txt)", 2, "nutrient-load: --format needs --calculate.", "",
     0, kUsage},
    {"report for the windows", R"("$0" --report report.pdf standard.txt)", 2,
     "nutrient-load: --report needs --calculate.", "", 0, kUsage},
    {"report of two files", R"("$0" --calculate --report report.pdf standard.txt water.txt)", 2,
     "nutrient-load: --report needs exactly one FILE.", "", 0, kUsage},
    {"report", R"("$0" --calculate --format csv standard.txt --report report.pdf && pdfinfo report.pdf)", 0, "", "", 0,
     kComputed + "Title:           Частный водосбор Финского залива\n"},
    {"report not written", R"("$0" --calculate --format csv standard.txt --report nowhere/report.pdf)", 1,
     failureLine("nowhere/report.pdf", kFileNotFound), "", 1, kComputed},
    {"missing", R"("$0" --calculate --format csv missing.txt standard.txt)", 1,
     failureLine("missing.txt", kFileNotFound), "", 1, kComputed},
    {"folder", R"("$0" --calculate --format csv folder.txt standard.txt)", 1,
     failureLine("folder.txt", kFileAccessDenied), "", 1, kComputed},
    {"binary", R"("$0" --calculate --format csv binary.txt standard.txt)", 1,
     failureLine("binary.txt", notANumberMessage("\\x1A")), failureLine("binary.txt", kNan), 9, kComputed},
    {"3 lines", R"("$0" --calculate --format csv short.txt standard.txt)", 1, failureLine("short.txt", kNan),
     failureLine("short.txt", kNan), 7, kComputed},
    {"over the size limit", R"("$0" --calculate --format csv large.txt standard.txt)", 1,
     failureLine("large.txt", fileTooLargeMessage("large.txt")), "", 1, kComputed},
    {"400 lines", R"("$0" --calculate --format csv long.txt standard.txt)", 0, "", "", 0,
     standardRecord("long.txt") + kComputed},
    {"not txt", R"("$0" --calculate --format csv data.dat standard.txt)", 1,
     "data.dat: " + QByteArray(kWarnNotTextFile), "", 1, kComputed},
    {"name not UTF-8", R"sh("$0" --calculate --format csv "$(printf '\317\340\360.txt')")sh", 0, "", "", 0,
     standardRecord("\uFFFD\uFFFD\uFFFD.txt")},
    {"output not written", R"("$0" --calculate standard.txt >/dev/full)", 1,
     "nutrient-load: standard output: No space left on device", "", 1, ""},
    // A Russian desktop's decimal comma: the windows' own failure.
    {"decimal comma", R"(LC_ALL=ru_RU.UTF-8 "$0" --calculate --format csv standard.txt)", 1,
     failureLine("standard.txt", notANumberMessage("22439.52")), failureLine("standard.txt", notANumberMessage("0.08")),
     2, "standard.txt,Частный водосбор Финского залива,212.0,1324.0,,"},
};

struct Run {
    int status;
    QByteArray out;
    QList<QByteArray> errorLines;
};

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void exitStatusAndMessages_data();
    void exitStatusAndMessages();
    void formats();
    void sameTextsAsTheWindows_data();
    void sameTextsAsTheWindows();
    void fileOpenedAtStart_data();
    void fileOpenedAtStart();

private:
    // The shell runs the command line in the folder of the files, with no display.
    Run run(const QString& commandLine, const QByteArray& input = {});
    QTemporaryDir folder_;
};

void CommandLineTest::initTestCase() {
    setModalShowingForTests(true);
    QVERIFY(folder_.isValid());
    for (const auto& [name, bytes] : kFiles) {  // by the bytes of the name
        const int fd = ::open((QFile::encodeName(folder_.path()) + '/' + name).constData(), O_WRONLY | O_CREAT, 0600);
        QVERIFY(fd >= 0 && ::write(fd, bytes.constData(), bytes.size()) == bytes.size() && ::close(fd) == 0);
    }
    QVERIFY(QDir(folder_.path()).mkdir("folder.txt"));
    // No line end before the read limit: a sparse file, so it costs no disk.
    QFile large(folder_.filePath("large.txt"));
    QVERIFY(large.open(QIODevice::WriteOnly) && large.resize(qint64(kReadLimit) + 1));
}

void CommandLineTest::cleanupTestCase() {
    ::unlink((QFile::encodeName(folder_.path()) + "/\xCF\xE0\xF0.txt").constData());  // QDir cannot name it
}

Run CommandLineTest::run(const QString& commandLine, const QByteArray& input) {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) variables.remove(name);
    variables.insert("XDG_RUNTIME_DIR", folder_.path());
    QProcess shell;
    shell.setProcessEnvironment(variables);
    shell.setWorkingDirectory(folder_.path());
    shell.start("/bin/sh", {"-c", commandLine, NUTRIENT_LOAD_PROGRAM});
    shell.write(input);
    shell.closeWriteChannel();
    shell.waitForFinished(60000);
    const QByteArray errors = shell.readAllStandardError();
    return {shell.exitCode(), shell.readAllStandardOutput(),
            errors.isEmpty() ? QList<QByteArray>() : errors.chopped(1).split('\n')};
}

void CommandLineTest::exitStatusAndMessages_data() {
    QTest::addColumn<int>("index");
    for (const Case& c : kCases) QTest::newRow(c.name) << int(&c - kCases);
}

void CommandLineTest::exitStatusAndMessages() {
    QFETCH(int, index);
    const Case& c = kCases[index];
    const Run result = run(c.commandLine);
    QCOMPARE(result.status, c.status);
    QCOMPARE(result.errorLines.value(0), c.firstError);
    if (c.status == 2) {  // the one-line error, then the usage
        QVERIFY(result.errorLines.value(1).startsWith("Usage: "));
        QVERIFY(result.out.isEmpty());
        return;
    }
    QCOMPARE(result.errorLines.size(), c.errorLines);
    if (!c.lastError.isEmpty()) QCOMPARE(result.errorLines.last(), c.lastError);
    QVERIFY2(result.out.contains(c.output), result.out.constData());
}

void CommandLineTest::formats() {
    const QString files = " standard.txt missing.txt -";  // "-" reads the standard input
    const Run csv = run(R"("$0" --calculate --format csv)" + files, kStandard);
    QCOMPARE(csv.out, QByteArray::fromStdString(csvHeader()) + kComputed + "missing.txt" + QByteArray(27, ',') +
                          "\r\n" + standardRecord("-"));

    const Run json = run(R"("$0" --calculate --format json)" + files, kStandard);
    QVERIFY(json.out.startsWith("[\n{") && json.out.endsWith("}\n]\n") && json.out.count('\n') == 5);
    const QJsonArray objects = QJsonDocument::fromJson(json.out).array();
    QCOMPARE(objects.size(), 3);
    QCOMPARE(objects[1]["messages"][0]["text"].toString(), QString::fromStdString(shownFailureText(kFileNotFound)));
    QVERIFY(objects[1]["Rt"]["N"].isNull() && !objects[1]["computed"].toBool());
    QCOMPARE(objects[2]["Rt"]["N"].toDouble(), 0.7357853060224985);

    const QList<QByteArray> lines = run(R"("$0" --calculate)" + files, kStandard).out.split('\n');
    QCOMPARE(lines.size(), 3 * 15 + 2 + 1);  // heading, column headings, 13 rows; a blank line between
    QCOMPARE(lines[0], QByteArray("standard.txt: Частный водосбор Финского залива"));
    QCOMPARE(lines[16], QByteArray("missing.txt"));
    QCOMPARE(lines[32], QByteArray("-: Частный водосбор Финского залива"));
}

void CommandLineTest::sameTextsAsTheWindows_data() {
    QTest::addColumn<QString>("file");
    for (const char* file : {"standard.txt", "below.txt", "water.txt", "stops.txt", "short.txt"})
        QTest::newRow(file) << QString(file);
}

void CommandLineTest::sameTextsAsTheWindows() {
    QFETCH(QString, file);
    // In the windows: "&Параметры", "&Open" answered with the file, close, "&Расчет".
    Recorder recorder;
    FakeDialogs dialogs;
    dialogs.openAnswers << folder_.filePath(file);
    Program program(recorder, dialogs, recorder);
    program.mainWindow().show();
    click(program.mainWindow(), "BitBtn3");
    click(program.parametersWindow(), "BitBtn2");
    program.parametersWindow().close();
    click(program.mainWindow(), "BitBtn2");

    const QJsonObject batch =
        QJsonDocument::fromJson(run(R"("$0" --calculate --format json )" + file).out)[0].toObject();
    for (const ResultRow& row : kResultRows) {
        for (Nutrient nutrient : kNutrients) {
            QCOMPARE(batch["results"][row.symbol][nutrient == Nutrient::P ? "P" : "N"].toString(),
                     field(program.resultsWindow(), row.quantity, nutrient)->text());
        }
    }
    QStringList messages;
    for (const QJsonValue& message : batch["messages"].toArray())
        messages << message["kind"].toString() + ": " + message["text"].toString();
    QCOMPARE(messages, boxLines(recorder, true));
    program.resultsWindow().close();
    program.parametersWindow().hide();
}

void CommandLineTest::fileOpenedAtStart_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QString>("naturalArea");  // the file's, or the initial text when it was not read
    QTest::newRow("warnings") << QString("water.txt")
                              << QStringList{boxLine("warning", kWarnNegativeArea), boxLine("warning", kWarnWaterShare)}
                              << QString("22439.52");
    QTest::newRow("refused") << QString("data.dat") << QStringList{boxLine("warning", kWarnNotTextFile)}
                             << QString("22440");
    QTest::newRow("missing") << QString("missing.txt")
                             << QStringList{boxLine("failure", shownFailureText(kFileNotFound))} << QString("22440");
}

void CommandLineTest::fileOpenedAtStart() {
    QFETCH(QString, file);
    QFETCH(QStringList, boxes);
    QFETCH(QString, naturalArea);
    Recorder recorder;
    FakeDialogs dialogs;
    Program program(recorder, dialogs, recorder);
    program.start(folder_.filePath(file).toStdString());
    QVERIFY(program.mainWindow().isVisible() && recorder.boxes.empty());  // opened once the event loop runs
    QCoreApplication::processEvents();
    QCOMPARE(boxLines(recorder, true), boxes);
    QCOMPARE(QString::fromStdString(program.parameters().text(Parameter::NaturalArea)), naturalArea);
}

QTEST_MAIN(CommandLineTest)
#include "tst_command_line.moc"
