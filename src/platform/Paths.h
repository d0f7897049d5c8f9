#pragma once
// The one home of path and file-name text: every split of a path into folder,
// name and extension is here, each variant named for what it does. Two kinds
// of names meet in this program: real paths of this system, separated by '/',
// and names as the user and the settings file write them, which may also use
// the Windows '\'. Functions taking "any separator" treat both alike.
#include <string>

namespace tessel {

constexpr char PathDelim = '/';
bool IsAnySeparator(char c);   // '/' or '\'

// --- names the user writes: '/' and '\' both separate ------------------------
// Trailing separators removed, then the text after the last one (the whole
// text when there is none).
std::string FileNamePart(const std::string& path);
// The text after the first full stop anywhere in the path, not the last one;
// the whole path when it has none.
std::string FileExtPart(const std::string& path);
// The text before the first full stop; empty when there is none.
std::string FileStemPart(const std::string& path);
// The extension of the name part alone: the text after its first full stop;
// the whole name part when it has none. Case is kept.
std::string NamePartExtension(const std::string& path);
// The path without "." and NamePartExtension (the path itself when its name
// part has no full stop).
std::string WithoutNamePartExtension(const std::string& path);
// The text after the last full stop of a name; empty when it holds none.
std::string LastDotExtension(const std::string& name);
// The name a save writes: the chosen name, with extension (".con", ".GRP")
// appended when its name part has no full stop.
std::string SaveFileName(const std::string& chosen, const std::string& extension);
// The name of a file as Windows takes it from a path: after the last '/',
// '\' or ':' (a drive letter).
std::string WindowsFileName(const std::string& path);

// --- paths of this system: only '/' separates --------------------------------
// The folder of a path without its trailing separator: "/" for a file at the
// root, "" for a bare name.
std::string ExtractFileDir(const std::string& path);
// After the last separator.
std::string ExtractFileName(const std::string& path);
// dir with one separator at its end; "" stays "" (the current folder), so
// that IncludeTrailingPathDelimiter(ExtractFileDir(p)) + ExtractFileName(p)
// names the same file as p.
std::string IncludeTrailingPathDelimiter(const std::string& dir);
// The folder of a path as a prefix to put before a name: "" for a bare name.
inline std::string FolderPrefix(const std::string& path) { return IncludeTrailingPathDelimiter(ExtractFileDir(path)); }
// The folder to open for a path's folder: "." for a bare name.
std::string FolderOrCurrent(const std::string& path);
// path with its extension (after the last full stop of its name) replaced by ext (".qzt").
std::string ChangeFileExt(const std::string& path, const std::string& ext);

// The folder of the running executable, ending in a separator.
std::string ExecutableDir();

// A name as one line of text shows it: its control characters (a line break
// in a file name) as \xNN, everything else as it is.
std::string PrintableName(const std::string& name);

} // namespace tessel
