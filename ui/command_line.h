#pragma once
// The program's command line, in Qt's conventions (QCommandLineParser): the windows, with a
// parameters file opened at start, or many catchments computed without a window.

#include "model/batch.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <optional>
#include <string>
#include <vector>

namespace nutrient {

// A command line the program cannot follow: an unknown option, a bad value, options that do
// not go together.
inline constexpr int kExitUsage = 2;

class CommandLine {
public:
    // Also gives the application the name and version --version prints.
    CommandLine();

    // Whether the arguments ask for the windows.  Judged before any application exists, from
    // the raw arguments: a computation (or an option that belongs to one), the help or the
    // version need no display, so they get no windows' application, and neither does an
    // unknown option, whose usage error needs none.  The options only QApplication knows
    // (-platform, -style) are passed over here; QApplication takes them out of the arguments
    // itself.
    bool wantsWindows(int argc, char** argv);

    // Reads the application's arguments.  --help, --help-all and --version print and end the
    // process with status 0, Qt's way.  On a usage error prints a one-line error and the usage
    // on standard error and returns false.
    bool parse(const QStringList& arguments);

    OutputFormat format() const;
    // The PDF report's file name, when --report asks for one.
    std::optional<std::string> reportFileName() const;
    // The FILE arguments as the bytes the system gave (argc and argv as the application left
    // them), so that a name that is not UTF-8 still opens.
    std::vector<std::string> fileNames(int argc, char** argv) const;

private:
    bool calculates() const { return parser_.isSet(calculate_); }
    // Why the options cannot be followed together; empty when they can.
    QString misuse() const;

    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption calculate_;
    QCommandLineOption format_;
    QCommandLineOption report_;
};

}  // namespace nutrient
