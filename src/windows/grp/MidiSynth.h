#pragma once
// Music (standard MIDI files) rendered to 16-bit stereo samples through
// FluidSynth with a General MIDI sound font from the system, so that it plays
// on the same sound output as the game's sounds.
#include <cstdint>
#include <memory>
#include <string>

namespace tessel {

// The General MIDI sound font: $TESSEL_SOUNDFONT when set, else the first of
// Debian's (default-GM.sf2, TimGM6mb.sf2, FluidR3_GM.sf2) that is there; ""
// when there is none.
std::string FindSoundFont();

class MidiSynth {
public:
    // Loads the sound font and the song; Error() says what failed.
    MidiSynth(const std::string& soundFont, const std::string& midi, int rate);
    ~MidiSynth();
    MidiSynth(const MidiSynth&) = delete;
    MidiSynth& operator=(const MidiSynth&) = delete;

    const std::string& Error() const { return error_; }
    // Renders up to frames stereo frames into out; the number rendered, 0 at the song's end.
    int Render(std::int16_t* out, int frames);

private:
    struct Parts;
    std::unique_ptr<Parts> parts_;
    std::string error_;
};

} // namespace tessel
