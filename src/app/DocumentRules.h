#pragma once
// The text rules of the document's operations that need no database: how
// automatic comments are joined, how duplicated categories and steps are named.
#include <optional>
#include <string>
#include <string_view>

namespace app {

// The text a stock comment adds automatically when categories are made: for a
// comment that begins with "[*", the text after its first "]" (the whole text,
// "[*" included, when there is no "]"); nothing for any other comment.
std::optional<std::string> AutomaticCommentText(const std::string& stockComment);

// Appends `addition` to `text`; after a text that ends with a full stop two
// spaces come first.
void AppendAutomaticComment(std::string& text, const std::string& addition);

// Appends a material's comment to a step's comment text as the materials page
// does: two spaces after a full stop, then "\r\n\r\n" when blank lines between
// comments are wanted and the comment is not empty.
void AppendMaterialComment(std::string& text, const std::string& comment, bool blankLineBetweenComments);

// Characters (not bytes) of a UTF-8 text.
int CharacterCount(std::string_view utf8);

// A step template carries step information when its text is longer than two characters.
bool HasStepInformation(const std::string& stepInfo);

// The major-system key of a step made from a template keyword: "Other" when empty.
std::string MajorSystemOf(const std::string& keyword);

// The base of a category or step title for numbering copies: the text before
// the "#" without the blanks in front of it ("Bedroom #2" gives "Bedroom");
// a title without "#" is its own base.
std::string DuplicateBaseName(const std::string& title);

// "%s #%d" of a base name and a copy number.
std::string NumberedName(const std::string& baseName, int n);

// The step number of the copy n of a step template: the template's number, "." and n.
std::string DuplicatedStepNumber(const std::string& templateNumber, int n);

// The major system and title of the steps of copy n of a category. A keyword
// that begins with a digit 0 to 6 and holds a blank gets n after its first
// blank (and " #n" at its end when it holds "-"), and the step title gets
// " #n"; any other keyword is kept ("Other" when empty).
struct DuplicatedStepNames {
    std::string majorSystem;
    std::string title;
};
DuplicatedStepNames DuplicatedStep(const std::string& keyword, const std::string& title, int n);

// What tells an inspection apart in the name of a file made for it (a report,
// an export): its Doc #, else its client name, else its dwelling address, else
// "Inspection" and its InspectionID. Characters a file name cannot hold become
// "-"; long texts are cut to 60 characters.
// The address line of the views: "address, city state zip"; a part not filled
// in leaves no stray comma.
std::string AddressLine(const std::string& address, const std::string& cityStateZip);

std::string InspectionFileStem(const std::string& docNum, const std::string& clientName,
                               const std::string& dwellingAddress, int inspectionID);

} // namespace app
