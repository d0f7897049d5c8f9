#include "mainwindow/Picture.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <cstdint>
#include <initializer_list>

#include "support/BuildBytes.h"
#include "support/NonRegular.h"
#include "support/ScriptedPrompter.h"

namespace tessel {
namespace {

std::string Le16(int v) { return test::Le(v, 2); }
std::string Le32(std::uint32_t v) { return test::Le(v, 4); }

// A placeable Windows metafile of 200 x 100 units at 96 an inch: a red
// rectangle (records as the WMF format documents them).
std::string RedRectangleWmf()
{
    std::string records;
    const auto record = [&](int function, std::initializer_list<int> params) {
        records += Le32(static_cast<std::uint32_t>(3 + params.size())) + Le16(function);
        for (const int p : params)
            records += Le16(p);
    };
    record(0x020B, {0, 0});              // META_SETWINDOWORG y, x
    record(0x020C, {100, 200});          // META_SETWINDOWEXT y, x
    record(0x02FC, {0, 0x00FF, 0, 0});   // META_CREATEBRUSHINDIRECT: solid, COLORREF red, no hatch
    record(0x012D, {0});                 // META_SELECTOBJECT
    record(0x041B, {80, 180, 20, 20});   // META_RECTANGLE bottom, right, top, left
    record(0x0000, {});                  // META_EOF
    const std::string header = Le16(1) + Le16(9) + Le16(0x0300) +
                                Le32(static_cast<std::uint32_t>((18 + records.size()) / 2)) + Le16(1) + Le32(7) +
                                Le16(0);
    std::string placeable = Le32(0x9AC6CDD7) + Le16(0) + Le16(0) + Le16(0) + Le16(200) + Le16(100) + Le16(96) + Le32(0);
    int checksum = 0;
    for (std::size_t i = 0; i < placeable.size(); i += 2)
        checksum ^= static_cast<unsigned char>(placeable[i]) | static_cast<unsigned char>(placeable[i + 1]) << 8;
    return placeable + Le16(checksum) + header + records;
}

// An enhanced metafile with bounds 0,0 to 159,99: a green rectangle.
std::string GreenRectangleEmf()
{
    std::string records;
    records += Le32(39) + Le32(24) + Le32(1) + Le32(0) + Le32(0x008000) + Le32(0);   // EMR_CREATEBRUSHINDIRECT
    records += Le32(37) + Le32(12) + Le32(1);                                         // EMR_SELECTOBJECT
    records += Le32(43) + Le32(24) + Le32(10) + Le32(10) + Le32(150) + Le32(90);      // EMR_RECTANGLE
    records += Le32(14) + Le32(20) + Le32(0) + Le32(16) + Le32(20);                   // EMR_EOF
    const std::uint32_t total = static_cast<std::uint32_t>(88 + records.size());
    std::string header = Le32(1) + Le32(88);                                // EMR_HEADER
    header += Le32(0) + Le32(0) + Le32(159) + Le32(99);                     // bounds, device units
    header += Le32(0) + Le32(0) + Le32(4233) + Le32(2646);                  // frame, 0.01 mm
    header += Le32(0x464D4520) + Le32(0x10000) + Le32(total) + Le32(5);     // " EMF", version, bytes, records
    header += Le16(2) + Le16(0) + Le32(0) + Le32(0) + Le32(0);              // handles, reserved, no description or palette
    header += Le32(1024) + Le32(768) + Le32(270) + Le32(203);               // device in pixels and millimetres
    return header + records;
}

// A picture of one colour, written by Qt in the format.
std::string Picture(int width, int height, QColor color, const char* format)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(color);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format)) << format;
    return bytes.toStdString();
}

// A 1 x 1 GIF whose one pixel is red (Qt has no GIF writer).
const char RedGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00"
                      "\x00\x02\x02\x44\x01\x00;";

// Near enough for JPEG.
bool Near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 90;
}

class PictureTest : public ::testing::Test {
protected:
    QLabel* image() const { return window.findChild<QLabel*>("imgMain"); }
    QSize shownSize() const { return image()->pixmap().size(); }
    QColor shownCentre() const
    {
        const QImage shown = image()->pixmap().toImage();
        return shown.pixelColor(shown.width() / 2, shown.height() / 2);
    }

    TempDir dir;
    ScriptedPrompter prompter;
    TfrmPicture window{prompter};
};

TEST_F(PictureTest, EachKindShowsAtItsNaturalSize)
{
    const struct { const char* name; std::string bytes; QSize size; QColor centre; } cases[] = {
        {"PHOTO.JPEG", Picture(30, 40, Qt::blue, "JPEG"), {30, 40}, Qt::blue},
        {"pic.png", Picture(24, 16, Qt::green, "PNG"), {24, 16}, Qt::green},
        {"pic.gif", std::string(RedGif, sizeof RedGif - 1), {1, 1}, Qt::red},
        {"pic.bmp", Picture(17, 9, Qt::yellow, "BMP"), {17, 9}, Qt::yellow},
        {"pic.ico", Picture(32, 32, Qt::cyan, "ICO"), {32, 32}, Qt::cyan},
        {"drawing.wmf", RedRectangleWmf(), {200, 100}, Qt::red},
        {"drawing.emf", GreenRectangleEmf(), {159, 99}, QColor(0, 0x80, 0)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window.LoadPicture(dir.write(c.name, c.bytes));
        EXPECT_TRUE(shownSize() == c.size && image()->size() == c.size);
        EXPECT_TRUE(Near(shownCentre(), c.centre)) << shownCentre().name().toStdString();
    }
}

TEST_F(PictureTest, WhatIsNoPictureKeepsThePreviousOne)
{
    window.LoadPicture(dir.write("pic.png", Picture(24, 16, Qt::green, "PNG")));
    const struct { const char *name, *bytes /* null: no such file */, *error; } cases[] = {
        {"notes.txt", "hello", "Unknown picture file extension (.txt)"},
        {"notes.png", "hello", "PNG image is not valid"},
        {"notes.jpg", "", "JPEG image is not valid"},   // (.jpeg: the other table)
        {"notes.wmf", "hello, this is no metafile", "Metafile is not valid"},
        {"notes.emf", "hello, this is no metafile", "Metafile is not valid"},
        {"missing.gif", nullptr, "File not found"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(test::ErrorOf([&] { window.LoadPicture(c.bytes ? dir.write(c.name, c.bytes) : dir.file(c.name)); }),
                  c.error);
        EXPECT_EQ(shownSize(), QSize(24, 16));
        EXPECT_TRUE(Near(shownCentre(), Qt::green));
    }
}

TEST_F(PictureTest, FileMenuOpensWithTheFilterAndExitCloses)
{
    window.show();
    prompter.files = {dir.write("pic.png", Picture(24, 16, Qt::green, "PNG")), std::nullopt,
                      dir.write("notes.gif", "hello")};
    for (int i = 0; i < 3; ++i)
        window.findChild<QAction*>("mnuFileOpen")->trigger();
    ASSERT_EQ(prompter.shown.size(), 4u);
    EXPECT_EQ(prompter.shown[0].kind, ScriptedPrompter::Kind::OpenPicture);   // the dialog with a preview
    EXPECT_EQ(prompter.shown[0].text,
              "All (*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.png;*.gif;*.bmp;*.ico;*.emf;*.wmf|"
              "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|PNG Image File (*.png)|*.png|"
              "GIF Image File (*.gif)|*.gif|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
              "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
    EXPECT_EQ(prompter.shown[3].kind, ScriptedPrompter::Kind::Error);
    EXPECT_EQ(prompter.shown[3].text, "GIF image is not valid");
    EXPECT_EQ(shownSize(), QSize(24, 16));

    window.findChild<QAction*>("mnuFileExit")->trigger();
    EXPECT_FALSE(window.isVisible());
    window.show();
    EXPECT_EQ(shownSize(), QSize(24, 16));
}

} // namespace
} // namespace tessel
