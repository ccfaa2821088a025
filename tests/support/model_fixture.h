#pragma once
// The three model objects of a running program with a recorder for its boxes, the text of the
// failure an action stops with, and a box as the messages stream of a windowless run writes it.

#include "model/load_calculation.h"
#include "model/parameter_set.h"
#include "recorder.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Parameter texts a test sets, in order.
using Edits = std::vector<std::pair<nutrient::Parameter, const char*>>;

// The model as the program holds it; by default set to the standard set, with the boxes that
// took recorded nowhere.
template <class BoxRecorder = Recorder>
struct BasicModel {
    BoxRecorder recorder;
    nutrient::ParameterSet parameters{recorder};
    nutrient::LoadResults results;
    nutrient::TransportCoefficients coefficients;

    explicit BasicModel(bool standard = true) {
        if (standard) parameters.applyStandard();
        recorder.boxes.clear();
    }
    // Sets the texts, and forgets the boxes their change rules showed.
    void edit(const Edits& edits) {
        for (const auto& [parameter, text] : edits) parameters.setText(parameter, text);
        recorder.boxes.clear();
    }
};
using Model = BasicModel<>;

// The message of the Failure the action stops with; empty when it completes.
inline std::string failureText(const std::function<void()>& action) {
    try {
        action();
    } catch (const nutrient::Failure& failure) {
        return failure.what();
    }
    return "";
}

// A box on the messages stream as a test expects it: the file, then the box's text as it is
// shown (see shownFailureText).
inline std::string fileLine(const std::string& file, const std::string& shownText) {
    return file + ": " + shownText + "\n";
}
