// Synthesises the five feedback sounds of the program into one folder:
// no.wav for a wrong answer and si1.wav to si4.wav, four short cheerful
// jingles for a right one. 16-bit mono PCM at 44100 Hz; the output is the
// same on every run.
//
// Usage: wavgen <output folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr int kSampleRate = 44100;
constexpr double kPi = std::numbers::pi;

// One partial of a timbre: its frequency as a multiple of the note's, its
// weight, and how much faster than the fundamental it dies away (a bell's
// upper partials fade first, which keeps the sound soft).
struct Partial {
    double ratio;
    double weight;
    double fadeFactor;
};

// How every note of a sound is coloured and shaped.
struct Timbre {
    std::vector<Partial> partials;
    double attack;   // seconds to reach full level
    double decay;    // time constant of the exponential decay, seconds
    double release;  // seconds of fade-out before the note stops
};

struct Note {
    double start;      // seconds from the beginning of the sound
    double duration;   // seconds
    double frequency;  // Hz
    double level;      // relative loudness within the sound
    double glide = 0;  // relative pitch change over the note (-0.03 = 3 % down)
};

struct Sound {
    std::string fileName;
    Timbre timbre;
    std::vector<Note> notes;
    double length;  // seconds
    double peak;    // loudest sample after normalisation, 0 to 1
};

// Equal-tempered frequency of a MIDI note number (69 = A4 = 440 Hz).
double midi(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Raised-cosine ramp from 0 to 1 over `span` seconds: no corner, so no click.
double ramp(double time, double span) {
    if (time >= span) return 1.0;
    if (time <= 0.0) return 0.0;
    return 0.5 - 0.5 * std::cos(kPi * time / span);
}

// Level of a note `time` seconds after its start: a soft attack, an
// exponential decay and a fade to silence at its end.
double envelope(const Timbre& timbre, double time, double duration) {
    if (time < 0.0 || time >= duration) return 0.0;
    return ramp(time, timbre.attack) * std::exp(-time / timbre.decay) *
           ramp(duration - time, timbre.release);
}

void addNote(std::vector<double>& mix, const Timbre& timbre, const Note& note) {
    const auto first = static_cast<std::size_t>(note.start * kSampleRate);
    const auto count = static_cast<std::size_t>(note.duration * kSampleRate);
    for (std::size_t i = 0; i < count && first + i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        // Phase of a frequency that glides linearly over the note.
        const double cycles = note.frequency * (t + note.glide * t * t / (2.0 * note.duration));
        double sample = 0.0;
        for (const Partial& p : timbre.partials) {
            const double fade = std::exp(-t * (p.fadeFactor - 1.0) / timbre.decay);
            sample += p.weight * fade * std::sin(2.0 * kPi * p.ratio * cycles);
        }
        mix[first + i] += note.level * envelope(timbre, t, note.duration) * sample;
    }
}

// Mixes the notes, scales the result to the sound's peak and fades its very
// ends, so that even a note cut by the end of the sound cannot click.
std::vector<std::int16_t> render(const Sound& sound) {
    std::vector<double> mix(static_cast<std::size_t>(sound.length * kSampleRate), 0.0);
    for (const Note& note : sound.notes) addNote(mix, sound.timbre, note);

    double loudest = 0.0;
    for (double s : mix) loudest = std::max(loudest, std::abs(s));
    const double gain = loudest > 0.0 ? sound.peak / loudest : 0.0;

    const double edge = 0.005;
    std::vector<std::int16_t> pcm(mix.size());
    for (std::size_t i = 0; i < mix.size(); ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        const double s = mix[i] * gain * ramp(t, edge) * ramp(sound.length - t, edge);
        pcm[i] = static_cast<std::int16_t>(std::lround(std::clamp(s, -1.0, 1.0) * 32767.0));
    }
    return pcm;
}

void putLE(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A canonical 44-byte RIFF header followed by the samples, little-endian.
bool writeWav(const std::filesystem::path& path, const std::vector<std::int16_t>& pcm) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(pcm.size() * 2);
    std::string out = "RIFF";
    putLE(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLE(out, 16, 4);                   // size of the fmt chunk
    putLE(out, 1, 2);                    // PCM
    putLE(out, 1, 2);                    // mono
    putLE(out, kSampleRate, 4);
    putLE(out, kSampleRate * 2, 4);      // bytes per second
    putLE(out, 2, 2);                    // bytes per frame
    putLE(out, 16, 2);                   // bits per sample
    out += "data";
    putLE(out, dataBytes, 4);
    for (std::int16_t s : pcm) putLE(out, static_cast<std::uint16_t>(s), 2);

    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(out.data(), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

// Timbres: a glassy chime, a ringing bell, a short wooden marimba and a soft
// round tone for the wrong answer.
const Timbre kChime{{{1.0, 1.0, 1.0}, {2.0, 0.22, 2.0}, {3.0, 0.07, 3.0}}, 0.004, 0.28, 0.04};
const Timbre kBell{{{1.0, 1.0, 1.0}, {2.0, 0.30, 1.8}, {4.0, 0.06, 3.0}}, 0.003, 0.35, 0.05};
const Timbre kMarimba{{{1.0, 1.0, 1.0}, {4.0, 0.12, 4.0}}, 0.003, 0.11, 0.03};
const Timbre kSoft{{{1.0, 1.0, 1.0}, {2.0, 0.12, 1.0}, {3.0, 0.03, 1.0}}, 0.025, 0.7, 0.08};

std::vector<Sound> feedbackSounds() {
    return {
        // Wrong: two gentle falling tones, the second bending a little lower.
        {"no.wav", kSoft,
         {{0.00, 0.24, midi(64), 1.0}, {0.22, 0.38, midi(60), 0.9, -0.03}},
         0.62, 0.32},
        // Right 1: an even C-major arpeggio up to the octave.
        {"si1.wav", kChime,
         {{0.00, 0.36, midi(72), 0.8},
          {0.08, 0.36, midi(76), 0.8},
          {0.16, 0.36, midi(79), 0.85},
          {0.24, 0.36, midi(84), 1.0}},
         0.60, 0.55},
        // Right 2: a G-major bell chord strummed quickly from below.
        {"si2.wav", kBell,
         {{0.000, 0.52, midi(67), 0.8},
          {0.030, 0.50, midi(71), 0.7},
          {0.060, 0.47, midi(74), 0.7},
          {0.090, 0.44, midi(79), 0.9}},
         0.55, 0.55},
        // Right 3: a quick two-octave D-major run on the marimba.
        {"si3.wav", kMarimba,
         {{0.00, 0.20, midi(62), 0.8},
          {0.05, 0.20, midi(66), 0.8},
          {0.10, 0.20, midi(69), 0.8},
          {0.15, 0.20, midi(74), 0.9},
          {0.20, 0.30, midi(78), 1.0},
          {0.20, 0.30, midi(86), 0.35}},
         0.50, 0.55},
        // Right 4: "ding-DING", a rising fourth landing on an A-major third.
        {"si4.wav", kChime,
         {{0.00, 0.20, midi(76), 0.8},
          {0.17, 0.50, midi(81), 1.0},
          {0.17, 0.50, midi(85), 0.6}},
         0.67, 0.55},
    };
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "usage: wavgen <output folder>\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        std::cerr << "wavgen: cannot create " << folder << ": " << ec.message() << '\n';
        return 1;
    }
    for (const Sound& sound : feedbackSounds()) {
        if (!writeWav(folder / sound.fileName, render(sound))) {
            std::cerr << "wavgen: cannot write " << (folder / sound.fileName) << '\n';
            return 1;
        }
    }
    return 0;
}
