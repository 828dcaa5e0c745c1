// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the player hands an output device for a wave: the file's own bytes where the device takes them,
// otherwise the samples converted to a format it does take.

#include "platform/WaveFile.h"

#include <QAudioFormat>
#include <QByteArray>
#include <functional>

namespace nibsy {

// The most bytes a conversion gives: about six minutes at 48 kHz in stereo floats. A longer sound is cut.
inline constexpr qint64 kMaxConvertedBytes = qint64(128) << 20;

// The wave's samples in the given format: resampled linearly, channels copied round-robin or mixed
// down to mono, and cut to whole frames within kMaxConvertedBytes. Empty for an empty wave or a format
// without channels, rate or sample size.
QByteArray convertSamples(const WaveFile& wave, const QAudioFormat& to);

// The bytes to hand a device and their format (set in format): the file's own samples when the device
// takes them (supported tells), otherwise a conversion to 16-bit at the file's rate and channels, or
// failing that to the device's preferred format. Empty when there is nothing to play.
QByteArray deviceSamples(const WaveFile& wave, const std::function<bool(const QAudioFormat&)>& supported,
                         const QAudioFormat& preferred, QAudioFormat& format);

} // namespace nibsy
