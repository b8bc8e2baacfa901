#pragma once
// The rules of the settings the "Options" sheet and `inspector-cli options`
// edit: what a column width, font, spacing, default step page, owner field or
// picture folder may hold, the columns by name, and storing the options and
// owner rows together. One set of rules for the sheet and the command line.
#include "reports/layout/StepTableGeometry.h"
#include "store/Options.h"
#include "store/Owner.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace options {

// The width the step table may take: the report's text width.
inline constexpr double kTextWidthInches =
    static_cast<double>(reports::layout::kReportTextWidth) / reports::layout::kTwipsPerInch;
// Start-up's owner name rule, and the length of its name field.
inline constexpr int kShortestOwnerName = 5;
inline constexpr int kLongestOwnerName = 30;
inline constexpr int kAreaCodeLength = 3;

// The entries the General page offers, in the order shown.
inline const std::array<const char*, 2> kFontSizes = {"10", "12"};
inline const std::array<const char*, 2> kStepSpacings = {"1", "2"};
inline const std::array<const char*, 4> kStepPages = {"Materials", "Comments", "Picture", "Info"};
inline const std::array<const char*, 2> kFontNames = {"Times", "Geneva"};

// Each check gives the message for the user, or nothing when the value is fine.
std::optional<std::string> CheckColumnWidths(const std::array<double, 5>& widths);
std::optional<std::string> CheckFontSize(int points);
std::optional<std::string> CheckStepSpacing(int spacing);
std::optional<std::string> CheckDefaultStepPage(int index);
// The owner name (trimmed, 5 to 30 characters) and the two area codes.
std::optional<std::string> CheckOwner(const store::Owner& owner);
// Every rule above on the options row, then also on the owner row; the first message found.
std::optional<std::string> CheckOptions(const store::Options& options);
std::optional<std::string> CheckAll(const store::Options& options, const store::Owner& owner);

// The message shown when the stored default step page is no entry of the
// `count` the combo box offers.
std::string InvalidStepPageMessage(int index, int count);

// A decimal number of the whole text ("12", " 1.5 "); nothing for "", "12pt", "1,5".
std::optional<double> ParseNumber(const std::string& text);
std::optional<int> ParseInteger(const std::string& text);

// The picture folder as numbered tags need it: the text with one trailing
// "/" (the empty text stays empty, meaning no folder chosen).
std::string PictureFolder(const std::string& folder);
// The folder of a Browse choice: a chosen folder itself, or the folder of a
// chosen file, with its trailing "/".
std::string PictureFolderOfChoice(const std::string& chosen);

// Multi-line texts are stored with "\r\n" line ends, which the reports turn
// into paragraphs; an edit field shows and returns plain "\n".
std::string StoredLineEnds(const std::string& text);
std::string ShownLineEnds(const std::string& text);

// The owner row shown to the sheet: the first row, or a new empty one.
void LoadOwner(store::Owner& owner);

// Checks the rows, then saves the options row and the owner row (when one is
// given). Nothing on success, else the message (a refused value leaves both
// rows unsaved).
std::optional<std::string> SaveRows(store::Options& options, store::Owner* owner);

// ---------------------------------------------------------------- columns by name

// A column of Options or Owner that the sheet edits, reached by its name.
struct Column {
    const char* name;
    const char* meaning;
};
const std::vector<Column>& OptionColumns();
const std::vector<Column>& OwnerColumns();

// The value of a column as text (yes/no as "1" or "0"); nothing for an unknown name.
std::optional<std::string> OptionValue(const store::Options& options, const std::string& column);
std::optional<std::string> OwnerValue(const store::Owner& owner, const std::string& column);
// Sets a column from text (names ignore letter case; yes/no takes 1/0,
// yes/no, true/false). The message when the name is unknown or the text is no
// value of the column; the rules of the whole row are checked on saving.
std::optional<std::string> SetOptionValue(store::Options& options, const std::string& column,
                                          const std::string& value);
std::optional<std::string> SetOwnerValue(store::Owner& owner, const std::string& column, const std::string& value);

} // namespace options
