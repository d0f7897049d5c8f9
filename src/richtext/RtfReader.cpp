#include "richtext/RtfReader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <map>
#include <unordered_map>

#include "platform/Convert.h"
#include "richtext/Unicode.h"

namespace tessel {

namespace {

// Deeper groups are read with the state of the deepest one kept: nothing
// real nests this far, and the state stack stays small whatever the input.
constexpr std::size_t MaxDepth = 400;
constexpr std::size_t MaxNameLength = 255;
constexpr std::size_t MaxFieldInstruction = 4096;
constexpr std::size_t MaxOriginWords = 16;
constexpr std::size_t MaxWordLength = 32;

enum class Dest { Text, Skip, FontTable, ColorTable, FieldInstruction, Origin };

struct State {
    RtfCharFormat format;
    RtfParagraphFormat para;
    Dest dest = Dest::Text;
    int uc = 1;    // fallback characters after \uN
};

enum class Word {
    Unknown, SkipDest, FontTable, ColorTable, Field, FieldInstruction, FieldResult, Bin,
    Par, Line, Tab, Unicode, Uc, Deff, Font, FontCharset, FontSize, Bold, Italic, Strike, Underline, NoUnderline,
    Foreground, Background, Plain, Pard, AlignLeft, AlignCenter, AlignRight, AlignJustify, LeftIndent,
    RightIndent, FirstIndent, SpaceBefore, SpaceAfter, LineSpacing, Red, Green, Blue, Char,
};

struct WordInfo {
    Word word;
    char32_t ch = 0;   // for Word::Char
};

const std::unordered_map<std::string_view, WordInfo>& WordTable()
{
    static const std::unordered_map<std::string_view, WordInfo> table = [] {
        std::unordered_map<std::string_view, WordInfo> t;
        for (const char* name :
             {"stylesheet", "info", "pict", "object", "objdata", "header", "headerl", "headerr", "headerf", "footer",
              "footerl", "footerr", "footerf", "footnote", "annotation", "listtable", "listoverridetable", "revtbl",
              "rsidtbl", "filetbl", "xmlnstbl", "themedata", "colorschememapping", "datastore", "latentstyles",
              "pgdsctbl", "generator", "author", "operator", "title", "subject", "keywords", "comment", "doccomm",
              "company", "category", "manager", "hlinkbase", "buptim", "creatim", "printim", "revtim", "txe", "xe",
              "tc", "bkmkstart", "bkmkend", "nonshppict", "shp", "shpinst", "sp", "sn", "sv", "pn", "pnseclvl",
              "listpicture", "mmathPr", "ftnsep", "ftnsepc", "ftncn", "aftnsep", "aftnsepc", "aftncn", "template",
              "userprops", "docvar", "atnid", "atnauthor", "atndate", "atnref", "atrfstart", "atrfend", "blipuid",
              "fchars", "lchars", "passwordhash", "wgrffmtfilter", "private", "protusertbl", "defchp", "defpap"})
            t[name] = {Word::SkipDest};
        const std::pair<const char*, Word> words[] = {
            {"fonttbl", Word::FontTable}, {"colortbl", Word::ColorTable}, {"field", Word::Field},
            {"fldinst", Word::FieldInstruction}, {"fldrslt", Word::FieldResult}, {"bin", Word::Bin},
            {"par", Word::Par}, {"sect", Word::Par}, {"page", Word::Par}, {"row", Word::Par},
            {"line", Word::Line}, {"tab", Word::Tab}, {"cell", Word::Tab}, {"u", Word::Unicode}, {"uc", Word::Uc},
            {"deff", Word::Deff}, {"f", Word::Font}, {"fcharset", Word::FontCharset}, {"fs", Word::FontSize},
            {"b", Word::Bold}, {"i", Word::Italic}, {"strike", Word::Strike}, {"striked", Word::Strike},
            {"ulnone", Word::NoUnderline}, {"cf", Word::Foreground}, {"cb", Word::Background},
            {"highlight", Word::Background}, {"chcbpat", Word::Background}, {"plain", Word::Plain},
            {"pard", Word::Pard}, {"ql", Word::AlignLeft}, {"qc", Word::AlignCenter}, {"qr", Word::AlignRight},
            {"qj", Word::AlignJustify}, {"li", Word::LeftIndent}, {"ri", Word::RightIndent},
            {"fi", Word::FirstIndent}, {"sb", Word::SpaceBefore}, {"sa", Word::SpaceAfter},
            {"sl", Word::LineSpacing}, {"red", Word::Red}, {"green", Word::Green}, {"blue", Word::Blue},
        };
        for (const auto& [name, word] : words)
            t[name] = {word};
        for (const char* name : {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
                                 "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw",
                                 "ulwave"})
            t[name] = {Word::Underline};
        const std::pair<const char*, char32_t> chars[] = {
            {"emdash", 0x2014}, {"endash", 0x2013}, {"bullet", 0x2022}, {"lquote", 0x2018}, {"rquote", 0x2019},
            {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"emspace", 0x2003}, {"enspace", 0x2002},
            {"qmspace", 0x2005},
        };
        for (const auto& [name, ch] : chars)
            t[name] = {Word::Char, ch};
        return t;
    }();
    return table;
}

// Characters that end a stretch of plain text.
bool IsSpecial(char c)
{
    return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n';
}

bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The target of a HYPERLINK field instruction, or empty.
std::string HyperlinkTarget(const std::string& instruction)
{
    std::size_t p = 0;
    while (p < instruction.size() && (instruction[p] == ' ' || instruction[p] == '\t'))
        ++p;
    static const char Keyword[] = "HYPERLINK";
    const std::size_t k = std::strlen(Keyword);
    if (instruction.size() - p < k)
        return {};
    for (std::size_t i = 0; i < k; ++i)
        if ((instruction[p + i] & ~0x20) != Keyword[i])
            return {};
    p += k;
    while (p < instruction.size() && instruction[p] == ' ')
        ++p;
    if (p < instruction.size() && instruction[p] == '"') {
        const std::size_t end = instruction.find('"', p + 1);
        return instruction.substr(p + 1, end == std::string::npos ? std::string::npos : end - p - 1);
    }
    return instruction.substr(p, instruction.find(' ', p) - p);
}

// Builds the paragraphs of an RtfDocument.
class DocumentBuilder : public RtfSink {
public:
    explicit DocumentBuilder(std::vector<RtfParagraph>& paragraphs) : paragraphs_(paragraphs)
    {
        paragraphs_.emplace_back();
    }

    void Text(std::string_view utf8, const RtfCharFormat& format) override
    {
        auto& runs = paragraphs_.back().runs;
        // Lines of a script tend to have as many runs as the line before.
        if (runs.empty())
            runs.reserve(std::min<std::size_t>(lastRunCount_, 64));
        if (runs.empty() || runs.back().lineBreak || runs.back().format != format)
            runs.push_back(RtfRun{std::string(), format, false});
        runs.back().text.append(utf8);
    }

    void LineBreak(const RtfCharFormat& format) override
    {
        paragraphs_.back().runs.push_back(RtfRun{std::string(), format, true});
    }

    void EndParagraph(const RtfParagraphFormat& format, const RtfCharFormat& mark, bool last) override
    {
        RtfParagraph& p = paragraphs_.back();
        static_cast<RtfParagraphFormat&>(p) = format;
        p.mark = mark;
        lastRunCount_ = p.runs.size();
        if (!last)
            paragraphs_.emplace_back();
    }

private:
    std::vector<RtfParagraph>& paragraphs_;
    std::size_t lastRunCount_ = 0;
};

class Reader {
public:
    Reader(std::string_view in, RtfSink& sink) : in_(in), sink_(sink) {}

    RtfDocument Read()
    {
        std::size_t start = 0;
        while (start < in_.size() && std::strchr(" \t\r\n", in_[start]) && in_[start] != '\0')
            ++start;
        if (!LooksLikeRtf(in_.substr(start)))
            throw RtfError("The file is not in Rich Text Format");
        pos_ = start;
        const std::size_t n = in_.size();
        bool closed = false;
        while (pos_ < n && !closed) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                Push();
            } else if (c == '}') {
                ++pos_;
                closed = Pop();
            } else if (c == '\\') {
                ++pos_;
                Control();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                const std::size_t begin = pos_;
                while (pos_ < n && !IsSpecial(in_[pos_]))
                    ++pos_;
                Bytes(in_.data() + begin, pos_ - begin);
            }
        }
        doc_.complete = closed;
        Finish();
        return std::move(doc_);
    }

private:
    void Push()
    {
        skip_ = 0;
        ignorable_ = false;
        if (stack_.size() >= MaxDepth)
            ++overflow_;
        else
            stack_.push_back(cur_);
    }

    // True when the outermost group closed: the document ends there.
    bool Pop()
    {
        skip_ = 0;
        ignorable_ = false;
        if (overflow_ > 0) {
            --overflow_;
            return false;
        }
        if (stack_.empty())
            return true;
        if (cur_.dest == Dest::FontTable)
            CommitFont();
        cur_ = stack_.back();
        stack_.pop_back();
        return stack_.empty();
    }

    void Control()
    {
        const std::size_t n = in_.size();
        if (pos_ >= n)
            return;
        const char c = in_[pos_];
        if (!IsLetter(c)) {
            ++pos_;
            Symbol(c);
            return;
        }
        const std::size_t begin = pos_;
        while (pos_ < n && IsLetter(in_[pos_]))
            ++pos_;
        const std::string_view name = in_.substr(begin, pos_ - begin);
        bool hasParam = false;
        long long value = 0;
        bool negative = false;
        if (pos_ + 1 < n && in_[pos_] == '-' && IsDigit(in_[pos_ + 1])) {
            negative = true;
            ++pos_;
        }
        while (pos_ < n && IsDigit(in_[pos_])) {
            hasParam = true;
            if (value < INT_MAX)
                value = value * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        value = std::min<long long>(value, INT_MAX);
        if (pos_ < n && in_[pos_] == ' ')
            ++pos_;
        ControlWord(name.size() > MaxWordLength ? std::string_view() : name, hasParam,
                    static_cast<int>(negative ? -value : value));
    }

    void Symbol(char c)
    {
        if (c == '\'') {
            int value = 0, digits = 0;
            while (digits < 2 && pos_ < in_.size() && HexDigitValue(in_[pos_]) >= 0) {
                value = value * 16 + HexDigitValue(in_[pos_++]);
                ++digits;
            }
            if (digits > 0 && !Skipped())
                CodePoint(Cp1252ToUnicode(static_cast<unsigned char>(value)));
            return;
        }
        if (c == '*') {
            ignorable_ = true;
            return;
        }
        if (Skipped())
            return;
        switch (c) {
        case '\\': case '{': case '}': CodePoint(static_cast<unsigned char>(c)); break;
        case '~': CodePoint(0xA0); break;
        case '_': CodePoint(0x2011); break;
        case '\r': case '\n': Paragraph(); break;
        default: break;   // \- optional hyphen, \| \: index marks and the unknown
        }
    }

    // One fallback character of a \uN is dropped here.
    bool Skipped()
    {
        if (skip_ == 0)
            return false;
        --skip_;
        return true;
    }

    void ControlWord(std::string_view name, bool hasParam, int param)
    {
        const auto& table = WordTable();
        const auto found = table.find(name);
        const Word word = found == table.end() ? Word::Unknown : found->second.word;
        if (word == Word::Bin) {
            SkipBinary(hasParam ? param : 0);
            return;
        }
        if (Skipped())
            return;
        if (ignorable_) {
            ignorable_ = false;
            if (cur_.dest == Dest::Skip)
                return;
            if (name == "tesselsource")
                cur_.dest = Dest::Origin;
            else if (word == Word::FieldInstruction)
                cur_.dest = Dest::FieldInstruction;
            else
                cur_.dest = Dest::Skip;
            return;
        }
        switch (cur_.dest) {
        case Dest::Skip:
            return;
        case Dest::Origin:
            if (doc_.origin.size() < MaxOriginWords)
                doc_.origin.push_back(std::string(name) + (hasParam ? std::to_string(param) : std::string()));
            return;
        case Dest::FontTable:
            if (word == Word::Font) {
                CommitFont();
                fontOpen_ = true;
                fontNumber_ = param;
                fontName_.clear();
                fontCharset_ = 0;
                return;
            }
            if (word == Word::FontCharset) {
                fontCharset_ = param;
                return;
            }
            break;
        case Dest::ColorTable: {
            const int component = std::clamp(param, 0, 255);
            if (word == Word::Red)
                red_ = component;
            else if (word == Word::Green)
                green_ = component;
            else if (word == Word::Blue)
                blue_ = component;
            colorSet_ = colorSet_ || word == Word::Red || word == Word::Green || word == Word::Blue;
            return;
        }
        default:
            break;
        }

        RtfCharFormat& f = cur_.format;
        const bool on = !hasParam || param != 0;
        switch (word) {
        case Word::Unknown: case Word::Bin: case Word::FontCharset: case Word::Red: case Word::Green: case Word::Blue:
            break;
        case Word::SkipDest: cur_.dest = Dest::Skip; break;
        case Word::FontTable: cur_.dest = Dest::FontTable; break;
        case Word::ColorTable: cur_.dest = Dest::ColorTable; break;
        case Word::Field: fieldInstruction_.clear(); break;
        case Word::FieldInstruction: cur_.dest = Dest::FieldInstruction; break;
        case Word::FieldResult: {
            const std::string target = HyperlinkTarget(fieldInstruction_);
            fieldInstruction_.clear();
            if (!target.empty()) {
                doc_.links.push_back(target);
                f.link = static_cast<int>(doc_.links.size()) - 1;
            }
            break;
        }
        case Word::Par: Paragraph(); break;
        case Word::Line: LineBreak(); break;
        case Word::Tab: CodePoint('\t'); break;
        case Word::Char: CodePoint(found->second.ch); break;
        case Word::Unicode:
            if (hasParam)
                Unicode(param);
            break;
        case Word::Uc: cur_.uc = std::clamp(param, 0, 64); break;
        case Word::Deff: defaultFont_ = param; break;
        case Word::Font: {
            const auto it = fontIndex_.find(param);
            f.font = it == fontIndex_.end() ? -1 : it->second;
            break;
        }
        case Word::FontSize: f.halfPoints = param > 0 ? std::min(param, 3276) : 24; break;
        case Word::Bold: f.bold = on; break;
        case Word::Italic: f.italic = on; break;
        case Word::Strike: f.strike = on; break;
        case Word::Underline: f.underline = on; break;
        case Word::NoUnderline: f.underline = false; break;
        case Word::Foreground: f.foreground = ColorAt(param); break;
        case Word::Background: f.background = ColorAt(param); break;
        case Word::Plain: {
            const int link = f.link;
            f = RtfCharFormat();
            f.link = link;
            break;
        }
        case Word::Pard: cur_.para = RtfParagraphFormat(); break;
        case Word::AlignLeft: cur_.para.alignment = RtfAlignment::Left; break;
        case Word::AlignCenter: cur_.para.alignment = RtfAlignment::Center; break;
        case Word::AlignRight: cur_.para.alignment = RtfAlignment::Right; break;
        case Word::AlignJustify: cur_.para.alignment = RtfAlignment::Justify; break;
        case Word::LeftIndent: cur_.para.leftIndent = param; break;
        case Word::RightIndent: cur_.para.rightIndent = param; break;
        case Word::FirstIndent: cur_.para.firstIndent = param; break;
        case Word::SpaceBefore: cur_.para.spaceBefore = param; break;
        case Word::SpaceAfter: cur_.para.spaceAfter = param; break;
        case Word::LineSpacing: cur_.para.lineSpacing = param; break;
        }
    }

    void SkipBinary(int count)
    {
        const std::size_t left = in_.size() - pos_;
        pos_ += count > 0 ? std::min<std::size_t>(static_cast<std::size_t>(count), left) : 0;
        Skipped();
    }

    TColor ColorAt(int index) const
    {
        return index >= 0 && static_cast<std::size_t>(index) < colors_.size() ? colors_[index] : clAutomatic;
    }

    void Unicode(int param)
    {
        skip_ = cur_.uc;
        char32_t u = param < 0 ? static_cast<char32_t>(param + 65536) : static_cast<char32_t>(param);
        if (param < -32768 || param > 0xFFFF)
            u = 0xFFFD;
        if (u >= 0xD800 && u <= 0xDBFF) {
            FlushSurrogate();
            highSurrogate_ = u;
            return;
        }
        if (u >= 0xDC00 && u <= 0xDFFF) {
            if (highSurrogate_) {
                const char32_t c = 0x10000 + ((highSurrogate_ - 0xD800) << 10) + (u - 0xDC00);
                highSurrogate_ = 0;
                CodePoint(c);
            } else {
                CodePoint(0xFFFD);
            }
            return;
        }
        CodePoint(u);
    }

    void FlushSurrogate()
    {
        if (highSurrogate_) {
            highSurrogate_ = 0;
            CodePoint(0xFFFD);
        }
    }

    // Raw text bytes of the input, in the document's code page.
    void Bytes(const char* p, std::size_t n)
    {
        std::size_t i = 0;
        while (i < n) {
            if (Skipped()) {
                ++i;
                continue;
            }
            if (cur_.dest == Dest::Text && !highSurrogate_) {
                std::size_t j = i;
                while (j < n && static_cast<unsigned char>(p[j]) < 0x80)
                    ++j;
                if (j > i) {
                    AppendText(p + i, j - i);
                    i = j;
                    continue;
                }
            }
            CodePoint(Cp1252ToUnicode(static_cast<unsigned char>(p[i])));
            ++i;
        }
    }

    void CodePoint(char32_t c)
    {
        FlushSurrogate();
        switch (cur_.dest) {
        case Dest::Text: {
            std::string utf8;
            AppendUtf8(utf8, c);
            AppendText(utf8.data(), utf8.size());
            break;
        }
        case Dest::FontTable:
            if (c == ';')
                CommitFont();
            else if (fontName_.size() < MaxNameLength)
                AppendUtf8(fontName_, c);
            break;
        case Dest::ColorTable:
            if (c == ';') {
                colors_.push_back(colorSet_ ? RgbColor(red_, green_, blue_) : clAutomatic);
                red_ = green_ = blue_ = 0;
                colorSet_ = false;
            }
            break;
        case Dest::FieldInstruction:
            if (fieldInstruction_.size() < MaxFieldInstruction)
                AppendUtf8(fieldInstruction_, c);
            break;
        case Dest::Skip: case Dest::Origin:
            break;
        }
    }

    void AppendText(const char* p, std::size_t n)
    {
        sink_.Text(std::string_view(p, n), cur_.format);
    }

    void Paragraph()
    {
        if (cur_.dest != Dest::Text)
            return;
        FlushSurrogate();
        sink_.EndParagraph(cur_.para, cur_.format, false);
    }

    void LineBreak()
    {
        if (cur_.dest != Dest::Text)
            return;
        FlushSurrogate();
        sink_.LineBreak(cur_.format);
    }

    void CommitFont()
    {
        if (!fontOpen_)
            return;
        fontOpen_ = false;
        const int index = static_cast<int>(doc_.fonts.size());
        doc_.fonts.push_back(RtfFont{fontName_, fontCharset_});
        fontIndex_[fontNumber_] = index;
    }

    void Finish()
    {
        FlushSurrogate();
        CommitFont();
        sink_.EndParagraph(cur_.para, cur_.format, true);
        const auto it = fontIndex_.find(defaultFont_);
        doc_.defaultFont = it == fontIndex_.end() ? -1 : it->second;
    }

    std::string_view in_;
    RtfSink& sink_;
    std::size_t pos_ = 0;
    RtfDocument doc_;
    State cur_;
    std::vector<State> stack_;
    std::size_t overflow_ = 0;
    int skip_ = 0;
    bool ignorable_ = false;
    char32_t highSurrogate_ = 0;

    int defaultFont_ = 0;
    std::map<int, int> fontIndex_;
    bool fontOpen_ = false;
    int fontNumber_ = 0;
    int fontCharset_ = 0;
    std::string fontName_;

    std::vector<TColor> colors_;
    int red_ = 0, green_ = 0, blue_ = 0;
    bool colorSet_ = false;

    std::string fieldInstruction_;
};

} // namespace

bool LooksLikeRtf(std::string_view bytes)
{
    return bytes.substr(0, 5) == "{\\rtf";
}

RtfDocument ReadRtf(std::string_view rtf, RtfSink& sink)
{
    return Reader(rtf, sink).Read();
}

RtfDocument ReadRtf(std::string_view rtf)
{
    std::vector<RtfParagraph> paragraphs;
    DocumentBuilder builder(paragraphs);
    RtfDocument doc = ReadRtf(rtf, builder);
    doc.paragraphs = std::move(paragraphs);
    // Text without a font switch is in the default font; it may only be
    // known once the font table has been read.
    for (RtfParagraph& p : doc.paragraphs) {
        if (p.mark.font < 0)
            p.mark.font = doc.defaultFont;
        for (RtfRun& r : p.runs)
            if (r.format.font < 0)
                r.format.font = doc.defaultFont;
    }
    return doc;
}

std::string PlainText(const RtfDocument& doc, std::string_view lineBreak)
{
    std::string out;
    for (std::size_t i = 0; i < doc.paragraphs.size(); ++i) {
        if (i > 0)
            out += lineBreak;
        for (const RtfRun& run : doc.paragraphs[i].runs) {
            if (run.lineBreak)
                out += lineBreak;
            else
                out += run.text;
        }
    }
    return out;
}

} // namespace tessel
