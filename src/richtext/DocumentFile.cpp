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
    ReplaceFile(path, text.text);
}

void SaveProjectFile(const std::string& path, const ControlText& text, const std::vector<TColor>& colors)
{
    ReplaceFile(path, WriteProjectFile(text, colors));
}

} // namespace tessel
