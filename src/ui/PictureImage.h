#pragma once
// Reading a picture file into an image, for the picture viewer and the
// preview of the picture open dialog.
#include <QImage>
#include <string>

namespace tessel {

// A picture file as an image, by the kind its extension names (bitmaps, icons
// and metafiles; JPEG, PNG and GIF too). Throws AppError with the loader's text.
QImage ReadPicture(const std::string& path);

} // namespace tessel
