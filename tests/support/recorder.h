#pragma once
// Records every box the windows would show, in order, instead of showing it.

#include "model/messages.h"

#include <string>
#include <vector>

struct RecordedBox {
    std::string kind;  // "warning", "error" or "failure"
    std::string text;
    bool operator==(const RecordedBox&) const = default;
};

class Recorder : public nutrient::Messages {
public:
    void warning(const std::string& text) override { boxes.push_back({"warning", text}); }
    void error(const std::string& text) override { boxes.push_back({"error", text}); }
    void failure(const std::string& text) override { boxes.push_back({"failure", text}); }
    std::vector<RecordedBox> boxes;
};
