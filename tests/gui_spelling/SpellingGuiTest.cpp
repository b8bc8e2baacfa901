// Spelling in the windows: the wavy underline as the inspector types, the
// context menu's suggestion, and the "Spelling Error" dialog over two steps.
#include "reports/ReportFixture.h"
#include "spelling/SpellChecker.h"
#include "spelling/qt/CSpellingDlg.h"
#include "spelling/qt/SpellHighlighter.h"
#include "support/qt/QtTestSupport.h"

#include <QAction>
#include <QMenu>
#include <QTextBlock>
#include <QTextLayout>

namespace {

// The words of the first block drawn with the spelling underline.
QStringList Underlined(QPlainTextEdit& edit)
{
    QStringList words;
    const QTextBlock block = edit.document()->firstBlock();
    for (const auto& range : block.layout()->formats())
        if (range.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
            words << block.text().mid(range.start, range.length);
    return words;
}

TEST(SpellingGuiTest, TypingMarksAMisspelledWordAndTheMenuReplacesIt)
{
    QPlainTextEdit edit;
    spelling::qt::AttachSpellChecking(&edit, spelling::kEnglish);
    edit.show();
    QTest::keyClicks(&edit, "The gutters recieve ***Picture-2;Scaling=50*** water");
    EXPECT_EQ(Underlined(edit), QStringList{"recieve"});

    // The context menu over the word offers the suggestion first.
    const QString text = edit.toPlainText();
    QTextCursor cursor(edit.document());
    cursor.setPosition(text.indexOf("recieve") + 2);
    const QPoint at = edit.cursorRect(cursor).center();
    QString offered;
    QTimer::singleShot(50, [&offered] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            offered = menu->actions().constFirst()->text();
            menu->actions().constFirst()->trigger();
            menu->close();
        }
    });
    emit edit.customContextMenuRequested(at);
    EXPECT_EQ(offered, "receive");
    EXPECT_TRUE(edit.toPlainText().contains("gutters receive ***Picture-2"));
    EXPECT_TRUE(Underlined(edit).isEmpty());
}

using SpellingDialogTest = report_testing::ReportFixture;

TEST_F(SpellingDialogTest, ChangeAllCorrectsTheWordInBothStepsAndSavesThem)
{
    const int roof = AddCategory("Roof", "1");
    AddStep(roof, "1", "Flashing", "", "Flashing will recieve sealant and paynt.");
    AddStep(roof, "2", "Gutters", "", "Gutters will recieve sealant and paynt.");
    auto places = spelling::InspectionTexts(inspection->m_InspectionID);
    ASSERT_TRUE(places);
    spelling::SpellChecker checker(spelling::kEnglish);
    spelling::qt::CSpellingDlg dialog(*places, checker);
    ASSERT_TRUE(dialog.Start());
    dialog.show();
    QLabel* where = dialog.findChild<QLabel*>("where");
    EXPECT_EQ(where->text(), "Roof / Flashing");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("changeTo")->text(), "receive");

    QTest::mouseClick(dialog.findChild<QPushButton*>("changeAll"), Qt::LeftButton);
    EXPECT_EQ(testing_support::QueryInt(1, "SELECT count(*) FROM Step WHERE Comments LIKE '%will receive sealant%'"), 2);
    EXPECT_TRUE(dialog.Changed());

    // Next: "paynt" in the first step, then in the second; ignoring both ends the walk.
    EXPECT_EQ(where->text(), "Roof / Flashing");
    QTest::mouseClick(dialog.findChild<QPushButton*>("ignore"), Qt::LeftButton);
    EXPECT_EQ(where->text(), "Roof / Gutters");
    QTest::mouseClick(dialog.findChild<QPushButton*>("ignore"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    ASSERT_FALSE(port.messages.empty());
    EXPECT_EQ(port.messages.back().text, "The spelling check is complete.");
}

} // namespace
