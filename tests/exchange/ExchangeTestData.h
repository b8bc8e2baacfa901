#pragma once
// Inspections built with the record classes, and readers that take whole
// categories and steps back out, for the exchange tests and the benchmark.
#include "store/Category.h"
#include "store/Inspection.h"
#include "store/Step.h"

#include <ostream>
#include <string>
#include <vector>

namespace exchange_test {

struct StepData {
    std::string number, title, result, comments, materials, ratingType, string8, materialList, majorSystem,
        summary, bitmap;
    int templateID = 0;
    int yesNo11 = 0;
    int infoExists = 0;
    int pictureBefore = 0;
    bool operator==(const StepData&) const = default;
};

struct CategoryData {
    std::string title, number, string3, comments;
    int complete = 0;
    int notPresent = 0;
    int templateID = 0;
    int type = 0;
    std::vector<StepData> steps;
    bool operator==(const CategoryData&) const = default;
};

// Every field on one line, so that a failed comparison shows them all.
std::string Describe(const StepData& step);
// The category's own fields and its step count.
std::string Describe(const CategoryData& category);
inline void PrintTo(const StepData& step, std::ostream* out) { *out << Describe(step); }

// A new inspection with the given Doc # and document type; returns its ID.
int AddInspection(const std::string& docNumber, const std::string& docType, int docTypeID = 7);
// A category of `inspectionID` with its steps; returns the category's ID.
int AddCategory(int inspectionID, const CategoryData& category);

// Every category of an inspection with its steps, in number order, from the
// working tables or (staged) the staging tables.
std::vector<CategoryData> ReadCategories(int inspectionID, bool staged = false);

// A step with every field filled, made distinct by `n`.
StepData FullStep(int n, const std::string& title);

// An inspection whose categories are `categoryCount` rooms of `stepsPerCategory`
// filled steps each; returns its ID.
int AddLargeInspection(const std::string& docNumber, int categoryCount, int stepsPerCategory);

long long Count(const std::string& sql);
// Rows of the three staging tables together.
long long StagedRows();

// The bytes of a file, empty when it cannot be read.
std::string Contents(const std::string& path);

} // namespace exchange_test
