// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// How long a typical clip-art metafile takes to read and to draw at picture-button size.

#include "platform/Wmf.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

namespace {

QByteArray santa() {
    QFile file(QStringLiteral(NIBSY_SOURCE_DIR "/tests/platform/wmf-samples/santa.wmf"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WmfParseSanta(benchmark::State& state) {
    const QByteArray bytes = santa();
    if (bytes.isEmpty()) {
        state.SkipWithError("santa.wmf is missing");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(nibsy::WmfDocument::parse(bytes));
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(WmfParseSanta);

void WmfDrawSanta200(benchmark::State& state) {
    const auto doc = nibsy::WmfDocument::parse(santa());
    if (!doc) {
        state.SkipWithError("santa.wmf does not parse");
        return;
    }
    QImage image(200, 200, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        doc->render(painter, QRectF(0, 0, 200, 200));
    }
}
BENCHMARK(WmfDrawSanta200)->Unit(benchmark::kMicrosecond);

} // namespace
