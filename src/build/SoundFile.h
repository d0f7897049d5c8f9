#pragma once
// The game's sounds as 16-bit samples: Creative Voice files (.VOC, with
// Creative's 4-, 2.6- and 2-bit ADPCM) and RIFF WAVE files, read from their
// bytes; and a 16-bit PCM WAVE file written from samples.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessel {

// Sounds decode to at most this many samples (about 6 minutes of stereo at
// 44100 Hz): a small file that claims hours of silence is refused.
constexpr std::size_t MaxSoundSamples = std::size_t(1) << 25;

struct PcmSound {
    int rate = 0;                       // frames a second
    int channels = 1;                   // 1 or 2
    std::vector<std::int16_t> samples;  // interleaved
    std::string format;                 // what the file held: "Creative Voice File, 8-bit PCM"

    std::size_t Frames() const { return samples.size() / static_cast<std::size_t>(channels); }
    double Seconds() const { return rate > 0 ? double(Frames()) / rate : 0; }
};

// A Creative Voice file: the signature "Creative Voice File" and 0x1A, the
// header, then typed blocks (1: sound data with a rate byte and a codec, 2:
// more data, 3: silence, 8: the format of the next block 1, 9: sound data with
// rate, bits and channels; 0: end; others are skipped). Refused (FormatError):
// another signature, a header or block that runs past the end, a codec it
// does not read, rates below 1 or above 192000 Hz, mono and stereo mixed, or
// more than MaxSoundSamples samples.
PcmSound ReadVoc(std::string_view bytes);
// A RIFF WAVE file of integer PCM (8 to 32 bits), 32-bit float, A-law or
// mu-law, mono or stereo. A data chunk that claims more than the file holds
// is read as far as it goes (recordings cut short are common); any other chunk
// past the end, a missing format or data chunk, or another encoding is refused.
PcmSound ReadWav(std::string_view bytes);
// The bytes of a 16-bit PCM WAVE file of the sound.
std::string WriteWav(const PcmSound& sound);

// Creative's ADPCM of 8-bit samples, as a Sound Blaster decodes it: bits is 4,
// 3 (three samples a byte: 3, 3 and 2 bits) or 2. The first byte is a plain
// 8-bit sample. Appends the samples, as 16-bit, to out.
void DecodeCreativeAdpcm(std::string_view data, int bits, std::vector<std::int16_t>& out);

} // namespace tessel
