#include "file_calculation.h"

#include "parameters_file.h"

namespace nutrient {

namespace {

// One of the user's steps, a handler of its own: its failure is reported and stops it alone.
template <class Step>
bool reported(Messages& messages, Step&& step) {
    try {
        step();
        return true;
    } catch (const Failure& failure) {
        messages.failure(failure.what());
        return false;
    }
}

// "Open" with the file; false when it was refused or could not be read.
bool opened(ParameterSet& parameters, const std::string& fileName) {
    if (fileName == "-") return reported(parameters.messages(), [&] { loadParametersFromStandardInput(parameters); });
    if (!hasTextExtension(fileName)) {
        loadParameters(parameters, fileName);  // warns and reads nothing
        return false;
    }
    return reported(parameters.messages(), [&] { loadParameters(parameters, fileName); });
}

}  // namespace

FileCalculation calculateFile(const std::string& fileName) {
    MessageLog log;
    ParameterSet parameters(log);
    FileCalculation result;
    reported(log, [&] { parameters.applyShowRule(); });
    result.opened = opened(parameters, fileName);
    if (result.opened) {
        reported(log, [&] { parameters.checkOnClose(); });
        result.computed = reported(log, [&] { calculate(parameters, result.results, result.shared); });
        if (result.computed) reported(log, [&] { checkLoadAgainstBackground(result.results, log); });
        result.parameters = parameters.texts();
    }
    result.messages = std::move(log.messages);
    return result;
}

}  // namespace nutrient
