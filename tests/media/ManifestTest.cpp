// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The files of data/ that the suite reads: every picture and sound the activities name, the sound
// editor's catalogue, the default settings file and the help file.

#include "ActivityList.h"
#include "platform/AppFiles.h"
#include "platform/HelpWindow.h"
#include "platform/Picture.h"
#include "platform/QuotedRecords.h"
#include "platform/WaveFile.h"
#include "shell/Activities.h"
#include "shell/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>
#include <gtest/gtest.h>

using namespace nibsy;

namespace {

const QString DataDir = QStringLiteral(NIBSY_SOURCE_DIR "/data/");
const QString ManifestPath = QStringLiteral(NIBSY_SOURCE_DIR "/tests/media/manifest.txt");

// The help contexts of the activities on the menu.
QList<int> helpContexts() {
    registerActivities();
    QList<int> contexts;
    for (int i = 0; i < MenuButtons; ++i) {
        if (const ActivityDescriptor* activity = Activities::find(i)) {
            contexts << activity->helpContext;
        }
    }
    return contexts;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString listed(const QStringList& names) {
    return names.join(QStringLiteral(", "));
}

// The media names of manifest.txt ("# activity" lines and blank lines aside), once each whatever their
// case; only those ending in the suffix when one is given.
QStringList manifestNames(const QString& suffix = {}) {
    QStringList names;
    QSet<QString> seen;
    for (const QString& raw : QString::fromUtf8(readBytes(ManifestPath)).split(u'\n')) {
        const QString line = raw.trimmed();
        if (!line.isEmpty() && !line.startsWith(u'#') && line.endsWith(suffix, Qt::CaseInsensitive) &&
            !seen.contains(line.toCaseFolded())) {
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
    EXPECT_TRUE(bad.isEmpty()) << listed(bad).toStdString();
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
    EXPECT_TRUE(stray.isEmpty()) << "used by no activity: " << listed(stray).toStdString();
    EXPECT_TRUE(doubled.isEmpty()) << "names that differ only in case: " << listed(doubled).toStdString();
}

// The one bitmap among the pictures is drawn on grey and teal windows: like the metafiles it must
// leave the background showing around the xylophone.
TEST(DataFiles, TheXylophoneBitmapIsTransparentAroundThePicture) {
    const QImage image = Picture::fromData(readBytes(DataDir + "xylo.bmp")).toImage(QSize(177, 185));
    ASSERT_FALSE(image.isNull());
    for (const QPoint corner : {QPoint(0, 0), QPoint(176, 0), QPoint(0, 184), QPoint(176, 184)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
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
    EXPECT_TRUE(problems.isEmpty()) << listed(problems).toStdString();
}

TEST(SettingsFile, TheInstalledFileHoldsTheDefaultsAsTheSuiteWritesThem) {
    const QByteArray bytes = readBytes(DataDir + kSettingsFile);
    const auto loaded = parseSettings(bytes);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_TRUE(*loaded == Settings{});
    EXPECT_EQ(bytes, formatSettings(Settings{})); // so the first Exit rewrites it unchanged
}

TEST(HelpFile, HasContentsATopicPerHelpContextAndNoDeadLinks) {
    const QString html = QString::fromUtf8(readBytes(DataDir + HelpFile::fileName()));
    const auto contents = HelpFile::section(html, HelpFile::contentsId());
    ASSERT_TRUE(contents.has_value());
    QStringList problems;
    const QList<int> contexts = helpContexts();
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
    EXPECT_TRUE(problems.isEmpty()) << listed(problems).toStdString();
}
