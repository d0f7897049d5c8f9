#pragma once
// Plays a decoded sound, or a MIDI song through the synthesiser, on the
// system's default sound output (Qt Multimedia). Without an output, or
// without a sound font for music, Play says why and nothing else happens.
#include <QObject>
#include <QString>
#include <memory>
#include <string>

#include "build/SoundFile.h"

class QAudioSink;
class QIODevice;

namespace tessel {

class SoundPlayer : public QObject {
    Q_OBJECT
public:
    explicit SoundPlayer(QObject* parent = nullptr);
    ~SoundPlayer() override;

    // "" when it began to play; otherwise why it did not.
    QString Play(const PcmSound& sound);
    QString PlayMidi(const std::string& midi);
    void Stop();
    bool Playing() const { return sink_ != nullptr; }

signals:
    // The sound came to its end, or was stopped.
    void stopped();

private:
    QString Start(std::unique_ptr<QIODevice> source, int rate, int channels);

    QAudioSink* sink_ = nullptr;
    std::unique_ptr<QIODevice> source_;
};

} // namespace tessel
