#include "windows/grp/GrpItemModels.h"

#include <QStringDecoder>
#include <algorithm>
#include <cstring>

namespace tessel {

namespace {

// Up to this many rows added and removed in one step are passed on where they
// are; beyond it the whole content is replaced in one step.
constexpr std::size_t SmallChange = 64;

// Where two lists differ: past their common beginning, before their common end.
struct Change {
    std::size_t first = 0;      // the first differing position
    std::size_t removed = 0;    // old items from first on that went
    std::size_t inserted = 0;   // new items from first on that came
};

template <typename A, typename B, typename Same>
Change Difference(const std::vector<A>& old, const std::vector<B>& now, Same same)
{
    Change c;
    const std::size_t common = std::min(old.size(), now.size());
    while (c.first < common && same(old[c.first], now[c.first]))
        ++c.first;
    std::size_t end = 0;
    while (end < common - c.first && same(old[old.size() - 1 - end], now[now.size() - 1 - end]))
        ++end;
    c.removed = old.size() - c.first - end;
    c.inserted = now.size() - c.first - end;
    return c;
}

std::vector<ShownName> ShownNames(const std::vector<std::string>& names)
{
    return std::vector<ShownName>(names.begin(), names.end());
}

} // namespace

ShownName::ShownName(const std::string& name)
{
    Assign(name);
}

void ShownName::Assign(const std::string& name)
{
    size = static_cast<std::uint8_t>(std::min(name.size(), bytes.size()));
    std::memcpy(bytes.data(), name.data(), size);
}

void GrpListModel::Row::Assign(const GrpRow& row)
{
    name.Assign(row.name);
    size = row.size;
    offset = row.offset;
}

bool ShownName::operator==(const std::string& name) const
{
    return name.size() == size && std::equal(name.begin(), name.end(), bytes.begin());
}

QString EntryText(const std::string& bytes)
{
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return utf8.hasError() ? QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())) : text;
}

// --- the list -------------------------------------------------------------------

void GrpListModel::Sync(const std::vector<GrpRow>& rows)
{
    const Change c = Difference(shown_, rows, [](const Row& a, const GrpRow& b) {
        return a.size == b.size && a.name == b.name;
    });
    if (c.removed + c.inserted > SmallChange) {
        // All rows out, then all in: unlike a reset this leaves the columns,
        // and so their widths, alone; each is one step for the views.
        if (!shown_.empty()) {
            beginRemoveRows(QModelIndex(), 0, static_cast<int>(shown_.size()) - 1);
            shown_.clear();
            endRemoveRows();
        }
        if (!rows.empty()) {
            beginInsertRows(QModelIndex(), 0, static_cast<int>(rows.size()) - 1);
            shown_.resize(rows.size());
            for (std::size_t i = 0; i < rows.size(); ++i)
                shown_[i].Assign(rows[i]);
            endInsertRows();
        }
        return;
    }
    const auto at = [](auto& v, std::size_t i) { return v.begin() + static_cast<std::ptrdiff_t>(i); };
    const int first = static_cast<int>(c.first);
    if (c.removed > 0) {
        beginRemoveRows(QModelIndex(), first, first + static_cast<int>(c.removed) - 1);
        shown_.erase(at(shown_, c.first), at(shown_, c.first + c.removed));
        endRemoveRows();
    }
    if (c.inserted > 0) {
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(c.inserted) - 1);
        shown_.insert(at(shown_, c.first), c.inserted, Row());
        for (std::size_t i = c.first; i < c.first + c.inserted; ++i)
            shown_[i].Assign(rows[i]);
        endInsertRows();
    }
    // Add and the rebuilds move data: the offsets of rows that stayed change.
    int low = -1, high = -1;
    for (std::size_t i = 0; i < shown_.size(); ++i)
        if (shown_[i].offset != rows[i].offset) {
            shown_[i].offset = rows[i].offset;
            high = static_cast<int>(i);
            low = low < 0 ? high : low;
        }
    if (low >= 0)
        emit dataChanged(index(low, 2), index(high, 2), {Qt::DisplayRole});
}

int GrpListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int GrpListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 3;
}

QVariant GrpListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || static_cast<std::size_t>(index.row()) >= shown_.size())
        return QVariant();
    const Row& row = shown_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
    case 0: return EntryText(row.name.text());
    case 1: return QString::number(row.size);
    case 2: return QString::number(row.offset);
    default: return QVariant();
    }
}

QVariant GrpListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const captions[] = {"File", "Size", "Offset"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 3)
        return QString(captions[section]);
    return QAbstractTableModel::headerData(section, orientation, role);
}

// --- the tree -------------------------------------------------------------------

GrpTreeModel::~GrpTreeModel() = default;

void GrpTreeModel::Renumber(std::size_t from)
{
    for (std::size_t i = from; i < groups_.size(); ++i)
        groups_[i]->row = static_cast<int>(i);
}

void GrpTreeModel::Sync(const std::vector<ExtensionGroup>& groups)
{
    const Change top = Difference(groups_, groups, [](const std::unique_ptr<Group>& a, const ExtensionGroup& b) {
        return a->key == b.key;
    });
    // The groups on both sides, as (old position, new position), and how their children differ.
    struct Kept {
        std::size_t pos, now;   // pos: where the group stands once the removed groups are gone
        Change children;
    };
    std::vector<Kept> kept;
    std::size_t changed = top.removed + top.inserted;
    const std::size_t after = groups.size() - top.first - top.inserted;
    for (std::size_t i = 0; i < top.first + after && changed <= SmallChange; ++i) {
        const std::size_t old = i < top.first ? i : i + top.removed, now = i < top.first ? i : i + top.inserted;
        const Change c = Difference(groups_[old]->children, groups[now].children,
                                    [](const ShownName& a, const std::string& b) { return a == b; });
        if (c.removed + c.inserted > 0)
            kept.push_back({i, now, c});
        changed += c.removed + c.inserted;
    }
    const auto at = [](auto& v, std::size_t i) { return v.begin() + static_cast<std::ptrdiff_t>(i); };
    if (changed > SmallChange) {
        beginResetModel();
        groups_.clear();
        groups_.reserve(groups.size());
        for (const auto& g : groups)
            groups_.push_back(std::make_unique<Group>(Group{g.key, ShownNames(g.children), 0}));
        Renumber(0);
        endResetModel();
        return;
    }
    const int first = static_cast<int>(top.first);
    if (top.removed > 0) {
        beginRemoveRows(QModelIndex(), first, first + static_cast<int>(top.removed) - 1);
        groups_.erase(at(groups_, top.first), at(groups_, top.first + top.removed));
        Renumber(top.first);
        endRemoveRows();
    }
    for (const Kept& k : kept) {
        Group& g = *groups_[k.pos];
        const QModelIndex parent = createIndex(g.row, 0, nullptr);
        const std::vector<std::string>& now = groups[k.now].children;
        const int from = static_cast<int>(k.children.first);
        if (k.children.removed > 0) {
            beginRemoveRows(parent, from, from + static_cast<int>(k.children.removed) - 1);
            g.children.erase(at(g.children, k.children.first), at(g.children, k.children.first + k.children.removed));
            endRemoveRows();
        }
        if (k.children.inserted > 0) {
            beginInsertRows(parent, from, from + static_cast<int>(k.children.inserted) - 1);
            const std::vector<std::string> added(at(now, k.children.first),
                                                 at(now, k.children.first + k.children.inserted));
            const std::vector<ShownName> names = ShownNames(added);
            g.children.insert(at(g.children, k.children.first), names.begin(), names.end());
            endInsertRows();
        }
    }
    if (top.inserted > 0) {
        beginInsertRows(QModelIndex(), first, first + static_cast<int>(top.inserted) - 1);
        for (std::size_t i = 0; i < top.inserted; ++i) {
            const ExtensionGroup& g = groups[top.first + i];
            groups_.insert(at(groups_, top.first + i),
                           std::make_unique<Group>(Group{g.key, ShownNames(g.children), 0}));
        }
        Renumber(top.first);
        endInsertRows();
    }
}

std::string GrpTreeModel::NodeText(const QModelIndex& index) const
{
    if (!index.isValid())
        return std::string();
    if (const auto* g = static_cast<const Group*>(index.internalPointer()))
        return g->children[static_cast<std::size_t>(index.row())].text();
    return groups_[static_cast<std::size_t>(index.row())]->key;
}

QModelIndex GrpTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (!hasIndex(row, column, parent))
        return QModelIndex();
    if (!parent.isValid())
        return createIndex(row, column, nullptr);
    return createIndex(row, column, groups_[static_cast<std::size_t>(parent.row())].get());
}

QModelIndex GrpTreeModel::parent(const QModelIndex& child) const
{
    const auto* g = child.isValid() ? static_cast<const Group*>(child.internalPointer()) : nullptr;
    return g ? createIndex(g->row, 0, nullptr) : QModelIndex();
}

int GrpTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(groups_.size());
    if (parent.internalPointer() || parent.column() != 0)
        return 0;
    return static_cast<int>(groups_[static_cast<std::size_t>(parent.row())]->children.size());
}

int GrpTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant GrpTreeModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return QVariant();
    return EntryText(NodeText(index));
}

} // namespace tessel
