// Fonts and their metrics from Qt, and the device context's glyphs drawn
// with QPainter.
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QRegion>
#include <QTextLayout>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <string>

#include "platform/CodePage.h"
#include "platform/qt/QtWidgetset.h"

char32_t DecodeCharsetChar(unsigned char c, int charset) {
  if (charset == OEM_CHARSET) return Cp866ToUnicode(c);
  if (charset == SYMBOL_CHARSET) return c;
  return Cp1251ToUnicode(c);
}

QString DecodeCharset(const char* bytes, int count, int charset) {
  QString s;
  s.reserve(count);
  for (int i = 0; i < count; ++i) {
    char32_t u = DecodeCharsetChar(static_cast<unsigned char>(bytes[i]), charset);
    s += QChar(char16_t(u));
  }
  return s;
}

QString AnsiToQString(const std::string& s) { return DecodeCharset(s.data(), int(s.size()), RUSSIAN_CHARSET); }

std::string QStringToAnsi(const QString& s) {
  std::u16string u(reinterpret_cast<const char16_t*>(s.utf16()), size_t(s.size()));
  return Utf16ToCp1251(u);
}

QColor ColorToQColor(COLORREF c) {
  c = ColorToRGB(c);
  return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

QImage BitmapImage(TGdiBitmap* bmp) {
  if (!bmp || bmp->Width() == 0 || bmp->Height() == 0) return QImage();
  return QImage(reinterpret_cast<uchar*>(bmp->Bits()), bmp->Width(), bmp->Height(), bmp->Width() * 4,
                QImage::Format_RGB32);
}

// ---------------------------------------------------------------------------
// fonts

namespace {

// The faces the windows are laid out for, each by a Debian font of the same
// metrics, so that a caption fits where it fitted on Windows. The wine fonts
// are the program's own (fontconfig does not list them). The wine MS Sans
// Serif is a bitmap face that Qt draws at its 8-point size only, so larger
// sizes take Tahoma, its scalable kin (the first row that fits the size
// wins). Trebuchet MS has no metric twin in Debian and takes the sans face
// nearest in width.
struct TFaceSubstitute {
  const char* Face;
  const char* Family;
  int MaxHeight;  // the largest |lfHeight| the family serves; 0: any
};
const TFaceSubstitute kFaceSubstitutes[] = {
    {"Tahoma", "Tahoma", 0},
    {"MS Sans Serif", "MS Sans Serif", 12},
    {"MS Sans Serif", "Tahoma", 0},
    {"MS Shell Dlg", "MS Sans Serif", 12},
    {"MS Shell Dlg", "Tahoma", 0},
    {"MS Shell Dlg 2", "Tahoma", 0},
    {"System", "MS Sans Serif", 12},
    {"System", "Tahoma", 0},
    {"Times New Roman", "Liberation Serif", 0},
    {"Courier New", "Liberation Mono", 0},
    {"Arial", "Liberation Sans", 0},
    {"Trebuchet MS", "Liberation Sans", 0},
    {"Fixedsys", "Liberation Mono", 0},
    {"Terminal", "Liberation Mono", 0},
    {"Courier", "Liberation Mono", 0},
    {"MS Serif", "Liberation Serif", 0},
};
const char* const kProgramFonts[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
    "/usr/share/wine/fonts/tahomabd.ttf",
    "/usr/share/wine/fonts/ms_sans_serif.ttf",
};

QString FamilyFor(const std::string& requested, int height) {
  static const bool installed = [] {
    for (const char* file : kProgramFonts) QFontDatabase::addApplicationFont(QString::fromUtf8(file));
    return true;
  }();
  (void)installed;
  const std::string face = requested.empty() ? std::string("MS Sans Serif") : requested;
  const int size = height < 0 ? -height : height;
  for (const TFaceSubstitute& s : kFaceSubstitutes)
    if (face == s.Face && (s.MaxHeight == 0 || size <= s.MaxHeight)) return QString::fromLatin1(s.Family);
  return AnsiToQString(face);
}

}  // namespace

QtGdiFont::QtGdiFont(const LOGFONT& lf) : TGdiFont(lf) {
  std::fill(std::begin(FWidths), std::end(FWidths), -1);
  // Windows and their controls make the same few fonts again and again
  // (the start alone makes some hundred and fifty of five kinds): what Qt
  // makes of a description is found once and kept.
  struct TMade {
    QFont Font;
    TEXTMETRIC Metrics;
    char32_t SymbolBullet;
  };
  // Never destroyed: no QFont may go after the application at exit.
  static auto& made = *new std::map<std::string, TMade>;
  LOGFONT key = lf;
  const std::size_t faceLength = strnlen(lf.lfFaceName, LF_FACESIZE);
  std::fill(key.lfFaceName + faceLength, key.lfFaceName + LF_FACESIZE, '\0');
  const std::string name(reinterpret_cast<const char*>(&key), sizeof key);
  if (auto it = made.find(name); it != made.end()) {
    FFont = it->second.Font;
    FMetrics = it->second.Metrics;
    FSymbolBullet = it->second.SymbolBullet;
    return;
  }
  Make(lf);
  made.emplace(name, TMade{FFont, FMetrics, FSymbolBullet});
}

void QtGdiFont::Make(const LOGFONT& lf) {
  std::string face(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE));
  FFont.setFamily(FamilyFor(face, lf.lfHeight));
  int pitch = lf.lfPitchAndFamily & 3, family = lf.lfPitchAndFamily & 0xF0;
  if (pitch == FIXED_PITCH || family == FF_MODERN || face == "Fixedsys" || face == "Terminal") {
    FFont.setStyleHint(QFont::Monospace);
    FFont.setFixedPitch(true);
  } else if (family == FF_ROMAN) {
    FFont.setStyleHint(QFont::Serif);
  } else if (family == FF_SWISS) {
    FFont.setStyleHint(QFont::SansSerif);
  }
  FFont.setWeight(QFont::Weight(std::clamp(lf.lfWeight ? int(lf.lfWeight) : 400, 100, 900)));
  FFont.setItalic(lf.lfItalic != 0);
  FFont.setUnderline(lf.lfUnderline != 0);
  FFont.setStrikeOut(lf.lfStrikeOut != 0);
  // Each character is drawn as itself: no ligatures ("TM" is not the trade
  // mark) and no other substitution of the font's shaping rules.
  FFont.setStyleStrategy(lf.lfQuality == NONANTIALIASED_QUALITY
                             ? QFont::StyleStrategy(QFont::NoAntialias | QFont::PreferNoShaping)
                             : QFont::PreferNoShaping);
  FFont.setKerning(false);
  // A negative height is the character (em) height; a positive one the cell
  // height (ascent plus descent).
  int h = lf.lfHeight;
  if (h < 0) {
    FFont.setPixelSize(-h);
  } else if (h > 0) {
    FFont.setPixelSize(h);
    QFontMetrics fm(FFont);
    int cell = fm.ascent() + fm.descent();
    if (cell > 0 && cell != h) FFont.setPixelSize(std::max(1, int(std::lround(double(h) * h / cell))));
  } else {
    FFont.setPixelSize(16);
  }
  QFontMetrics fm(FFont);
  QFontInfo info(FFont);
  FMetrics = TEXTMETRIC();
  FMetrics.tmAscent = fm.ascent();
  FMetrics.tmDescent = fm.descent();
  FMetrics.tmHeight = fm.ascent() + fm.descent();
  FMetrics.tmInternalLeading = std::max(0, FMetrics.tmHeight - FFont.pixelSize());
  FMetrics.tmExternalLeading = std::max(0, fm.leading());
  FMetrics.tmAveCharWidth = fm.horizontalAdvance(QLatin1Char('x'));
  FMetrics.tmMaxCharWidth = fm.maxWidth();
  FMetrics.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
  FMetrics.tmOverhang = 0;
  FMetrics.tmItalic = lf.lfItalic;
  FMetrics.tmUnderlined = lf.lfUnderline;
  FMetrics.tmStruckOut = lf.lfStrikeOut;
  FMetrics.tmPitchAndFamily =
      uint8_t((info.fixedPitch() ? 0 : TMPF_FIXED_PITCH) | TMPF_TRUETYPE | TMPF_VECTOR | (lf.lfPitchAndFamily & 0xF0));
  // The default character set is the system's: Windows-1251 here.
  FMetrics.tmCharSet = lf.lfCharSet == DEFAULT_CHARSET ? RUSSIAN_CHARSET : lf.lfCharSet;
  // The symbol set's 0xB7 is a solid bullet: U+2022 where the font has
  // it; a symbol-encoded face (the desktop's Symbol) shows its bullet at
  // 0xB7 itself, where other faces have a middle dot.
  if (lf.lfCharSet == SYMBOL_CHARSET && fm.inFontUcs4(0x2022)) FSymbolBullet = 0x2022;
}

char32_t QtGdiFont::Decode(unsigned char c) const {
  if (c == 0xB7 && Charset() == SYMBOL_CHARSET) return FSymbolBullet;
  return DecodeCharsetChar(c, Charset());
}

QtGdiFont::~QtGdiFont() = default;

int QtGdiFont::CharWidth(unsigned char c) {
  if (FWidths[c] < 0) {
    QFontMetrics fm(FFont);
    FWidths[c] = fm.horizontalAdvance(QChar(char16_t(Decode(c))));
  }
  return FWidths[c];
}

const QtGdiFont::TGlyph& QtGdiFont::Glyph(unsigned char c) {
  if (FGlyphKnown[c]) return FGlyphs[c];
  FGlyphKnown[c] = true;
  const char32_t u = Decode(c);
  if (u == 0) return FGlyphs[c];
  // Laid out once as Qt draws it, fallback face included.
  QTextLayout layout(QString(QChar(char16_t(u))), FFont);
  layout.beginLayout();
  layout.createLine();
  layout.endLayout();
  const QList<QGlyphRun> runs = layout.glyphRuns();
  if (runs.size() != 1 || runs[0].glyphIndexes().size() != 1) return FGlyphs[c];
  const QRawFont raw = runs[0].rawFont();
  auto it = std::find(FFaces.begin(), FFaces.end(), raw);
  if (it == FFaces.end()) it = FFaces.insert(FFaces.end(), raw);
  FGlyphs[c] = TGlyph{int(it - FFaces.begin()), runs[0].glyphIndexes()[0]};
  return FGlyphs[c];
}

bool QtGdiFont::CharABC(UINT ch, ABC& abc) {
  QFontMetrics fm(FFont);
  QChar c = ch < 256 ? QChar(char16_t(Decode(static_cast<unsigned char>(ch)))) : QChar(char16_t(ch));
  if (!fm.inFontUcs4(c.unicode()) && ch >= 256) return false;
  int adv = ch < 256 ? CharWidth(static_cast<unsigned char>(ch)) : fm.horizontalAdvance(c);
  abc.abcA = fm.leftBearing(c);
  abc.abcC = fm.rightBearing(c);
  int b = adv - abc.abcA - abc.abcC;
  if (b < 0) {
    abc.abcC += b;
    b = 0;
  }
  abc.abcB = UINT(b);
  return true;
}

// ---------------------------------------------------------------------------
// the DC

struct QtDC::TGlyphPainter {
  TGdiBitmap* Surface = nullptr;
  const uint32_t* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  QImage Image;
  QPainter Painter;
  // What the painter was last set to.
  bool ClipSet = false;
  std::vector<TRect> Clip;
  bool HasExtraClip = false;
  TRect ExtraClip;
  bool Nothing = false;  // an empty clip
  COLORREF Ink = 0;
  bool InkSet = false;
  QPainter::CompositionMode Mode = QPainter::CompositionMode_SourceOver;
};

QtDC::QtDC(TKind kind, TGdiBitmap* surface) : TRasterDC(kind, surface) {}
QtDC::~QtDC() = default;

void QtDC::DrawGlyphs(int x, int y, const char* text, int count, const int* dx, const TRect* clip) {
  TGdiBitmap* s = Surface();
  auto* font = dynamic_cast<QtGdiFont*>(Font());
  if (!s || !font || count <= 0) return;
  TGlyphPainter* gp = FGlyphPainter.get();
  if (!gp || gp->Surface != s || gp->Bits != s->Bits() || gp->Width != s->Width() || gp->Height != s->Height()) {
    FGlyphPainter.reset();
    // The image shares the surface's pixels: the painter draws into them
    // at once (a second reference would make it draw into a copy).
    QImage img = BitmapImage(s);
    if (img.isNull()) return;
    FGlyphPainter = std::make_unique<TGlyphPainter>();
    gp = FGlyphPainter.get();
    gp->Surface = s;
    gp->Bits = s->Bits();
    gp->Width = s->Width();
    gp->Height = s->Height();
    gp->Image = std::move(img);
    gp->Painter.begin(&gp->Image);
  }
  QPainter& p = gp->Painter;
  const std::vector<TRect>& visible = EffectiveClip();
  if (!gp->ClipSet || visible != gp->Clip || gp->HasExtraClip != (clip != nullptr) ||
      (clip && *clip != gp->ExtraClip)) {
    QRegion region;
    for (const TRect& r : visible) region += QRect(r.Left, r.Top, r.Width(), r.Height());
    if (clip) region &= QRect(clip->Left, clip->Top, clip->Width(), clip->Height());
    gp->ClipSet = true;
    gp->Clip = visible;
    gp->HasExtraClip = clip != nullptr;
    gp->ExtraClip = clip ? *clip : TRect();
    gp->Nothing = region.isEmpty();
    // The region is in device pixels: it is taken through the transform.
    p.resetTransform();
    if (!gp->Nothing) p.setClipRegion(region);
  }
  if (gp->Nothing) return;
  COLORREF tc = TextColor();
  if (s->Monochrome()) tc = (GetRValue(tc) + GetGValue(tc) + GetBValue(tc)) >= 384 ? 0xFFFFFF : 0;
  if (!gp->InkSet || tc != gp->Ink) {
    p.setPen(ColorToQColor(tc));
    gp->Ink = tc;
    gp->InkSet = true;
  }
  const QPainter::CompositionMode mode = Rop2() == R2_XORPEN || Rop2() == R2_NOT
                                             ? QPainter::RasterOp_SourceXorDestination
                                             : QPainter::CompositionMode_SourceOver;
  if (mode != gp->Mode) {
    p.setCompositionMode(mode);
    gp->Mode = mode;
  }
  int ascent = font->Metrics().tmAscent;
  bool lines = font->LogFont().lfUnderline || font->LogFont().lfStrikeOut;
  // Escapement turns the line about its start, counter-clockwise in tenths
  // of a degree.
  int escapement = font->LogFont().lfEscapement % 3600;
  int cx = 0;
  QTransform at = QTransform::fromTranslate(x, y);
  if (escapement) at.rotate(-escapement / 10.0);
  p.setTransform(at);
  // Each character at its own position, as the spacing array says: the
  // characters of one face as one run of glyphs, laid out once per font
  // (a line of text is drawn without shaping it again); underlined or
  // struck-out text and a character that is not one glyph by itself
  // through the font.
  QVarLengthArray<quint32, 256> glyphs;
  QVarLengthArray<QPointF, 256> points;
  int face = -1;
  bool fontSet = false;
  auto drawRun = [&] {
    if (glyphs.isEmpty()) return;
    QGlyphRun run;
    run.setRawFont(font->Face(face));
    run.setRawData(glyphs.constData(), points.constData(), int(glyphs.size()));
    p.drawGlyphRun(QPointF(0, 0), run);
    glyphs.clear();
    points.clear();
  };
  for (int i = 0; i < count; ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const char32_t u = font->Decode(c);
    if (u != 0 && (u != ' ' || lines)) {
      const QtGdiFont::TGlyph& g = lines ? QtGdiFont::TGlyph() : font->Glyph(c);
      if (g.Face < 0) {
        drawRun();
        if (!fontSet) p.setFont(font->Font());
        fontSet = true;
        p.drawText(QPoint(cx, ascent), QString(QChar(char16_t(u))));
      } else {
        if (g.Face != face) drawRun();
        face = g.Face;
        glyphs.append(g.Index);
        points.append(QPointF(cx, ascent));
      }
    }
    cx += dx[i];
  }
  drawRun();
  if (s->Monochrome()) {
    // Keep a monochrome surface black and white.
    FGlyphPainter.reset();
    for (int yy = 0; yy < s->Height(); ++yy)
      for (uint32_t *px = s->ScanLine(yy), *e = px + s->Width(); px < e; ++px) {
        uint32_t v = *px;
        int lum = int((v >> 16) & 0xFF) + int((v >> 8) & 0xFF) + int(v & 0xFF);
        *px = lum >= 384 ? 0xFFFFFFFFu : 0xFF000000u;
      }
  }
  s->Touch();
}
