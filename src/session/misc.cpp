#include "session/misc.h"

#include "platform/ProfileFile.h"

namespace tessel {

int IndexOfName(const std::vector<std::string>& list, const std::string& name)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (list[i] == name)
            return static_cast<int>(i);
    return -1;
}

void MoveToFront(std::vector<std::string>& list, int index)
{
    for (int i = index; i > 0; --i)
        list[i] = list[i - 1];
}

void InsertFront(std::vector<std::string>& list, const std::string& name)
{
    if (list.empty())
        return;
    MoveToFront(list, static_cast<int>(list.size()) - 1);
    list[0] = name;
}

void NoteRecentFile(std::vector<std::string>& list, const std::string& name)
{
    if (!StorableInProfile(name))
        return;
    const int i = IndexOfName(list, name);
    if (i >= 0) {
        MoveToFront(list, i);
        list[0] = name;
    } else {
        InsertFront(list, name);
    }
}

} // namespace tessel
