#include "richtext/DocumentFile.h"

#include <cerrno>

#include "platform/Errors.h"
#include "platform/Files.h"
#include "richtext/RtfReader.h"

namespace tessel {

LoadedDocument ReadDocumentFile(const std::string& path)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        ThrowIoError(ENOENT);
    LoadedDocument loaded;
    loaded.richText = LooksLikeRtf(bytes);
    if (loaded.richText)
        loaded.document = ReadProjectFile(bytes);
    else
        loaded.document.text = ControlTextOfFile(bytes);
    return loaded;
}

void SavePlainTextFile(const std::string& path, const ControlText& text)
{
    ReplaceFile(path, text.text, ReplaceTarget::Document);
}

bool HoldsRichText(const std::string& path)
{
    if (!FileExists(path))
        return false;
    try {
        File file(path, File::Mode::Read);
        char head[5];
        std::size_t got = 0;
        for (std::size_t n = 1; got < sizeof head && n > 0; got += n)
            n = file.ReadSome(head + got, sizeof head - got);
        return LooksLikeRtf(std::string_view(head, got));
    } catch (const AppError&) {
        return false;
    }
}

void SaveProjectFile(const std::string& path, const ControlText& text, const std::vector<TColor>& colors)
{
    ReplaceFile(path, WriteProjectFile(text, colors), ReplaceTarget::Document);
}

} // namespace tessel
