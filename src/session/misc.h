#pragma once
// List functions of the recent-file list.
#include <string>
#include <vector>

namespace tessel {

// The first index whose entry equals name exactly (case included); -1 when none.
int IndexOfName(const std::vector<std::string>& list, const std::string& name);
// Entries index-1 down to 0 each move one place down (entry index is overwritten);
// the caller then stores the name at 0.
void MoveToFront(std::vector<std::string>& list, int index);
// Every entry moves one place down, the last dropping off; name goes to 0.
void InsertFront(std::vector<std::string>& list, const std::string& name);
// What opening name does to the recent list: an entry already there moves to
// the front, a new name pushes the oldest out. A name the settings file could
// not store (a line break or another control character in it) leaves the list
// as it is: the list is kept there.
void NoteRecentFile(std::vector<std::string>& list, const std::string& name);

} // namespace tessel
