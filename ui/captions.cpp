#include "ui/captions.h"

namespace nutrient {

namespace {

constexpr bool groupsFollowTheFile() {
    int next = static_cast<int>(Parameter::TotalArea);
    for (int i = 0; i < static_cast<int>(kParameterGroups.size()); ++i) {
        const ParameterGroupInfo& info = kParameterGroups[i];
        if (static_cast<int>(info.group) != i || static_cast<int>(info.first) != next) return false;
        next = static_cast<int>(info.last) + 1;
    }
    return next == kParameterCount;
}
static_assert(groupsFollowTheFile(), "the groups must hold the lines of the file in order, each once");

// A raised exponent written as its superscript character.
QString superscript(const char* exponent) {
    const QString digit = QString::fromLatin1(exponent);
    return digit == QLatin1String("2")   ? QStringLiteral("²")
           : digit == QLatin1String("3") ? QStringLiteral("³")
                                         : digit;
}

}  // namespace

QString resultsTitle() { return QStringLiteral("Результаты расчета формирования биогенной нагрузки, т/год"); }

std::optional<ParameterGroup> groupOf(Parameter parameter) {
    for (const ParameterGroupInfo& info : kParameterGroups)
        if (parameter >= info.first && parameter <= info.last) return info.group;
    return std::nullopt;
}

QString plainGroupCaption(ParameterGroup group) {
    const ParameterGroupInfo& info = groupInfo(group);
    QString caption = QString::fromUtf8(info.caption).trimmed();
    if (info.exponent) caption += superscript(info.exponent);
    return caption;
}

}  // namespace nutrient
