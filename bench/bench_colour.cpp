// The colour engine and the brace checker on a generated 1 MiB CON-like script
// with a 300-entry keyword table, next to the literal algorithms and memchr,
// measured side by side in one run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "BestSeconds.h"
#include "language/BraceChecker.h"
#include "language/ColorEngine.h"
#include "support/ReferenceColouring.h"

// Counts the bytes held on the heap, to find the engine's peak extra memory.
namespace {
std::size_t heapNow = 0, heapPeak = 0;
}
void* operator new(std::size_t size)
{
    auto* p = static_cast<std::size_t*>(std::malloc(size + 16));
    if (!p)
        throw std::bad_alloc();
    *p = size;
    heapNow += size;
    heapPeak = std::max(heapPeak, heapNow);
    return reinterpret_cast<char*>(p) + 16;
}
void operator delete(void* p) noexcept
{
    if (!p)
        return;
    auto* base = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - 16);
    heapNow -= *base;
    std::free(base);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

using tessel::ConType;
using tessel::KeywordTableType;


KeywordTableType Table(std::mt19937& rng)
{
    static const char* const con[] = {
        "action", "actor", "ai", "break", "cactor", "count", "cstat", "debris", "define", "else", "enda", "endofgame",
        "ends", "fall", "gamestartup", "guts", "hitradius", "ifaction", "ifactioncount", "ifai", "ifcount",
        "ifdead", "ifp", "ifpdistl", "ifpdistg", "ifrnd", "ifspawnedby", "ifwasweapon", "include", "killit",
        "move", "music", "palfrom", "quote", "resetactioncount", "resetcount", "shoot", "sizeat", "sound",
        "spawn", "spritepal", "state", "strength", "useractor", "faceplayer", "randomangle", "geta", "seekplayer"};
    const std::uint32_t colors[] = {tessel::clRed, tessel::clBlue};
    KeywordTableType table;
    for (const char* w : con)
        table.push_back({w, static_cast<std::int32_t>(std::strlen(w)), colors[rng() % 2]});
    while (table.size() < 296) {
        const std::string w = "word" + std::to_string(table.size());
        table.push_back({w, static_cast<std::int32_t>(w.size()), colors[rng() % 2]});
    }
    for (const char* w : {"ifp palive", "ifp pstanding", "else if", "#define"})   // words with blanks and signs
        table.push_back({w, static_cast<std::int32_t>(std::strlen(w)), tessel::clRed});
    return table;
}

std::string Script(const KeywordTableType& table, std::size_t size, std::mt19937& rng)
{
    // Braces stay balanced, so that the checker reads the whole text.
    std::string t;
    int depth = 0;
    while (t.size() < size) {
        switch (rng() % 12) {
        case 0: t += "// a line comment about " + table[rng() % table.size()].Keyword + "\r\n"; break;
        case 1: t += "/* a block comment\r\n   over two lines */\r\n"; break;
        case 2: t += "actor LIZTROOP" + std::to_string(rng() % 100) + " 300 {\r\n"; ++depth; break;
        case 3: t += depth > 0 ? "}\r\n" : "\r\n"; depth -= depth > 0; break;
        default:
            t += "  ";
            for (int w = 0, n = 2 + rng() % 4; w < n; ++w) {
                const unsigned r = rng() % 3;
                t += r == 0 ? table[rng() % table.size()].Keyword
                            : r == 1 ? std::to_string(rng() % 4096) : "ident" + std::to_string(rng() % 500);
                t += ' ';
            }
            t += "\r\n";
        }
    }
    t.append(depth, '}');
    return t;
}

} // namespace

int main()
{
    std::mt19937 rng(42);
    const KeywordTableType table = Table(rng);
    const std::string text = Script(table, 1 << 20, rng);
    const int L = static_cast<int>(text.size());

    std::vector<std::uint32_t> fast;
    heapPeak = heapNow;
    const std::size_t before = heapNow;
    fast = tessel::ComposeOnBlack(tessel::ColorWholeDocument(text, table), L);
    const double extraPerByte = static_cast<double>(heapPeak - before) / L;
    const double engine = BestSeconds(20, [&] { fast = tessel::ComposeOnBlack(tessel::ColorWholeDocument(text, table), L); });
    std::vector<std::uint32_t> literal;
    const double reference = BestSeconds(1, [&] {
        literal = tessel::reference::Compose(tessel::reference::Whole(text, table),
                                             std::vector<std::uint32_t>(L, tessel::clBlack));
    });
    if (fast != literal) {
        std::fprintf(stderr, "colour engine and literal algorithm disagree\n");
        return 1;
    }

    std::string big;
    while (big.size() < (16u << 20))
        big += text;
    if (tessel::CheckBraces(big).ErrorsFound()) {
        std::fprintf(stderr, "the brace benchmark text is not balanced\n");
        return 1;
    }
    std::size_t errors = 0, opens = 0;
    const double braces = BestSeconds(10, [&] { errors += tessel::CheckBraces(big).ErrorList.size(); });
    const double scan = BestSeconds(10, [&] {
        for (const char* p = big.data(); (p = static_cast<const char*>(
                                              std::memchr(p, '{', big.data() + big.size() - p)));
             ++p)
            ++opens;
    });

    std::printf("colour.speedup_vs_reference %.0f x\n", reference / engine);
    std::printf("colour.throughput %.0f MiB/s\n", 1.0 / engine);
    std::printf("colour.extra_bytes_per_byte %.1f bytes\n", extraPerByte);
    std::printf("braces.vs_memchr %.2f x\n", braces / scan);
    return opens == errors;   // uses both results, so that neither measurement is optimised away
}
