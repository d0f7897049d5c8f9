// The explorer window's cost over its model's, measured side by side in one
// run: opening a 50,000-entry archive in the window (File > Open, tree list
// on, until the window is painted) against LoadArchive into a model alone,
// best of alternating rounds, in CPU time of the one thread; and drawing the
// preview's grid of a 256-tile ART (the corpus TILES000.ART, or 256 tiles of
// 64 x 64 made here), every thumbnail made afresh, against filling the same
// area plainly.
#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QTableView>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "app/ProgramState.h"
#include "app/ProgramWindows.h"
#include "mainwindow/Main.h"
#include "build/ArtFile.h"
#include "windows/grp/GRPExp.h"
#include "windows/grp/GrpPreview.h"

namespace {

namespace fs = std::filesystem;

// Answers every file dialog with one archive; counts what else it is asked.
class ArchivePrompter : public tessel::Prompter {
public:
    std::string archive;
    int messages = 0;
    void ShowMessage(const std::string&) override { ++messages; }
    tessel::MsgResult MessageDlg(const std::string&, tessel::MsgType, tessel::MsgButtons) override
    {
        ++messages;
        return tessel::MsgResult::No;
    }
    void ShowError(const std::string&) override { ++messages; }
    bool ExecuteOpen(tessel::FileDialog& dialog) override
    {
        dialog.fileName = archive;
        return true;
    }
    bool ExecuteSave(tessel::FileDialog&) override { return false; }
};

std::string Le32(std::uint32_t v)
{
    return {char(v & 0xff), char(v >> 8 & 0xff), char(v >> 16 & 0xff), char(v >> 24 & 0xff)};
}

std::string Field(const std::string& s)
{
    return (s + std::string(12, '\0')).substr(0, 12);
}

// count entries of 10 bytes in eight extension groups.
void WriteArchive(const std::string& path, int count)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << Field("KenSilverman") << Le32(static_cast<std::uint32_t>(count));
    const char* const exts[] = {"CON", "ART", "VOC", "MAP", "MID", "DAT", "TXT", "KVX"};
    for (int i = 0; i < count; ++i)
        out << Field("F" + std::to_string(i) + "." + exts[i % 8]) << Le32(10);
    out << std::string(static_cast<std::size_t>(count) * 10, 'd');
}

// The time this thread has run: the window does all its work on it, and
// other load on the machine does not count.
double CpuMs()
{
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Counts the paints of a widget.
class Paints : public QObject {
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::string folder = (fs::path("/tmp") / "tessel-bench-grpwin-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    ArchivePrompter prompter;
    prompter.archive = folder + "/BIG.GRP";
    WriteArchive(prompter.archive, 50000);

    int rows = 0;
    double window = 1e9, model = 1e9;
    {
        tessel::ProgramState state(folder);
        tessel::TMainForm main(state.ForMainWindow(), prompter);
        tessel::ProgramWindowOptions options;
        options.splash = false;
        tessel::BuildProgramWindows(main, state, options);
        main.show();
        auto* explorer = dynamic_cast<QWidget*>(main.NewExplorerWindow("Tessel Group File Explorer - No File Loaded"));
        QAction* open = explorer->findChild<QAction*>("mnuFileOpen");
        QAction* close = explorer->findChild<QAction*>("Close1");
        Paints listPaints;
        explorer->findChild<QTableView*>("ListView1")->viewport()->installEventFilter(&listPaints);
        QCoreApplication::processEvents();
        prompter.messages = 0;   // the missing language files of the empty program folder
        for (int round = 0; round < 15; ++round) {
            tessel::GrpArchiveView view;
            view.archivePath = prompter.archive;
            double start = CpuMs();
            tessel::LoadArchive(view, prompter.archive, prompter);
            model = std::min(model, CpuMs() - start);

            if (round > 0)
                close->trigger();
            QCoreApplication::processEvents();
            listPaints.count = 0;
            start = CpuMs();
            open->trigger();
            // Until the list is painted; then no paint is left waiting.
            for (int i = 0; i < 100 && listPaints.count == 0; ++i)
                QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents();
            window = std::min(window, CpuMs() - start);
            rows = explorer->findChild<QTableView*>("ListView1")->model()->rowCount();
        }
    }
    // The grid of a whole ART file, all of it in view.
    std::string art;
    {
        std::ifstream in(TESSEL_CORPUS_DIR "/grp/kenbuild-stuff.grp", std::ios::binary);
        std::string grp((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (grp.size() > 128 + 436347)
            art = grp.substr(128, 436347);
    }
    if (art.empty()) {
        art = Le32(1) + Le32(256) + Le32(0) + Le32(255);
        for (int i = 0; i < 512; ++i)
            art += std::string{64, 0};
        art += std::string(256 * 4, '\0');
        for (int i = 0; i < 256 * 64 * 64; ++i)
            art += static_cast<char>(i * 7 % 256);
    }
    auto file = std::make_shared<tessel::ArtFile>(tessel::ReadArt(art));
    tessel::PaletteColors colors{};
    for (std::uint32_t i = 0; i < 256; ++i)
        colors[i] = 0xff000000u | i << 16 | (255 - i) << 8 | (i * 3 & 0xff);
    tessel::ArtGrid grid;
    grid.resize(16 * tessel::ArtGrid::CellWidth + grid.verticalScrollBar()->sizeHint().width() + 4,
                16 * tessel::ArtGrid::CellHeight + 4);
    grid.show();
    QCoreApplication::processEvents();
    QImage canvas(grid.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    double gridMs = 1e9, fillMs = 1e9;
    for (int round = 0; round < 15; ++round) {
        double start = CpuMs();
        grid.SetArt(file, colors);
        grid.viewport()->render(&canvas);
        gridMs = std::min(gridMs, CpuMs() - start);
        start = CpuMs();
        {
            QPainter p(&canvas);
            for (int i = 0; i < 256; ++i)
                p.fillRect(grid.CellRect(i), QColor(i, i, i));
        }
        fillMs = std::min(fillMs, CpuMs() - start);
    }
    const bool allDrawn = grid.CellRect(255).bottom() < grid.viewport()->height();

    std::printf("grpwin.model_50k_ms %.2f ms\n", model);
    std::printf("grpwin.open_50k_ms %.2f ms\n", window);
    std::printf("grpwin.open_50k_vs_model %.2f x\n", window / model);
    std::printf("grpwin.art_grid_ms %.2f ms\n", gridMs);
    std::printf("grpwin.art_grid_vs_fill %.1f x\n", gridMs / fillMs);

    std::error_code ec;
    fs::remove_all(folder, ec);
    return rows == 50000 && prompter.messages == 0 && allDrawn ? 0 : 1;
}
