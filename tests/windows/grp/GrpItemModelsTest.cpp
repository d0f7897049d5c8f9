// The explorer's item models follow the archive model through every kind of
// change with consistent notifications (Qt's model tester watches each one),
// and small changes keep what the views hold on to.
#include "windows/grp/GrpItemModels.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <random>

#include "grp/GrpTestSupport.h"
#include "windows/grp/ModelText.h"

namespace tessel {
namespace {

using Texts = std::vector<std::string>;
using test::Shown;

TEST(GrpItemModelsTest, RandomEditsAreFollowedExactly)
{
    std::mt19937 random(7);
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    GrpListModel list;
    GrpTreeModel tree;
    QAbstractItemModelTester listTester(&list, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester treeTester(&tree, QAbstractItemModelTester::FailureReportingMode::Fatal);
    GrpArchiveView view;
    for (int step = 0; step < 400; ++step) {
        SCOPED_TRACE(step);
        const int kind = pick(10);
        if (kind == 0) {   // a new archive
            view.rows.clear();
            view.groups.clear();
            for (int i = pick(200); i > 0; --i) {
                view.rows.push_back({"F" + std::to_string(pick(50)) + "." + "ABCDE"[pick(5)], pick(100), 0});
                view.AddTreeNode(view.rows.back().name);
            }
        } else if (kind < 5 && !view.rows.empty()) {   // a deletion
            const auto at = view.rows.begin() + pick(static_cast<int>(view.rows.size()));
            view.RemoveTreeNode(at->name);
            view.rows.erase(at);
        } else {   // an addition
            view.rows.push_back({std::string(1, "XYZ"[pick(3)]) + "." + "AFG"[pick(3)], pick(100), 0});
            view.AddTreeNode(view.rows.back().name);
        }
        std::int64_t offset = pick(3) * 16;   // a rebuild moves the data
        for (auto& row : view.rows) {
            row.offset = offset;
            offset += row.size;
        }
        list.Sync(view.rows);
        tree.Sync(view.groups);
        ASSERT_EQ(Shown(list), test::Listing(view));
        ASSERT_EQ(Shown(tree), test::Groups(view));
    }
}

TEST(GrpItemModelsTest, ADeletionAndAnAddKeepTheIndexesViewsHoldOn)
{
    GrpArchiveView view;
    for (const char* name : {"A.CON", "B.ART", "C.CON", "D.VOC"}) {
        view.rows.push_back({name, 1, 0});
        view.AddTreeNode(name);
    }
    GrpListModel list;
    GrpTreeModel tree;
    list.Sync(view.rows);
    tree.Sync(view.groups);
    const QPersistentModelIndex row(list.index(3, 0)), node(tree.index(0, 0, tree.index(2, 0)));
    view.rows.erase(view.rows.begin() + 1);   // B.ART, the only one of its group
    view.RemoveTreeNode("B.ART");
    list.Sync(view.rows);
    tree.Sync(view.groups);
    view.rows.push_back({"E.CON", 1, 0});
    view.AddTreeNode("E.CON");
    list.Sync(view.rows);
    tree.Sync(view.groups);
    EXPECT_EQ(row.row(), 2);
    EXPECT_EQ(row.data().toString(), "D.VOC");
    EXPECT_EQ(node.parent().row(), 1);
    EXPECT_EQ(node.data().toString(), "D.VOC");
    EXPECT_EQ(Shown(tree), (Texts{"CON /A.CON /C.CON /E.CON", "VOC /D.VOC"}));
}

TEST(GrpItemModelsTest, NamesShowAsUtf8OrOneCharacterAByte)
{
    EXPECT_EQ(EntryText("GAME.CON"), "GAME.CON");
    EXPECT_EQ(EntryText("\xc3\xa9T\xc3\xa9.CON"), QString::fromUtf8("\xc3\xa9T\xc3\xa9.CON"));
    EXPECT_EQ(EntryText("\xe9T\xe9.CON"), QString::fromLatin1("\xe9T\xe9.CON"));
}

} // namespace
} // namespace tessel
