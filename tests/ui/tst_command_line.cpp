// The program from its command line, run as a process with no display: the options and their
// exit statuses, bad files that never stop the others, the four formats, the analyses of one
// catchment with their variants saved, a basin and lists of files.  And the same files in the
// windows: opened at start, and computed to the same texts as without a window.

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
    {"ranges.csv", "parameter,low,high,distribution\r\nb(P),-1,-0.85,uniform\r\nN(poultry),-20%,+20%,triangular\r\n"},
    {"bad-ranges.csv", "parameter,low,high,distribution\r\nb(P),-0.85,-1,uniform\r\n"},
    {"basin.csv", "file,drains_into\r\nstandard.txt,long.txt\r\nlong.txt,\r\n"},  // long.txt computes as standard
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

// The analyses of standard.txt: "$0" and these options, then the file.
#define ANALYSE(options) R"("$0" --calculate )" options " standard.txt"

const Case kCases[] = {
    {"help", R"("$0" --help)", 0, "", "", 0, "With --calculate or --basin: table, csv, csv-ru"},
    {"version", R"("$0" -v)", 0, "", "", 0, "nutrient-load 1.0.0\n"},
    {"unknown option", R"("$0" --calculate --bogus standard.txt)", 2, "nutrient-load: Unknown option 'bogus'.", "", 0,
     kUsage},
    {"unknown option for the windows", R"("$0" --bogus)", 2, "nutrient-load: Unknown option 'bogus'.", "", 0, kUsage},
    {"unknown format", R"("$0" --calculate --format xml standard.txt)", 2,
     "nutrient-load: Unknown format 'xml': table, csv, csv-ru or json.", "", 0, kUsage},
    {"nothing to compute", R"("$0" --calculate)", 2,
     "nutrient-load: --calculate needs a FILE (\"-\" for standard input) or --files-from LIST.", "", 0, kUsage},
    {"two files for the windows", R"("$0" standard.txt water.txt)", 2,
     "nutrient-load: More than one FILE needs --calculate.", "", 0, kUsage},
    {"help with Qt's options", R"("$0" --help-all)", 0, "", "", 0, "  --platform <platformName[:options]>"},
    {"Qt's options left out of a computation",
     R"("$0" --calculate --format csv --report a.pdf -platform bogus standard.txt -style=x -platform xcb)", 0, "", "",
     0, kComputed},
    {"a report laid out left to right",
     R"("$0" --calculate --report a.pdf standard.txt >/dev/null && "$0" --calculate --report b.pdf -reverse )"
     R"(standard.txt >/dev/null && pdftotext -layout a.pdf a.txt && pdftotext -layout b.pdf b.txt && cmp a.txt b.txt )"
     R"(&& echo same)",
     0, "", "", 0, "same"},
    {"standard input twice", R"("$0" --calculate - standard.txt -)", 2,
     "nutrient-load: Standard input (\"-\") can be read only once.", "", 0, kUsage},
    {"report over its parameters file",
     R"(ln -sf standard.txt link.pdf; "$0" --calculate --report link.pdf standard.txt)", 2,
     "nutrient-load: --report would replace the parameters file 'link.pdf'.", "", 0, kUsage},
    {"report not a PDF name", R"("$0" --calculate --report ./standard.txt standard.txt)", 2,
     "nutrient-load: --report needs a name ending in \".pdf\": './standard.txt'.", "", 0, kUsage},
    {"report to standard output", R"("$0" --calculate --report - standard.txt)", 2,
     "nutrient-load: --report writes a file, not standard output.", "", 0, kUsage},
    {"report named in bytes",
     R"sh("$0" --calculate --report "$(printf 'r\377.PDF')" standard.txt >/dev/null && )sh"
     R"sh([ -f "$(printf 'r\377.PDF')" ] && echo kept)sh",
     0, "", "", 0, "kept"},
    {"format for the windows", R"("$0" --format csv standard.txt)", 2,
     "nutrient-load: --format needs --calculate or --basin.", "", 0, kUsage},
    {"report for the windows", R"("$0" --report report.pdf standard.txt)", 2,
     "nutrient-load: --report needs --calculate or --basin.", "", 0, kUsage},
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
    // The analyses of one catchment, with the figures of the standard set.
    {"change", ANALYSE("--format json --change livestock=-30.77"), 0, "", "", 0,
     R"j("L(P)": "1999.7", "L(N)": "9774.8")j"},
    {"change in a spreadsheet's CSV", ANALYSE("--format csv-ru --change point=-10"), 0, "", "", 0,
     "\xEF\xBB\xBF"
     "file;object;case;Lp(P);Lp(N);"},
    {"target reached", ANALYSE("--format json --target P=2000 --levers livestock"), 0, "", "", 0,
     R"("verdict": "reached", "cut": "30.77")"},
    {"target out of reach", ANALYSE("--target P=2000 --levers point"), 0, "", "", 0,
     "Цель недостижима этими рычагами: при сокращении на 100.00 % L(P) = 2990.8 т/год"},
    {"target of two levers", ANALYSE("--format csv --target N=12000 --levers fertiliser,livestock"), 0, "", "", 0,
     R"(,N,12000,"fertiliser,livestock",reached,15.28,)"},
    {"target on a load below its natural part", R"("$0" --calculate --target P=2000 --levers point below.txt)", 1,
     "below.txt: " + QByteArray(kErrorBelowBackground),
     "below.txt: The baseline's results cannot be taken: " + QByteArray(kErrorBelowBackground), 2, ""},
    {"sensitivity", ANALYSE("--sensitivity"), 0, "", "", 0,
     "b(P)                   2757.1       3464.8   707.7         1.139"},
    {"sensitivity step", ANALYSE("--format csv --sensitivity --step 5"), 0, "", "", 0,
     ",b(P),P,5,2944.8,3300.3,355.5,1.139,"},
    {"analysis of a file not read", R"("$0" --calculate --sensitivity missing.txt)", 1,
     failureLine("missing.txt", kFileNotFound), "", 1, ""},
    {"uncertainty", ANALYSE("--format json --uncertainty ranges.csv --draws 100 --target P=3000"), 0, "", "", 0,
     R"j("share_at_most_target": {"L(P)": {"target": "3000", "draws": 35, "percent": "35.00"}})j"},
    {"uncertainty the same for a seed",
     ANALYSE("--format json --uncertainty ranges.csv --seed 7 --draws 500") " > a.json && " ANALYSE(
         "--format json --uncertainty ranges.csv --seed 7 --draws 500") " > b.json && cmp a.json b.json && echo same",
     0, "", "", 0, "same"},
    {"draws written", ANALYSE("--uncertainty ranges.csv --draws 3 --draws-out d.csv") " >/dev/null && cat d.csv", 0, "",
     "", 0, "draw,b(P),N(poultry),L(P),L(N),rejection\r\n1,"},
    {"range file refused", ANALYSE("--uncertainty bad-ranges.csv"), 1,
     "bad-ranges.csv: Line 2: the low end -0.85 is above the high end -1.", "", 1, ""},
    {"range file missing", ANALYSE("--uncertainty none.csv"), 1, failureLine("none.csv", kFileNotFound), "", 1, ""},
    {"observed", ANALYSE("--format json --observed P=2500"), 0, "", "", 0,
     R"j("deviation_percent": "+25.1", "rt_observed": "0.51156", "fitted": {"parameter": "a(P)", "text": "22.5515552144082"})j"},
    {"observed and recomputed", ANALYSE("--format json --observed P=2500"), 0, "", "", 0, R"j("L(P)": "2500.0")j"},
    {"observed beyond the catchment's load", ANALYSE("--observed P=9000 --save-variant f.txt"), 1,
     "f.txt: not saved: no coefficient was fitted.", "", 1, "The measured load exceeds what the catchment receives"},
    {"variant not written", ANALYSE("--change point=-10 --save-variant nowhere/v.txt"), 1,
     failureLine("nowhere/v.txt", kFileNotFound), "", 1, ""},
    {"report of an analysis", ANALYSE("--sensitivity --report r.pdf") " >/dev/null && pdfinfo r.pdf", 0, "", "", 0,
     "Pages:           3\n"},
    {"report of a scenario", ANALYSE("--change livestock=-30 --report r.pdf") " >/dev/null && pdftotext r.pdf -", 0, "",
     "", 0, "Сценарий сокращения нагрузки"},
    {"report of a target",
     ANALYSE("--target P=2000 --levers livestock --report r.pdf") " >/dev/null && pdftotext r.pdf - | tr '\\n' ' '", 0,
     "", "", 0, "Цель достигнута при сокращении на 30.77 %"},
    // A basin and lists of files.
    {"basin", R"("$0" --basin basin.csv)", 0, "", "", 0, "нагрузка на водный объект 6253.0 т/год"},
    {"basin in a spreadsheet's CSV", R"("$0" --basin basin.csv --format csv-ru)", 0, "", "", 0,
     "\xEF\xBB\xBF"
     "line;file;drains_into;"},
    {"basin report",
     R"("$0" --basin basin.csv --report r.pdf >/dev/null && pdfinfo r.pdf | grep Pages && pdftotext -layout r.pdf - )"
     R"(| grep 'Нагрузка на водный объект,' | tr -s ' ')",
     0, "", "", 0, "Pages:           1\n Нагрузка на водный объект, т/год 6253.0 30131.8\n"},
    {"basin file missing", R"("$0" --basin none.csv)", 1, failureLine("none.csv", kFileNotFound), "", 1, ""},
    {"list of files",
     R"(printf 'missing.txt\n\nstandard.txt\n' > list && "$0" --calculate --format csv --files-from list)", 1,
     failureLine("missing.txt", kFileNotFound), "", 1, "missing.txt" + QByteArray(27, ',') + "\r\n" + kComputed},
    // What does not go together, and values that cannot be read.
    {"unknown lever", ANALYSE("--change manure=-10"), 2,
     "nutrient-load: --change: Unknown lever 'manure=-10': point, fertiliser, livestock, livestock-emission, "
     "deposition, concentration or inflow.",
     "", 0, kUsage},
    {"two analyses", ANALYSE("--change point=5 --sensitivity"), 2,
     "nutrient-load: --change and --sensitivity are two analyses: give one at a time.", "", 0, kUsage},
    {"levers and uncertainty", ANALYSE("--uncertainty ranges.csv --target P=1 --levers point"), 2,
     "nutrient-load: --levers and --uncertainty are two analyses: give one at a time.", "", 0, kUsage},
    {"levers alone", ANALYSE("--levers point"), 2, "nutrient-load: --levers needs --target.", "", 0, kUsage},
    {"target alone", ANALYSE("--target P=2000"), 2, "nutrient-load: --target needs --levers or --uncertainty.", "", 0,
     kUsage},
    {"target negative", ANALYSE("--target P=-1 --levers point"), 2,
     "nutrient-load: --target: 'P=-1': the target is negative.", "", 0, kUsage},
    {"lever limited wrongly", ANALYSE("--target P=1 --levers livestock:P"), 2,
     "nutrient-load: --levers: 'livestock:P': the head counts serve both nutrients and cannot be limited to one.", "",
     0, kUsage},
    {"step alone", ANALYSE("--step 5"), 2, "nutrient-load: --step needs --sensitivity.", "", 0, kUsage},
    {"step zero", ANALYSE("--sensitivity --step 0"), 2,
     "nutrient-load: --step: The sensitivity step '0' is outside 0 ... 100: give a percentage above 0.", "", 0, kUsage},
    {"draws alone", ANALYSE("--draws 5"), 2, "nutrient-load: --draws needs --uncertainty.", "", 0, kUsage},
    {"draws zero", ANALYSE("--uncertainty ranges.csv --draws 0"), 2,
     "nutrient-load: --draws: '0' is not a number of draws from 1 to 1000000.", "", 0, kUsage},
    {"draws too many", ANALYSE("--uncertainty ranges.csv --draws 1000001"), 2,
     "nutrient-load: --draws: '1000001' is not a number of draws from 1 to 1000000.", "", 0, kUsage},
    {"seed alone", ANALYSE("--seed 5"), 2, "nutrient-load: --seed needs --uncertainty.", "", 0, kUsage},
    {"seed negative", ANALYSE("--uncertainty ranges.csv --seed -1"), 2,
     "nutrient-load: --seed: '-1' is not a seed: a whole number from 0 to 18446744073709551615.", "", 0, kUsage},
    {"draws out alone", ANALYSE("--draws-out d.csv"), 2, "nutrient-load: --draws-out needs --uncertainty.", "", 0,
     kUsage},
    {"draws out not CSV", ANALYSE("--uncertainty ranges.csv --draws-out d.txt"), 2,
     "nutrient-load: --draws-out needs a name ending in \".csv\": 'd.txt'.", "", 0, kUsage},
    {"draws out over the ranges", ANALYSE("--uncertainty ranges.csv --draws-out ./ranges.csv"), 2,
     "nutrient-load: --draws-out would replace the range file './ranges.csv'.", "", 0, kUsage},
    {"observed not above zero", ANALYSE("--observed P=0"), 2,
     "nutrient-load: --observed: 'P=0': '0' is not a measured load: it must be above zero.", "", 0, kUsage},
    {"observed not a number", ANALYSE("--observed N=abc"), 2,
     "nutrient-load: --observed: " +
         QByteArray::fromStdString(shownFailureText("'N=abc': " + notANumberMessage("abc"))),
     "", 0, kUsage},
    {"fit alone", ANALYSE("--fit b"), 2, "nutrient-load: --fit needs --observed.", "", 0, kUsage},
    {"fit unknown", ANALYSE("--observed P=2500 --fit c"), 2, "nutrient-load: --fit: Unknown coefficient 'c': a or b.",
     "", 0, kUsage},
    {"variant of nothing", ANALYSE("--sensitivity --save-variant v.txt"), 2,
     "nutrient-load: --save-variant needs --change, --target with --levers, or --observed.", "", 0, kUsage},
    {"variant over its parameters file", ANALYSE("--change point=-5 --save-variant ./standard"), 2,
     "nutrient-load: --save-variant would replace the parameters file './standard.txt'.", "", 0, kUsage},
    {"variant not a text file", ANALYSE("--change point=-5 --save-variant v.pdf"), 2,
     "nutrient-load: --save-variant needs a name ending in \"txt\": 'v.pdf'.", "", 0, kUsage},
    {"variant to standard output", ANALYSE("--change point=-5 --save-variant -"), 2,
     "nutrient-load: --save-variant writes a file, not standard output.", "", 0, kUsage},
    {"variant of two targets", ANALYSE("--target P=1,N=1 --levers point --save-variant v.txt"), 2,
     "nutrient-load: --save-variant saves the cut of one target: P=T or N=T.", "", 0, kUsage},
    {"analysis of two files", ANALYSE("--sensitivity water.txt"), 2,
     "nutrient-load: --sensitivity needs exactly one FILE.", "", 0, kUsage},
    {"analysis of a list", ANALYSE("--sensitivity --files-from list"), 2,
     "nutrient-load: --sensitivity needs exactly one FILE, not --files-from.", "", 0, kUsage},
    {"analysis for the windows", R"("$0" --change point=1 standard.txt)", 2,
     "nutrient-load: --change needs --calculate.", "", 0, kUsage},
    {"basin with a computation", R"("$0" --basin basin.csv --calculate)", 2,
     "nutrient-load: --basin and --calculate do not go together.", "", 0, kUsage},
    {"basin with a FILE", R"("$0" --basin basin.csv standard.txt)", 2,
     "nutrient-load: --basin takes no FILE: the basin file names its parameters files.", "", 0, kUsage},
    {"basin with an analysis", R"("$0" --basin basin.csv --sensitivity)", 2,
     "nutrient-load: --sensitivity does not go with --basin.", "", 0, kUsage},
    {"basin report over its basin file", R"(ln -sf basin.csv b.pdf; "$0" --basin basin.csv --report b.pdf)", 2,
     "nutrient-load: --report would replace the basin file 'b.pdf'.", "", 0, kUsage},
    {"basin report over a row's file", R"(ln -sf long.txt long.pdf; "$0" --basin basin.csv --report long.pdf)", 2,
     "nutrient-load: --report would replace the parameters file 'long.pdf'.", "", 0, kUsage},
    {"list for the windows", R"("$0" --files-from list)", 2, "nutrient-load: --files-from needs --calculate.", "", 0,
     kUsage},
    {"standard input as a list and a FILE", R"("$0" --calculate --files-from - -)", 2,
     "nutrient-load: Standard input (\"-\") can be read only once.", "", 0, kUsage},
    {"report of a list", R"("$0" --calculate --report r.pdf --files-from list)", 2,
     "nutrient-load: --report needs exactly one FILE, not --files-from.", "", 0, kUsage},
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
    void savedVariantGivesTheSameTexts_data();
    void savedVariantGivesTheSameTexts();
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
    for (const char* name : {"/\xCF\xE0\xF0.txt", "/r\xFF.PDF"})  // QDir cannot name them
        ::unlink((QFile::encodeName(folder_.path()) + name).constData());
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
    // The file "-" begins as a formula would: a spreadsheet is told it is text.
    QCOMPARE(csv.out, QByteArray::fromStdString(csvHeader()) + kComputed + "missing.txt" + QByteArray(27, ',') +
                          "\r\n" + standardRecord("'-"));

    const Run json = run(R"("$0" --calculate --format json)" + files, kStandard);
    QVERIFY(json.out.startsWith("[\n{") && json.out.endsWith("}\n]\n") && json.out.count('\n') == 5);
    const QJsonArray objects = QJsonDocument::fromJson(json.out).array();
    QCOMPARE(objects.size(), 3);
    QCOMPARE(objects[1]["messages"][0]["text"].toString(), QString::fromStdString(shownFailureText(kFileNotFound)));
    QVERIFY(objects[1]["Rt"]["N"].isNull() && !objects[1]["computed"].toBool());
    QCOMPARE(objects[2]["Rt"]["N"].toDouble(), 0.7357853060224985);

    // Names listed on standard input come after the FILEs, under the one header.
    const Run listed =
        run(R"("$0" --calculate --format csv standard.txt --files-from -)", "missing.txt\nstandard.txt\n");
    QCOMPARE(listed.out, QByteArray::fromStdString(csvHeader()) + kComputed + "missing.txt" + QByteArray(27, ',') +
                             "\r\n" + kComputed);
    // A spreadsheet's on a Russian desktop: a byte-order mark, semicolons, decimal commas.
    const QByteArray russian =
        "\xEF\xBB\xBF" + QByteArray::fromStdString(csvHeader()).replace(',', ';') +
        QByteArray(kComputed).replace(',', ';').replace('.', ',').replace("standard,txt", "standard.txt");
    QCOMPARE(run(R"("$0" --calculate --format csv-ru standard.txt)").out, russian);

    const QList<QByteArray> lines = run(R"("$0" --calculate)" + files, kStandard).out.split('\n');
    QCOMPARE(lines.size(), 3 * 15 + 2 + 1);  // heading, column headings, 13 rows; a blank line between
    QCOMPARE(lines[0], QByteArray("standard.txt: Частный водосбор Финского залива"));
    QCOMPARE(lines[16], QByteArray("missing.txt"));
    QCOMPARE(lines[32], QByteArray("-: Частный водосбор Финского залива"));
}

void CommandLineTest::savedVariantGivesTheSameTexts_data() {
    QTest::addColumn<QString>("analysis");
    QTest::newRow("scenario") << "--change livestock=-30.77";
    QTest::newRow("cut") << "--target N=12000 --levers fertiliser,livestock";
    QTest::newRow("fitted") << "--observed P=2500 --fit b";
}

void CommandLineTest::savedVariantGivesTheSameTexts() {
    QFETCH(QString, analysis);
    const QJsonDocument answer = QJsonDocument::fromJson(
        run(R"("$0" --calculate --format json --save-variant v )" + analysis + " standard.txt").out);
    const QJsonObject variant = (answer.isArray() ? answer[0] : QJsonValue(answer.object()))["variant"].toObject();
    const QJsonValue saved = QJsonDocument::fromJson(run(R"("$0" --calculate --format json v.txt)").out)[0]["results"];
    QCOMPARE(variant.size(), 26);
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients)
            QCOMPARE(variant[QString::fromStdString(resultKey(row.quantity, nutrient))].toString(),
                     saved[row.symbol][nutrientSymbol(nutrient)].toString());
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
