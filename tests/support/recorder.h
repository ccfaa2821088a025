#pragma once
// Records every box the windows would show, in order, instead of showing it, and answers the
// questions from a list.

#include "model/messages.h"

#include <string>
#include <vector>

struct RecordedBox {
    std::string kind;  // "warning", "error", "failure" or "question"
    std::string text;
    bool operator==(const RecordedBox&) const = default;
};
using Boxes = std::vector<RecordedBox>;

class Recorder : public nutrient::Messages, public nutrient::Questions {
public:
    void warning(const std::string& text) override { boxes.push_back({"warning", text}); }
    void error(const std::string& text) override { boxes.push_back({"error", text}); }
    void failure(const std::string& text) override { boxes.push_back({"failure", text}); }
    // The next of `answers`; with none left, "Отмена", which changes nothing.
    nutrient::Answer ask(const std::string& text) override {
        boxes.push_back({"question", text});
        if (answers.empty()) return nutrient::Answer::Cancel;
        const nutrient::Answer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    Boxes boxes;
    std::vector<nutrient::Answer> answers;
};
