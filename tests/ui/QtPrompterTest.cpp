#include "ui/QtPrompter.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "support/TempDir.h"
#include "ui/QtPaths.h"

#include <QApplication>
#include <QFileDialog>
#include <QImage>
#include <QLabel>
#include <QListView>
#include <QTest>
#include <QTimer>

namespace tessel {
namespace {

TEST(QtPrompterTest, FiltersBecomeQtNameFiltersMatchingBothCases)
{
    EXPECT_EQ(QtNameFilters("Qzt Files (*.qzt)|*.qzt|Con Files (*.con)|*.con"),
              (QStringList{"Qzt Files (*.qzt *.QZT)", "Con Files (*.con *.CON)"}));
    EXPECT_EQ(QtNameFilters("GRP File (*.GRP)|*.GRP"), QStringList{"GRP File (*.GRP *.grp)"});
    EXPECT_EQ(QtNameFilters("All (*.jpg;*.bmp)|*.jpg;*.bmp"), QStringList{"All (*.jpg *.JPG *.bmp *.BMP)"});
    EXPECT_EQ(QtNameFilters("All Files (*.*)|*.*"), QStringList{"All Files (*.*)"});
    EXPECT_TRUE(QtNameFilters("").isEmpty());
}

TEST(QtPrompterTest, ThePictureDialogShowsTheCurrentPicture)
{
    TempDir dir;
    QImage red(40, 20, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString(dir.file("red.bmp")), "BMP"));
    FileDialog dialog{"Open", "Bitmaps (*.bmp)|*.bmp", dir.path(), ""};
    QPixmap shown;
    QTimer::singleShot(0, [&] {
        auto* open = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(open, nullptr);
        // The folder is listed in the background; then the file is clicked.
        auto* list = open->findChild<QListView*>("listView");
        QModelIndex red;
        EXPECT_TRUE(QTest::qWaitFor([&] {
            red = list->model()->match(list->model()->index(0, 0, list->rootIndex()), Qt::DisplayRole, "red.bmp").value(0);
            return red.isValid();
        }));
        list->setCurrentIndex(red);
        auto* preview = open->findChild<QLabel*>("PicturePreview");
        shown = preview->pixmap();
        open->reject();
    });
    QtPrompter prompter;
    EXPECT_FALSE(prompter.ExecuteOpenPicture(dialog));
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.toImage().pixelColor(shown.width() / 2, shown.height() / 2), QColor(Qt::red));
}

// A name shown with stand-in characters is found on disk, part by part.
TEST(QtPrompterTest, NamesThatAreNoUtf8ComeBackAsTheirBytes)
{
    TempDir dir;
    ASSERT_EQ(::mkdir(dir.file("d\xe9").c_str(), 0755), 0);
    const std::string one = dir.write("d\xe9/caf\xe9.con", "");
    dir.write("d\xe9/caf\xe8.txt", "");
    EXPECT_EQ(NameOnDisk(ToQString(one)), one);
    EXPECT_EQ(NameOnDisk(ToQString(dir.file("d\xe9/new\xe9.con"))), dir.file("d\xe9/new\xef\xbf\xbd.con"));
    EXPECT_EQ(NameOnDisk(ToQString(dir.file("plain.con"))), dir.file("plain.con"));
    dir.write("d\xe9/caf\xe8.con", "");   // shown alike: cannot be told
    EXPECT_EQ(NameOnDisk(ToQString(one)), "");
}

} // namespace
} // namespace tessel
