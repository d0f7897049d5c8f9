// The explorer's preview pane as a user meets it: the ART of the corpus
// archive drawn in its palette, a map's counts, a sound's Play without a sound
// device, a text entry edited in an editor window and saved back into the
// archive, and the pane hidden and its width kept between runs.
#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QLabel>
#include <QMediaDevices>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableView>
#include <QTextBlock>
#include <QTextLayout>
#include <QTest>

#include "grp/GrpContents.h"
#include "grp/GrpTestSupport.h"
#include "support/BuildBytes.h"
#include "support/ProgramFixture.h"
#include "windows/editor/Childwin.h"
#include "windows/editor/ScriptEdit.h"
#include "windows/grp/GRPExp.h"
#include "windows/grp/GrpPreview.h"

namespace tessel {
namespace {

using namespace test;

class GrpPreviewTest : public ProgramFixture {
protected:
    void SetUp() override
    {
        WriteLanguageFiles();
        Start();
        prompter.clear();
    }
    TfrmGRPExp* Explorer(const std::string& archive)
    {
        auto* w = dynamic_cast<TfrmGRPExp*>(form->NewExplorerWindow("Tessel Group File Explorer - No File Loaded"));
        prompter.files.push_back(archive);
        w->findChild<QAction*>("mnuFileOpen")->trigger();
        prompter.clear();
        return w;
    }
    // Selects the entry in the list and waits until the pane shows it.
    static TfrmGrpPreview* Select(TfrmGRPExp* w, const std::string& name)
    {
        const auto& rows = w->Archive().rows;
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].name == name)
                w->findChild<QTableView*>("ListView1")->selectRow(static_cast<int>(i));
        TfrmGrpPreview* pane = w->Preview();
        EXPECT_TRUE(QTest::qWaitFor([&] { return pane->Shown() && pane->Shown()->row.name == name && !pane->Loading(); },
                                    10000))
            << name;
        return pane;
    }

    TempDir files;
};

TEST_F(GrpPreviewTest, TheArtOfTheCorpusArchiveShowsAsTilesInItsPalette)
{
    const std::string grp = ReadPath(KenbuildGrp);
    if (grp.empty())
        GTEST_SKIP() << "no corpus";
    const std::string path = files.write("K.GRP", grp);
    TfrmGRPExp* w = Explorer(path);
    TfrmGrpPreview* pane = Select(w, "TILES000.ART");
    EXPECT_EQ(pane->findChild<QLabel*>("lblPreviewInfo")->text().toStdString(),
              "TILES000.ART: 256 tiles (0 to 255); palette: PALETTE.DAT of this archive");
    auto* grid = pane->findChild<ArtGrid*>("ArtGrid");
    ASSERT_TRUE(grid && grid->isVisible());
    // Tile 0's top left pixel: its index is the first byte after the header and
    // the 256 tiles' sizes; its colour that index's three 6-bit values times four.
    const auto index = static_cast<unsigned char>(grp[128 + 16 + 8 * 256]);
    const auto six = [&](int c) { return static_cast<unsigned char>(grp[714805 + 3 * index + c]) << 2; };
    const QImage shown = grid->viewport()->grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(grid->ThumbnailRect(0).topLeft())), QColor(six(0), six(1), six(2)));
    EXPECT_EQ(pane->findChild<QLabel*>("lblTile")->text(), "Tile 0: 32 x 32");

    // Replace Tile with a picture in a palette colour (how pictures match the palette: GrpContentsTest).
    grid->Choose(4);
    QImage picture(3, 2, QImage::Format_ARGB32);
    picture.fill(QColor(six(0), six(1), six(2)));
    const std::string png = files.file("new.png");
    ASSERT_TRUE(picture.save(QString::fromStdString(png)));
    prompter.files.push_back(png);
    pane->findChild<QPushButton*>("btnReplaceTile")->click();
    const RgbaImage back = ArchiveTileImage(path, 4, ArchivePalette(path).colors);
    EXPECT_EQ(back.width, 3);
    EXPECT_EQ(back.height, 2);
    EXPECT_EQ(w->findChild<QLabel*>("StatusPanel0")->text(), "Tile 4 replaced");
    EXPECT_TRUE(prompter.shown.size() == 1 && prompter.shown[0].kind == ScriptedPrompter::Kind::OpenPicture);
}

// What each kind's line says is the preview's logic (GrpContentsTest); here,
// that a map gets its view and a sound its player.
TEST_F(GrpPreviewTest, AMapShowsInItsViewAndASoundSaysWhenNothingCanPlayIt)
{
    const std::string map = MapBytes(7, {{0, 1}}, {{0, 0, 0}}, 2);
    const std::string voc = VocBytes(VocBlock(1, std::string("\x9c\x00", 2) + "abcd"));
    const std::string grp = Grp({{"E1L1.MAP", std::int32_t(map.size()), map}, {"S.VOC", std::int32_t(voc.size()), voc}});
    const std::string path = files.write("M.GRP", grp);
    TfrmGRPExp* w = Explorer(path);
    EXPECT_TRUE(Select(w, "E1L1.MAP")->findChild<MapView*>("MapView")->isVisible());
    TfrmGrpPreview* pane = Select(w, "S.VOC");
    if (!QMediaDevices::defaultAudioOutput().isNull())
        GTEST_SKIP() << "a sound device is there";
    pane->findChild<QPushButton*>("btnPlay")->click();
    EXPECT_EQ(w->findChild<QLabel*>("StatusPanel0")->text(), "No sound device was found: nothing can be played.");
    EXPECT_FALSE(pane->findChild<QPushButton*>("btnStop")->isEnabled());
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(files.read("M.GRP"), grp);
}

TEST_F(GrpPreviewTest, ATextEntryEditedInAnEditorWindowIsSavedBackIntoTheArchive)
{
    const std::string grp = Grp({{"A.ART", 4, "aaaa"}, {"GAME.CON", 20, "actor X\r\n  actor Y\r\n"}, {Del, 3, "ddd"},
                                 {"Z.DAT", 2, "zz"}, {Res, 0}});
    const std::string path = files.write("T.GRP", grp);
    TfrmGRPExp* w = Explorer(path);
    TfrmGrpPreview* pane = Select(w, "GAME.CON");
    auto* text = pane->findChild<QPlainTextEdit*>("txtPreview");
    EXPECT_EQ(text->toPlainText().toStdString(), "actor X\n  actor Y\n");
    // The keyword of the second line coloured where it stands, after the first line's CR LF.
    QCoreApplication::processEvents();
    const QList<QTextLayout::FormatRange> second = text->document()->findBlockByNumber(1).layout()->formats();
    ASSERT_EQ(second.size(), 1);
    EXPECT_EQ(second[0].start, 2);
    EXPECT_EQ(second[0].length, 5);
    EXPECT_EQ(second[0].format.foreground().color(), QColor(0, 0, 255));
    pane->findChild<QPushButton*>("btnOpenInEditor")->click();
    auto* editor = Active<TfrmConEdit>();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->FileName(), "GAME.CON in " + path);
    EXPECT_EQ(editor->MainRichEdit()->Document().text, "actor X\r\n  actor Y\r\n");
    editor->MainRichEdit()->setFocus();
    QTest::keyClicks(editor->MainRichEdit(), "// mod");
    Action("FileSaveItem")->trigger();
    // What the entry document writes into the archive is GrpContentsTest's.
    EXPECT_EQ(form->StatusText(0), "Saved GAME.CON into T.GRP");
    EXPECT_FALSE(editor->Modified());
    EXPECT_EQ(Listing(w->Archive())[1], "GAME.CON 26 100");   // the explorer read its list again
    // Opening it again brings the same window to the front.
    w->findChild<QTableView*>("ListView1")->selectRow(1);
    w->findChild<QAction*>("mnuItemsOpenInEditor")->trigger();
    EXPECT_EQ(Active<TfrmConEdit>(), editor);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(GrpPreviewTest, ThePaneCanBeHiddenAndItsPlaceIsKept)
{
    const std::string path = files.write("T.GRP", Grp({{"A.CON", 1, "a"}}));
    TfrmGRPExp* w = Explorer(path);
    ASSERT_TRUE(w->Preview()->isVisible());
    w->findChild<QAction*>("mnuViewPreview")->trigger();
    EXPECT_FALSE(w->Preview()->isVisible());
    EXPECT_NE(dir.read("QztMain.ini").find("PreviewHidden=1"), std::string::npos);
    Exit();
    dir.write("QztMain.ini", "[GroupFileExplorer]\r\nPreviewWidth=300\r\n");
    Start();
    w = Explorer(path);
    ASSERT_TRUE(w->Preview()->isVisible());
    w->show();
    QCoreApplication::processEvents();
    EXPECT_EQ(w->findChild<QSplitter*>("PreviewSplitter")->sizes().value(1), 300);
}

} // namespace
} // namespace tessel
