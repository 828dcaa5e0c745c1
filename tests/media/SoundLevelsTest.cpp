// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How the sounds of data/ sound: edges without clicks, effects that ring out, one loudness per kind
// of sound, and counting-song lines that keep the activity's beat.

#include "platform/AppFiles.h"
#include "platform/WaveFile.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <ebur128.h>
#include <gtest/gtest.h>
#include <memory>

using namespace nibsy;

namespace {

const QString DataDir = QStringLiteral(NIBSY_SOURCE_DIR "/data/");
const QString SoundSources = QStringLiteral(NIBSY_SOURCE_DIR "/tools/media/sounds/");

enum class Kind { Speech, Song, Effect };

// Integrated loudness (LUFS) that each kind is made to, within 1.5 LU.
double target(Kind k) {
    return k == Kind::Speech ? -20 : -21;
}
constexpr double Tolerance = 1.5;

QStringList lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList out;
    for (const QString& l : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!l.trimmed().isEmpty() && !l.startsWith(u'#'))
            out << l;
    }
    return out;
}

// Every sound the suite plays, by kind and under its lower-case name (the suite's names ignore
// case): the spoken prompts and song lines as the generator lists them, the rest of the manifest's
// sounds being effects.
QHash<QString, Kind> soundKinds() {
    AppFiles::setAppDir(DataDir);
    QHash<QString, Kind> kinds;
    for (const QString& l : lines(SoundSources + "speech.tsv"))
        kinds.insert(l.section(u'\t', 0, 0).toLower(), Kind::Speech);
    for (const QString& table : {QStringLiteral("alphabet.txt"), QStringLiteral("counting.txt")}) {
        for (const QString& l : lines(SoundSources + table)) {
            if (l.contains(u'\t'))
                kinds.insert(l.section(u'\t', 0, 0).toLower(), Kind::Song);
        }
    }
    static const QRegularExpression wav(QStringLiteral(R"(^\S+\.wav$)"),
                                        QRegularExpression::CaseInsensitiveOption);
    for (const QString& l : lines(QStringLiteral(NIBSY_SOURCE_DIR "/tests/media/manifest.txt"))) {
        const QString name = l.trimmed().toLower();
        if (wav.match(name).hasMatch() && name != QStringLiteral("zzblank.wav") && !kinds.contains(name))
            kinds.insert(name, Kind::Effect);
    }
    return kinds;
}

std::vector<float> samplesOf(const QString& name) {
    const auto wave = WaveFile::readFile(AppFiles::resolve(name));
    return wave && wave->channels == 1 ? wave->samples() : std::vector<float>{};
}

double peakOf(const std::vector<float>& s, size_t from, size_t to) {
    double peak = 0;
    for (size_t i = from; i < to && i < s.size(); ++i)
        peak = std::max(peak, double(std::abs(s[i])));
    return peak;
}

double dbfs(double level) {
    return 20 * std::log10(std::max(level, 1e-9));
}

// EBU R128 integrated loudness; a sound shorter than one 400 ms measuring block is measured whole.
double loudness(const std::vector<float>& s, unsigned rate) {
    const unsigned long ms = (unsigned long)(1000.0 * double(s.size()) / rate);
    const std::unique_ptr<ebur128_state, void (*)(ebur128_state*)> st(
        ebur128_init(1, rate, EBUR128_MODE_I), [](ebur128_state* p) { ebur128_destroy(&p); });
    double lufs = -HUGE_VAL;
    if (ms < 400) {
        ebur128_set_max_window(st.get(), std::max(ms, 1ul));
        ebur128_add_frames_float(st.get(), s.data(), s.size());
        ebur128_loudness_window(st.get(), std::max(ms, 1ul), &lufs);
    } else {
        ebur128_add_frames_float(st.get(), s.data(), s.size());
        ebur128_loudness_global(st.get(), &lufs);
    }
    return lufs;
}

constexpr size_t Rate = 22050;
constexpr size_t samplesIn(double ms) {
    return size_t(ms * Rate / 1000);
}

} // namespace

// Every sound starts and ends in silence, effects ring out rather than stop while loud, song lines
// fade over their last 20 ms, and each sound is at its kind's loudness.
TEST(SoundLevels, EverySoundEndsCleanlyAndIsAtItsKindsLoudness) {
    const auto kinds = soundKinds();
    QStringList bad;
    int counted[3] = {};
    for (auto it = kinds.begin(); it != kinds.end(); ++it) {
        const std::vector<float> s = samplesOf(it.key());
        const size_t n = s.size();
        if (n < samplesIn(100)) {
            bad << it.key() + " (unreadable or too short)";
            continue;
        }
        ++counted[int(it.value())];
        if (std::abs(s.front()) > 0.01 || std::abs(s.back()) > 0.01)
            bad << it.key() + QStringLiteral(" (clicks: %1 .. %2)").arg(s.front()).arg(s.back());
        if (it.value() == Kind::Effect) {
            // The 5 ms before the sound falls into silence (-60 dBFS) are its own decay, not a cut.
            size_t end = n;
            while (end > 0 && std::abs(s[end - 1]) < 0.001)
                --end;
            const double tail = dbfs(peakOf(s, end - std::min(end, samplesIn(5)), end));
            if (tail > -45)
                bad << it.key() + QStringLiteral(" (cut before its decay: %1 dBFS)").arg(tail, 0, 'f', 1);
        } else if (it.value() == Kind::Song) {
            const double before = peakOf(s, n - samplesIn(25), n - samplesIn(20));
            const double last = peakOf(s, n - samplesIn(5), n);
            if (last > 0.5 * before)
                bad << it.key() + QStringLiteral(" (no fade-out: %1 then %2)").arg(before).arg(last);
        }
        if (const double lufs = loudness(s, Rate); !(std::abs(lufs - target(it.value())) <= Tolerance))
            bad << it.key() +
                       QStringLiteral(" (%1 LUFS, wants %2)").arg(lufs, 0, 'f', 1).arg(target(it.value()));
    }
    EXPECT_GT(counted[int(Kind::Speech)], 90);
    EXPECT_EQ(counted[int(Kind::Song)], 31);
    EXPECT_GT(counted[int(Kind::Effect)], 20);
    EXPECT_TRUE(bad.isEmpty()) << bad.join(", ").toStdString();
}

// Counting Fun plays a number word and a song line on each 500 ms tick, its timer running on; the
// next number comes on the first tick after the line. Each pair must end just before a tick, and
// each number word must be heard as soon as it starts, so that the rest after every line (the time
// left to the tick, then the next word's silent start) is the same.
TEST(SoundLevels, CountingSongLinesEndJustBeforeATickAndRestsMatch) {
    const char* const line[] = {"",     "cnt1", "cnt1", "cnt2", "cnt3", "cnt3",
                                "cnt4", "cnt1", "cnt1", "cnt2", "cnt5"};
    QStringList late;
    qint64 before[11] = {}, silentStart[11] = {};
    for (int n = 1; n <= 10; ++n) {
        const auto word = WaveFile::readFile(DataDir + QStringLiteral("N%1.wav").arg(n));
        const auto song = WaveFile::readFile(DataDir + line[n] + QStringLiteral(".wav"));
        ASSERT_TRUE(word && song) << n;
        // The activity waits for each sound's length in whole milliseconds, rounded up.
        const qint64 ends = word->durationMs() + song->durationMs();
        before[n] = (ends + 499) / 500 * 500 - ends;
        if (before[n] < 1 || before[n] > 30)
            late << QStringLiteral("%1 + %2: ends %3 ms before a tick").arg(n).arg(line[n]).arg(before[n]);
        const std::vector<float> s = word->samples();
        // Heard from its first sample above -50 dBFS.
        const auto heard = std::find_if(s.begin(), s.end(), [](float v) { return std::abs(v) > 0.00316f; });
        silentStart[n] = qint64(1000 * (heard - s.begin()) / qint64(Rate));
    }
    EXPECT_TRUE(late.isEmpty()) << late.join(", ").toStdString();
    qint64 shortest = 1000, longest = 0;
    for (int n = 1; n < 10; ++n) {
        shortest = std::min(shortest, before[n] + silentStart[n + 1]);
        longest = std::max(longest, before[n] + silentStart[n + 1]);
    }
    EXPECT_LE(longest - shortest, 30)
        << "rests after the lines from " << shortest << " to " << longest << " ms";
}
