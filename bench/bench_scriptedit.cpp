// Colouring a 1 MiB CON-like script in ScriptEdit (computing the per-byte
// colour map and applying it in one styling call) against QScintilla's own
// C++ lexer styling the same text in a second control, side by side.
#include "windows/editor/ScriptEdit.h"

#include <Qsci/qscilexercpp.h>
#include <Qsci/qsciscintilla.h>
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "language/ColorDefinitions.h"
#include "language/ColorEngine.h"
#include "platform/Prompter.h"

namespace {

constexpr std::size_t DocumentSize = 1 << 20;
constexpr int Rounds = 5;

class SilentPrompter : public tessel::Prompter {
public:
    void ShowMessage(const std::string&) override {}
    tessel::MsgResult MessageDlg(const std::string&, tessel::MsgType, tessel::MsgButtons) override
    {
        return tessel::MsgResult::Ok;
    }
    void ShowError(const std::string&) override {}
    bool ExecuteOpen(tessel::FileDialog&) override { return false; }
    bool ExecuteSave(tessel::FileDialog&) override { return false; }
};

// Lines of keywords, names, numbers and comments in the CON manner.
std::string ConLikeText(const tessel::KeywordTableType& table)
{
    std::mt19937 random(7);
    std::string text;
    while (text.size() < DocumentSize) {
        const int kind = static_cast<int>(random() % 10);
        if (kind == 0) {
            text += "// " + table[random() % table.size()].Keyword + " and a remark\r\n";
            continue;
        }
        if (kind == 1)
            text += "/* block\r\n   comment */ ";
        text.append(random() % 3, '\t');
        for (int words = 2 + static_cast<int>(random() % 5); words > 0; --words) {
            switch (random() % 4) {
            case 0: text += "NAME_" + std::to_string(random() % 500); break;
            case 1: text += std::to_string(random() % 4096); break;
            default: text += table[random() % table.size()].Keyword; break;
            }
            text += ' ';
        }
        text += random() % 5 == 0 ? "{\r\n" : "\r\n";
    }
    text.resize(DocumentSize);
    return text;
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    tessel::KeywordTableType table;
    SilentPrompter prompter;
    if (!tessel::LoadColorDefinitions(1, TESSEL_DATA_DIR, table, prompter) || table.empty()) {
        std::fprintf(stderr, "no keyword table in %s\n", TESSEL_DATA_DIR);
        return 1;
    }
    const std::string text = ConLikeText(table);

    tessel::ScriptEdit ours;
    ours.SetDocument(tessel::ControlText{text, tessel::LineEnds::CrLf, tessel::TextEncoding::Utf8});
    QsciScintilla theirs;
    theirs.setEolMode(QsciScintilla::EolWindows);
    theirs.setLexer(new QsciLexerCPP(&theirs));
    theirs.SendScintilla(QsciScintillaBase::SCI_ADDTEXT, text.size(), text.data());

    double oursBest = 1e30, theirsBest = 1e30;
    std::size_t painted = 0;
    for (int r = 0; r < Rounds; ++r) {
        ours.PaintRange(0, ours.TextLength(), 0);
        auto start = std::chrono::steady_clock::now();
        ours.BeginUpdate();
        const std::string text = ours.Text();
        const std::vector<std::uint32_t> colors =
            tessel::ComposeOnBlack(tessel::ColorWholeDocument(text, table), static_cast<int>(text.size()));
        ours.PaintColors(colors);
        ours.EndUpdate();
        oursBest = std::min(oursBest, Seconds(start));
        painted += colors.size();

        theirs.SendScintilla(QsciScintillaBase::SCI_CLEARDOCUMENTSTYLE);
        start = std::chrono::steady_clock::now();
        theirs.SendScintilla(QsciScintillaBase::SCI_COLOURISE, 0UL, -1L);
        theirsBest = std::min(theirsBest, Seconds(start));
    }
    if (painted == 0 || ours.ColorAt(ours.TextLength() / 2) == 0xFFFFFFFFu)
        return 1;
    std::fprintf(stderr, "ours %.1f ms, lexer %.1f ms\n", oursBest * 1e3, theirsBest * 1e3);
    std::printf("scriptedit.colour_vs_lexer %.2f x\n", oursBest / theirsBest);
    return 0;
}
