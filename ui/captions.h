#pragma once
// Captions that more than one place shows: the title over the results, and the groups the
// parameters are kept in (the panels of the parameters window, the sections of the report).

#include "model/parameter_set.h"

#include <QString>

#include <array>
#include <optional>

namespace nutrient {

// The title over the results: the results window's, and the report's over its table.
QString resultsTitle();

enum class ParameterGroup {
    Areas,
    Fertilisers,
    CropRemoval,
    Deposition,
    Retention,
    Farms,
    PointSources,
    Inflow,
    Soils
};

// A group holds consecutive lines of the parameters file.
struct ParameterGroupInfo {
    ParameterGroup group;
    const char* caption;   // the panel's own text
    const char* exponent;  // raised after the caption's unit, or nullptr
    Parameter first, last;
};

// In file order of their parameters.  The object name stands above the groups.
inline constexpr std::array<ParameterGroupInfo, 9> kParameterGroups = {{
    {ParameterGroup::Areas, "Площади, км", "2", Parameter::TotalArea, Parameter::NaturalArea},
    {ParameterGroup::Fertilisers, "Внесение минеральных удобрений", nullptr, Parameter::FertiliserP,
     Parameter::FertiliserN},
    {ParameterGroup::CropRemoval, "Вынос с собранным урожаем ", nullptr, Parameter::CropRemovalP,
     Parameter::CropRemovalN},
    {ParameterGroup::Deposition, "Атмосферные выпадения", nullptr, Parameter::DepositionP, Parameter::DepositionN},
    {ParameterGroup::Retention, "Коэф. для расчета удержания и выноса", nullptr, Parameter::RetentionCoefficientP,
     Parameter::RunoffModulus},
    {ParameterGroup::Farms, "Фермы и птицефабрики", nullptr, Parameter::CattleEmissionP, Parameter::Poultry},
    {ParameterGroup::PointSources, "Точечные источники", nullptr, Parameter::PointSourcesP, Parameter::PointSourcesN},
    {ParameterGroup::Inflow, "Поступление извне", nullptr, Parameter::InflowP, Parameter::InflowN},
    {ParameterGroup::Soils, "Эмиссия из почв", nullptr, Parameter::ArableConcentrationP, Parameter::RunoffLayer},
}};

constexpr const ParameterGroupInfo& groupInfo(ParameterGroup group) {
    return kParameterGroups[static_cast<int>(group)];
}

// The group of a parameter; nothing for the object name.
std::optional<ParameterGroup> groupOf(Parameter parameter);

// A group's caption as plain text, its raised exponent as a superscript ("Площади, км²").
QString plainGroupCaption(ParameterGroup group);

}  // namespace nutrient
