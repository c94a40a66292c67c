// Makes the sounds a program directory needs as 16-bit mono WAV files. Every sample is
// computed here: the exit sound is a short falling chime of two bell-like notes, the film
// sounds a rising and a falling one, the speed-camera warning three pings.
#include <QDir>
#include <QFile>
#include <QTextStream>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr int Rate = 22050;

struct Note {
    double startSeconds;
    double hertz;
    double seconds;
};

// Each note is a sine with one overtone and a fast attack, dying away exponentially.
std::vector<qint16> chime(const std::vector<Note> &notes, double totalSeconds)
{
    std::vector<double> mix(size_t(totalSeconds * Rate), 0.0);
    for (const Note &n : notes) {
        const size_t first = size_t(n.startSeconds * Rate);
        const size_t count = size_t(n.seconds * Rate);
        for (size_t i = 0; i < count && first + i < mix.size(); ++i) {
            const double t = double(i) / Rate;
            const double envelope = std::min(1.0, t / 0.005) * std::exp(-4.0 * t / n.seconds);
            mix[first + i] += envelope * (std::sin(2 * M_PI * n.hertz * t) +
                                          0.3 * std::sin(2 * M_PI * 2 * n.hertz * t));
        }
    }
    std::vector<qint16> samples(mix.size());
    for (size_t i = 0; i < mix.size(); ++i)
        samples[i] = qint16(std::clamp(mix[i] * 0.45, -1.0, 1.0) * 32767);
    return samples;
}

void put16(QByteArray &out, quint16 v)
{
    out.append(char(v & 0xFF));
    out.append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v)
{
    put16(out, quint16(v & 0xFFFF));
    put16(out, quint16(v >> 16));
}

QByteArray wav(const std::vector<qint16> &samples)
{
    const quint32 data = quint32(samples.size() * 2);
    QByteArray out("RIFF");
    put32(out, 36 + data);
    out.append("WAVEfmt ");
    put32(out, 16);
    put16(out, 1); // PCM
    put16(out, 1); // mono
    put32(out, Rate);
    put32(out, Rate * 2);
    put16(out, 2);
    put16(out, 16);
    out.append("data");
    put32(out, data);
    for (qint16 s : samples)
        put16(out, quint16(s));
    return out;
}

bool save(const QDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        QTextStream(stderr) << "usage: rovana-sounds <program directory>\n";
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.exists() && !QDir().mkpath(dir.path()))
        return 1;
    // E6 then A5: a falling fourth, "goodbye".
    bool ok = save(dir, "exit.wav", wav(chime({{0.0, 1318.5, 0.5}, {0.18, 880.0, 0.9}}, 1.1)));
    // A rising fifth as a film starts, the same falling back as it ends.
    ok &= save(dir, "movie.wav", wav(chime({{0.0, 659.3, 0.4}, {0.12, 987.8, 0.6}}, 0.8)));
    ok &= save(dir, "EndMovie.wav", wav(chime({{0.0, 987.8, 0.4}, {0.12, 659.3, 0.6}}, 0.8)));
    // The speed-camera warning: three short high pings that cut through road noise.
    ok &= save(dir, "notify.wav",
               wav(chime({{0.0, 2093.0, 0.15}, {0.2, 2093.0, 0.15}, {0.4, 2637.0, 0.3}}, 0.75)));
    return ok ? 0 : 1;
}
