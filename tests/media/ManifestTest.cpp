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

// Names once each, in first-seen spelling, case ignored; only those with one of the suffixes when given.
QStringList distinct(const QStringList& names, const QStringList& suffixes = {}) {
    QStringList out;
    QSet<QString> seen;
    for (const QString& n : names) {
        const bool wanted = suffixes.isEmpty() || std::any_of(suffixes.begin(), suffixes.end(), [&](auto& s) {
                                return n.endsWith(s, Qt::CaseInsensitive);
                            });
        if (wanted && !seen.contains(n.toCaseFolded())) {
            seen.insert(n.toCaseFolded());
            out << n;
        }
    }
    return out;
}

// The media names of manifest.txt ("# activity" lines and blank lines aside), once each.
QStringList manifestNames(const QStringList& suffixes = {}) {
    QStringList names;
    for (const QString& raw : QString::fromUtf8(readBytes(ManifestPath)).split(u'\n')) {
        if (const QString line = raw.trimmed(); !line.isEmpty() && !line.startsWith(u'#'))
            names << line;
    }
    return distinct(names, suffixes);
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

bool inData(const QString& name) {
    return QFileInfo(AppFiles::resolve(name)).isFile();
}

} // namespace

TEST(DataFiles, EveryMediaFileTheActivitiesUseIsThere) {
    AppFiles::setAppDir(DataDir);
    const QStringList names = manifestNames();
    ASSERT_FALSE(names.isEmpty()) << "no names read from " << ManifestPath.toStdString();
    QStringList missing;
    for (const QString& n : names) {
        if (!inData(n))
            missing << n;
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.size() << " of " << names.size()
                                   << " files missing from data/: " << listed(missing).toStdString();
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
    const QStringList files =
        QDir(DataDir).entryList({"*.wav", "*.WAV", "*.wmf", "*.WMF", "*.bmp", "*.BMP"}, QDir::Files);
    for (const QString& f : distinct(files)) {
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

TEST(DataFiles, EveryPictureLoadsAndDrawsSomething) {
    AppFiles::setAppDir(DataDir);
    // All metafiles (Puzzle Time shows each) and the pictures the activities name.
    const QStringList pictures =
        distinct(AppFiles::list(QStringLiteral(".wmf")) + manifestNames({".wmf", ".bmp"}));
    QStringList bad;
    int checked = 0;
    for (const QString& name : pictures) {
        if (!inData(name))
            continue; // reported by EveryMediaFileTheActivitiesUseIsThere
        ++checked;
        const Picture picture = Picture::fromData(readBytes(AppFiles::resolve(name)));
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
    }
    EXPECT_GT(checked, 0) << "no pictures in data/ yet";
    EXPECT_TRUE(bad.isEmpty()) << listed(bad).toStdString();
}

// The one bitmap among the pictures is drawn on grey and teal windows: like the metafiles it must
// leave the background showing around the xylophone.
TEST(DataFiles, TheXylophoneBitmapIsTransparentAroundThePicture) {
    const Picture picture = Picture::fromData(readBytes(DataDir + "xylo.bmp"));
    ASSERT_FALSE(picture.isNull());
    const QImage image = picture.toImage(picture.size());
    const int w = image.width() - 1, h = image.height() - 1;
    for (const QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0) << corner.x() << "," << corner.y();
    int opaque = 0;
    for (int y = 0; y <= h; ++y) {
        for (int x = 0; x <= w; ++x)
            opaque += qAlpha(image.pixel(x, y)) == 255;
    }
    EXPECT_GT(opaque, image.width() * image.height() / 5);
}

TEST(DataFiles, EverySoundIsAudibleMono22kHz16BitAndUnclipped) {
    AppFiles::setAppDir(DataDir);
    QStringList sounds = manifestNames({".wav"});
    for (const CatalogueRecord& r : catalogue())
        sounds << r.file;
    QStringList bad;
    int checked = 0;
    for (const QString& name : distinct(sounds)) {
        if (!inData(name))
            continue; // reported by EveryMediaFileTheActivitiesUseIsThere
        ++checked;
        const auto wave = WaveFile::readFile(AppFiles::resolve(name));
        if (!wave) {
            bad << name + " (not a wave file)";
            continue;
        }
        if (wave->format != WaveFile::Format::Integer || wave->channels != 1 || wave->sampleRate != 22050 ||
            wave->bits != 16) {
            bad << name + " (not mono 22050 Hz 16-bit)";
            continue;
        }
        // The sound editor records into a copy of the blank sound, so it must hold nothing at all.
        if (name.compare(QStringLiteral("zzblank.wav"), Qt::CaseInsensitive) == 0) {
            if (wave->frameCount() != 0)
                bad << name + QStringLiteral(" (holds %1 samples)").arg(wave->frameCount());
            continue;
        }
        const double peak = wave->peakLevel();
        if (wave->frameCount() == 0 || peak <= 0.05) {
            bad << name + QStringLiteral(" (silent, peak %1)").arg(peak);
        } else if (peak >= 0.999) {
            bad << name + QStringLiteral(" (clipped, peak %1)").arg(peak);
        }
    }
    EXPECT_GT(checked, 0) << "no sounds in data/ yet";
    EXPECT_TRUE(bad.isEmpty()) << listed(bad).toStdString();
}

TEST(SoundEditorCatalogue, Holds121TitledRecordsOfDistinctRecordableSounds) {
    AppFiles::setAppDir(DataDir);
    QStringList problems;
    const auto records = catalogue();
    EXPECT_EQ(records.size(), 121u);

    QSet<QString> used;
    for (const QString& n : manifestNames({".wav"}))
        used.insert(n.toCaseFolded());
    QSet<QString> files, titles;
    QStringList missing;
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
        if (!inData(r.file))
            missing << r.file;
    }
    EXPECT_TRUE(problems.isEmpty()) << listed(problems).toStdString();
    EXPECT_TRUE(missing.isEmpty()) << missing.size()
                                   << " sounds missing from data/: " << listed(missing).toStdString();
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
