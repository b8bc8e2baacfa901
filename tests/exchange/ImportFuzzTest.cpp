// Thousands of damaged export files: the importer never crashes, and it stores
// either a whole, consistent file or nothing at all.
#include "ExchangeTestData.h"

#include "exchange/InspectionExporter.h"
#include "exchange/InspectionImporter.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

using namespace exchange_test;

namespace {

const int kInspectionDb = static_cast<int>(store::DatabaseKind::Inspection);

// Damages a file the ways files get damaged: flipped and random bytes, cut
// ends, separators doubled or dropped, pieces moved or repeated.
class Mutator {
public:
    explicit Mutator(std::uint32_t seed) : m_random(seed) {}

    std::string Mutate(std::string s)
    {
        const int rounds = 1 + static_cast<int>(Next(3));
        for (int r = 0; r < rounds; ++r) {
            if (s.empty())
                s = "\xA7";
            const std::size_t at = Next(s.size());
            switch (Next(9)) {
            case 0: s[at] = static_cast<char>(Next(256)); break;
            case 1: s.resize(at); break;
            case 2: s.insert(at, std::string(1 + Next(3), Next(2) ? '\xA4' : '\xA7')); break;
            case 3: { // drop a separator or terminator
                const auto p = s.find(Next(2) ? '\xA4' : '\xA7', at);
                if (p != std::string::npos)
                    s.erase(p, 1);
                break;
            }
            case 4: s.erase(at, Next(40)); break;
            case 5: { // repeat a piece elsewhere
                const std::string piece = s.substr(Next(s.size()), Next(60));
                s.insert(Next(s.size()), piece);
                break;
            }
            case 6: { // random noise
                std::string noise;
                for (std::size_t i = Next(30); i > 0; --i)
                    noise += static_cast<char>(Next(256));
                s.insert(at, noise);
                break;
            }
            case 7: { // a record in the wrong place
                static const char* records[] = {"STEP\xA4" "9\xA4Stray\xA7", "CATEGORY\xA4Stray\xA7",
                                                "INSPECTION\xA4Stray\xA7", "\xA7\xA7"};
                s.insert(at, records[Next(4)]);
                break;
            }
            default: { // a field made longer with separator bytes inside
                s.insert(at, "x\xA4y");
                break;
            }
            }
        }
        return s;
    }

    std::size_t Next(std::size_t bound) { return bound == 0 ? 0 : m_random() % bound; }

private:
    std::mt19937 m_random;
};

class ImportFuzzTest : public testing_support::DataFilesTest {
protected:
    static std::string Counters()
    {
        return testing_support::QueryText(kInspectionDb,
                                          "SELECT group_concat(TableName || '=' || NextID) FROM UniqueID");
    }
};

TEST_F(ImportFuzzTest, DamagedFilesStoreAllOrNothing)
{
    const int id = AddLargeInspection("FUZZ", 3, 4);
    AddCategory(id, CategoryData{"Not present", "9", "", "", 0, -1, 0, 0, {}});
    exchange::ExportOutcome exported;
    const std::string sample = exchange::InspectionExporter().Build(id, exported).value_or("");
    ASSERT_FALSE(sample.empty());
    Mutator mutator(20240704);
    int imported = 0, refused = 0, remarked = 0;
    for (int i = 0; i < 5000; ++i) {
        const std::string bytes = mutator.Mutate(sample);
        const std::string counters = Counters();
        port.messages.clear();
        const auto outcome = exchange::InspectionImporter().ImportBytes(bytes);
        if (!outcome.imported) {
            ++refused;
            ASSERT_EQ(StagedRows(), 0) << "case " << i;
            ASSERT_EQ(Counters(), counters) << "case " << i;
            ASSERT_FALSE(port.messages.empty()) << "case " << i << ": refused without a word";
            continue;
        }
        ++imported;
        remarked += !outcome.remarks.empty();
        // The rows counted, and none without its parent.
        ASSERT_EQ(testing_support::QueryText(
                      kInspectionDb,
                      "SELECT (SELECT count(*) FROM MERGE_Inspection) || '|' || (SELECT count(*) FROM MERGE_Category) "
                      "|| '|' || (SELECT count(*) FROM MERGE_Step) || '|' || (SELECT count(*) FROM MERGE_Category "
                      "WHERE InspectionID NOT IN (SELECT InspectionID FROM MERGE_Inspection)) || '|' || (SELECT "
                      "count(*) FROM MERGE_Step WHERE CategoryID NOT IN (SELECT CategoryID FROM MERGE_Category))"),
                  std::to_string(outcome.stagedInspectionIDs.size()) + "|" + std::to_string(outcome.categories) + "|" +
                      std::to_string(outcome.steps) + "|0|0")
            << "case " << i;
        testing_support::Exec(kInspectionDb, "DELETE FROM MERGE_Step; DELETE FROM MERGE_Category; DELETE FROM "
                                             "MERGE_Inspection;");
    }
    // Every outcome was exercised, so the checks above checked something: only
    // a damaged beginning refuses a file; other damage costs records, named.
    EXPECT_GT(imported, 100);
    EXPECT_GT(remarked, 100);
    EXPECT_GT(refused, 10);
}

} // namespace
