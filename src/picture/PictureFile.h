#pragma once
// What the picture viewer's loader knows without a window: which decoder a
// file goes to by its extension, the loader's failure texts, and metafiles
// turned into SVG (libwmf for .wmf, libemf2svg for .emf), which the window
// then draws.
#include <string>

namespace tessel {

enum class PictureKind { Bitmap, Icon, Jpeg, Png, Gif, EnhancedMetafile, Metafile };

// The File > Open filter of the picture viewer.
extern const char* const PictureFilter;

// The decoder for a file, by the extension after the last full stop of its
// name, in any letter case. Throws AppError "Unknown picture file extension (.%s)".
PictureKind PictureKindOf(const std::string& path);
// The loader's text for a file that is not the picture its extension says.
const char* InvalidPictureText(PictureKind kind);
// A metafile (of kind EnhancedMetafile or Metafile) as an SVG document whose
// size is the metafile's at 96 pixels an inch. Throws AppError with
// InvalidPictureText when the bytes are not such a metafile, or "The metafile
// library could not start: ..." when libwmf finds none of its fonts.
std::string MetafileToSvg(PictureKind kind, const std::string& bytes);

} // namespace tessel
