// How much a settings read costs next to just reading the file's bytes: every
// ReadInteger opens and parses the file afresh, so this ratio is its overhead.
#include "platform/ProfileFile.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

constexpr int Iterations = 2000;

template <typename F>
double SecondsFor(F&& body)
{
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < Iterations; ++i)
        body(i);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main()
{
    namespace fs = std::filesystem;
    std::string folder = (fs::temp_directory_path() / "tessel-bench-XXXXXX").string();
    if (!mkdtemp(folder.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string path = folder + "/settings.ini";

    // 200 lines: 20 sections of a header, 8 keys and a blank line.
    {
        std::ofstream out(path, std::ios::binary);
        for (int s = 0; s < 20; ++s) {
            out << "[Section" << s << "]\r\n";
            for (int k = 0; k < 8; ++k)
                out << "Key" << k << "=" << s * 100 + k << "\r\n";
            out << "\r\n";
        }
    }

    tessel::ProfileFile ini(path);
    long long sum = 0;
    const double profile = SecondsFor([&](int i) {
        sum += ini.ReadInteger("Section" + std::to_string(i % 20), "Key" + std::to_string(i % 8), 0);
    });
    std::size_t bytes = 0;
    const double raw = SecondsFor([&](int) {
        std::ifstream in(path, std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        bytes += text.size();
    });

    std::error_code ec;
    fs::remove_all(folder, ec);
    if (sum == 0 || bytes == 0)
        return 1;   // also keeps the loops from being optimised away
    std::printf("settings.read_vs_raw %.2f x\n", profile / raw);
    return 0;
}
