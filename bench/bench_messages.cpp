// What a compile's flood of output costs: 100,000 lines (fteqcc's, gmqcc's
// and plain ones, a third of them messages) cut, parsed and made safe to show
// as they arrive in 4 KiB pieces, in lines per second; and the Messages pane
// taking a whole run of them (it keeps the first 10,000), in milliseconds.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "BestSeconds.h"
#include "launch/OutputLog.h"
#include "mainwindow/MessagesPane.h"

namespace {

constexpr int Lines = 100000;
constexpr int Rounds = 5;

std::string Output()
{
    static const char* const Kinds[] = {
        "progs/weapons.qc:%d: error: Unknown value \"undefinedthing\".\n",
        "progs/weapons.qc:%d:17: warning: unused variable: `x' [-Wunused-variable]\n",
        "in function W_FireAxe (line %d),\n",
        "   %d numstatements (of 524288)\n",
        "\x1b[0;36mmain.qc:%d:9: \x1b[0;31merror: \x1b[0mundefined variable\n",
        "compiling file number %d of the project\n",
    };
    std::string out;
    char line[128];
    for (int i = 0; i < Lines; ++i) {
        std::snprintf(line, sizeof line, Kinds[i % 6], i + 1);
        out += line;
    }
    return out;
}

// The bytes in pieces as a pipe delivers them; every line the log shows goes to show.
template <typename Show>
int Feed(const std::string& bytes, Show show)
{
    tessel::OutputLog log;
    for (std::size_t at = 0; at < bytes.size(); at += 4096)
        show(log.Take(std::string_view(bytes).substr(at, 4096)));
    show(log.Finish());
    return log.Errors();
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string bytes = Output();

    int errors = 0;
    const double parse = BestSeconds(Rounds, [&] { errors = Feed(bytes, [](const std::vector<tessel::OutputLine>&) {}); });
    if (errors != Lines / 3)
        return 1;
    const double pane = BestSeconds(Rounds, [&] {
        tessel::TMessagesPane messages(nullptr);
        Feed(bytes, [&](const std::vector<tessel::OutputLine>& lines) { messages.AddOutput(lines, "/qc/"); });
    });
    std::printf("messages.parse_throughput %.0f lines/s\n", Lines / parse);
    std::printf("messages.pane_run_of_100000_lines %.0f ms\n", pane * 1000);
    return 0;
}
