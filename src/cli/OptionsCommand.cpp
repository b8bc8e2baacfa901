// inspector-cli options: shows the settings of the installation and the owner
// record, and changes them with the rules of the desktop program's Options sheet.
#include "cli/Command.h"

#include "options/OptionsRules.h"
#include "options/ReportLogo.h"
#include "store/Options.h"
#include "store/Owner.h"

#include <iostream>

namespace cli {
namespace {

// Multi-line texts are shown one column a line, their line ends as "\n".
std::string OneLine(const std::string& text)
{
    std::string out;
    for (char c : options::ShownLineEnds(text))
        out += c == '\n' ? std::string("\\n") : std::string(1, c);
    return out;
}

void Show(const store::Options& o, const store::Owner& owner)
{
    std::cout << "Options:\n";
    for (const auto& column : options::OptionColumns())
        std::cout << "  " << column.name << " = " << OneLine(options::OptionValue(o, column.name).value_or(""))
                  << "    (" << column.meaning << ")\n";
    std::cout << "  Next picture number: " << (o.m_NextPictNumber < 1 ? 1 : o.m_NextPictNumber) << "\n";
    const std::string logo = options::CurrentLogo();
    std::cout << "  Report logo: " << (logo.empty() ? "none (" + options::LogoPath() + ")" : logo) << "\n";
    std::cout << "Owner:\n";
    for (const auto& column : options::OwnerColumns())
        std::cout << "  " << column.name << " = " << OneLine(options::OwnerValue(owner, column.name).value_or(""))
                  << "\n";
}

// Applies "COLUMN=VALUE" assignments; the message of the first that fails.
template <class Set>
std::optional<std::string> Assign(const std::vector<std::string>& assignments, Set set)
{
    for (const std::string& a : assignments) {
        const auto eq = a.find('=');
        if (eq == std::string::npos || eq == 0)
            return "\"" + a + "\" is no COLUMN=VALUE.";
        if (auto problem = set(a.substr(0, eq), a.substr(eq + 1)))
            return problem;
    }
    return std::nullopt;
}

int Options(const Args& args)
{
    if (!OpenDataFiles(args))
        return kFailed;
    store::Options o;
    store::Owner owner;
    options::LoadOwner(owner);

    std::vector<std::string> ownerAssignments = args.All("--owner");
    for (const auto& value : args.All("--owner-name"))
        ownerAssignments.push_back("Name=" + value);
    for (const auto& value : args.All("--company"))
        ownerAssignments.push_back("Company=" + value);
    const auto& optionAssignments = args.All("--set");

    auto problem = Assign(optionAssignments, [&](const std::string& c, const std::string& v) {
        return options::SetOptionValue(o, c, v);
    });
    if (!problem)
        problem = Assign(ownerAssignments, [&](const std::string& c, const std::string& v) {
            return options::SetOwnerValue(owner, c, v);
        });
    if (problem) {
        std::cerr << *problem << "\n";
        return kUsage;
    }
    if (!optionAssignments.empty() || !ownerAssignments.empty()) {
        if (auto refused = options::SaveRows(o, ownerAssignments.empty() ? nullptr : &owner)) {
            std::cerr << *refused << "\nNothing was changed.\n";
            return kFailed;
        }
        std::cout << "Saved.\n";
    }
    Show(o, owner);
    return 0;
}

} // namespace

INSPECTOR_CLI_COMMAND({.name = "options",
                       .usage = "[--set COLUMN=VALUE ...] [--owner COLUMN=VALUE ...] [--owner-name NAME] "
                                "[--company NAME]",
                       .summary = "show the options and the owner record; --set and --owner change their columns "
                                  "(e.g. ColumnWidth1=1.0, ReportFontSize=12), checked as the Options sheet checks",
                       .flags = {},
                       .multi = {"--set", "--owner"},
                       .run = &Options});

} // namespace cli
