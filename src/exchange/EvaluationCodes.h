#pragma once
// The vocabulary of the Minneapolis truth-in-sale-of-housing evaluation: which
// evaluation area a category is (worked out from its title) and the numeric
// code of a condition of an item in an area.
#include <optional>
#include <string>
#include <string_view>

namespace exchange {

struct EvaluationArea {
    std::string type;  // for example "Bedroom"; the whole title when no key matches
    std::string label; // what tells the area apart, for example " 2"
};

enum class ConditionType { MNo, NA, SC, B, C, RRE, RRP, LIC };

class EvaluationCodes {
public:
    // The area of a category. The area keys are tried in a fixed order, each
    // searched in the text left by the previous match; a match makes the label
    // the text with the key's removal text deleted and the text the area type.
    static EvaluationArea AreaOf(const std::string& categoryTitle);

    // The code of a condition of `item` in an area of type `areaType` (an area
    // of the table matches when its name occurs in the area type), or nothing
    // when the table holds no such item for that area.
    static std::optional<int> Code(std::string_view areaType, std::string_view item, ConditionType type);

    // The condition type a rating names, or nothing for ratings that carry no
    // condition: "M" and "No", "NA", "SC", "B", "C", "RRE", "RRP", "LIC".
    static std::optional<ConditionType> TypeOfRating(std::string_view rating);
};

} // namespace exchange
