// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// RIFF wave files: a bounds-checked reader and a writer of the plain 44-byte-header form.

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace nibsy {

struct WaveFile {
    enum class Format {
        Integer, // PCM: 8-bit unsigned, 16, 24 or 32-bit signed little-endian
        Float,   // IEEE float, 32 or 64-bit
    };

    Format format = Format::Integer;
    int channels = 1;
    int sampleRate = 22050;
    int bits = 16;  // bits per sample as stored: 8, 16, 24, 32 (or 64 for Float)
    QByteArray pcm; // interleaved sample data, always whole frames

    int bytesPerSample() const { return bits / 8; }
    int bytesPerFrame() const { return channels * bytesPerSample(); }
    qint64 frameCount() const { return pcm.size() / bytesPerFrame(); }
    // Length of the sound, rounded up to the next millisecond.
    qint64 durationMs() const;
    // The largest sample magnitude, 0 for silence and 1 for full scale.
    double peakLevel() const;
    // All samples, interleaved, scaled to -1..1.
    std::vector<float> samples() const;

    // Parses a whole file. Chunks may come in any order; a data chunk that claims more than the file
    // holds is cut to the bytes present. Unsupported encodings and malformed headers (among them sample
    // rates below 1000 Hz or above 1 MHz) give nullopt.
    static std::optional<WaveFile> read(const QByteArray& bytes);
    static std::optional<WaveFile> readFile(const QString& path);

    // A complete PCM wave file: "RIFF" header, 16-byte fmt chunk, data chunk. bits is 8 (unsigned),
    // 16, 24 or 32; pcm holds interleaved little-endian samples.
    static QByteArray encode(int sampleRate, int channels, int bits, const QByteArray& pcm);
    // Writes this sound as a PCM wave file (encode()), replacing any file there safely (SafeFile::write).
    // False for a float sound, or when the file could not be written.
    bool writeFile(const QString& path) const;
};

} // namespace nibsy
