// inspector-cli spell: the misspelled words of an inspection, where they are
// and what they might be, so that a script can hold a report back.
#include "cli/Command.h"

#include "spelling/InspectionSpelling.h"

#include <iostream>

namespace cli {
namespace {

// The exit status when misspelled words were found.
constexpr int kMisspelled = 3;

int Spell(const Args& args)
{
    if (args.positional.size() != 1)
        return Usage("spell");
    if (!OpenDataFiles(args))
        return kFailed;
    const auto id = FindInspectionID(args.positional[0]);
    if (!id)
        return kFailed;
    const auto places = spelling::InspectionTexts(*id);
    if (!places)
        return kFailed;
    const spelling::SpellChecker checker(args.Get("--language", spelling::InspectionLanguage(*id)));
    if (!checker.Available()) {
        std::cerr << checker.Problem() << "\n";
        return kFailed;
    }
    int count = 0;
    for (const auto& place : *places)
        for (const auto& wrong : checker.Check(place.text)) {
            ++count;
            std::cout << spelling::Describe(place) << ": " << wrong.word;
            const auto suggestions = checker.Suggest(wrong.word);
            for (std::size_t i = 0; i < suggestions.size(); ++i)
                std::cout << (i == 0 ? "  -> " : ", ") << suggestions[i];
            std::cout << "\n";
        }
    std::cout << count << (count == 1 ? " misspelled word\n" : " misspelled words\n");
    return count == 0 ? 0 : kMisspelled;
}

} // namespace

INSPECTOR_CLI_COMMAND({.name = "spell",
                       .usage = "DOC# [--language en_US|fr]",
                       .summary = "list the misspelled words of an inspection (exit status 3 when there are some)",
                       .flags = {},
                       .multi = {},
                       .run = &Spell});

} // namespace cli
