#include "uncertainty_ranges.h"

#include "csv.h"
#include "file_system.h"
#include "number_text.h"
#include "variant.h"

#include <array>
#include <map>

namespace nutrient {

namespace {

constexpr std::array<const char*, 4> kHeader = {"parameter", "low", "high", "distribution"};

std::string headerLine() {
    std::string line;
    for (const char* name : kHeader) line += line.empty() ? name : std::string(",") + name;
    return line;
}

struct DistributionInfo {
    Distribution distribution;
    const char* name;
    const char* caption;
};
constexpr std::array<DistributionInfo, 2> kDistributions = {{
    {Distribution::Uniform, "uniform", "равномерное"},
    {Distribution::Triangular, "triangular", "треугольное"},
}};

std::string location(std::size_t line, std::string_view field) {
    std::string where = "Line " + std::to_string(line);
    if (!field.empty()) where += ", " + std::string(field);
    return where;
}

// Runs a check of one line of a ranges file; its failure comes out naming the line and field.
template <class Check>
void checkAt(std::size_t line, std::string_view field, Check&& check) {
    try {
        check();
    } catch (const Failure& failure) {
        throw Failure(location(line, field) + ": " + failure.what());
    }
}

const std::string& textOf(const ParameterTexts& texts, Parameter parameter) {
    return texts[static_cast<int>(parameter)];
}

UncertaintyRange rangeOfRecord(const CsvRecord& record, const ParameterTexts& texts,
                               std::map<Parameter, std::size_t>& lineOfParameter) {
    const std::size_t line = record.line;
    const std::vector<std::string>& fields = record.fields;
    if (fields.size() != kHeader.size())
        throw Failure(location(line, "") + ": 4 fields expected (" + headerLine() + "), " +
                      std::to_string(fields.size()) + " found");
    UncertaintyRange range{};
    checkAt(line, kHeader[0], [&] {
        const std::optional<Parameter> parameter = parameterOfSymbol(fields[0]);
        if (!parameter)
            throw Failure(readableQuote(fields[0]) + " is not a parameter symbol (such as 'b(P)' or 'Kf(P, cattle)')");
        checkCanBeRanged(*parameter);
        const auto [earlier, first] = lineOfParameter.emplace(*parameter, line);
        if (!first)
            throw Failure(readableQuote(fields[0]) + " has a range on line " + std::to_string(earlier->second) +
                          " already");
        range.parameter = *parameter;
    });
    range.low = fields[1];
    range.high = fields[2];
    checkAt(line, kHeader[1], [&] { rangeEnd(range.low, textOf(texts, range.parameter)); });
    checkAt(line, kHeader[2], [&] { rangeEnd(range.high, textOf(texts, range.parameter)); });
    checkAt(line, kHeader[3], [&] {
        const std::optional<Distribution> distribution = distributionNamed(fields[3]);
        if (!distribution) throw Failure(readableQuote(fields[3]) + " is neither 'uniform' nor 'triangular'");
        range.distribution = *distribution;
    });
    checkAt(line, "", [&] { resolveRange(range, texts); });
    return range;
}

}  // namespace

const char* distributionName(Distribution distribution) { return kDistributions[static_cast<int>(distribution)].name; }

const char* distributionCaption(Distribution distribution) {
    return kDistributions[static_cast<int>(distribution)].caption;
}

std::optional<Distribution> distributionNamed(std::string_view name) {
    for (const DistributionInfo& info : kDistributions)
        if (name == info.name) return info.distribution;
    return std::nullopt;
}

bool canBeRanged(Parameter parameter) {
    return parameter != Parameter::ObjectName && parameter != Parameter::NaturalArea &&
           parameter != Parameter::RunoffModulus;
}

void checkCanBeRanged(Parameter parameter) {
    if (parameter == Parameter::ObjectName) throw Failure("the object name cannot be given a range");
    if (!canBeRanged(parameter))
        throw Failure(readableQuote(info(parameter).symbol) +
                      " is derived from other parameters and cannot be given a range: give their ranges instead");
}

long double rangeEnd(std::string_view end, const std::string& valueText) {
    if (!end.ends_with('%')) return parseNumber(end);
    const std::string_view percent = end.substr(0, end.size() - 1);
    const std::size_t first = percent.find_first_not_of(' ');
    if (first == std::string_view::npos || (percent[first] != '+' && percent[first] != '-'))
        throw Failure(readableQuote(end) + " is a percentage without its sign: write '-10%' or '+10%'");
    long double change = 0;
    try {
        change = parseNumber(percent);
    } catch (const Failure&) {
        throw Failure(notANumberMessage(end));
    }
    return parseNumber(changedByPercent(valueText, change));
}

ResolvedRange resolveRange(const UncertaintyRange& range, const ParameterTexts& texts) {
    checkCanBeRanged(range.parameter);
    const std::string& valueText = textOf(texts, range.parameter);
    const long double value = parseNumber(valueText);
    const long double low = rangeEnd(range.low, valueText);
    const long double high = rangeEnd(range.high, valueText);
    if (low > high)
        throw Failure("the low end " + formatGeneral(low) + " is above the high end " + formatGeneral(high));
    if (range.distribution == Distribution::Triangular && (value < low || value > high))
        throw Failure("a triangular range must hold the value " + formatGeneral(value) + ", its most likely one");
    checkedFinite(high - low);
    return {range.parameter, range.distribution, low, high, value};
}

std::vector<ResolvedRange> resolveRanges(const std::vector<UncertaintyRange>& ranges, const ParameterTexts& texts) {
    std::vector<ResolvedRange> resolved;
    for (const UncertaintyRange& range : ranges) {
        checkCanBeRanged(range.parameter);  // its message names the parameter
        try {
            resolved.push_back(resolveRange(range, texts));
        } catch (const Failure& failure) {
            throw Failure(std::string(info(range.parameter).symbol) + ": " + failure.what());
        }
    }
    return resolved;
}

std::vector<UncertaintyRange> readRanges(std::string_view csv, const ParameterTexts& texts) {
    const std::vector<CsvRecord> records = parseCsv(csv);
    if (records.empty() || records.front().fields != std::vector<std::string>(kHeader.begin(), kHeader.end()))
        throw Failure(location(records.empty() ? 1 : records.front().line, "") + ": the header must be '" +
                      headerLine() + "'");
    std::vector<UncertaintyRange> ranges;
    std::map<Parameter, std::size_t> lineOfParameter;
    for (std::size_t i = 1; i < records.size(); ++i)
        ranges.push_back(rangeOfRecord(records[i], texts, lineOfParameter));
    return ranges;
}

std::vector<UncertaintyRange> loadRanges(const std::string& fileName, const ParameterTexts& texts) {
    return readRanges(readFile(fileName), texts);
}

std::string rangesCsv(const std::vector<UncertaintyRange>& ranges) {
    std::string csv = headerLine() + "\r\n";
    for (const UncertaintyRange& range : ranges)
        csv += csvField(info(range.parameter).symbol) + "," + csvField(range.low) + "," + csvField(range.high) + "," +
               distributionName(range.distribution) + "\r\n";
    return csv;
}

}  // namespace nutrient
