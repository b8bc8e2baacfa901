#include "reports/html/HtmlExport.h"

#include "reports/html/HtmlPictures.h"
#include "reports/html/HtmlText.h"
#include "reports/rtf/AppDataFolder.h"
#include "reports/rtf/RtfExport.h"
#include "store/Inspection.h"
#include "ui/Port.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <system_error>

namespace reports::html {
namespace fs = std::filesystem;
namespace {

bool WritePage(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return static_cast<bool>(out);
}

// A name beside `target` that nothing uses yet.
fs::path Beside(const fs::path& target, const char* what)
{
    std::random_device random;
    for (;;) {
        fs::path candidate = target.parent_path() /
                             ("." + target.filename().string() + "." + what + "-" + std::to_string(random() % 1000000));
        std::error_code ec;
        if (!fs::exists(candidate, ec))
            return candidate;
    }
}

void Unable(const fs::path& folder, int error)
{
    ui::CurrentPort().inform("Unable to create the " + folder.string() + " directory. Error#" + std::to_string(error));
}

// True for a folder that may be replaced: an empty one or an earlier HTML
// report. Anything else there is the user's and stays untouched.
bool Replaceable(const fs::path& target)
{
    std::error_code ec;
    if (!fs::exists(target, ec))
        return true;
    if (!fs::is_directory(target, ec))
        return false;
    return fs::is_empty(target, ec) || fs::is_regular_file(target / "index.htm", ec);
}

// Puts the complete folder `built` in the place of `target`; an earlier
// folder there is set aside first and removed only when the new one stands.
std::error_code Replace(const fs::path& built, const fs::path& target)
{
    std::error_code ec;
    const bool existed = fs::exists(target, ec);
    fs::path old;
    if (existed) {
        old = Beside(target, "old");
        fs::rename(target, old, ec);
        if (ec)
            return ec;
    }
    fs::rename(built, target, ec);
    if (ec) {
        std::error_code back;
        if (existed)
            fs::rename(old, target, back);
        return ec;
    }
    if (existed)
        fs::remove_all(old, ec);
    return {};
}

HtmlOutcome Write(const store::Inspection& inspection, const std::string& folderText, HtmlTarget target)
{
    HtmlOutcome outcome;
    const fs::path folder = fs::absolute(fs::path(folderText)).lexically_normal();
    const fs::path targetPath = folder.filename().empty() ? folder.parent_path() : folder;
    outcome.folder = targetPath.string();

    auto progress = ui::CurrentPort().progress();
    progress->setTitle(target == HtmlTarget::View ? "Building HTML..." : "Exporting HTML...");
    progress->setStatus("Building Categories...");
    progress->setPosition(0);

    if (!Replaceable(targetPath)) {
        ui::CurrentPort().inform("The folder " + targetPath.string() +
                                 " holds other files. The HTML report is written to a new folder or over an "
                                 "earlier HTML report only.");
        return outcome;
    }
    std::error_code ec;
    fs::create_directories(targetPath.parent_path(), ec);
    const fs::path work = Beside(targetPath, "new");
    if (ec || !fs::create_directory(work, ec) || ec) {
        Unable(targetPath, ec ? ec.value() : EEXIST);
        return outcome;
    }

    CHTMLReport report;
    report.Setup(inspection, rtf::ReportLayoutOf(inspection));
    PictureFolder pictures(work);
    HtmlPages pages;
    if (!report.Build(target, targetPath.string(), pictures, progress.get(), pages)) {
        fs::remove_all(work, ec);
        outcome.result = HtmlResult::Cancelled;
        return outcome;
    }
    const bool written = !pictures.WriteFailed() && WritePage(work / "inspection.htm", pages.inspection) &&
                         WritePage(work / "toc.htm", pages.toc) && WritePage(work / "index.htm", pages.index);
    if (!written) {
        const int error = errno ? errno : EIO;
        fs::remove_all(work, ec);
        Unable(targetPath, error);
        return outcome;
    }
    if (const std::error_code failed = Replace(work, targetPath)) {
        fs::remove_all(work, ec);
        Unable(targetPath, failed.value());
        return outcome;
    }
    outcome.pictures = pictures.Written();
    outcome.result = HtmlResult::Written;
    return outcome;
}

} // namespace

HtmlOutcome ExportHtml(const store::Inspection& inspection, const std::string& folder)
{
    return Write(inspection, folder, HtmlTarget::Export);
}

HtmlOutcome BuildHtmlView(const store::Inspection& inspection, const std::string& folder)
{
    return Write(inspection, folder.empty() ? HtmlViewFolder() : folder, HtmlTarget::View);
}

std::string HtmlViewFolder()
{
    return (fs::path(rtf::AppDataFolder()) / "HtmlView").string();
}

std::string DefaultExportFolder(const store::Inspection& inspection)
{
    return (fs::path(rtf::AppDataFolder()) /
            ("Inspection" + ProposedFolderName(inspection.m_InspectionNum, inspection.m_ClientName,
                                               inspection.m_DwellingAddress)))
        .string();
}

} // namespace reports::html
