#include "ui/program.h"

#include "model/number_text.h"

#include <QApplication>
#include <QLocale>

#include <clocale>

namespace nutrient {

Program::Program() : Program(boxes_) {}

Program::Program(Messages& messages)
    : messages_(messages), parameters_(messages_) {}

void takeRegionalSeparators() {
    const QLocale regional = QLocale::system();
    setSeparators({regional.decimalPoint().toStdString(), regional.groupSeparator().toStdString()});
    std::setlocale(LC_NUMERIC, "C");
}

int runProgram(const char* programName, const std::function<void(QWidget&)>& onShown) {
    int argc = 1;
    char* argv[] = {const_cast<char*>(programName), nullptr};
    QApplication application(argc, argv);
    takeRegionalSeparators();
    Program program;
    program.mainWindow().show();
    if (onShown) onShown(program.mainWindow());
    return application.exec();
}

}  // namespace nutrient
