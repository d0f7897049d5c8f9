#include "windows/grp/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include "windows/grp/MidiSynth.h"

namespace tessel {

namespace {

constexpr int MidiRate = 44100;

// A song rendered as the output asks for it: nothing is rendered ahead.
class MidiStream : public QIODevice {
public:
    explicit MidiStream(std::unique_ptr<MidiSynth> synth) : synth_(std::move(synth)) {}
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        const int frames = static_cast<int>(std::min<qint64>(maxSize / 4, 1 << 14));
        return qint64(synth_->Render(reinterpret_cast<std::int16_t*>(data), frames)) * 4;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<MidiSynth> synth_;
};

QString NoDeviceText()
{
    return "No sound device was found: nothing can be played.";
}

} // namespace

SoundPlayer::SoundPlayer(QObject* parent) : QObject(parent) {}

SoundPlayer::~SoundPlayer()
{
    Stop();
}

QString SoundPlayer::Play(const PcmSound& sound)
{
    if (QMediaDevices::defaultAudioOutput().isNull())
        return NoDeviceText();
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(reinterpret_cast<const char*>(sound.samples.data()),
                    static_cast<qsizetype>(sound.samples.size() * sizeof(std::int16_t)));
    buffer->open(QIODevice::ReadOnly);
    return Start(std::move(buffer), sound.rate, sound.channels);
}

QString SoundPlayer::PlayMidi(const std::string& midi)
{
    if (QMediaDevices::defaultAudioOutput().isNull())
        return NoDeviceText();
    const std::string font = FindSoundFont();
    if (font.empty())
        return "No General MIDI sound font was found (install timgm6mb-soundfont): the music cannot be played.";
    auto synth = std::make_unique<MidiSynth>(font, midi, MidiRate);
    if (!synth->Error().empty())
        return QString::fromStdString(synth->Error());
    auto stream = std::make_unique<MidiStream>(std::move(synth));
    stream->open(QIODevice::ReadOnly);
    return Start(std::move(stream), MidiRate, 2);
}

QString SoundPlayer::Start(std::unique_ptr<QIODevice> source, int rate, int channels)
{
    Stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(channels);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format))
        return QString("The sound device cannot play %1 Hz %2 sound.").arg(rate).arg(channels == 2 ? "stereo" : "mono");
    source_ = std::move(source);
    sink_ = new QAudioSink(device, format, this);
    connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
        if (state == QAudio::IdleState || (state == QAudio::StoppedState && sink_ && sink_->error() != QAudio::NoError))
            Stop();
    });
    sink_->start(source_.get());
    if (sink_->error() != QAudio::NoError) {
        Stop();
        return "The sound device could not be opened.";
    }
    return QString();
}

void SoundPlayer::Stop()
{
    if (!sink_)
        return;
    QAudioSink* sink = std::exchange(sink_, nullptr);
    sink->disconnect(this);
    sink->stop();
    sink->deleteLater();
    source_.reset();
    emit stopped();
}

} // namespace tessel
