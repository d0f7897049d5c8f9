#include "build/SoundFile.h"

#include <algorithm>
#include <cstring>

#include "build/FormatError.h"

namespace tessel {

namespace {

constexpr char VocSignature[] = "Creative Voice File\x1a";
constexpr std::size_t VocSignatureBytes = sizeof VocSignature - 1;
constexpr int MaxRate = 192000;

std::int16_t FromUnsigned8(std::uint8_t v)
{
    return static_cast<std::int16_t>((int(v) - 128) * 256);
}

std::int16_t FromMuLaw(std::uint8_t u)
{
    u = static_cast<std::uint8_t>(~u);
    int t = ((u & 0x0f) << 3) + 0x84;
    t <<= (u & 0x70) >> 4;
    return static_cast<std::int16_t>(u & 0x80 ? 0x84 - t : t - 0x84);
}

std::int16_t FromALaw(std::uint8_t a)
{
    a ^= 0x55;
    int t = (a & 0x0f) << 4;
    const int segment = (a & 0x70) >> 4;
    if (segment == 0)
        t += 8;
    else
        t = (t + 0x108) << (segment - 1);
    return static_cast<std::int16_t>(a & 0x80 ? t : -t);
}

// The state of Creative's ADPCM between the bytes of one stream.
struct AdpcmState {
    int prediction = 128;
    int step = 0;
};

// One packed sample: a sign bit over a value of bits - 1 bits.
std::int16_t ExpandAdpcm(AdpcmState& s, unsigned code, int bits, int shift)
{
    const unsigned value = code & ((1u << (bits - 1)) - 1);
    const int delta = static_cast<int>(value << (s.step + shift));
    s.prediction = std::clamp(code >> (bits - 1) ? s.prediction - delta : s.prediction + delta, 0, 255);
    const unsigned limit = bits == 4 ? 5 : bits == 3 ? 3 : 1;
    if (value >= limit)
        s.step = std::min(s.step + 1, 3);
    else if (value == 0)
        s.step = std::max(s.step - 1, 0);
    return FromUnsigned8(static_cast<std::uint8_t>(s.prediction));
}

void ExpandAdpcmBytes(AdpcmState& s, std::string_view data, int bits, std::vector<std::int16_t>& out)
{
    for (const char c : data) {
        const auto b = static_cast<unsigned>(static_cast<std::uint8_t>(c));
        if (bits == 4) {
            out.push_back(ExpandAdpcm(s, b >> 4, 4, 0));
            out.push_back(ExpandAdpcm(s, b & 0x0f, 4, 0));
        } else if (bits == 3) {
            out.push_back(ExpandAdpcm(s, b >> 5, 3, 0));
            out.push_back(ExpandAdpcm(s, b >> 2 & 0x07, 3, 0));
            out.push_back(ExpandAdpcm(s, b & 0x03, 2, 0));
        } else {
            for (int i = 3; i >= 0; --i)
                out.push_back(ExpandAdpcm(s, b >> (2 * i) & 0x03, 2, 2));
        }
    }
}

// What one codec's bytes give, and how many bytes a sample takes (0: packed).
struct Codec {
    int id;
    const char* name;
    int adpcmBits;   // 0 for none
};
const Codec VocCodecs[] = {
    {0, "8-bit PCM", 0},           {1, "4-bit Creative ADPCM", 4}, {2, "2.6-bit Creative ADPCM", 3},
    {3, "2-bit Creative ADPCM", 2}, {4, "16-bit PCM", 0},           {6, "A-law", 0},
    {7, "mu-law", 0},
};

// Samples of a block's data in a codec; adpcm carries the state from block to block.
void Decode(const ByteReader& in, int codec, std::string_view data, bool reference, AdpcmState& adpcm,
            std::vector<std::int16_t>& out)
{
    const Codec* c = nullptr;
    for (const auto& k : VocCodecs)
        c = k.id == codec ? &k : c;
    if (!c)
        in.Fail("codec " + std::to_string(codec) + " is not read (8- and 16-bit PCM, A-law, mu-law and Creative's "
                "ADPCM are)");
    const std::size_t grows = c->adpcmBits == 4 ? 2 : c->adpcmBits == 3 ? 3 : c->adpcmBits == 2 ? 4 : 1;
    if (out.size() + data.size() * grows > MaxSoundSamples)
        in.Fail("the sound has more than " + std::to_string(MaxSoundSamples) + " samples");
    if (c->adpcmBits) {
        if (reference && !data.empty()) {
            adpcm = AdpcmState{static_cast<std::uint8_t>(data[0]), 0};
            out.push_back(FromUnsigned8(static_cast<std::uint8_t>(data[0])));
            data.remove_prefix(1);
        }
        ExpandAdpcmBytes(adpcm, data, c->adpcmBits, out);
        return;
    }
    switch (codec) {
    case 0:
        for (const char b : data)
            out.push_back(FromUnsigned8(static_cast<std::uint8_t>(b)));
        break;
    case 4:
        for (std::size_t i = 0; i + 1 < data.size(); i += 2)
            out.push_back(static_cast<std::int16_t>(std::uint8_t(data[i]) | std::uint8_t(data[i + 1]) << 8));
        break;
    case 6:
        for (const char b : data)
            out.push_back(FromALaw(static_cast<std::uint8_t>(b)));
        break;
    default:
        for (const char b : data)
            out.push_back(FromMuLaw(static_cast<std::uint8_t>(b)));
        break;
    }
}

std::string CodecName(int codec)
{
    for (const auto& k : VocCodecs)
        if (k.id == codec)
            return k.name;
    return "codec " + std::to_string(codec);
}

void PutLE(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>(value >> (8 * i) & 0xff);
}

} // namespace

void DecodeCreativeAdpcm(std::string_view data, int bits, std::vector<std::int16_t>& out)
{
    if (data.empty())
        return;
    AdpcmState state{static_cast<std::uint8_t>(data[0]), 0};
    out.push_back(FromUnsigned8(static_cast<std::uint8_t>(data[0])));
    ExpandAdpcmBytes(state, data.substr(1), bits, out);
}

PcmSound ReadVoc(std::string_view bytes)
{
    ByteReader in(bytes, "Creative Voice File");
    if (bytes.substr(0, VocSignatureBytes) != std::string_view(VocSignature, VocSignatureBytes))
        in.Fail("no \"Creative Voice File\" signature");
    in.Skip(VocSignatureBytes);
    in.Need(6, "the header");
    const std::uint16_t headerSize = in.U16();
    if (headerSize < VocSignatureBytes + 6 || headerSize > bytes.size())
        in.Fail("a header of " + std::to_string(headerSize) + " bytes in a file of " + std::to_string(bytes.size()));
    in.Skip(headerSize - in.Position());

    PcmSound sound;
    sound.rate = 0;
    int codec = -1, pendingChannels = 0, pendingRate = 0, pendingCodec = -1;
    AdpcmState adpcm;
    const auto setFormat = [&](int rate, int channels, int newCodec) {
        if (rate < 1 || rate > MaxRate)
            in.Fail("a rate of " + std::to_string(rate) + " Hz");
        if (sound.rate == 0) {
            sound.rate = rate;
            sound.channels = channels;
            sound.format = "Creative Voice File, " + CodecName(newCodec);
        } else if (channels != sound.channels) {
            in.Fail("mono and stereo blocks in one file");
        }
        codec = newCodec;
    };
    while (in.Left() > 0) {
        const std::size_t at = in.Position();
        const std::uint8_t type = in.U8();
        if (type == 0)
            break;
        in.Need(3, "the length of block " + std::to_string(type) + " at offset " + std::to_string(at));
        const std::uint32_t length = in.U24();
        if (length > in.Left())
            in.Fail("block " + std::to_string(type) + " at offset " + std::to_string(at) + " claims " +
                    std::to_string(length) + " bytes; " + std::to_string(in.Left()) + " are left");
        ByteReader block(in.Take(length), "block " + std::to_string(type) + " at offset " + std::to_string(at));
        switch (type) {
        case 1: {
            const int timeConstant = block.U8();
            const int blockCodec = block.U8();
            if (pendingChannels)   // the format a block 8 gave this block
                setFormat(pendingRate, pendingChannels, pendingCodec);
            else
                setFormat(1000000 / (256 - timeConstant), 1, blockCodec);
            pendingChannels = 0;
            Decode(block, codec, block.Take(block.Left()), true, adpcm, sound.samples);
            break;
        }
        case 2:
            if (codec < 0)
                block.Fail("more sound data before any format");
            Decode(block, codec, block.Take(block.Left()), false, adpcm, sound.samples);
            break;
        case 3: {
            const std::size_t frames = block.U16() + 1u;
            const int timeConstant = block.U8();
            if (sound.rate == 0)
                setFormat(1000000 / (256 - timeConstant), 1, 0);
            if (sound.samples.size() + frames * sound.channels > MaxSoundSamples)
                block.Fail("the sound has more than " + std::to_string(MaxSoundSamples) + " samples");
            sound.samples.resize(sound.samples.size() + frames * sound.channels, 0);
            break;
        }
        case 8: {
            const int timeConstant = block.U16();
            pendingCodec = block.U8();
            pendingChannels = block.U8() ? 2 : 1;
            pendingRate = 256000000 / (65536 - timeConstant) / pendingChannels;
            break;
        }
        case 9: {
            const std::uint32_t rate = block.U32();
            block.U8();   // bits: the codec says them
            const int channels = block.U8();
            const int blockCodec = block.U16();
            block.Skip(4);
            if (channels != 1 && channels != 2)
                block.Fail(std::to_string(channels) + " channels (mono and stereo sounds are read)");
            setFormat(rate > MaxRate ? MaxRate + 1 : static_cast<int>(rate), channels, blockCodec);
            Decode(block, codec, block.Take(block.Left()), true, adpcm, sound.samples);
            break;
        }
        default:
            break;   // markers, text, repeats: the sound plays once
        }
    }
    if (sound.rate == 0)
        in.Fail("no sound data");
    sound.samples.resize(sound.Frames() * static_cast<std::size_t>(sound.channels));
    return sound;
}

PcmSound ReadWav(std::string_view bytes)
{
    ByteReader in(bytes, "WAVE file");
    in.Need(12, "the RIFF header");
    if (in.Take(4) != "RIFF" || (in.U32(), in.Take(4) != "WAVE"))
        in.Fail("no RIFF WAVE header");
    int tag = -1, channels = 0, bits = 0, blockAlign = 0;
    std::uint32_t rate = 0;
    std::string_view data;
    bool haveData = false;
    while (in.Left() >= 8 && !haveData) {
        const std::string_view id = in.Take(4);
        const std::uint32_t size = in.U32();
        if (id == "data") {
            data = in.Take(std::min<std::size_t>(size, in.Left()));
            haveData = true;
            break;
        }
        if (size > in.Left())
            in.Fail("the chunk \"" + std::string(id) + "\" claims " + std::to_string(size) + " bytes; " +
                    std::to_string(in.Left()) + " are left");
        ByteReader chunk(in.Take(size), "the format chunk");
        if (size % 2 && in.Left() > 0)
            in.Skip(1);
        if (id != "fmt ")
            continue;
        tag = chunk.U16();
        channels = chunk.U16();
        rate = chunk.U32();
        chunk.U32();
        blockAlign = chunk.U16();
        bits = chunk.U16();
        if (tag == 0xfffe) {   // extensible: the real tag begins the sub-format
            chunk.Skip(8);
            tag = chunk.U16();
        }
    }
    if (tag < 0)
        in.Fail("no format chunk before the data");
    if (!haveData)
        in.Fail("no data chunk");
    if (channels != 1 && channels != 2)
        in.Fail(std::to_string(channels) + " channels (mono and stereo sounds are read)");
    if (rate < 1 || rate > MaxRate)
        in.Fail("a rate of " + std::to_string(rate) + " Hz");
    const bool pcm = tag == 1 && bits >= 8 && bits <= 32 && bits % 8 == 0;
    const bool floats = tag == 3 && bits == 32;
    const bool law = (tag == 6 || tag == 7) && bits == 8;
    if (!pcm && !floats && !law)
        in.Fail("encoding " + std::to_string(tag) + " with " + std::to_string(bits) +
                " bits (integer PCM, 32-bit float, A-law and mu-law are read)");
    const std::size_t width = static_cast<std::size_t>(bits / 8);
    if (blockAlign != 0 && static_cast<std::size_t>(blockAlign) != width * channels)
        in.Fail("a block of " + std::to_string(blockAlign) + " bytes for " + std::to_string(channels) + " channels of " +
                std::to_string(bits) + " bits");
    const std::size_t count = data.size() / width;
    if (count > MaxSoundSamples)
        in.Fail("the sound has more than " + std::to_string(MaxSoundSamples) + " samples");

    PcmSound sound;
    sound.rate = static_cast<int>(rate);
    sound.channels = channels;
    sound.format = std::string("WAVE, ") +
                   (floats ? "32-bit float" : tag == 6 ? "A-law" : tag == 7 ? "mu-law" : std::to_string(bits) + "-bit PCM");
    sound.samples.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* p = reinterpret_cast<const std::uint8_t*>(data.data() + i * width);
        if (tag == 6 || tag == 7) {
            sound.samples.push_back(tag == 6 ? FromALaw(*p) : FromMuLaw(*p));
        } else if (floats) {
            float f;
            const std::uint32_t u = std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
                                    std::uint32_t(p[3]) << 24;
            std::memcpy(&f, &u, sizeof f);
            const float clamped = f != f ? 0.0f : std::clamp(f, -1.0f, 1.0f);
            sound.samples.push_back(static_cast<std::int16_t>(clamped * 32767.0f));
        } else if (width == 1) {
            sound.samples.push_back(FromUnsigned8(*p));
        } else {   // the two most significant bytes of a signed sample
            sound.samples.push_back(static_cast<std::int16_t>(p[width - 2] | p[width - 1] << 8));
        }
    }
    sound.samples.resize(sound.Frames() * static_cast<std::size_t>(channels));
    return sound;
}

std::string WriteWav(const PcmSound& sound)
{
    const auto dataBytes = static_cast<std::uint32_t>(sound.samples.size() * 2);
    const auto channels = static_cast<std::uint32_t>(sound.channels);
    std::string out = "RIFF";
    PutLE(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    PutLE(out, 16, 4);
    PutLE(out, 1, 2);
    PutLE(out, channels, 2);
    PutLE(out, static_cast<std::uint32_t>(sound.rate), 4);
    PutLE(out, static_cast<std::uint32_t>(sound.rate) * channels * 2, 4);
    PutLE(out, channels * 2, 2);
    PutLE(out, 16, 2);
    out += "data";
    PutLE(out, dataBytes, 4);
    out.reserve(out.size() + dataBytes);
    for (const std::int16_t s : sound.samples)
        PutLE(out, static_cast<std::uint16_t>(s), 2);
    return out;
}

} // namespace tessel
