#include "windows/grp/MidiSynth.h"

#include <fluidsynth.h>

#include <cstdlib>

#include "platform/Files.h"

namespace tessel {

std::string FindSoundFont()
{
    if (const char* chosen = std::getenv("TESSEL_SOUNDFONT"); chosen && *chosen)
        return FileExists(chosen) ? chosen : std::string();
    for (const char* path : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/TimGM6mb.sf2",
                             "/usr/share/sounds/sf2/FluidR3_GM.sf2", "/usr/share/soundfonts/default.sf2"})
        if (FileExists(path))
            return path;
    return std::string();
}

struct MidiSynth::Parts {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    ~Parts()
    {
        if (player)
            delete_fluid_player(player);
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

MidiSynth::MidiSynth(const std::string& soundFont, const std::string& midi, int rate) : parts_(new Parts)
{
    // Its notes go to no terminal; failures are reported here.
    for (const int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
    Parts& p = *parts_;
    p.settings = new_fluid_settings();
    fluid_settings_setnum(p.settings, "synth.sample-rate", rate);
    // The song advances with the samples rendered, not with the clock.
    fluid_settings_setstr(p.settings, "player.timing-source", "sample");
    fluid_settings_setint(p.settings, "synth.lock-memory", 0);
    p.synth = p.settings ? new_fluid_synth(p.settings) : nullptr;
    if (!p.synth || fluid_synth_sfload(p.synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        error_ = "The sound font " + soundFont + " cannot be loaded.";
        return;
    }
    p.player = new_fluid_player(p.synth);
    if (!p.player || fluid_player_add_mem(p.player, midi.data(), midi.size()) != FLUID_OK ||
        fluid_player_play(p.player) != FLUID_OK) {
        error_ = "The MIDI file cannot be played.";
        return;
    }
}

MidiSynth::~MidiSynth() = default;

int MidiSynth::Render(std::int16_t* out, int frames)
{
    Parts& p = *parts_;
    if (!error_.empty() || !p.player || fluid_player_get_status(p.player) != FLUID_PLAYER_PLAYING)
        return 0;
    if (fluid_synth_write_s16(p.synth, frames, out, 0, 2, out, 1, 2) != FLUID_OK)
        return 0;
    return frames;
}

} // namespace tessel
