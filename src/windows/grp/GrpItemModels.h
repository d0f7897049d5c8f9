#pragma once
// The explorer window's item models: its list (one row per live entry, with
// "File", "Size" and "Offset") and its tree (one top-level node per extension
// group, the entries' names under it). Each keeps a copy of what it shows and
// is brought up to date from the archive's GrpArchiveView after every command:
// a few rows come and go as insertions and removals, so the views keep their
// scroll position, selection and open nodes; a whole new archive replaces
// everything in one step (the list keeps its column widths).
#include <QAbstractItemModel>
#include <QAbstractTableModel>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grp/GrpArchive.h"

namespace tessel {

// The text of a name or signature from an archive: UTF-8 when it is valid
// UTF-8, otherwise one character a byte (the games' tools wrote 8-bit names).
QString EntryText(const std::string& bytes);

// A name as the models keep it. Names in an archive hold at most 12 bytes, so
// a field of fixed size copies without allocating: a reload of tens of
// thousands of entries costs little more than the reading itself.
struct ShownName {
    std::array<char, 15> bytes{};
    std::uint8_t size = 0;

    explicit ShownName(const std::string& name = std::string());
    void Assign(const std::string& name);
    std::string text() const { return std::string(bytes.data(), size); }
    bool operator==(const std::string& name) const;
};

class GrpListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void Sync(const std::vector<GrpRow>& rows);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    struct Row {
        ShownName name;
        std::int32_t size = 0;
        std::int64_t offset = 0;
        void Assign(const GrpRow& row);
    };
    std::vector<Row> shown_;
};

class GrpTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    using QAbstractItemModel::QAbstractItemModel;
    ~GrpTreeModel() override;
    void Sync(const std::vector<ExtensionGroup>& groups);
    // The node's own text (a group's key or an entry's name), as the archive holds it.
    std::string NodeText(const QModelIndex& index) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    // A group node; its children's indexes point at it, so it stays put in
    // memory while groups before it come and go, and knows its own row.
    struct Group {
        std::string key;
        std::vector<ShownName> children;
        int row = 0;
    };
    void Renumber(std::size_t from);

    std::vector<std::unique_ptr<Group>> groups_;
};

} // namespace tessel
