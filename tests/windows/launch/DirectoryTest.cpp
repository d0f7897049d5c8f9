#include "windows/launch/Directory.h"

#include <QComboBox>
#include <QFileSystemModel>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>

#include "launch/LaunchTestSupport.h"
#include "ui/QtPaths.h"

namespace tessel {
namespace {

using namespace test;
using Act = std::function<void(TfrmDirectory&)>;

TEST(DirectoryTest, ItStartsWhereItWasMadeAndKeepsWhatItShowedLast)
{
    TempDir dir;
    ScriptedPrompter prompter;
    CurrentFolderGuard folder;
    MakeFolders(dir.path(), {"a", "a/b", "c"});
    static const auto click = [](TfrmDirectory& c, const char* name) {
        QTest::mouseClick(c.findChild<QWidget*>(name), Qt::LeftButton);
    };
    EnterFolder(dir.file("a"));
    TfrmDirectory chooser(prompter);
    EnterFolder(dir.file("c"));   // later changes of the current folder do not move it
    EXPECT_EQ(chooser.windowTitle(), "Select Directory");
    EXPECT_EQ(chooser.findChild<QComboBox*>("DriveComboBox1")->itemText(0), "/");

    const Act ok = [](TfrmDirectory& c) { click(c, "btnOk"); };
    using Folder = std::optional<std::string>;
    const struct { const char* name; Folder start; Act act; Folder chosen; } cases[] = {
        {"the folder current at its making", std::nullopt, ok, dir.file("a/")},
        {"a start folder", dir.file("a/b/"), ok, dir.file("a/b/")},
        {"the folder shown last", std::nullopt, ok, dir.file("a/b/")},
        {"another folder, cancelled", std::nullopt, [&](TfrmDirectory& c) {
             auto* tree = c.findChild<QTreeView*>("DirList1");
             tree->setCurrentIndex(static_cast<QFileSystemModel*>(tree->model())->index(ToQString(dir.file("c"))));
             click(c, "btnCancel");
         }, std::nullopt},
        {"shown last, even after a cancel", std::nullopt, ok, dir.file("c/")},
        {"closed by its title bar", dir.file("a"), [](TfrmDirectory& c) { c.close(); }, std::nullopt},
        {"the root from the volume list", std::nullopt, [](TfrmDirectory& c) {
             auto* volumes = c.findChild<QComboBox*>("DriveComboBox1");
             volumes->setCurrentIndex(0);
             emit volumes->activated(0);
             click(c, "btnOk");
         }, "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTimer::singleShot(0, &chooser, [&] { c.act(chooser); });   // what a person does while it shows
        EXPECT_EQ(chooser.ChooseDirectory(c.start), c.chosen);
    }
}

} // namespace
} // namespace tessel
