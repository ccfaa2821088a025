#include "file_calculation.h"

#include "parameters_file.h"

namespace nutrient {

namespace {

// "Open" with the file; false when it was refused or could not be read.  Each of the user's
// steps is a handler of its own: its failure is reported and stops it alone.
bool opened(ParameterSet& parameters, const std::string& fileName, Waiting waiting, Messages& messages) {
    if (fileName == "-") return guarded(messages, [&] { loadParametersFromStandardInput(parameters); });
    if (!hasTextExtension(fileName)) {
        loadParameters(parameters, fileName, messages);  // warns and reads nothing
        return false;
    }
    return guarded(messages, [&] { loadParameters(parameters, fileName, messages, waiting); });
}

}  // namespace

FileCalculation calculateFile(const std::string& fileName, Waiting waiting) {
    MessageLog log;
    ParameterSet parameters(log);
    FileCalculation result;
    guarded(log, [&] { parameters.applyShowRule(); });
    result.opened = opened(parameters, fileName, waiting, log);
    if (result.opened) {
        result.notes = derivedValueNotes(parameters.texts());
        guarded(log, [&] { parameters.checkOnClose(); });
        calculateAndCheck(parameters, result, log);
    }
    result.messages = std::move(log.messages);
    return result;
}

}  // namespace nutrient
