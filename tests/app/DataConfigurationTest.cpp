// Start-up's data configuration: settings file, missing files, structure
// version and owner name.
#include "app/DataConfiguration.h"

#include "store/Database.h"
#include "store/InspectionType.h"
#include "store/Options.h"
#include "store/Owner.h"
#include "store/TableRecord.h"
#include "support/TempDataFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

using namespace app;
using testing_support::ScriptedPort;
using testing_support::TempFolder;

namespace {

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class DataConfigurationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* data = std::getenv("XDG_DATA_HOME");
        m_oldData = data ? std::optional<std::string>(data) : std::nullopt;
        ::setenv("XDG_DATA_HOME", folder.File("share").c_str(), 1);
        paths = {folder.File("Template_Data.cdb"), folder.File("Inspection_Data.cdb")};
    }
    void TearDown() override
    {
        store::Database::CloseAll();
        if (m_oldData)
            ::setenv("XDG_DATA_HOME", m_oldData->c_str(), 1);
        else
            ::unsetenv("XDG_DATA_HOME");
    }

    // Two data files of the given structure version ("-" for a template file
    // without the settings table) and owner name, closed again.
    void MakeDataFiles(const std::string& version, const std::string& owner)
    {
        ASSERT_TRUE(store::Database::Open(store::DatabaseKind::Template, paths.templatePath, true));
        ASSERT_TRUE(store::Database::Open(store::DatabaseKind::Inspection, paths.inspectionPath, true));
        store::CreateFullStructure();
        if (version == "-") {
            testing_support::Exec(0, "DROP TABLE Options");
        } else {
            store::Options options;
            options.m_DataVersion = version;
            ASSERT_TRUE(options.Save());
        }
        if (!owner.empty()) {
            store::Owner o;
            o.New();
            o.m_Name = owner;
            ASSERT_TRUE(o.Save());
        }
        store::Database::CloseAll();
    }

    // Settings that name the two files.
    Settings NamedSettings()
    {
        Settings settings(folder.File("Inspector.conf"));
        settings.Set(kTemplatePathKey, paths.templatePath);
        settings.Set(kInspectionPathKey, paths.inspectionPath);
        EXPECT_TRUE(settings.Save());
        return Settings(folder.File("Inspector.conf"));
    }

    // The two paths as "template|inspection", as offered or as saved in the settings file.
    static std::string Both(const DataPaths& p) { return p.templatePath + "|" + p.inspectionPath; }
    std::string Saved() const
    {
        const Settings saved(folder.File("Inspector.conf"));
        return saved.Get(kTemplatePathKey).value_or("-") + "|" + saved.Get(kInspectionPathKey).value_or("-");
    }

    // Answers the data paths question with `answers` in turn, noting each question in `offered`.
    void AnswerPaths(std::vector<DataPaths> answers, std::vector<DataPaths>* offered = nullptr)
    {
        questions.chooseDataPaths = [answers, offered](const DataPaths& current) mutable -> std::optional<DataPaths> {
            if (offered)
                offered->push_back(current);
            if (answers.empty())
                return std::nullopt;
            const DataPaths next = answers.front();
            answers.erase(answers.begin());
            return next;
        };
    }

    TempFolder folder;
    ScriptedPort port;
    DataPaths paths;
    StartupQuestions questions;

private:
    std::optional<std::string> m_oldData;
};

} // namespace

TEST_F(DataConfigurationTest, MissingFilesAskForBothPathsAndWriteThemKeepingOtherValues)
{
    MakeDataFiles("5.0", "Inspector Smith");
    const std::string conf = folder.File("Inspector.conf");

    // No settings at all: the defaults are written and offered.
    std::vector<DataPaths> offered;
    AnswerPaths({}, &offered);
    {
        Settings settings(conf);
        const auto result = ConfigureData(settings, questions);
        EXPECT_EQ(result.status, StartupStatus::Cancelled);
        EXPECT_NE(result.ExitStatus(), 0);
    }
    ASSERT_EQ(offered.size(), 1u);
    // A new installation keeps its data in the application data folder.
    EXPECT_EQ(DefaultTemplatePath(), folder.File("share/Veltrane/Inspector/Template_Data.cdb"));
    EXPECT_EQ(Both(offered[0]), DefaultTemplatePath() + "|" + DefaultInspectionPath());
    EXPECT_EQ(Saved(), Both(offered[0]));

    // An existing template file with a missing inspection file is asked again,
    // and both answers are written each time.
    offered.clear();
    const DataPaths halfRight{paths.templatePath, folder.File("nowhere.cdb")};
    AnswerPaths({halfRight, paths}, &offered);
    Settings settings(conf);
    const auto result = ConfigureData(settings, questions);
    ASSERT_EQ(result.status, StartupStatus::Ready) << port.AllText();
    EXPECT_EQ(result.ExitStatus(), 0);
    ASSERT_EQ(offered.size(), 2u);
    EXPECT_EQ(offered[1].inspectionPath, halfRight.inspectionPath);
    EXPECT_EQ(Saved(), Both(paths));
    EXPECT_TRUE(store::Database::IsOpen(store::DatabaseKind::Template) &&
                store::Database::IsOpen(store::DatabaseKind::Inspection));
    EXPECT_TRUE(port.messages.empty()) << port.AllText();

    // The desktop program keeps its window at exit while inspector-cli init
    // changed the data paths meanwhile: neither loses the other's values.
    Settings cli(conf);
    cli.Set(kTemplatePathKey, halfRight.inspectionPath);
    ASSERT_TRUE(cli.Save());
    settings.Set(kWindowGeometryKey, "10,20,800,600");
    ASSERT_TRUE(settings.Save());
    EXPECT_EQ(Settings(conf).Get(kTemplatePathKey).value_or("-") + "|" +
                  Settings(conf).Get(kWindowGeometryKey).value_or("-"),
              halfRight.inspectionPath + "|10,20,800,600");
}

TEST_F(DataConfigurationTest, AFileThatIsNotOursBringsTheDialogBackAndItsPathIsNeverSaved)
{
    MakeDataFiles("5.0", "Inspector Smith");
    const std::string conf = folder.File("Inspector.conf");
    const std::string noise = folder.File("noise.cdb");
    std::ofstream(noise, std::ios::binary) << std::string(4096, '\x5a') << "random bytes";

    // The noise is chosen, refused with a message, and the dialog comes back;
    // only the paths that open reach the settings file.
    AnswerPaths({{noise, paths.inspectionPath}, paths});
    std::vector<std::optional<std::string>> savedWhenAsked;
    questions.chooseDataPaths = [&, ask = questions.chooseDataPaths](const DataPaths& current) {
        savedWhenAsked.push_back(Settings(conf).Get(kTemplatePathKey));
        return ask(current);
    };
    Settings settings(conf);
    settings.Set(kTemplatePathKey, folder.File("gone.cdb"));
    ASSERT_TRUE(settings.Save());
    const auto result = ConfigureData(settings, questions);
    ASSERT_EQ(result.status, StartupStatus::Ready) << port.AllText();
    ASSERT_EQ(savedWhenAsked.size(), 2u);
    EXPECT_EQ(savedWhenAsked[1], folder.File("gone.cdb")); // the noise was never written
    EXPECT_NE(port.AllText().find("noise.cdb"), std::string::npos) << port.AllText();
    EXPECT_EQ(Settings(conf).Get(kTemplatePathKey), paths.templatePath);
}

TEST_F(DataConfigurationTest, AnOutdatedStructureAsksFirstAndCancelLeavesBothFilesAsTheyWere)
{
    const std::string question =
        "Warning! The Structure you are using needs to be updated in order to work with this version of Inspector.  "
        "Tap OK to automatically update your data files. \r\r Do you wish to proceed?";
    for (const std::string version : {"-", "", "4.0"}) {
        SCOPED_TRACE("version \"" + version + "\"");
        std::filesystem::remove(paths.templatePath);
        std::filesystem::remove(paths.inspectionPath);
        MakeDataFiles(version, "Inspector Smith");
        const std::string templateBytes = Contents(paths.templatePath);
        const std::string inspectionBytes = Contents(paths.inspectionPath);
        port.messages.clear();

        port.answers = {ui::Answer::Cancel};
        Settings settings = NamedSettings();
        const auto cancelled = ConfigureData(settings, questions);
        EXPECT_EQ(cancelled.status, StartupStatus::Cancelled);
        EXPECT_NE(cancelled.ExitStatus(), 0);
        EXPECT_EQ(port.AllText(), "[ask|Update Required] " + question + "\n");
        EXPECT_FALSE(store::Database::IsOpen(store::DatabaseKind::Template));
        EXPECT_TRUE(Contents(paths.templatePath) == templateBytes && Contents(paths.inspectionPath) == inspectionBytes);

        port.answers = {ui::Answer::Ok};
        const auto upgraded = ConfigureData(settings, questions);
        ASSERT_EQ(upgraded.status, StartupStatus::Ready) << port.AllText();
        EXPECT_EQ(StoredDataVersion(), "5.0");
        store::Database::CloseAll();
    }

    // A current structure asks nothing.
    port.messages.clear();
    Settings settings = NamedSettings();
    EXPECT_EQ(ConfigureData(settings, questions).status, StartupStatus::Ready);
    EXPECT_TRUE(port.messages.empty()) << port.AllText();
}

TEST_F(DataConfigurationTest, TheOwnerNameNeedsFiveCharacters)
{
    MakeDataFiles("5.0", "");
    std::vector<std::optional<std::string>> names{std::string("Abcd"), std::string("\xC3\x89ric"),
                                                  std::string("  Ab  "), std::string("Abcde")};
    int asked = 0;
    questions.askOwnerName = [&]() -> std::optional<std::string> { return names[static_cast<std::size_t>(asked++)]; };
    Settings settings = NamedSettings();
    ASSERT_EQ(ConfigureData(settings, questions).status, StartupStatus::Ready);
    EXPECT_EQ(asked, 4);
    const std::string tooShort = "[inform|] The Owner name you entered is too short.  Please try again.\n";
    EXPECT_EQ(port.AllText(), tooShort + tooShort + tooShort);
    EXPECT_EQ(testing_support::QueryRows(0, "SELECT Name FROM Owner"), "Abcde");
    store::Database::CloseAll();

    // A name of five characters passes without a question; Cancel ends start-up.
    asked = 0;
    EXPECT_EQ(ConfigureData(settings, questions).status, StartupStatus::Ready);
    EXPECT_EQ(asked, 0);
    store::Database::CloseAll();
    std::filesystem::remove(paths.templatePath);
    std::filesystem::remove(paths.inspectionPath);
    MakeDataFiles("5.0", "Abc");
    questions.askOwnerName = [] { return std::optional<std::string>(); };
    const auto result = ConfigureData(settings, questions);
    EXPECT_EQ(result.status, StartupStatus::Cancelled);
    EXPECT_NE(result.ExitStatus(), 0);
}

TEST_F(DataConfigurationTest, MissingFilesCanBeCreatedWithoutTouchingAnExistingOne)
{
    ASSERT_TRUE(CreateMissingDataFiles(paths)) << port.AllText();
    ASSERT_TRUE(std::filesystem::exists(paths.templatePath) && std::filesystem::exists(paths.inspectionPath));
    EXPECT_FALSE(store::Database::IsOpen(store::DatabaseKind::Template));

    questions.askOwnerName = [] { return std::optional<std::string>("Inspector Smith"); };
    Settings settings = NamedSettings();
    ASSERT_EQ(ConfigureData(settings, questions).status, StartupStatus::Ready) << port.AllText();
    EXPECT_EQ(StoredDataVersion(), "5.0");
    store::InspectionType types;
    ASSERT_TRUE(types.Open());
    EXPECT_GT(types.GetCount(), 0);
    store::Database::CloseAll();

    const std::string templateBytes = Contents(paths.templatePath);
    std::filesystem::remove(paths.inspectionPath);
    ASSERT_TRUE(CreateMissingDataFiles(paths));
    EXPECT_TRUE(Contents(paths.templatePath) == templateBytes);
    EXPECT_TRUE(std::filesystem::exists(paths.inspectionPath));

    // A path that cannot be a data file is refused and nothing is created.
    const DataPaths wrong{folder.Path().string(), folder.File("other.cdb")};
    EXPECT_FALSE(CreateMissingDataFiles(wrong));
    EXPECT_FALSE(std::filesystem::exists(folder.File("other.cdb")));
}
