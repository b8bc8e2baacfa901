#pragma once
// Shared pieces of the print tests: the application object fonts need, an
// inspection built through the record classes, and the real PDF readers.
#include "reports/ReportFixture.h"
#include "support/RunCommand.h"

#include <QGuiApplication>

#include <memory>
#include <string>

namespace print_testing {

inline void EnsureApp()
{
    static int argc = 1;
    static char name[] = "test_print";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication app(argc, argv);
    }
}

// The standard output of a command.
inline std::string Output(const std::string& command)
{
    return testing_support::RunCommand(command).output;
}

inline std::string PdfText(const std::string& pdf)
{
    return Output("pdftotext -layout '" + pdf + "' - 2>/dev/null");
}

inline int PdfPages(const std::string& pdf)
{
    const std::string info = Output("pdfinfo '" + pdf + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// The number of pictures pdfimages lists.
inline int PdfImages(const std::string& pdf)
{
    const std::string list = Output("pdfimages -list '" + pdf + "' 2>/dev/null");
    int lines = 0;
    for (char c : list)
        lines += c == '\n';
    return std::max(0, lines - 2); // two heading lines
}

// `needles` appear in `text` in this order.
inline ::testing::AssertionResult InOrder(const std::string& text, const std::vector<std::string>& needles)
{
    std::size_t at = 0;
    for (const std::string& n : needles) {
        const auto found = text.find(n, at);
        if (found == std::string::npos)
            return ::testing::AssertionFailure() << "\"" << n << "\" missing or out of order";
        at = found + n.size();
    }
    return ::testing::AssertionSuccess();
}

} // namespace print_testing
