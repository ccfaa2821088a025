#include "file_calculation.h"

#include "parameters_file.h"

namespace nutrient {

namespace {

// The texts typed in, each an ordinary change firing its field's rule; false when they could
// not be worked out, and then nothing is typed.
bool typedIn(ParameterSet& parameters, const ChangesAfterOpen& changesAfterOpen, Messages& messages) {
    if (!changesAfterOpen) return true;
    return guarded(messages, [&] {
        for (const ParameterChange& change : changesAfterOpen(parameters.texts()))
            parameters.setText(change.parameter, change.text);
    });
}

}  // namespace

// Each of the user's steps is a handler of its own: its failure is reported and stops it alone.
bool openFile(ParameterSet& parameters, const std::string& fileName, Messages& messages, Waiting waiting) {
    if (fileName == "-") return guarded(messages, [&] { loadParametersFromStandardInput(parameters); });
    if (!hasTextExtension(fileName)) {
        loadParameters(parameters, fileName, messages);  // warns and reads nothing
        return false;
    }
    return guarded(messages, [&] { loadParameters(parameters, fileName, messages, waiting); });
}

std::optional<std::string> FileCalculation::reasonNotTaken() const {
    if (computed) return rejection();
    return messages.empty() ? std::string() : messages.back().shown();
}

FileCalculation calculateFile(const std::string& fileName, Waiting waiting) {
    return calculateFile(fileName, ChangesAfterOpen(), waiting);
}

FileCalculation calculateFile(const std::string& fileName, const ChangesAfterOpen& changesAfterOpen, Waiting waiting) {
    MessageLog log;
    ParameterSet parameters(log);
    FileCalculation result;
    guarded(log, [&] { parameters.applyShowRule(); });
    result.opened = openFile(parameters, fileName, log, waiting);
    if (result.opened && typedIn(parameters, changesAfterOpen, log)) {
        result.notes = derivedValueNotes(parameters.texts());
        guarded(log, [&] { parameters.checkOnClose(); });
        calculateAndCheck(parameters, result, log);
    }
    result.messages = std::move(log.messages);
    return result;
}

}  // namespace nutrient
