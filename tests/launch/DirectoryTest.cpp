#include "launch/Directory.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QFileSystemModel>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <memory>

#include "launch/LaunchTestSupport.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "platform/QtPaths.h"

namespace tessel {
namespace {

using namespace test;
using Act = std::function<void(TfrmDirectory&)>;

class DirectoryTest : public ::testing::Test {
protected:
    DirectoryTest()
    {
        for (const char* sub : {"a", "a/b", "c"})
            ::mkdir(dir.file(sub).c_str(), 0755);
    }

    // What a person does while the chooser shows, run inside its modal loop.
    static std::optional<std::string> choose(TfrmDirectory& chooser, const std::optional<std::string>& start,
                                             const Act& act)
    {
        QTimer::singleShot(0, &chooser, [&] { act(chooser); });
        return chooser.ChooseDirectory(start);
    }
    static void click(TfrmDirectory& chooser, const char* name)
    {
        QTest::mouseClick(chooser.findChild<QWidget*>(name), Qt::LeftButton);
    }
    static void select(TfrmDirectory& chooser, const std::string& folder)
    {
        auto* tree = chooser.findChild<QTreeView*>("DirList1");
        tree->setCurrentIndex(static_cast<QFileSystemModel*>(tree->model())->index(ToQString(folder)));
    }

    TempDir dir;
    ScriptedPrompter prompter;
    CurrentFolderGuard folder;
};

TEST_F(DirectoryTest, ItStartsWhereItWasMadeAndKeepsWhatItShowedLast)
{
    EnterFolder(dir.file("a"));
    auto chooser = std::make_unique<TfrmDirectory>(prompter);
    EnterFolder(dir.file("c"));   // later changes of the current folder do not move it
    EXPECT_EQ(chooser->windowTitle(), "Select Directory");
    EXPECT_EQ(chooser->findChild<QComboBox*>("DriveComboBox1")->itemText(0), "/");

    const Act ok = [](TfrmDirectory& c) { click(c, "btnOk"); };
    const Act cancel = [](TfrmDirectory& c) { click(c, "btnCancel"); };
    const struct {
        const char* name;
        std::optional<std::string> start;
        Act act;
        std::optional<std::string> chosen;
    } cases[] = {
        {"the folder current at its making", std::nullopt, ok, dir.file("a/")},
        {"a start folder", dir.file("a/b/"), ok, dir.file("a/b/")},
        {"the folder shown last", std::nullopt, ok, dir.file("a/b/")},
        {"another folder, cancelled", std::nullopt, [&](TfrmDirectory& c) {
             select(c, dir.file("c"));
             cancel(c);
         }, std::nullopt},
        {"shown last, even after a cancel", std::nullopt, ok, dir.file("c/")},
        {"closed by its title bar", dir.file("a"), [](TfrmDirectory& c) { c.close(); }, std::nullopt},
        {"closed by Escape", std::nullopt, [](TfrmDirectory& c) { QTest::keyClick(&c, Qt::Key_Escape); }, std::nullopt},
        {"the root from the volume list", std::nullopt, [](TfrmDirectory& c) {
             auto* volumes = c.findChild<QComboBox*>("DriveComboBox1");
             volumes->setCurrentIndex(0);
             emit volumes->activated(0);
             click(c, "btnOk");
         }, "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(choose(*chooser, c.start, c.act), c.chosen);
    }
}

} // namespace
} // namespace tessel
