#pragma once
// Copies of unsaved documents, kept in a folder of their own (RecoveryDir),
// so that a kill, a crash or the end of the desktop session loses no more
// than the last seconds of typing. Each run writes its copies under a name of
// its own, which it holds locked while it runs; what runs that are no longer
// running left behind is offered at the next start.
#include <string>
#include <vector>

#include "platform/Files.h"

namespace tessel {

struct RecoveryCopy {
    std::string path;       // the copy itself ("" before it is written)
    std::string fileName;   // the document's file; "" for a window never saved
    std::string caption;    // its window's caption
    std::string bytes;      // the text as its file would hold it
};

class RecoveryStore {
public:
    // dir: the folder (made when the first copy is written); "" keeps nothing.
    explicit RecoveryStore(std::string dir) : dir_(std::move(dir)) {}

    // A number for one document's copy, unique in this run.
    int NewSlot() { return ++slots_; }
    // Writes (replaces) the slot's copy. Throws IoError.
    void Write(int slot, const RecoveryCopy& copy);
    void Remove(int slot);
    // Every copy of this run goes: it ended cleanly.
    void RemoveAll();

    // The copies left by runs that are not running, oldest run first.
    std::vector<RecoveryCopy> Left() const;
    // Removes copies (restored or discarded) and the marks of runs left with none.
    void Forget(const std::vector<RecoveryCopy>& copies);

private:
    std::string CopyPath(int slot) const;

    std::string dir_;
    std::string run_;   // this run's name; "" until its first copy
    FileLock lock_;
    int slots_ = 0;
};

} // namespace tessel
