#include "ui/program.h"

#include "model/number_text.h"

#include <QApplication>
#include <QLocale>

#include <clocale>

namespace nutrient {

Program::Program() : Program(boxes_, qtFileDialogs_) {}

Program::Program(Messages& messages, FileDialogs& fileDialogs)
    : parameters_(messages),
      form2_(parameters_, messages, fileDialogs),
      form3_(parameters_, results_, retention_, messages),
      form5_(results_, retention_, messages),
      form6_(results_, messages) {
    form1_.setWindows(form2_, form3_, form4_, form7_);
    form3_.setChartWindows(form5_, form6_);
}

void takeRegionalSeparators() {
    const QLocale regional = QLocale::system();
    setSeparators({regional.decimalPoint().toStdString(), regional.groupSeparator().toStdString()});
    std::setlocale(LC_NUMERIC, "C");
}

int runInApplication(const char* programName, const std::function<int()>& run) {
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QApplication application(argc, argv);
    takeRegionalSeparators();
    return run();
}

int runProgram(const char* programName, const std::function<void(QWidget&)>& onShown) {
    return runInApplication(programName, [&] {
        Program program;
        program.mainWindow().show();
        if (onShown) onShown(program.mainWindow());
        return QApplication::exec();
    });
}

}  // namespace nutrient
