// The editor window on large CON-like scripts (keywords and comments
// throughout, 300 keywords in the table): opening a 1 MiB file coloured
// against opening it with colouring off, and the time from the key that
// leaves an edited line to its painted colours in the middle of a 1 MiB and a
// 4 MiB document, also with no comment marker after the line.
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/ProgramState.h"
#include "app/ProgramWindows.h"
#include "mainwindow/Main.h"
#include "platform/Prompter.h"
#include "windows/editor/Childwin.h"
#include "windows/editor/ScriptEdit.h"

namespace {

using tessel::KeywordTableType;

class SilentPrompter : public tessel::Prompter {
public:
    void ShowMessage(const std::string&) override {}
    tessel::MsgResult MessageDlg(const std::string&, tessel::MsgType, tessel::MsgButtons) override
    {
        return tessel::MsgResult::No;
    }
    void ShowError(const std::string& text) override { std::fprintf(stderr, "error: %s\n", text.c_str()); }
    bool ExecuteOpen(tessel::FileDialog&) override { return false; }
    bool ExecuteSave(tessel::FileDialog&) override { return false; }
};

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

KeywordTableType Table(std::mt19937& rng)
{
    static const char* const con[] = {"action", "actor", "ai", "break", "cactor", "count", "cstat", "define", "else",
                                      "enda", "ends", "fall", "ifaction", "ifai", "ifcount", "ifdead", "ifp",
                                      "ifrnd", "include", "killit", "move", "quote", "shoot", "sizeat", "sound",
                                      "spawn", "state", "strength", "useractor", "faceplayer", "seekplayer"};
    const tessel::TColor colors[] = {tessel::clRed, tessel::clBlue};
    KeywordTableType table;
    for (const char* w : con)
        table.push_back({w, static_cast<std::int32_t>(std::string(w).size()), colors[rng() % 2]});
    while (table.size() < 300) {
        const std::string w = "word" + std::to_string(table.size());
        table.push_back({w, static_cast<std::int32_t>(w.size()), colors[rng() % 2]});
    }
    return table;
}

// Lines of keywords, names and numbers; comments of both kinds when withComments.
std::string Script(const KeywordTableType& table, std::size_t size, bool withComments, std::mt19937& rng)
{
    std::string t;
    while (t.size() < size) {
        const unsigned kind = rng() % 10;
        if (withComments && kind == 0) {
            t += "// a remark about " + table[rng() % table.size()].Keyword + "\r\n";
        } else if (withComments && kind == 1) {
            t += "/* a block comment\r\n   over two lines */\r\n";
        } else {
            t += "  ";
            for (int w = 0, n = 2 + static_cast<int>(rng() % 4); w < n; ++w) {
                const unsigned r = rng() % 3;
                t += r == 0 ? table[rng() % table.size()].Keyword
                            : r == 1 ? std::to_string(rng() % 4096) : "ident" + std::to_string(rng() % 500);
                t += ' ';
            }
            t += "\r\n";
        }
    }
    return t;
}

tessel::TfrmConEdit* Open(tessel::TMainForm& form, const std::string& path)
{
    auto* w = dynamic_cast<tessel::TfrmConEdit*>(form.NewEditorWindow("VurAvozid - bench"));
    tessel::EditorRequests load = tessel::LoadRequestFor(path);
    form.PostRequests(load);
    return w;
}

void CloseAll(tessel::TMainForm& form)
{
    qobject_cast<QMdiArea*>(form.centralWidget())->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Microseconds from the Down key on an edited line in the middle of the
// document to its colours painted on the screen; the median of many lines.
double LeaveLineMicroseconds(tessel::TMainForm& form, const std::string& text)
{
    auto* w = dynamic_cast<tessel::TfrmConEdit*>(form.NewEditorWindow("VurAvozid - bench"));
    tessel::ScriptEdit* edit = w->MainRichEdit();
    edit->SetDocument(tessel::ControlText{text});
    tessel::ColorWholeDocument(*edit, form.Program().language.KeywordTable, true);
    w->FormActivate();
    const int middle = edit->LineCount() / 2;
    std::vector<double> times;
    for (int i = 0; i < 60; ++i) {
        const int line = middle + 2 * i;
        edit->SetSelection(edit->OffsetOfLine(line) + 2, 0);
        QTest::keyClick(edit, Qt::Key_X);   // the line turns black
        const auto start = std::chrono::steady_clock::now();
        QTest::keyClick(edit, Qt::Key_Down);
        edit->viewport()->repaint();
        times.push_back(Seconds(start) * 1e6);
    }
    CloseAll(form);
    std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    namespace fs = std::filesystem;
    const fs::path dir = fs::temp_directory_path() / ("tessel-bench-" + std::to_string(QCoreApplication::applicationPid()));
    fs::create_directories(dir);

    SilentPrompter prompter;
    int status = 0;
    {
        tessel::ProgramState state(dir.string());
        tessel::TMainForm form(state.ForMainWindow(), prompter);
        tessel::ProgramWindowOptions options;
        options.splash = false;
        tessel::BuildProgramWindows(form, state, options);
        form.resize(1200, 900);
        form.show();
        std::mt19937 rng(5);
        state.language.KeywordTable = Table(rng);
        state.editor.AutoIndent = true;

        const std::string path = (dir / "big.con").string();
        {
            std::FILE* f = std::fopen(path.c_str(), "wb");
            const std::string script = Script(state.language.KeywordTable, 1 << 20, true, rng);
            std::fwrite(script.data(), 1, script.size(), f);
            std::fclose(f);
        }
        double best[2] = {1e30, 1e30};
        for (int round = 0; round < 5; ++round)
            for (int noColoring = 0; noColoring < 2; ++noColoring) {
                state.editor.NoColoring = noColoring;
                const auto start = std::chrono::steady_clock::now();
                Open(form, path);
                QCoreApplication::processEvents();   // until the window shows the text
                best[noColoring] = std::min(best[noColoring], Seconds(start));
                CloseAll(form);
            }
        state.editor.NoColoring = false;
        std::fprintf(stderr, "open coloured %.1f ms, plain %.1f ms\n", best[0] * 1e3, best[1] * 1e3);

        const std::string mib = Script(state.language.KeywordTable, 1 << 20, true, rng);
        std::string four;
        while (four.size() < (4u << 20))
            four += mib;
        const double oneMiB = LeaveLineMicroseconds(form, mib);
        const double fourMiB = LeaveLineMicroseconds(form, four);
        // Comments only in the first half: the searches for the closing "*/"
        // and the next "/*" from a line in the middle run to the end.
        const std::string openEnd = four.substr(0, four.size() / 2 - 64 * 1024) +
                                    Script(state.language.KeywordTable, four.size() / 2 + 64 * 1024, false, rng);
        const double openEndMiB = LeaveLineMicroseconds(form, openEnd);

        std::printf("editor.open_coloured_vs_plain %.2f x\n", best[0] / best[1]);
        std::printf("editor.leave_line_us_1m %.0f us\n", oneMiB);
        std::printf("editor.leave_line_us_4m %.0f us\n", fourMiB);
        std::printf("editor.leave_line_4m_vs_1m %.2f x\n", fourMiB / oneMiB);
        std::printf("editor.leave_line_us_4m_open_end %.0f us\n", openEndMiB);
        status = best[1] > 0 ? 0 : 1;
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    return status;
}
