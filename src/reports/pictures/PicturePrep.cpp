#include "reports/pictures/PicturePrep.h"

#include "store/Bitmap.h"

#include <vips/vips.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace reports::pictures {
namespace {

// A bitmap is decoded in memory: larger files are refused rather than
// exhausting it.
constexpr std::uintmax_t kMaxBitmapFileBytes = 64u << 20;
constexpr int kJpegQuality = 85;
// Bumped when the preparation changes, so that older cache entries are not used.
constexpr const char* kCacheVersion = "prep1";
constexpr char kCacheMagic[4] = {'I', 'P', 'P', '1'};

std::atomic<std::uintmax_t> g_cacheLimit{500ull << 20};
std::mutex g_cacheMutex;

bool VipsReady()
{
    static const bool ready = [] {
        if (VIPS_INIT("inspector") != 0)
            return false;
        // Each picture is prepared once and then read from the disk cache;
        // vips' own operation cache would only hold decoded pictures in memory.
        vips_cache_set_max(0);
        return true;
    }();
    return ready;
}

void SetError(std::string* error, const std::string& text)
{
    if (error)
        *error = text;
}

// The text of vips' last error, which is then cleared.
std::string VipsError(const std::string& what)
{
    std::string text = vips_error_buffer();
    vips_error_clear();
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text.empty() ? what : what + ": " + text;
}

struct ImageRef {
    VipsImage* image = nullptr;
    ~ImageRef()
    {
        if (image)
            g_object_unref(image);
    }
};

bool StartsWith(const std::string& path, const char* magic, std::size_t n)
{
    std::ifstream in(path, std::ios::binary);
    char head[8] = {};
    in.read(head, static_cast<std::streamsize>(n));
    return static_cast<std::size_t>(in.gcount()) == n && std::memcmp(head, magic, n) == 0;
}

bool IsBitmapFile(const std::string& path)
{
    return StartsWith(path, "BM", 2);
}

// Pictures come from cameras and phones: only their formats are opened, never
// documents or scripts (PDF, SVG) that a loader could also read.
bool IsPhotoLoader(const char* loader)
{
    if (!loader)
        return false;
    std::string name = loader;
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const char* kind : {"jpeg", "png", "webp", "tiff", "heif", "gif"})
        if (name.find(kind) != std::string::npos)
            return true;
    return false;
}

// The bitmap's pixels as an 8-bit RGB or RGBA image in memory.
VipsImage* ImageOfBitmap(const store::Bitmap& bitmap)
{
    const bool alpha = std::any_of(bitmap.pixels.begin(), bitmap.pixels.end(),
                                   [](std::uint32_t p) { return (p >> 24) != 0xFF; }) &&
                       std::any_of(bitmap.pixels.begin(), bitmap.pixels.end(),
                                   [](std::uint32_t p) { return (p >> 24) != 0; });
    const int bands = alpha ? 4 : 3;
    std::vector<unsigned char> bytes;
    bytes.reserve(bitmap.pixels.size() * static_cast<std::size_t>(bands));
    for (std::uint32_t p : bitmap.pixels) {
        bytes.push_back(static_cast<unsigned char>(p >> 16));
        bytes.push_back(static_cast<unsigned char>(p >> 8));
        bytes.push_back(static_cast<unsigned char>(p));
        if (alpha)
            bytes.push_back(static_cast<unsigned char>(p >> 24));
    }
    return vips_image_new_from_memory_copy(bytes.data(), bytes.size(), bitmap.width, bitmap.height, bands,
                                           VIPS_FORMAT_UCHAR);
}

std::optional<store::Bitmap> ReadBitmapFile(const std::string& path, std::string* error)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec || size > kMaxBitmapFileBytes) {
        SetError(error, ec ? "cannot read " + path : path + " is a bitmap too large to prepare");
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    auto bitmap = store::DecodeBitmapFile(bytes.data(), bytes.size());
    if (!bitmap)
        SetError(error, path + " is not a bitmap that can be read");
    return bitmap;
}

std::optional<PreparedPicture> Encode(VipsImage* image, bool forcePng, std::string* error)
{
    PreparedPicture picture;
    void* buffer = nullptr;
    std::size_t length = 0;
    int failed = 0;
    if (forcePng || vips_image_hasalpha(image)) {
        picture.encoding = Encoding::Png;
        failed = vips_pngsave_buffer(image, &buffer, &length, "compression", 6, "strip", TRUE, nullptr);
    } else {
        picture.encoding = Encoding::Jpeg;
        failed = vips_jpegsave_buffer(image, &buffer, &length, "Q", kJpegQuality, "strip", TRUE,
                                      "optimize_coding", TRUE, nullptr);
    }
    if (failed) {
        SetError(error, VipsError("the picture could not be encoded"));
        return std::nullopt;
    }
    picture.bytes.assign(static_cast<const char*>(buffer), length);
    g_free(buffer);
    picture.width = vips_image_get_width(image);
    picture.height = vips_image_get_height(image);
    return picture;
}

// ------------------------------------------------------------------ cache

std::uint64_t Fnv1a(const std::string& text, std::uint64_t hash)
{
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string HexOf(std::uint64_t v)
{
    static const char digits[] = "0123456789abcdef";
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, v >>= 4)
        out[static_cast<std::size_t>(i)] = digits[v & 0xF];
    return out;
}

// What identifies a prepared picture: the file as it is now and the size asked for.
std::optional<std::string> CacheKey(const std::string& path, int maxWidth, int maxHeight)
{
    struct stat st{};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        return std::nullopt;
    std::error_code ec;
    const fs::path absolute = fs::absolute(path, ec);
    return std::string(kCacheVersion) + "|" + (ec ? path : absolute.lexically_normal().string()) + "|" +
           std::to_string(st.st_size) + "|" + std::to_string(st.st_mtim.tv_sec) + "." +
           std::to_string(st.st_mtim.tv_nsec) + "|" + std::to_string(maxWidth) + "x" + std::to_string(maxHeight);
}

fs::path CacheFile(const std::string& key)
{
    const std::string name = HexOf(Fnv1a(key, 0xcbf29ce484222325ull)) + HexOf(Fnv1a(key, 0x84222325cbf29ce4ull));
    return fs::path(PictureCacheFolder()) / (name + ".pic");
}

void PutU32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(const std::string& in, std::size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(in[at + static_cast<std::size_t>(i)]);
    return v;
}

// An entry: magic, encoding, width, height, key length, key, picture bytes.
std::optional<PreparedPicture> ReadCached(const std::string& key)
{
    const fs::path file = CacheFile(key);
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string data((std::istreambuf_iterator<char>(in)), {});
    constexpr std::size_t head = 4 + 1 + 4 + 4 + 4;
    if (data.size() < head || std::memcmp(data.data(), kCacheMagic, 4) != 0)
        return std::nullopt;
    const std::size_t keyLength = GetU32(data, 13);
    if (data.size() < head + keyLength || data.compare(head, keyLength, key) != 0)
        return std::nullopt;
    PreparedPicture picture;
    picture.encoding = data[4] == 'P' ? Encoding::Png : Encoding::Jpeg;
    picture.width = static_cast<int>(GetU32(data, 5));
    picture.height = static_cast<int>(GetU32(data, 9));
    picture.bytes = data.substr(head + keyLength);
    // Used now: the last to be removed.
    std::error_code ec;
    fs::last_write_time(file, fs::file_time_type::clock::now(), ec);
    return picture;
}

// Removes the entries used least recently until the cache holds at most its limit.
void TrimCache(const fs::path& folder)
{
    struct Entry {
        fs::path path;
        fs::file_time_type used;
        std::uintmax_t size;
    };
    std::vector<Entry> entries;
    std::uintmax_t total = 0;
    std::error_code ec;
    for (const auto& item : fs::directory_iterator(folder, ec)) {
        if (item.path().extension() != ".pic")
            continue;
        std::error_code e;
        Entry entry{item.path(), item.last_write_time(e), item.file_size(e)};
        if (e)
            continue;
        total += entry.size;
        entries.push_back(std::move(entry));
    }
    const std::uintmax_t limit = g_cacheLimit.load();
    if (total <= limit)
        return;
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.used < b.used; });
    for (const Entry& entry : entries) {
        if (total <= limit)
            break;
        std::error_code e;
        if (fs::remove(entry.path, e))
            total -= entry.size;
    }
}

// Stores the picture; a cache that cannot be written only costs time later.
void WriteCached(const std::string& key, const PreparedPicture& picture)
{
    const fs::path file = CacheFile(key);
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    std::string head(kCacheMagic, 4);
    head += picture.encoding == Encoding::Png ? 'P' : 'J';
    PutU32(head, static_cast<std::uint32_t>(picture.width));
    PutU32(head, static_cast<std::uint32_t>(picture.height));
    PutU32(head, static_cast<std::uint32_t>(key.size()));
    head += key;
    static std::atomic<unsigned> counter{0};
    const fs::path temp = file.string() + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    {
        std::ofstream out(temp, std::ios::binary);
        out.write(head.data(), static_cast<std::streamsize>(head.size()));
        out.write(picture.bytes.data(), static_cast<std::streamsize>(picture.bytes.size()));
        if (!out) {
            out.close();
            fs::remove(temp, ec);
            return;
        }
    }
    // Another program preparing the same picture writes the same entry:
    // whichever rename comes last wins, and readers see a whole file.
    fs::rename(temp, file, ec);
    if (ec) {
        fs::remove(temp, ec);
        return;
    }
    std::lock_guard lock(g_cacheMutex);
    TrimCache(file.parent_path());
}

std::optional<PreparedPicture> PrepareUncached(const std::string& path, int maxWidth, int maxHeight,
                                               std::string* error)
{
    ImageRef out;
    if (IsBitmapFile(path)) {
        const auto bitmap = ReadBitmapFile(path, error);
        if (!bitmap)
            return std::nullopt;
        ImageRef in{ImageOfBitmap(*bitmap)};
        if (!in.image || vips_thumbnail_image(in.image, &out.image, maxWidth, "height", maxHeight, "size",
                                              VIPS_SIZE_DOWN, nullptr)) {
            SetError(error, VipsError(path + " could not be prepared"));
            return std::nullopt;
        }
        return Encode(out.image, false, error);
    }
    const char* loader = vips_foreign_find_load(path.c_str());
    if (!IsPhotoLoader(loader)) {
        vips_error_clear();
        SetError(error, path + " is not a picture that can be read");
        return std::nullopt;
    }
    // Thumbnailing from the file shrinks while it decodes (JPEG, HEIC, WebP),
    // so memory stays small however large the photo, and turns the picture
    // upright by its EXIF orientation.
    if (vips_thumbnail(path.c_str(), &out.image, maxWidth, "height", maxHeight, "size", VIPS_SIZE_DOWN,
                       nullptr)) {
        SetError(error, VipsError(path + " could not be read"));
        return std::nullopt;
    }
    return Encode(out.image, false, error);
}

} // namespace

std::string PictureCacheFolder()
{
    const char* xdg = std::getenv("XDG_CACHE_HOME");
    fs::path base;
    if (xdg && *xdg && fs::path(xdg).is_absolute()) {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home && *home ? home : "/tmp") / ".cache";
    }
    return (base / "Veltrane" / "Inspector" / "pictures").string();
}

void SetPictureCacheLimit(std::uintmax_t bytes)
{
    g_cacheLimit = bytes;
}

std::optional<PictureSize> ReadPictureSize(const std::string& path, std::string* error)
{
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) {
        SetError(error, path + " was not found");
        return std::nullopt;
    }
    if (!VipsReady()) {
        SetError(error, "pictures cannot be read: " + VipsError("libvips did not start"));
        return std::nullopt;
    }
    if (IsBitmapFile(path)) {
        // The size from the bitmap's information header: width at 18, height at 22.
        std::ifstream in(path, std::ios::binary);
        char header[26] = {};
        in.read(header, sizeof header);
        if (in.gcount() != sizeof header) {
            SetError(error, path + " is not a bitmap that can be read");
            return std::nullopt;
        }
        std::string h(header, sizeof header);
        const auto width = static_cast<std::int32_t>(GetU32(h, 18));
        const auto height = static_cast<std::int32_t>(GetU32(h, 22));
        if (width <= 0 || height == 0) {
            SetError(error, path + " is not a bitmap that can be read");
            return std::nullopt;
        }
        return PictureSize{width, height < 0 ? -height : height};
    }
    if (!IsPhotoLoader(vips_foreign_find_load(path.c_str()))) {
        vips_error_clear();
        SetError(error, path + " is not a picture that can be read");
        return std::nullopt;
    }
    ImageRef image{vips_image_new_from_file(path.c_str(), "access", VIPS_ACCESS_SEQUENTIAL, nullptr)};
    if (!image.image) {
        SetError(error, VipsError(path + " could not be read"));
        return std::nullopt;
    }
    PictureSize size{vips_image_get_width(image.image), vips_image_get_height(image.image)};
    int orientation = 1;
    if (vips_image_get_typeof(image.image, VIPS_META_ORIENTATION) &&
        vips_image_get_int(image.image, VIPS_META_ORIENTATION, &orientation) == 0 && orientation >= 5 &&
        orientation <= 8)
        std::swap(size.width, size.height); // turned a quarter
    return size;
}

std::optional<PreparedPicture> PreparePicture(const std::string& path, int maxWidth, int maxHeight,
                                              std::string* error)
{
    const auto key = CacheKey(path, maxWidth, maxHeight);
    if (!key) {
        SetError(error, path + " was not found");
        return std::nullopt;
    }
    if (maxWidth <= 0 || maxHeight <= 0) {
        SetError(error, "no room to draw " + path);
        return std::nullopt;
    }
    if (auto cached = ReadCached(*key))
        return cached;
    if (!VipsReady()) {
        SetError(error, "pictures cannot be prepared: " + VipsError("libvips did not start"));
        return std::nullopt;
    }
    auto picture = PrepareUncached(path, maxWidth, maxHeight, error);
    if (picture)
        WriteCached(*key, *picture);
    return picture;
}

std::optional<PreparedPicture> PrepareBitmap(const store::Bitmap& bitmap, int maxWidth, int maxHeight,
                                             std::string* error)
{
    if (bitmap.width <= 0 || bitmap.height <= 0 ||
        bitmap.pixels.size() != static_cast<std::size_t>(bitmap.width) * static_cast<std::size_t>(bitmap.height)) {
        SetError(error, "the stored picture is empty");
        return std::nullopt;
    }
    if (maxWidth <= 0 || maxHeight <= 0) {
        SetError(error, "no room to draw the stored picture");
        return std::nullopt;
    }
    if (!VipsReady()) {
        SetError(error, "pictures cannot be prepared: " + VipsError("libvips did not start"));
        return std::nullopt;
    }
    ImageRef in{ImageOfBitmap(bitmap)};
    ImageRef out;
    if (!in.image || vips_thumbnail_image(in.image, &out.image, maxWidth, "height", maxHeight, "size",
                                          VIPS_SIZE_DOWN, nullptr)) {
        SetError(error, VipsError("the stored picture could not be prepared"));
        return std::nullopt;
    }
    return Encode(out.image, true, error);
}

} // namespace reports::pictures
