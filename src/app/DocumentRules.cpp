#include "app/DocumentRules.h"

#include "text/Windows1252.h"

namespace app {

std::optional<std::string> AutomaticCommentText(const std::string& stockComment)
{
    if (stockComment.rfind("[*", 0) != 0)
        return std::nullopt;
    const auto close = stockComment.find(']');
    if (close == std::string::npos)
        return stockComment;
    return stockComment.substr(close + 1);
}

void AppendAutomaticComment(std::string& text, const std::string& addition)
{
    if (!text.empty() && text.back() == '.')
        text += "  ";
    text += addition;
}

void AppendMaterialComment(std::string& text, const std::string& comment, bool blankLineBetweenComments)
{
    // One separator between two comments, whatever the first ends with; an
    // empty text gets none, so a comment never starts with a blank line.
    if (comment.empty())
        return;
    if (!text.empty())
        text += blankLineBetweenComments ? "\r\n\r\n" : "  ";
    text += comment;
}

int CharacterCount(std::string_view utf8)
{
    int count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count)
        text::NextCodePoint(utf8, pos);
    return count;
}

bool HasStepInformation(const std::string& stepInfo)
{
    return CharacterCount(stepInfo) > 2;
}

std::string MajorSystemOf(const std::string& keyword)
{
    return keyword.empty() ? std::string("Other") : keyword;
}

std::string DuplicateBaseName(const std::string& title)
{
    const auto hash = title.find('#');
    if (hash == std::string::npos)
        return title;
    std::string base = title.substr(0, hash);
    while (!base.empty() && (base.back() == ' ' || base.back() == '\t'))
        base.pop_back();
    return base.empty() ? title : base;
}

std::string NumberedName(const std::string& baseName, int n)
{
    return baseName + " #" + std::to_string(n);
}

std::string DuplicatedStepNumber(const std::string& templateNumber, int n)
{
    return templateNumber + "." + std::to_string(n);
}

DuplicatedStepNames DuplicatedStep(const std::string& keyword, const std::string& title, int n)
{
    const auto blank = keyword.find(' ');
    const bool numbered = !keyword.empty() && keyword[0] >= '0' && keyword[0] <= '6' && blank != std::string::npos;
    if (!numbered)
        return {MajorSystemOf(keyword), title};
    std::string major = keyword.substr(0, blank) + " " + std::to_string(n) + keyword.substr(blank + 1);
    if (keyword.find('-') != std::string::npos)
        major += " #" + std::to_string(n);
    return {major, NumberedName(title, n)};
}

std::string InspectionFileStem(const std::string& docNum, const std::string& clientName,
                               const std::string& dwellingAddress, int inspectionID)
{
    std::string stem;
    for (const std::string* text : {&docNum, &clientName, &dwellingAddress}) {
        const auto b = text->find_first_not_of(" \t");
        if (b != std::string::npos) {
            stem = text->substr(b, text->find_last_not_of(" \t") - b + 1);
            break;
        }
    }
    if (stem.empty())
        return "Inspection" + std::to_string(inspectionID);
    for (char& c : stem)
        if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' || c == '>' ||
            c == '|' || static_cast<unsigned char>(c) < 0x20)
            c = '-';
    // Cut at a character boundary: never inside a UTF-8 sequence.
    std::size_t cut = 0;
    for (int chars = 0; cut < stem.size() && chars < 60; ++chars) {
        ++cut;
        while (cut < stem.size() && (static_cast<unsigned char>(stem[cut]) & 0xC0) == 0x80)
            ++cut;
    }
    return stem.substr(0, cut);
}

std::string AddressLine(const std::string& address, const std::string& cityStateZip)
{
    if (address.empty() || cityStateZip.empty())
        return address + cityStateZip;
    return address + ", " + cityStateZip;
}

} // namespace app
