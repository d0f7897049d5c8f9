#pragma once
// Script and project files on disk, as the editing control holds them: what
// the editor window loads into its control, and writes back from it.
#include <string>
#include <vector>

#include "platform/Color.h"
#include "richtext/ControlText.h"
#include "richtext/ProjectFile.h"

namespace tessel {

struct LoadedDocument {
    ColoredText document;   // no colours for a plain file: all black
    bool richText = false;   // the file was Rich Text Format
};

// Rich Text Format is read with its colours (whatever the name); anything
// else as plain text. Throws IoError ("File not found" when it is missing).
LoadedDocument ReadDocumentFile(const std::string& path);

// The text's file bytes (its own line ends and characters), replacing path
// whole (ReplaceTarget::Document: a pipe or a device is refused unopened, a
// file with other names written in place). Throws IoError; the old file stays then.
void SavePlainTextFile(const std::string& path, const ControlText& text);
// Whether the regular file at path is in Rich Text Format; false when there is
// none or it cannot be read. A rich document that is not a project file is
// never replaced by plain text: its fonts and links would be lost.
bool HoldsRichText(const std::string& path);

// The project file of the text in its colours (one per byte of text.text).
void SaveProjectFile(const std::string& path, const ControlText& text, const std::vector<TColor>& colors);

} // namespace tessel
