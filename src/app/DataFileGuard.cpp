#include "app/DataFileGuard.h"

#include "store/Database.h"

#include <filesystem>

namespace app {
namespace {

namespace fs = std::filesystem;

bool SameFile(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    // equivalent() compares device and inode: stat only, never an open.
    if (fs::equivalent(a, b, ec) && !ec)
        return true;
    // A companion file that does not exist yet is still one of ours by name.
    const fs::path ca = fs::weakly_canonical(a, ec);
    if (ec)
        return a.lexically_normal() == b.lexically_normal();
    const fs::path cb = fs::weakly_canonical(b, ec);
    return !ec && ca == cb;
}

} // namespace

bool IsDataFileInUse(const std::string& path)
{
    if (path.empty())
        return false;
    for (auto kind : {store::DatabaseKind::Template, store::DatabaseKind::Inspection}) {
        if (!store::Database::IsOpen(kind))
            continue;
        const std::string& data = store::Database::Path(kind);
        for (const char* suffix : {"", "-wal", "-shm", "-journal"})
            if (SameFile(path, data + suffix))
                return true;
    }
    return false;
}

std::optional<std::string> DataFileInUseMessage(const std::string& path)
{
    if (!IsDataFileInUse(path))
        return std::nullopt;
    return "The file " + path +
           " belongs to the data files Inspector is working with. Please choose another file.";
}

} // namespace app
