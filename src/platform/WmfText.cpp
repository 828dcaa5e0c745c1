// SPDX-FileCopyrightText: 2026 Nibsy Learning developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Text records: decoding the bytes through the font's code page or symbol table, choosing and sizing the
// font, and placing the characters where the writer's spacing array, character extra and justification say.

#include "platform/WmfParser.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cmath>
#include <iterator>
#include <numbers>

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

// MT Extra (equation editors): the glyphs Unicode has. The embellishments (grave, hat, tilde, dot,
// arrows and harpoons, the wide tilde, hat and arc) are combining marks that sit over the glyph before
// them; the pieces of stretched braces and brackets have no characters of their own.
constexpr std::pair<uchar, char32_t> kMtExtra[] = {
    {0x23, U'\u0300'}, {0x24, U'\u0302'}, {0x25, U'\u0303'}, {0x26, U'\u0307'}, {0x28, U'⌣'},
    {0x29, U'⌢'},      {0x3A, U'∼'},      {0x3B, U'≃'},      {0x3C, U'⊲'},      {0x3D, U'≪'},
    {0x3E, U'⊳'},      {0x3F, U'≫'},      {0x40, U'≜'},      {0x41, U'≙'},      {0x42, U'≐'},
    {0x43, U'∐'},      {0x44, U'ƛ'},      {0x49, U'∩'},      {0x4A, U'℧'},      {0x4B, U'…'},
    {0x4C, U'⋯'},      {0x4D, U'⋮'},      {0x4E, U'⋰'},      {0x4F, U'⋱'},      {0x50, U'∥'},
    {0x51, U'∵'},      {0x52, U'∡'},      {0x53, U'∢'},      {0x55, U'∪'},      {0x56, U'△'},
    {0x57, U'□'},      {0x58, U'▭'},      {0x59, U'▱'},      {0x5A, U'↗'},      {0x5B, U'↙'},
    {0x5D, U'↘'},      {0x5E, U'↖'},      {0x60, U'‵'},      {0x61, U'↦'},      {0x62, U'↕'},
    {0x63, U'⇕'},      {0x64, U'○'},      {0x65, U'⊙'},      {0x66, U'≻'},      {0x68, U'ℏ'},
    {0x6C, U'ℓ'},      {0x6D, U'∓'},      {0x6F, U'∘'},      {0x70, U'≺'},      {0x72, U'\u20D7'},
    {0x73, U'\u20D6'}, {0x74, U'\u20E1'}, {0x76, U'\u20D1'}, {0x77, U'\u20D0'}, {0x80, U'⇄'},
    {0x83, U'⇌'},      {0x86, U'⇀'},      {0x87, U'↽'},      {0xA1, U'ℝ'},      {0xA2, U'ℤ'},
    {0xA3, U'ℂ'},      {0xA4, U'ℚ'},      {0xA5, U'ℕ'},      {0xA7, U'〚'},     {0xA8, U'〛'},
    {0xB0, U'\u0360'}, {0xB1, U'\u0360'}, {0xB2, U'\u0360'}, {0xB5, U'\u0302'}, {0xB6, U'\u0302'},
    {0xB7, U'\u0302'}, {0xBA, U'\u0361'}, {0xBB, U'\u0361'}, {0xBC, U'\u0361'}, {0xE8, U'Š'},
    {0xE9, U'Ý'},      {0xEA, U'Þ'},      {0xEB, U'Ð'},      {0xEC, U'š'},      {0xED, U'ý'},
    {0xEE, U'þ'},      {0xEF, U'ð'},      {0xF0, U'ﬁ'},      {0xF1, U'ﬂ'},      {0xF2, U'ı'},
    {0xF3, U'¹'},      {0xF4, U'²'},      {0xF5, U'³'},      {0xF6, U'½'},      {0xF7, U'¼'},
    {0xF8, U'¾'},      {0xF9, U'⁄'},      {0xFA, U'¦'},      {0xFB, U'˝'},      {0xFC, U'˘'},
    {0xFD, U'ˇ'},      {0xFE, U'˚'},      {0xFF, U'˛'},
};

// Wingdings from 0x20 to 0xFF, each byte's picture as Unicode (most of them since Unicode 7): office
// things, hands and faces, crosses and stars, the zodiac, circled numbers, leaves and buds, shapes, clock
// faces, arrows and check boxes. 0x7F has no glyph; the closing flag, the four-pane window, is nearest
// to a squared plus.
constexpr char32_t kWingdings[] = U" 🖉✂✁👓🕭🕮🕯🕿✆🖂🖃📪📫📬📭"      // 0x20
                                  U"🗀🗁🗎🗏🗐🗄⌛🖮🖰🖲🖳🖴🖫🖬✇✍"   // 0x30
                                  U"🖎✌👌👍👎☜☞☝☟🖐☺😐☹💣☠🏳"        // 0x40
                                  U"🏱✈☼💧❄🕆✞🕈✠✡☪☯🕉☸♈♉"            // 0x50
                                  U"♊♋♌♍♎♏♐♑♒♓🙰🙵●🔾■□"             // 0x60
                                  U"🞐❑❒⬧⧫◆❖⬥⌧⮹⌘🏵🏶🙶🙷 "             // 0x70
                                  U"⓪①②③④⑤⑥⑦⑧⑨⑩⓿❶❷❸❹"                                                // 0x80
                                  U"❺❻❼❽❾❿🙢🙠🙡🙣🙞🙜🙝🙟·•"         // 0x90
                                  U"▪⚪🞆🞈◉◎🔿▪◻🟂✦★✶✴✹✵"            // 0xA0
                                  U"⯐⌖⟡⌑⯑✪✰🕐🕑🕒🕓🕔🕕🕖🕗🕘"       // 0xB0
                                  U"🕙🕚🕛⮰⮱⮲⮳⮴⮵⮶⮷🙪🙫🙕🙔🙗"        // 0xC0
                                  U"🙖🙐🙑🙒🙓⌫⌦⮘⮚⮙⮛⮈⮊⮉⮋🡨"          // 0xD0
                                  U"🡪🡩🡫🡬🡭🡯🡮🡸🡺🡹🡻🡼🡽🡿🡾⇦" // 0xE0
                                  U"⇨⇧⇩⬄⇳⬀⬁⬃⬂🢬🢭🗶✔🗷🗹⊞";          // 0xF0
static_assert(std::size(kWingdings) == 0x100 - 0x20 + 1);

char32_t tableChar(FontDef::Glyphs glyphs, uchar b) {
    if (glyphs == FontDef::Glyphs::Symbol)
        return symbolChar(b);
    if (glyphs == FontDef::Glyphs::Wingdings)
        return b >= 0x20 ? kWingdings[b - 0x20] : U' ';
    for (const auto& [byte, c] : kMtExtra)
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
            // An accent joins the glyph before it and takes no place of its own. One that starts the
            // string keeps no width and lands over what was drawn just before its start.
            if (p.count() > 0 && QChar::category(c) == QChar::Mark_NonSpacing) {
                p.starts.back() = int(p.text.size());
                p.byteStarts.back() = int(i + 1);
                continue;
            }
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

// ---- faces ----

QFont::StyleHint styleHint(const FontDef& d) {
    static constexpr QFont::StyleHint hints[] = {QFont::AnyStyle,  QFont::Serif,   QFont::SansSerif,
                                                 QFont::Monospace, QFont::Cursive, QFont::Decorative};
    const int family = (d.pitchAndFamily & 0xF0) >> 4;
    return family < 6 ? hints[family] : QFont::AnyStyle;
}

bool installed(const QString& family) {
    static const QStringList families = QFontDatabase::families();
    return families.contains(family, Qt::CaseInsensitive);
}

QStringList installedOf(std::initializer_list<QString> faces) {
    QStringList out;
    for (const QString& face : faces)
        if (installed(face))
            out.push_back(face);
    return out;
}

// A face for text whose own face is missing: serif, fixed or sans as the record's family says.
QStringList plainFaces(const FontDef& d) {
    const int family = (d.pitchAndFamily & 0xF0) >> 4;
    if (family == 3 || (d.pitchAndFamily & 0x3) == 1)
        return installedOf({QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    if (family == 1)
        return installedOf({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    return installedOf({QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}

// The faces a font record is drawn in, best first (later ones give the glyphs the first lacks). Symbol
// fonts take installed faces that have their glyphs under Unicode. Another face is taken as named when
// installed, else as fontconfig substitutes it (Liberation Serif for Times New Roman), but never as a
// symbol face, whose letters would come out as Greek or pictures.
QStringList chooseFaces(const FontDef& d) {
    QStringList faces;
    switch (d.glyphs) {
    case FontDef::Glyphs::Symbol:
    case FontDef::Glyphs::MtExtra:
        faces = installedOf({QStringLiteral("STIX"), QStringLiteral("STIXGeneral"), QStringLiteral("Symbola"),
                             QStringLiteral("DejaVu Serif"), QStringLiteral("DejaVu Sans")});
        break;
    case FontDef::Glyphs::Wingdings:
        faces = installedOf({QStringLiteral("Symbola"), QStringLiteral("DejaVu Sans")});
        break;
    case FontDef::Glyphs::CodePage:
        if (d.face.isEmpty())
            break;
        if (installed(d.face))
            return {d.face};
        QFont probe(d.face);
        probe.setStyleHint(styleHint(d));
        const QString substitute = QFontInfo(probe).family();
        if (!substitute.isEmpty() &&
            !QFontDatabase::writingSystems(substitute).contains(QFontDatabase::Symbol))
            return {substitute};
        break;
    }
    return faces.isEmpty() ? plainFaces(d) : faces;
}

QFont makeFont(const FontDef& d, const QStringList& faces, int pixels) {
    QFont font;
    if (!faces.isEmpty())
        font.setFamilies(faces);
    font.setStyleHint(styleHint(d));
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

const QStringList& Parser::faces(const FontDef& def) {
    const QString key =
        QStringLiteral("%1/%2/").arg(int(def.glyphs)).arg(def.pitchAndFamily) + def.face.toLower();
    auto it = m_faces.find(key);
    if (it == m_faces.end())
        it = m_faces.emplace(key, chooseFaces(def)).first;
    return it->second;
}

// Fonts are shared by every text that asks for the same face at the same pixel size, however many font
// records the file creates and deletes.
int Parser::realizeFont(const FontDef& def, int pixels) {
    QFont font = makeFont(def, faces(def), pixels);
    const auto [it, added] = m_fontIndex.try_emplace(font.key(), int(m_doc->m_fonts.size()));
    if (added)
        m_doc->m_fonts.push_back(std::move(font));
    return it->second;
}

// A font record's height is of the character cell when positive, of the em when negative.
double Parser::emPerCell(const FontDef& def) {
    const QFont font = makeFont(def, faces(def), 100);
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
    // A width in the record stretches the glyphs along the baseline until their average width is it.
    double stretch = 1;
    if (def.width != 0 && fm.averageCharWidth() > 0)
        stretch = std::clamp(std::abs(def.width * m_sx) / scale / fm.averageCharWidth(), 1 / 64.0, 64.0);
    const double along = scale * stretch; // font units to device units along the baseline

    TextItem t;
    t.text = pieces.text;
    t.font = font;
    t.color = m_dc.textColor;
    t.scale = scale;
    t.stretch = stretch;
    t.angle = -def.escapement / 10.0;
    const bool useCp = m_dc.textAlign & kTaUpdateCp;
    t.anchor = useCp ? map(m_dc.cp.x(), m_dc.cp.y()) : map(x, y);

    // Characters go where the writer's spacing array puts them, else by the font's advances; either way
    // widened by the character extra, and spaces by their share of the justification.
    double advance = 0;
    const bool byBytes = !dx.empty() && !pieces.byteStarts.empty();
    const bool justified = m_dc.breakCount > 0 && m_dc.breakExtra != 0;
    if (byBytes || m_dc.charExtra != 0 || justified) {
        const double toFont = std::abs(m_sx) / along; // logical units along the baseline to font units
        const double limit = kCoordLimit / along;
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
        const double step = (m_dc.textAlign & kTaRight) ? -advance * along : advance * along;
        const double radians = def.escapement / 10.0 * std::numbers::pi / 180;
        m_dc.cp += QPointF(step * std::cos(radians) / m_sx, -step * std::sin(radians) / m_sy);
        m_dc.cp = {clampCoord(m_dc.cp.x()), clampCoord(m_dc.cp.y())};
    }
    QRectF bounds(t.anchor + QPointF(t.box.left() * along, t.box.top() * scale),
                  QSizeF(t.box.width() * along, t.box.height() * scale));
    if (t.fillRect)
        bounds = bounds.united(t.rect);
    Op op;
    op.kind = OpKind::Text;
    op.index = int(m_doc->m_texts.size());
    m_doc->m_texts.push_back(std::move(t));
    pushOp(op, bounds);
}

} // namespace nibsy::wmf
