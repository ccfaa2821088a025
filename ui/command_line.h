#pragma once
// The program's command line, in Qt's conventions (QCommandLineParser): the windows, with a
// parameters file opened at start, or catchments computed without a window.  The whole command
// line is read before any application exists, so that nothing it says can end in an
// application that needs a display the computation does not have.

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

    enum class Request { Windows, Computation, Information, UsageError };
    // Reads the arguments, Qt's own options (-platform, -style, -reverse …) and their values
    // left to the windows' application.  A usage error is printed here, a one-line error and
    // the usage on standard error.
    Request read(int argc, char** argv);
    // Prints the help (--help, --help-all) or the version and returns the exit status.
    int printInformation();

    // The arguments without Qt's own options: what an application of the computation takes,
    // so that it neither looks for a platform nor lays its pages out right to left.
    std::vector<std::string>& programArguments() { return programArguments_; }

    OutputFormat format() const;
    // The PDF report's file name, when --report asks for one, as the bytes the system gave.
    std::optional<std::string> reportFileName() const;
    // The FILE arguments as the bytes the system gave, so that a name that is not UTF-8 opens.
    std::vector<std::string> fileNames() const;

private:
    bool calculates() const { return parser_.isSet(calculate_); }
    // Why the options cannot be followed together; empty when they can.
    QString misuse() const;
    QString reportMisuse() const;
    // An argument's bytes; arguments are read as Latin-1 so that every byte comes back.
    static std::string bytesOf(const QString& argument) { return argument.toLatin1().toStdString(); }

    std::vector<std::string> programArguments_;
    QStringList arguments_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption calculate_;
    QCommandLineOption format_;
    QCommandLineOption report_;
};

}  // namespace nutrient
