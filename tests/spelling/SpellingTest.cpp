// Spelling: which words of an inspector's text are checked, the dictionaries,
// the personal word list across a restart, and the walk over an inspection.
#include "editing/CommentText.h"
#include "spelling/InspectionSpelling.h"
#include "spelling/SpellChecker.h"
#include "store/Database.h"
#include "store/StarterLibrary.h"
#include "store/Step.h"
#include "support/RunCommand.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <sstream>

namespace {

using spelling::SpellChecker;

std::vector<std::string> Words(const std::vector<spelling::Misspelling>& found)
{
    std::vector<std::string> words;
    for (const auto& m : found)
        words.push_back(m.word);
    return words;
}

TEST(SpellingTest, OnlyTheTyposOfAnInspectorsTextAreFoundAndTheStarterLibraryHasNone)
{
    const SpellChecker english(spelling::kEnglish);
    ASSERT_TRUE(english.Available()) << english.Problem();
    const std::string text =
        "{\\b The soffit\\b0} shows efflorescence;\\par GFCI and AFCI at the TPR valve ***Picture-3;Scaling=50*** "
        "and ***Path=/home/ann/photos/flahsing roof.jpg;Scaling=40*** the ^Locaton^ downspouts recieve water.\\line "
        "Doc # J-1024, 2nd floor, see www.exampel.com or ann@exampel.com. Don't flahsing the well-maintained "
        "deck.";
    const auto found = english.Check(text);
    EXPECT_EQ(Words(found), (std::vector<std::string>{"recieve", "flahsing"}));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(text.substr(found[1].offset, found[1].length), "flahsing");

    const auto suggestions = english.Suggest("recieve");
    EXPECT_NE(std::find(suggestions.begin(), suggestions.end(), "receive"), suggestions.end());
    EXPECT_LE(suggestions.size(), static_cast<std::size_t>(spelling::kMaxSuggestions));

    // The French layout checks in French, accents included.
    const SpellChecker french(spelling::LanguageForLayout("2 Column French"));
    ASSERT_TRUE(french.Available()) << french.Problem();
    EXPECT_TRUE(french.Check("La fen\xC3\xAAtre du caf\xC3\xA9 de Zo\xC3\xAB est fissur\xC3\xA9" "e.").empty());
    EXPECT_EQ(Words(french.Check("La fenettre est fissur\xC3\xA9" "e.")), std::vector<std::string>{"fenettre"});
    EXPECT_EQ(spelling::LanguageForLayout("4 Column"), spelling::kEnglish);

    const SpellChecker missing("xx_NONE");
    EXPECT_FALSE(missing.Available());
    EXPECT_NE(missing.Problem().find("install the package"), std::string::npos);
    EXPECT_TRUE(missing.Check("recieve").empty());

    // The stock comments, step names and information texts, materials, fields and
    // pick lists of the starter library are checked in the language of their
    // document type.
    std::vector<std::string> wrong;
    const std::set<std::string> prose = {"comment", "material", "step", "info", "category", "entry", "adds", "field"};
    // Pick lists whose placeholders only the French texts use are French;
    // lists of people and towns hold names, not words.
    std::set<std::string> frenchPickers, otherPickers;
    for (const auto& file : store::StarterLibraryTexts()) {
        auto& into = file.name == "french.txt" ? frenchPickers : otherPickers;
        for (std::size_t at = file.text.find('^'); at != std::string::npos; at = file.text.find('^', at + 1)) {
            const auto close = file.text.find('^', at + 1);
            if (close == std::string::npos)
                break;
            into.insert(file.text.substr(at + 1, close - at - 1));
            at = close;
        }
    }
    for (const auto& name : otherPickers)
        frenchPickers.erase(name);
    const auto holdsNames = [](const std::string& picker) {
        return picker.find("Realtor") != std::string::npos || picker.find("Agent") != std::string::npos ||
               picker.find("CityStateZip") != std::string::npos;
    };
    for (const auto& file : store::StarterLibraryTexts()) {
        if (file.name.size() < 4 || file.name.compare(file.name.size() - 4, 4, ".txt") != 0)
            continue;
        const SpellChecker* checker = file.name == "french.txt" ? &french : &english;
        std::istringstream lines(file.text);
        std::string line;
        while (std::getline(lines, line)) {
            const auto start = line.find_first_not_of(' ');
            if (start == std::string::npos || line[start] == '#')
                continue;
            // "keyword text | option=value": the text without the keyword,
            // the options and a leading bracket code.
            std::string body = line.substr(start);
            const auto space = body.find(' ');
            const std::string keyword = body.substr(0, space);
            if (keyword == "doctype")
                checker = body.find("layout=2 Column French") != std::string::npos ? &french : &english;
            if (keyword == "picker") {
                const std::string name = body.substr(space + 1);
                checker = holdsNames(name) ? nullptr : frenchPickers.count(name) ? &french : &english;
            }
            if (!prose.count(keyword) || !checker)
                continue;
            body = space == std::string::npos ? std::string() : body.substr(space + 1);
            for (const auto& m : checker->Check(editing::DropBracketCode(body.substr(0, body.find(" | ")))))
                wrong.push_back(file.name + ": " + m.word);
        }
    }
    std::string all;
    for (const auto& w : wrong)
        all += w + "\n";
    EXPECT_TRUE(wrong.empty()) << all;
}

class InspectionSpellingTest : public testing_support::DataFilesTest {
protected:
    void SetUp() override
    {
        DataFilesTest::SetUp();
        setenv("INSPECTOR_APPDATA", folder.File("app").c_str(), 1);
        testing_support::Exec(1, "INSERT INTO Inspection (InspectionID, InspectionNum, InspectionComments) VALUES "
                                 "(1, 'SP-1', 'A general coment.')");
        testing_support::Exec(1, "INSERT INTO Category (CategoryID, InspectionID, CategoryTitle, CategoryNumber, "
                                 "CategoryComments) VALUES (2, 1, 'Roof', '130', 'Seen from the eaves.')");
        testing_support::Exec(1, "INSERT INTO Field (ID, CategoryID, FieldLabel, AssignedValue) VALUES "
                                 "(3, 2, 'Weather', 'Claer and dry')");
        testing_support::Exec(1, "INSERT INTO Step (StepID, CategoryID, StepTitle, StepNumber, Comments) VALUES "
                                 "(4, 2, 'Flashing', '1', 'Flashing would recieve sealant.'), "
                                 "(5, 2, 'Gutters', '2', 'Gutters recieve debris; recieve often.')");
    }
    void TearDown() override
    {
        unsetenv("INSPECTOR_APPDATA");
        DataFilesTest::TearDown();
    }
    const int inspectionID = 1;
};

TEST_F(InspectionSpellingTest, ChangeAllCorrectsEveryPlaceAndSavesThem)
{
    auto places = spelling::InspectionTexts(inspectionID);
    ASSERT_TRUE(places);
    std::vector<std::string> where;
    for (const auto& p : *places)
        where.push_back(spelling::Describe(p));
    EXPECT_EQ(where, (std::vector<std::string>{"General Comment", "Roof (category comment)", "Roof / Weather (field)",
                                               "Roof / Flashing", "Roof / Gutters"}));

    const SpellChecker checker(spelling::kEnglish);
    const auto changed = spelling::ChangeAll(*places, checker, "recieve", "receive");
    ASSERT_EQ(changed, 3);
    store::Step steps;
    ASSERT_TRUE(steps.OpenByCategory((*places)[1].rowID));
    ASSERT_EQ(steps.GetCount(), 2);
    steps.Read(1);
    EXPECT_EQ(steps.m_Comments, "Gutters receive debris; receive often.");

    (*places)[2].text = spelling::ReplaceAt((*places)[2].text, 0, 5, "Clear");
    ASSERT_TRUE(spelling::SaveText((*places)[2]));
    EXPECT_EQ(testing_support::QueryText(1, "SELECT AssignedValue FROM Field"), "Clear and dry");
}

// A word added to the dictionary is still known to a program started later.
TEST_F(InspectionSpellingTest, AddedWordsSurviveARestartAndTheToolReportsWhatIsLeft)
{
    const std::string spell = "spell SP-1 --template '" + templatePath + "' --inspection '" + inspectionPath + "'";
    const auto before = testing_support::RunCli(folder, spell);
    EXPECT_EQ(before.status, 3) << before.output;
    EXPECT_NE(before.output.find("Roof / Gutters: recieve  -> receive"), std::string::npos) << before.output;
    EXPECT_NE(before.output.find("General Comment: coment"), std::string::npos) << before.output;
    EXPECT_NE(before.output.find("5 misspelled words"), std::string::npos) << before.output;

    SpellChecker checker(spelling::kEnglish);
    for (const char* word : {"recieve", "coment", "Claer"})
        ASSERT_TRUE(checker.AddToDictionary(word));
    const auto after = testing_support::RunCli(folder, spell);
    EXPECT_EQ(after.status, 0) << after.output;
    EXPECT_NE(after.output.find("0 misspelled words"), std::string::npos) << after.output;
}

} // namespace
