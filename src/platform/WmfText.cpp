// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text records: decoding the bytes through the font's code page or symbol table, choosing and sizing the
// font, and placing the characters where the writer's spacing array, character extra and justification say.

#include "platform/WmfParser.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cmath>
#include <numbers>
#include <span>

namespace nibsy::wmf {
namespace {

// ---- symbol fonts ----
// Their bytes are glyph numbers, not characters of a code page. Where Unicode has the glyph, these
// tables give it; bytes without one show as a space (never as the Latin letter of the same byte).

// Symbol, and Euclid Symbol which shares its layout: 0x41-0x5A and 0x61-0x7A are Greek, 0xA0-0xFE
// mathematical signs, arrows, card suits and the pieces of tall brackets.
constexpr char16_t kSymbolUpper[] = u"ΑΒΧΔΕΦΓΗΙϑΚΛΜΝΟΠΘΡΣΤΥςΩΞΨΖ";
constexpr char16_t kSymbolLower[] = u"αβχδεφγηιϕκλμνοπθρστυϖωξψζ";
constexpr char16_t kSymbolHigh[] = u"€ϒ′≤⁄∞ƒ♣♦♥♠↔←↑→↓"
                                   u"°±″≥×∝∂•÷≠≡≈…⏐⎯↵"
                                   u"ℵℑℜ℘⊗⊕∅∩∪⊃⊇⊄⊂⊆∈∉"
                                   u"∠∇®©™∏√⋅¬∧∨⇔⇐⇑⇒⇓"
                                   u"◊⟨®©™∑⎛⎜⎝⎡⎢⎣⎧⎨⎩⎪"
                                   u" ⟩∫⌠⎮⌡⎞⎟⎠⎤⎥⎦⎫⎬⎭ ";

char32_t symbolChar(uchar b) {
    switch (b) {
    case 0x22:
        return U'∀';
    case 0x24:
        return U'∃';
    case 0x27:
        return U'∋';
    case 0x2A:
        return U'∗';
    case 0x2D:
        return U'−';
    case 0x40:
        return U'≅';
    case 0x5C:
        return U'∴';
    case 0x5E:
        return U'⊥';
    case 0x60:
        return U'‾';
    case 0x7E:
        return U'∼';
    default:
        break;
    }
    if (b >= 0x41 && b <= 0x5A)
        return kSymbolUpper[b - 0x41];
    if (b >= 0x61 && b <= 0x7A)
        return kSymbolLower[b - 0x61];
    if (b >= 0x20 && b < 0x7F)
        return b; // digits, brackets and the other ASCII signs are themselves
    if (b >= 0xA0)
        return kSymbolHigh[b - 0xA0];
    return U' ';
}

// MT Extra (equation editors), the glyphs of the font Windows installs that Unicode has: accents set
// over the previous character, ellipses, a few operators and arrows. The pieces of stretched braces
// have no characters of their own.
constexpr std::pair<uchar, char32_t> kMtExtra[] = {
    {0x23, U'\u0300'}, {0x24, U'\u0302'}, {0x25, U'\u0303'}, {0x26, U'\u0307'}, {0x43, U'∐'}, {0x44, U'ƛ'},
    {0x49, U'∩'},      {0x4B, U'…'},      {0x4C, U'⋯'},      {0x4D, U'⋮'},      {0x4E, U'⋰'}, {0x4F, U'⋱'},
    {0x51, U'∵'},      {0x55, U'∪'},      {0x60, U'‵'},      {0x61, U'↦'},      {0x62, U'↕'}, {0x63, U'⇕'},
};

// Wingdings, its common pictures: office things, hands and faces, religious and zodiac signs,
// shapes, circled numbers, clock faces and the check marks.
constexpr std::pair<uchar, char32_t> kWingdings[] = {
    {0x21, U'🖉'}, {0x22, U'✂'},    {0x23, U'✁'},    {0x24, U'👓'},    {0x25, U'🕭'}, {0x26, U'🕮'},
    {0x27, U'🕯'}, {0x28, U'🕿'}, {0x29, U'✆'},    {0x2A, U'🖂'}, {0x2B, U'🖃'}, {0x2C, U'📪'},
    {0x2D, U'📫'},    {0x2E, U'📬'},    {0x2F, U'📭'},    {0x30, U'🗀'}, {0x31, U'🗁'}, {0x36, U'⌛'},
    {0x41, U'✌'},    {0x42, U'👌'},    {0x43, U'👍'},    {0x44, U'👎'},    {0x45, U'☜'},    {0x46, U'☞'},
    {0x47, U'☝'},    {0x48, U'☟'},    {0x49, U'🖐'}, {0x4A, U'☺'},    {0x4B, U'😐'},    {0x4C, U'☹'},
    {0x4D, U'💣'},    {0x4E, U'☠'},    {0x51, U'✈'},    {0x52, U'☼'},    {0x54, U'❄'},    {0x56, U'✞'},
    {0x58, U'✠'},    {0x59, U'✡'},    {0x5A, U'☪'},    {0x5B, U'☯'},    {0x5C, U'ॐ'},    {0x5D, U'☸'},
    {0x6C, U'●'},    {0x6E, U'■'},    {0x6F, U'□'},    {0x71, U'❑'},    {0x72, U'❒'},    {0x75, U'◆'},
    {0x76, U'❖'},    {0x78, U'⌧'},    {0x7A, U'⌘'},    {0x80, U'⓪'},    {0x8B, U'⓿'},    {0xA1, U'○'},
    {0xA4, U'◉'},    {0xA5, U'◎'},    {0xAB, U'★'},    {0xEF, U'⇦'},    {0xF0, U'⇨'},    {0xF1, U'⇧'},
    {0xF2, U'⇩'},    {0xFC, U'✔'},
};

char32_t tableChar(FontDef::Glyphs glyphs, uchar b) {
    if (glyphs == FontDef::Glyphs::Symbol)
        return symbolChar(b);
    if (glyphs == FontDef::Glyphs::Wingdings) {
        if (b >= 0x5E && b <= 0x69)
            return U'♈' + (b - 0x5E); // the zodiac, Aries to Pisces
        if (b >= 0x81 && b <= 0x8A)
            return U'①' + (b - 0x81);
        if (b >= 0x8C && b <= 0x95)
            return U'❶' + (b - 0x8C);
        if (b >= 0xB7 && b <= 0xC2)
            return U'🕐' + (b - 0xB7); // one o'clock to twelve
    }
    using Table = std::span<const std::pair<uchar, char32_t>>;
    for (const auto& [byte, c] : glyphs == FontDef::Glyphs::Wingdings ? Table(kWingdings) : Table(kMtExtra))
        if (byte == b)
            return c;
    return U' ';
}

// ---- code pages ----

const char* codePage(int charset) {
    static constexpr std::pair<int, const char*> codecs[] = {
        {128, "Shift_JIS"},    {129, "windows-949"},  {134, "GBK"},          {136, "Big5"},
        {161, "windows-1253"}, {162, "windows-1254"}, {163, "windows-1258"}, {177, "windows-1255"},
        {178, "windows-1256"}, {186, "windows-1257"}, {204, "windows-1251"}, {222, "windows-874"},
        {238, "windows-1250"}};
    for (const auto& [set, codec] : codecs)
        if (set == charset)
            return codec;
    return "windows-1252";
}

QString decodeText(const QByteArray& bytes, int charset) {
    // Fonts of the symbol charset not known to a table take the byte as the glyph.
    if (charset == 2)
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(codePage(charset));
    if (decoder.isValid()) {
        QString s = decoder(bytes);
        if (!decoder.hasError())
            return s;
    }
    return QString::fromLatin1(bytes);
}

// A string cut into the pieces that get one place each (characters, or surrogate pairs), with the bytes
// each came from: piece i is text[starts[i], starts[i + 1]) from bytes [byteStarts[i], byteStarts[i + 1]).
// byteStarts is empty where the code page does not say which bytes made which character.
struct Pieces {
    QString text;
    std::vector<int> starts{0};
    std::vector<int> byteStarts;
    int count() const { return int(starts.size()) - 1; }
};

Pieces decodePieces(const QByteArray& bytes, const FontDef& def) {
    Pieces p;
    if (def.glyphs != FontDef::Glyphs::CodePage) {
        p.byteStarts.push_back(0);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            const char32_t c = tableChar(def.glyphs, uchar(bytes[i]));
            p.text += QString::fromUcs4(&c, 1);
            p.starts.push_back(int(p.text.size()));
            p.byteStarts.push_back(int(i + 1));
        }
        return p;
    }
    p.text = decodeText(bytes, def.charset);
    for (qsizetype i = 0; i < p.text.size(); ++i) {
        if (p.text[i].isHighSurrogate() && i + 1 < p.text.size() && p.text[i + 1].isLowSurrogate())
            ++i;
        p.starts.push_back(int(i + 1));
    }
    if (p.text.size() == bytes.size() && p.count() == bytes.size()) {
        for (int i = 0; i <= p.count(); ++i)
            p.byteStarts.push_back(i);
        return p;
    }
    // Double-byte code pages: count each character's bytes by encoding it again.
    QStringEncoder encoder(codePage(def.charset));
    if (!encoder.isValid())
        return p;
    p.byteStarts.push_back(0);
    for (int i = 0; i < p.count(); ++i) {
        const QByteArray b = encoder(
            QStringView(p.text).mid(p.starts[size_t(i)], p.starts[size_t(i) + 1] - p.starts[size_t(i)]));
        p.byteStarts.push_back(p.byteStarts.back() + int(b.size()));
    }
    if (encoder.hasError() || p.byteStarts.back() != bytes.size())
        p.byteStarts.clear();
    return p;
}

QFont makeFont(const FontDef& d, int pixels) {
    QFont font;
    // A font read through a table draws its characters in the default face, which falls back per
    // character to whichever installed face has the glyph.
    if (!d.face.isEmpty() && d.glyphs == FontDef::Glyphs::CodePage)
        font.setFamily(d.face);
    static constexpr QFont::StyleHint hints[] = {QFont::AnyStyle,  QFont::Serif,   QFont::SansSerif,
                                                 QFont::Monospace, QFont::Cursive, QFont::Decorative};
    const int family = (d.pitchAndFamily & 0xF0) >> 4;
    if (family > 0 && family < 6)
        font.setStyleHint(hints[family]);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Weight(std::clamp(d.weight > 0 ? int(d.weight) : 400, 1, 1000)));
    font.setItalic(d.italic);
    font.setUnderline(d.underline);
    font.setStrikeOut(d.strikeOut);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace

void nameFont(FontDef& def, const QByteArray& face) {
    def.face = decodeText(face, def.charset).trimmed();
    const QString name = def.face.toLower();
    if (name == u"symbol" || name == u"euclid symbol")
        def.glyphs = FontDef::Glyphs::Symbol;
    else if (name == u"mt extra")
        def.glyphs = FontDef::Glyphs::MtExtra;
    else if (name == u"wingdings")
        def.glyphs = FontDef::Glyphs::Wingdings;
}

// Fonts are shared by every text that asks for the same face at the same pixel size, however many font
// records the file creates and deletes.
int Parser::realizeFont(const FontDef& def, int pixels) {
    QFont font = makeFont(def, pixels);
    const auto [it, added] = m_fontIndex.try_emplace(font.key(), int(m_doc->m_fonts.size()));
    if (added)
        m_doc->m_fonts.push_back(std::move(font));
    return it->second;
}

// A font record's height is of the character cell when positive, of the em when negative.
double Parser::emPerCell(const FontDef& def) {
    const QFont font = makeFont(def, 100);
    const auto [it, added] = m_emPerCell.try_emplace(font.key(), 0.85);
    if (added) {
        const QFontMetricsF fm(font);
        const double cell = fm.ascent() + fm.descent();
        if (cell > 0)
            it->second = 100 / cell;
    }
    return it->second;
}

void Parser::text(double x, double y, const QByteArray& bytes, quint16 options, const QRectF* rect,
                  const std::vector<qint16>& dx) {
    // Fonts need the GUI application; without one, text is left out.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    if (!m_dc.hasFont) {
        m_dc.font = FontDef{};
        m_dc.font.height = 12;
        m_dc.hasFont = true;
    }
    const FontDef& def = m_dc.font;
    QByteArray raw = bytes.left(kMaxTextChars);
    while (raw.endsWith('\0'))
        raw.chop(1);
    const Pieces pieces = decodePieces(raw, def);

    const double height = std::abs((def.height ? def.height : 12) * m_sy);
    const double em = std::min(def.height < 0 ? height : height * emPerCell(def), kCoordLimit);
    if (!(em > 0))
        return;
    const int pixels = int(std::clamp(std::round(em), 4.0, 256.0));
    const int font = realizeFont(def, pixels);
    const QFontMetricsF fm(m_doc->m_fonts[size_t(font)]);
    const double scale = em / pixels;

    TextItem t;
    t.text = pieces.text;
    t.font = font;
    t.color = m_dc.textColor;
    t.scale = scale;
    t.angle = -def.escapement / 10.0;
    const bool useCp = m_dc.textAlign & kTaUpdateCp;
    t.anchor = useCp ? map(m_dc.cp.x(), m_dc.cp.y()) : map(x, y);

    // Characters go where the writer's spacing array puts them, else by the font's advances; either way
    // widened by the character extra, and spaces by their share of the justification.
    double advance = 0;
    const bool byBytes = !dx.empty() && !pieces.byteStarts.empty();
    const bool justified = m_dc.breakCount > 0 && m_dc.breakExtra != 0;
    if (byBytes || m_dc.charExtra != 0 || justified) {
        const double toFont = std::abs(m_sx) / scale; // logical units along the baseline to font units
        const double limit = kCoordLimit / scale;
        const int perBreak = justified ? m_dc.breakExtra / m_dc.breakCount : 0;
        int leftOver = justified ? m_dc.breakExtra - perBreak * m_dc.breakCount : 0;
        t.starts = pieces.starts;
        for (int i = 0; i < pieces.count(); ++i) {
            t.offsets.emplace_back(advance, 0);
            const QStringView piece =
                QStringView(t.text).mid(t.starts[size_t(i)], t.starts[size_t(i) + 1] - t.starts[size_t(i)]);
            double logical = m_dc.charExtra;
            if (byBytes) {
                for (int b = pieces.byteStarts[size_t(i)]; b < pieces.byteStarts[size_t(i) + 1]; ++b)
                    logical += size_t(b) < dx.size() ? dx[size_t(b)] : 0;
            }
            if (justified && piece == u" ") {
                logical += perBreak;
                if (leftOver != 0) {
                    logical += leftOver > 0 ? 1 : -1;
                    leftOver += leftOver > 0 ? -1 : 1;
                }
            }
            const double own = byBytes ? 0 : fm.horizontalAdvance(piece.toString());
            advance = std::clamp(advance + own + logical * toFont, -limit, limit);
        }
    } else {
        advance = fm.horizontalAdvance(t.text);
    }

    double ox = 0, oy = fm.ascent();
    if ((m_dc.textAlign & kTaCenter) == kTaCenter)
        ox = -advance / 2;
    else if (m_dc.textAlign & kTaRight)
        ox = -advance;
    if ((m_dc.textAlign & kTaBaseline) == kTaBaseline)
        oy = 0;
    else if (m_dc.textAlign & kTaBottom)
        oy = -fm.descent();
    t.origin = {ox, oy};
    t.box = QRectF(ox, oy - fm.ascent(), advance, fm.ascent() + fm.descent()).normalized();
    t.opaque = m_dc.bkMode == 2 || (options & 0x2);
    t.background = m_dc.bkColor;
    if (rect) {
        t.rect = *rect;
        t.fillRect = options & 0x2;
        t.clipRect = options & 0x4;
        if (t.fillRect)
            t.opaque = false;
    }
    // With TA_UPDATECP the current position moves on by the advance, unless the text is centred on it.
    if (useCp && (m_dc.textAlign & kTaCenter) != kTaCenter) {
        const double step = (m_dc.textAlign & kTaRight) ? -advance * scale : advance * scale;
        const double radians = def.escapement / 10.0 * std::numbers::pi / 180;
        m_dc.cp += QPointF(step * std::cos(radians) / m_sx, -step * std::sin(radians) / m_sy);
        m_dc.cp = {clampCoord(m_dc.cp.x()), clampCoord(m_dc.cp.y())};
    }
    QRectF bounds(t.anchor + t.box.topLeft() * scale, t.box.size() * scale);
    if (t.fillRect)
        bounds = bounds.united(t.rect);
    Op op;
    op.kind = OpKind::Text;
    op.index = int(m_doc->m_texts.size());
    m_doc->m_texts.push_back(std::move(t));
    pushOp(op, bounds);
}

} // namespace nibsy::wmf
