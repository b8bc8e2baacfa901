// A bulk change cancelled, or its process killed, in the middle leaves the data as it was.
#include "DocumentFixture.h"

#include "store/Database.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace app_test;

namespace {

// A port whose progress kills the process when it reaches a position.
class KillingPort : public testing_support::ScriptedPort {
public:
    explicit KillingPort(int killAt) : m_killAt(killAt) {}
    std::unique_ptr<ui::Progress> progress() override
    {
        class Killing : public ui::NullProgress {
        public:
            explicit Killing(int at) : m_at(at) {}
            void setPosition(int position) override
            {
                if (position >= m_at)
                    ::kill(::getpid(), SIGKILL);
            }

        private:
            int m_at;
        };
        return std::make_unique<Killing>(m_killAt);
    }

private:
    int m_killAt;
};

} // namespace

TEST_F(DocumentTest, ACancelOrAKillInTheMiddleOfADuplicationLeavesNothingBehind)
{
    AddHomeInspection("A1", true);
    const int row = doc->CurrentInspectionRow();
    // The tables' sizes and the identifier counters.
    auto snapshot = [] { return TableSizes() + ";" + Rows("SELECT TableName, NextID FROM UniqueID"); };
    const std::string before = snapshot();
    port.cancelAfter = 6; // among the steps
    EXPECT_FALSE(doc->DuplicateInspection(row, "A2"));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(doc->GetInspectionCount(), 2);
    port.cancelAfter = -1;

    doc.reset();
    store::Database::CloseAll();

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Categories and some steps are written when the kill comes (4 categories, 7 steps).
        KillingPort killing(4 + 3);
        if (store::Database::Open(store::DatabaseKind::Template, templatePath) &&
            store::Database::Open(store::DatabaseKind::Inspection, inspectionPath)) {
            app::CInspectorDoc childDoc;
            childDoc.DuplicateInspection(row, "A2");
        }
        ::_exit(3); // not reached when the kill came
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the child ended with status " << WEXITSTATUS(status);
    EXPECT_EQ(WTERMSIG(status), SIGKILL);

    ASSERT_TRUE(store::Database::Open(store::DatabaseKind::Template, templatePath));
    ASSERT_TRUE(store::Database::Open(store::DatabaseKind::Inspection, inspectionPath));
    EXPECT_EQ(testing_support::QueryText(kInspectionData, "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(snapshot(), before);

    // The same duplication, left alone, goes through.
    doc = std::make_unique<app::CInspectorDoc>();
    ASSERT_TRUE(doc->DuplicateInspection(row, "A2"));
    EXPECT_EQ(Count("SELECT COUNT(*) FROM Step"), 14);
}
