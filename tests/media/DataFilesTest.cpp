// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The files of data/ that the suite reads: every picture and sound the activities name, the sound
// editor's catalogue and the help file; and how the sounds sound: edges
// without clicks, effects that ring out, one loudness per kind of sound, and counting-song lines that
// keep the activity's beat.

#include "ActivityList.h"
#include "platform/AppFiles.h"
#include "platform/HelpWindow.h"
#include "platform/Picture.h"
#include "platform/QuotedRecords.h"
#include "platform/WaveFile.h"
#include "shell/Activities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <ebur128.h>
#include <gtest/gtest.h>
#include <memory>

using namespace nibsy;

namespace {

const QString DataDir = QStringLiteral(NIBSY_SOURCE_DIR "/data/");
const QString ManifestPath = QStringLiteral(NIBSY_SOURCE_DIR "/tests/media/manifest.txt");

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of a text file, blank ones and "#" comments aside.
QStringList lines(const QString& path) {
    QStringList out;
    for (const QString& l : QString::fromUtf8(readBytes(path)).split(u'\n')) {
        if (!l.trimmed().isEmpty() && !l.startsWith(u'#'))
            out << l;
    }
    return out;
}

// The media names of manifest.txt ("# activity" lines and blank lines aside), once each whatever their
// case; only those ending in the suffix when one is given.
QStringList manifestNames(const QString& suffix = {}) {
    QStringList names;
    QSet<QString> seen;
    for (const QString& raw : lines(ManifestPath)) {
        const QString line = raw.trimmed();
        if (line.endsWith(suffix, Qt::CaseInsensitive) && !seen.contains(line.toCaseFolded())) {
            seen.insert(line.toCaseFolded());
            names << line;
        }
    }
    return names;
}

struct CatalogueRecord {
    QString file, title;
};

// The records of sedit5.ini (file name, title), read as the sound editor reads them.
std::vector<CatalogueRecord> catalogue() {
    std::vector<CatalogueRecord> out;
    for (const QStringList& r : readRecords(QString::fromUtf8(readBytes(DataDir + "sedit5.ini")), 2))
        out.push_back({r[0], r[1]});
    return out;
}

const QString SoundSources = QStringLiteral(NIBSY_SOURCE_DIR "/tools/media/sounds/");

enum class Kind { Speech, Song, Effect };

// Integrated loudness (LUFS) that each kind is made to, within 1.5 LU.
double target(Kind k) {
    return k == Kind::Speech ? -20 : -21;
}
constexpr double Tolerance = 1.5;

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
    for (const QString& l : manifestNames(QStringLiteral(".wav"))) {
        const QString name = l.toLower();
        if (name != QStringLiteral("zzblank.wav") && !kinds.contains(name))
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

// Every picture and sound an activity names is in data/; each picture loads and draws something, and
// each sound is mono 22050 Hz 16-bit, audible and unclipped (the blank the sound editor records into
// holds nothing at all). The catalogue's sounds are checked with them, being among the activities'.
TEST(DataFiles, EveryMediaFileTheActivitiesNameIsThereAndUsable) {
    AppFiles::setAppDir(DataDir);
    const QStringList names = manifestNames();
    ASSERT_GT(names.size(), 150) << "names read from " << ManifestPath.toStdString();
    QStringList bad;
    for (const QString& name : names) {
        const QString path = AppFiles::resolve(name);
        if (!QFileInfo(path).isFile()) {
            bad << name + " (missing)";
        } else if (!name.endsWith(QStringLiteral(".wav"), Qt::CaseInsensitive)) {
            const Picture picture = Picture::fromData(readBytes(path));
            const bool metafile = name.endsWith(QStringLiteral(".wmf"), Qt::CaseInsensitive);
            if (picture.isNull() || picture.isMetafile() != metafile || picture.size().isEmpty()) {
                bad << name + " (does not load)";
                continue;
            }
            const QImage image = picture.toImage(QSize(64, 64));
            int drawn = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x)
                    drawn += qAlpha(image.pixel(x, y)) > 0;
            }
            if (drawn < 64 * 64 / 100)
                bad << name + QStringLiteral(" (draws only %1 of 4096 pixels)").arg(drawn);
        } else if (const auto wave = WaveFile::readFile(path); !wave) {
            bad << name + " (not a wave file)";
        } else if (wave->format != WaveFile::Format::Integer || wave->channels != 1 ||
                   wave->sampleRate != 22050 || wave->bits != 16) {
            bad << name + " (not mono 22050 Hz 16-bit)";
        } else if (name.compare(QStringLiteral("zzblank.wav"), Qt::CaseInsensitive) == 0) {
            if (wave->frameCount() != 0)
                bad << name + QStringLiteral(" (holds %1 samples)").arg(wave->frameCount());
        } else if (const double peak = wave->peakLevel(); wave->frameCount() == 0 || peak <= 0.05) {
            bad << name + QStringLiteral(" (silent, peak %1)").arg(peak);
        } else if (peak >= 0.999) {
            bad << name + QStringLiteral(" (clipped, peak %1)").arg(peak);
        }
    }
    EXPECT_TRUE(bad.isEmpty()) << bad.join(", ").toStdString();
}

// Puzzle Time offers every metafile of the directory, and files are found without regard to case, so a
// stray picture becomes a puzzle and two spellings of one name hide each other.
TEST(DataFiles, HoldNoStrayOrDoubledMedia) {
    QSet<QString> known;
    for (const QString& n : manifestNames())
        known.insert(n.toCaseFolded());
    known.insert(QStringLiteral("xjunk.wav")); // the sound editor's scratch copy
    QStringList stray, doubled;
    QHash<QString, QString> seen; // folded name -> first spelling
    const QStringList files = QDir(DataDir).entryList({"*.wav", "*.wmf", "*.bmp"}, QDir::Files);
    for (const QString& f : files) {
        if (!known.contains(f.toCaseFolded()))
            stray << f;
    }
    for (const QString& f : QDir(DataDir).entryList(QDir::Files)) {
        if (seen.contains(f.toCaseFolded()))
            doubled << seen[f.toCaseFolded()] + " and " + f;
        seen.insert(f.toCaseFolded(), f);
    }
    EXPECT_TRUE(stray.isEmpty()) << "used by no activity: " << stray.join(", ").toStdString();
    EXPECT_TRUE(doubled.isEmpty()) << "names that differ only in case: " << doubled.join(", ").toStdString();
}

TEST(SoundEditorCatalogue, Holds121TitledRecordsOfDistinctRecordableSounds) {
    AppFiles::setAppDir(DataDir);
    QStringList problems;
    const auto records = catalogue();
    EXPECT_EQ(records.size(), 121u);

    QSet<QString> used;
    for (const QString& n : manifestNames(QStringLiteral(".wav")))
        used.insert(n.toCaseFolded());
    QSet<QString> files, titles;
    for (const CatalogueRecord& r : records) {
        const QString file = r.file.toCaseFolded();
        if (!used.contains(file))
            problems << r.file + " (no activity plays it)";
        // Recording copies the blank over the chosen sound, and every visit overwrites the scratch copy.
        if (file == QStringLiteral("zzblank.wav") || file == QStringLiteral("xjunk.wav"))
            problems << r.file + " (the editor's own file)";
        if (files.contains(file))
            problems << r.file + " (listed twice)";
        files.insert(file);
        if (r.title.trimmed().isEmpty()) {
            problems << r.file + " (no title)";
        } else if (titles.contains(r.title)) {
            problems << r.title + " (title used twice)";
        }
        titles.insert(r.title);
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join(", ").toStdString();
}

TEST(HelpFile, HasContentsATopicPerHelpContextAndNoDeadLinks) {
    const QString html = QString::fromUtf8(readBytes(DataDir + HelpFile::fileName()));
    const auto contents = HelpFile::section(html, HelpFile::contentsId());
    ASSERT_TRUE(contents.has_value());
    QStringList problems;
    registerActivities(); // the help contexts of the activities on the menu
    QList<int> contexts;
    for (int i = 0; i < MenuButtons; ++i)
        if (const ActivityDescriptor* activity = Activities::find(i))
            contexts << activity->helpContext;
    ASSERT_FALSE(contexts.isEmpty());
    for (const int context : contexts) {
        const QString id = HelpFile::topicId(context);
        const auto topic = HelpFile::section(html, id);
        if (!topic) {
            problems << id + " (missing)";
            continue;
        }
        if (!contents->contains("href=\"#" + id + "\""))
            problems << id + " (not on the contents page)";
        if (!topic->contains(QStringLiteral("href=\"#contents\"")))
            problems << id + " (no way back to the contents)";
    }
    static const QRegularExpression link(QStringLiteral(R"(href\s*=\s*["']([^"']*)["'])"),
                                         QRegularExpression::CaseInsensitiveOption);
    for (auto it = link.globalMatch(html); it.hasNext();) {
        const QString href = it.next().captured(1);
        const auto target = HelpFile::linkTarget(QUrl(href));
        if (!target || !HelpFile::section(html, *target))
            problems << href + " (leads nowhere)";
    }
    EXPECT_TRUE(problems.isEmpty()) << problems.join(", ").toStdString();
}

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
