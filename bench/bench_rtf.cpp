// Writing and reading a 1 MiB project file whose colour changes every 8
// bytes: MiB of script text per second each way.
#include "BestSeconds.h"
#include "richtext/ProjectFile.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::size_t DocumentSize = 1 << 20;
constexpr int Rounds = 7;

// Script-like lines with CR LF breaks and a few tabs and braces.
std::string ScriptText()
{
    static const char* const Lines[] = {
        "define WEAPON0_STRENGTH 10 // the foot\r\n",
        "actor APLAYER MAXPLAYERHEALTH PSTAND 0 0\r\n",
        "\tifpdistl 1024 { sound DUKE_GRUNT }\r\n",
        "\t\tifrnd 32 shoot FIRELASER else break /* note */\r\n",
        "enda\r\n",
    };
    std::string text;
    for (std::size_t i = 0; text.size() < DocumentSize; ++i)
        text += Lines[i % 5];
    text.resize(DocumentSize);
    return text;
}

} // namespace

int main()
{
    tessel::ControlText text{ScriptText(), tessel::LineEnds::CrLf, tessel::TextEncoding::Utf8};
    const std::uint32_t palette[] = {0x000000, 0x0000FF, 0x008000, 0xFF0000};
    std::vector<std::uint32_t> colors(text.text.size());
    for (std::size_t i = 0; i < colors.size(); ++i)
        colors[i] = palette[(i / 8) % 4];

    std::string rtf;
    const double write = BestSeconds(Rounds, [&] { rtf = tessel::WriteProjectFile(text, colors); });
    tessel::ColoredText back;
    const double read = BestSeconds(Rounds, [&] { back = tessel::ReadProjectFile(rtf); });
    if (back.text.text != text.text)
        return 1;
    const double mib = static_cast<double>(text.text.size()) / (1 << 20);
    std::printf("rtf.write_throughput %.1f MiB/s\n", mib / write);
    std::printf("rtf.read_throughput %.1f MiB/s\n", mib / read);
    return 0;
}
