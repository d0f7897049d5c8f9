#include "picture/PictureFile.h"

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <memory>

#include "platform/Errors.h"
#include "platform/Paths.h"

namespace tessel {

const char* const PictureFilter =
    "All (*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf|"
    "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|PNG Image File (*.png)|*.png|"
    "GIF Image File (*.gif)|*.gif|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
    "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";

PictureKind PictureKindOf(const std::string& path)
{
    const std::string ext = LastDotExtension(ExtractFileName(path));
    std::string lower = ext;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    static const struct {
        const char* ext;
        PictureKind kind;
    } known[] = {{"bmp", PictureKind::Bitmap},   {"ico", PictureKind::Icon}, {"jpg", PictureKind::Jpeg},
                 {"jpeg", PictureKind::Jpeg},    {"png", PictureKind::Png},  {"gif", PictureKind::Gif},
                 {"emf", PictureKind::EnhancedMetafile}, {"wmf", PictureKind::Metafile}};
    for (const auto& k : known)
        if (lower == k.ext)
            return k.kind;
    throw AppError(FormatText("Unknown picture file extension (.%s)", ext));
}

const char* InvalidPictureText(PictureKind kind)
{
    switch (kind) {
    case PictureKind::Bitmap: return "Bitmap image is not valid";
    case PictureKind::Icon: return "Icon image is not valid";
    case PictureKind::Jpeg: return "JPEG image is not valid";
    case PictureKind::Png: return "PNG image is not valid";
    case PictureKind::Gif: return "GIF image is not valid";
    case PictureKind::EnhancedMetafile:
    case PictureKind::Metafile: return "Metafile is not valid";
    }
    return "Metafile is not valid";
}

namespace {

constexpr double ScreenDpi = 96;

std::string EnhancedMetafileToSvg(const std::string& bytes)
{
    // The emf2svg converter reads the record types from the first bytes
    // without checking the length first.
    constexpr std::size_t headerSize = 88;
    if (bytes.size() < headerSize)
        throw AppError(InvalidPictureText(PictureKind::EnhancedMetafile));
    std::string copy = bytes;   // the converter takes a mutable buffer
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("");
    options.svgDelimiter = true;
    options.emfplus = true;
    char* out = nullptr;
    std::size_t length = 0;
    const int ok = emf2svg(copy.data(), copy.size(), &out, &length, &options);
    const std::unique_ptr<char, decltype(&std::free)> owned(out, &std::free);
    if (!ok || !out || length == 0)
        throw AppError(InvalidPictureText(PictureKind::EnhancedMetafile));
    return std::string(out, length);
}

using WmfHandle = std::unique_ptr<wmfAPI, decltype(&wmf_api_destroy)>;

// A player with the SVG device, or null.
WmfHandle NewWmfPlayer()
{
    wmfAPI* api = nullptr;
    wmfAPI_Options options{};
    options.function = wmf_svg_function;
    const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
    if (wmf_api_create(&api, flags, &options) != wmf_E_None && api) {
        wmf_api_destroy(api);
        api = nullptr;
    }
    return WmfHandle(api, &wmf_api_destroy);
}

// libwmf loads a font before it reads the first record, so without its fonts it
// refuses every metafile alike. Whether the library or the file is at fault
// shows on a metafile that holds nothing: its header and the end record.
bool WmfStarts()
{
    const WmfHandle api = NewWmfPlayer();
    std::string empty("\x01\x00\x09\x00\x00\x03\x0c\x00\x00\x00\x00\x00\x03\x00\x00\x00\x00\x00"
                      "\x03\x00\x00\x00\x00\x00", 24);
    if (!api || wmf_mem_open(api.get(), reinterpret_cast<unsigned char*>(empty.data()), 24) != wmf_E_None)
        return false;
    wmfD_Rect bbox{};
    const bool scanned = wmf_scan(api.get(), 0, &bbox) == wmf_E_None;
    wmf_mem_close(api.get());
    return scanned;
}

std::string WindowsMetafileToSvg(const std::string& bytes)
{
    const auto invalid = [] {
        if (!WmfStarts())
            return AppError("The metafile library could not start: it found none of its fonts (fonts-urw-base35)");
        return AppError(InvalidPictureText(PictureKind::Metafile));
    };
    const WmfHandle owned = NewWmfPlayer();
    wmfAPI* api = owned.get();
    if (!api)
        throw invalid();
    std::string copy = bytes;   // the player reads from a mutable buffer
    if (wmf_mem_open(api, reinterpret_cast<unsigned char*>(copy.data()), static_cast<long>(copy.size())) != wmf_E_None)
        throw invalid();
    wmfD_Rect bbox{};
    unsigned int width = 0, height = 0;
    if (wmf_scan(api, 0, &bbox) != wmf_E_None || wmf_display_size(api, &width, &height, ScreenDpi, ScreenDpi) != wmf_E_None ||
        width == 0 || height == 0) {
        wmf_mem_close(api);
        throw invalid();
    }
    wmf_svg_t* device = WMF_SVG_GetData(api);
    device->bbox = bbox;
    device->width = width;
    device->height = height;
    device->out = wmf_stream_create(api, nullptr);
    const wmf_error_t played = wmf_play(api, 0, &bbox);
    char* out = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(api, device->out, &out, &length);   // the memory stays the library's
    wmf_mem_close(api);
    if (played != wmf_E_None || !out || length == 0)
        throw invalid();
    return std::string(out, length);
}

} // namespace

std::string MetafileToSvg(PictureKind kind, const std::string& bytes)
{
    return kind == PictureKind::EnhancedMetafile ? EnhancedMetafileToSvg(bytes) : WindowsMetafileToSvg(bytes);
}

} // namespace tessel
