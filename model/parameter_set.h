#pragma once
// The forty parameters of one catchment, held as the texts the user typed, with the two
// derived values (natural area, runoff modulus) and the plausibility warnings on areas.

#include "model/messages.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>

namespace nutrient {

struct ParameterInfo {
    int line;                 // line in the parameters file, 1..40
    const char* field;        // field of the parameters window, "Edit1".."Edit40"
    const char* symbol;       // symbol in the formulas ("" for the object name)
    const char* caption;      // the window's caption for the field (Russian, exact)
    const char* unit;         // unit, for tooltips ("" when dimensionless)
    const char* standardText; // the standard set
};

inline constexpr int kParameterCount = 40;
// In file order.  This table is the one place the parameters are listed.
extern const std::array<ParameterInfo, kParameterCount> kParameters;
// nullptr for an unknown field name.
const ParameterInfo* findParameter(std::string_view field);

// The number of a field name of the windows: "Edit21" -> 21; 0 for any other text.
int fieldNumber(std::string_view field);

inline constexpr const char* kWarnNegativeArea = "Эта величина не может быть отрицательной!";
inline constexpr const char* kWarnWaterShare = "Доля покрытия площади водосбора водой больше 100%!";
inline constexpr const char* kWarnAreaSum = "Площадь водосбора меньше суммы частных площадей!";

class ParameterSet {
public:
    // Starts with the initial texts: the standard set except Edit26 "22440" and Edit20 "9.5".
    explicit ParameterSet(Messages& messages);

    const std::string& getText(std::string_view field) const;
    // Sets a field's text; a text that differs from the current one fires the field's change
    // rule.  A rule that fails reports its failure through Messages::failure and the caller
    // carries on.  Unknown field names throw std::out_of_range.
    void setText(std::string_view field, const std::string& text);

    // All 40 texts, each an ordinary change, in file order (derived fields after their inputs).
    void applyStandard();

    // Anat = A - Af - Au - Amix - W*A/100 into Edit26 (general format).  Throws Failure.
    void deriveNaturalArea();
    // q = y * 0.03171 into Edit20 (general format).  Throws Failure.
    void deriveRunoffModulus();
    // The show rule of the parameters window: natural area, then runoff modulus (skipped when
    // the first fails).  Throws Failure.
    void applyShowRule();
    // The closing checks: area sum, then water share (warnings).  Throws Failure when one of
    // the texts is not a number, which keeps the window open.
    void checkOnClose();

    // Called after every actual change of a field's text (typing, rules, Standart, Open).
    void setChangeListener(std::function<void(const std::string& field)> listener);

    Messages& messages() const { return messages_; }

private:
    void fireChangeRule(const std::string& field);
    long double value(std::string_view field) const;

    Messages& messages_;
    std::size_t indexOf(std::string_view field) const;

    std::array<std::string, kParameterCount + 1> texts_;  // by field number; [0] unused
    std::function<void(const std::string&)> listener_;
};

}  // namespace nutrient
