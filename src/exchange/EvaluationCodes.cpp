#include "exchange/EvaluationCodes.h"

#include <array>
#include <utility>

namespace exchange {
namespace {

struct AreaKey {
    std::string_view key;
    std::string_view removed;
    std::string_view type;
};

constexpr std::array<AreaKey, 17> kAreaKeys = {{
    {"Basement", "Basement", "Basement"},
    {"Electric", "Electric", "Electric"},
    {"Plumbing", "Plumbing", "Plumbing"},
    {"Water Heater", "Water Heater", "WaterHt"},
    {"Heating", "Heating", "Heating"},
    {"Laundry", "Laundry", "Laundry"},
    {"Kitchen", "Kitchen", "Kitchen"},
    {"Dining Room", "Dining Room/Living Room", "DiningRoom"},
    {"Bathroom", "Bathroom", "Bathroom"},
    {"Hallways", "Hallways/Stairwells", "Hallway"},
    {"Bedroom", "Bedroom", "Bedroom"},
    {"Sunroom", "Porch/Sunroom/Other", "Sunroom"},
    {"Attic", "Attic Space", "Attic"},
    {"Exterior", "Exterior", "Exterior"},
    {"Unheated Porch", "Open/Unheated Porch", "OpenPorch"},
    {"Garage", "Garage", "Garage"},
    {"Miscellaneous", "Miscellaneous", "Misc"},
}};

struct Item {
    std::string_view area;
    std::string_view item;
    int base;
};

constexpr Item kItems[] = {
    {"Basement", "BsmtStair", 12283}, {"Basement", "BsmtFloor", 12279}, {"Basement", "FoundWalls", 12311},
    {"Basement", "BsmtDamp", 12277}, {"Basement", "FloorSystem", 12310}, {"Basement", "Columns", 12284},
    {"Basement", "BsmtSleepRm", 12281}, {"Basement", "BsmtPlumbing", 12280}, {"Basement", "SumpPumps", 12350},
    {"Basement", "BsmtSmoke", 12282}, {"Basement", "BsmtFixtures", 12278},
    {"Electric", "ServiceInstal", 12349}, {"Electric", "KitchenCirc", 12331}, {"Electric", "LaundryCirc", 12341},
    {"Plumbing", "FloorDrains", 12309}, {"Plumbing", "DWVPiping", 12295}, {"Plumbing", "WSPiping", 12358},
    {"Plumbing", "GasPiping", 12317}, {"Plumbing", "CopperWater", 12286},
    {"WaterHt", "WHInstall", 12356}, {"WaterHt", "WHVent", 12357},
    {"Heating", "HeatPtOp", 12326}, {"Heating", "HeatPtInstall", 12325}, {"Heating", "HeatPTVent", 12327},
    {"Heating", "Incinerator", 12328},
    {"Laundry", "LaundGasPipe", 12339}, {"Laundry", "DryerVent", 12294}, {"Laundry", "LaundPlmbFix", 12340},
    {"Kitchen", "KitchWall", 12335}, {"Kitchen", "KitchDamp", 12329}, {"Kitchen", "KitchFloor", 12332},
    {"Kitchen", "KitchWindSize", 12338}, {"Kitchen", "KitchWindOpen", 12337}, {"Kitchen", "KitchElectFix", 12330},
    {"Kitchen", "KitchPlumbFix", 12334}, {"Kitchen", "KitchWaterFlow", 12336}, {"Kitchen", "KitchGasPipe", 12333},
    {"DiningRoom", "DRWalls", 12291}, {"DiningRoom", "DRDamp", 12287}, {"DiningRoom", "DRHeight", 12290},
    {"DiningRoom", "DRFloor", 12289}, {"DiningRoom", "DRWindSize", 12293}, {"DiningRoom", "DRWindCond", 12292},
    {"DiningRoom", "DRElectFix", 12288},
    {"Bathroom", "BathWall", 12266}, {"Bathroom", "BathDamp", 12262}, {"Bathroom", "BathFloor", 12264},
    {"Bathroom", "BathWindSize", 12269}, {"Bathroom", "BathWindCond", 12268}, {"Bathroom", "BathElecFix", 12263},
    {"Bathroom", "BathPlumbFix", 12265}, {"Bathroom", "BathWaterFlow", 12267},
    {"Hallway", "HallWall", 12323}, {"Hallway", "HallDamp", 12318}, {"Hallway", "HallFloor", 12320},
    {"Hallway", "HallWindCond", 12324}, {"Hallway", "HallElectFix", 12319}, {"Hallway", "HallStair", 12322},
    {"Hallway", "HallSmoke", 12321},
    {"Bedroom", "BedWalls", 12274}, {"Bedroom", "BedDamp", 12270}, {"Bedroom", "BedHeight", 12273},
    {"Bedroom", "BedFloor", 12272}, {"Bedroom", "BedWindSize", 12276}, {"Bedroom", "BedWindCond", 12275},
    {"Bedroom", "BedElecFix", 12271},
    {"Sunroom", "SunrmWall", 12354}, {"Sunroom", "SunrmDamp", 12351}, {"Sunroom", "SunrmHeight", 12353},
    {"Sunroom", "SunrmWinCond", 12355}, {"Sunroom", "SunrmElectFix", 12352},
    {"Attic", "AtticRoof", 12261}, {"Attic", "AtticDamp", 12258}, {"Attic", "AtticElecFix", 12259},
    {"Attic", "AtticMechVent", 12260},
    {"Exterior", "ExFoundation", 12303}, {"Exterior", "ExBsmtWind", 12297}, {"Exterior", "ExDrainage", 12301},
    {"Exterior", "ExWalls", 12307}, {"Exterior", "ExDoors", 12300}, {"Exterior", "ExWindows", 12308},
    {"Exterior", "ExStoop", 12306}, {"Exterior", "ExCornice", 12299}, {"Exterior", "ExRoofCovering", 12305},
    {"Exterior", "ExChimney", 12298}, {"Exterior", "ExElecFix", 12302}, {"Exterior", "ExPlumbing", 12304},
    {"Exterior", "Ex2FamEgress", 12296},
    {"OpenPorch", "PorchFloor", 12348}, {"OpenPorch", "OpenPorchWalls", 12347}, {"OpenPorch", "OpenPorchRoof", 12346},
    {"OpenPorch", "OpenPorchDoors", 12344}, {"OpenPorch", "OpenPorchElect", 12345},
    {"Garage", "GarageRoof", 12315}, {"Garage", "GarageWall", 12316}, {"Garage", "GarageDoors", 12312},
    {"Garage", "GarageOpener", 12314}, {"Garage", "GarageElectric", 12313},
    {"Misc", "MiscClutter", 12342}, {"Misc", "MiscOther", 12343},
};

// The areas in table order, for the search by name.
constexpr std::string_view kAreas[] = {"Basement", "Electric", "Plumbing", "WaterHt", "Heating", "Laundry",
                                       "Kitchen", "DiningRoom", "Bathroom", "Hallway", "Bedroom", "Sunroom",
                                       "Attic", "Exterior", "OpenPorch", "Garage", "Misc"};

struct FixedCode {
    std::string_view item;
    ConditionType type;
    int code;
};

// Codes the programme assigned outside the offset rule.
constexpr FixedCode kFixedCodes[] = {
    {"LaundGasPipe", ConditionType::NA, 16380}, {"BathElecFix", ConditionType::SC, 16116},
    {"ExWindows", ConditionType::SC, 16152},    {"LaundPlmbFix", ConditionType::B, 15775},
    {"AtticElecFix", ConditionType::B, 15704},  {"OpenPorchElect", ConditionType::C, 1587},
    {"ExDrainage", ConditionType::RRE, 15942},
};

int Offset(ConditionType type)
{
    switch (type) {
    case ConditionType::MNo: return 0;
    case ConditionType::NA: return 4047;
    case ConditionType::SC: return 3845;
    case ConditionType::B: return 3441;
    case ConditionType::C: return 3542;
    case ConditionType::RRE: return 3643;
    case ConditionType::RRP: return 3744;
    case ConditionType::LIC: return 3946;
    }
    return 0;
}

std::string RemoveAll(std::string text, std::string_view what)
{
    for (auto p = text.find(what); p != std::string::npos; p = text.find(what, p))
        text.erase(p, what.size());
    return text;
}

} // namespace

EvaluationArea EvaluationCodes::AreaOf(const std::string& title)
{
    EvaluationArea area{title, {}};
    std::string working = title;
    for (const auto& k : kAreaKeys) {
        if (working.find(k.key) == std::string::npos)
            continue;
        area.label = RemoveAll(working, k.removed);
        working = std::string(k.type);
    }
    area.type = working;
    return area;
}

std::optional<int> EvaluationCodes::Code(std::string_view areaType, std::string_view item, ConditionType type)
{
    for (std::string_view area : kAreas) {
        if (areaType.find(area) == std::string_view::npos)
            continue;
        for (const auto& i : kItems) {
            if (i.area != area || i.item != item)
                continue;
            for (const auto& f : kFixedCodes)
                if (f.item == item && f.type == type)
                    return f.code;
            return i.base + Offset(type);
        }
    }
    return std::nullopt;
}

std::optional<ConditionType> EvaluationCodes::TypeOfRating(std::string_view r)
{
    static constexpr std::pair<std::string_view, ConditionType> kRatings[] = {
        {"M", ConditionType::MNo},   {"No", ConditionType::MNo},  {"NA", ConditionType::NA},
        {"SC", ConditionType::SC},   {"B", ConditionType::B},     {"C", ConditionType::C},
        {"RRE", ConditionType::RRE}, {"RRP", ConditionType::RRP}, {"LIC", ConditionType::LIC},
    };
    for (const auto& [name, type] : kRatings)
        if (r == name)
            return type;
    return std::nullopt;
}

} // namespace exchange
