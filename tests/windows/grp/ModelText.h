#pragma once
// What an item model shows, as text lines, for the window tests.
#include <QAbstractItemModel>
#include <string>
#include <vector>

namespace tessel::test {

// A model's rows as shown: the columns joined by blanks, then each child as " /child".
inline std::vector<std::string> Shown(const QAbstractItemModel& m, const QModelIndex& parent = QModelIndex())
{
    std::vector<std::string> out;
    for (int r = 0; r < m.rowCount(parent); ++r) {
        std::string line;
        for (int c = 0; c < m.columnCount(parent); ++c)
            line += (c ? " " : "") + m.index(r, c, parent).data().toString().toStdString();
        for (const auto& child : m.hasChildren(m.index(r, 0, parent)) ? Shown(m, m.index(r, 0, parent))
                                                                        : std::vector<std::string>())
            line += " /" + child;
        out.push_back(line);
    }
    return out;
}

} // namespace tessel::test
