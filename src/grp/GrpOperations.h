#pragma once
// Changes to an archive: entries are added into reserved slots, extracted and
// deleted in place; a rebuild drops deleted data and makes or removes slots.
// Each updates the window's model and reports refusals through the prompter;
// I/O failures throw IoError with the runtime's text, and leave the archive as
// it was. Only regular files are archives and sources ("... is not a regular
// file"), and nothing is written to an archive whose directory does not fit
// its file ("Read beyond end of file").
#include <cstdint>
#include <string>
#include <vector>

#include "grp/GrpArchive.h"

namespace tessel {

class File;

// Puts the file at sourcePath into the first reserved slot; its data goes to
// the end. A slot that a live or deleted entry follows is not used: its data
// offset is not the end (the user is asked for reserved space instead, and
// that rebuild puts the slots last). Names that read as a marker and files of
// 2 GiB or more are refused.
void AddFile(GrpArchiveView& view, const std::string& archivePath, const std::string& sourcePath,
             Prompter& prompter);
// Writes the data of the first live entry named entryName to destinationPath.
void ExtractEntry(const std::string& archivePath, const std::string& destinationPath, const std::string& entryName,
                  Prompter& prompter);
// The two steps of an extraction, for every tool that extracts. First the
// checks before anything is read: never onto the archive itself, and the
// overwrite question. New: nothing is there; Overwrite: the user said yes.
enum class ExtractTarget { Refused, New, Overwrite };
ExtractTarget ConfirmExtractDestination(const std::string& archivePath, const std::string& destinationPath,
                                        Prompter& prompter);
// Then size bytes at offset of the open archive (its data from dataStart on)
// into destinationPath, created as target says and never through a symbolic
// link at that name ("Cannot create file %s"). Data outside the file is "Read
// beyond end of file"; a failed copy leaves no destination file behind.
void CopyEntryData(File& archive, std::int64_t offset, std::int32_t size, std::int64_t dataStart,
                   const std::string& destinationPath, ExtractTarget target);
// Marks every entry named as the selected row deleted and removes that row.
void DeleteEntry(GrpArchiveView& view, const std::string& archivePath, Prompter& prompter);
// Marks the first entry named nodeText deleted.
void DeleteTreeEntry(GrpArchiveView& view, const std::string& archivePath, const std::string& nodeText,
                     Prompter& prompter);
// Drops every reserved slot (and deleted entry) through a rebuild.
void EraseReservedSpace(GrpArchiveView& view, const std::string& archivePath, Prompter& prompter);
// Drops deleted entries and their data and appends extraSlots reserved slots:
// the live entries come first, in order, then the slots that were there, then
// the new ones. The clean copy is written beside the archive as "~temp" + its
// name, flushed to the disk and renamed over it, so the archive is never
// without its data; an archive the user may not write is "File access denied".
void RebuildArchive(GrpArchiveView& view, const std::string& archivePath, int extraSlots, Prompter& prompter);

// The rebuild's temporary file for an archive.
std::string RebuildTempPath(const std::string& archivePath);

// A new archive holding the given files under the given names, in order,
// followed by reservedSlots slots; replaces archivePath in one step. A name
// that reads as a marker, a file of 2 GiB or more, or one that is not a
// regular file is refused (AppError) before anything is written.
struct PackItem {
    std::string name;
    std::string path;
};
void PackArchive(const std::string& archivePath, const std::string& signature, const std::vector<PackItem>& items,
                 int reservedSlots);

} // namespace tessel
