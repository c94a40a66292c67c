#pragma once

#include <QByteArray>

// Sounds made here for tests: a mono 16-bit PCM WAV file with a sine tone.
class WavFile {
public:
    static QByteArray tone(int milliseconds, int hertz = 880, int sampleRate = 8000);
};
