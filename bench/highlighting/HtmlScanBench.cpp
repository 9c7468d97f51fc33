// Scanning a large HTML document line by line through the token protocol,
// as the editor's rescans and painting do: every token pulled, the end state
// stored per line; and the same through the base class, as the control
// calls it. MB/s count the scanned bytes (the lines, no line breaks).
//
// `highlighting_bench --write-document=FILE` writes the document (CR LF
// lines) and exits. `highlighting_bench --colour-to-html=IN,OUT` reads IN,
// colours it with the HTML scanner and writes it as an HTML page whose
// tokens are spans in their attributes' colours (the markup escaped), as
// GNU source-highlight writes its output: bench/compare-source-highlight.sh
// times both programs doing that on the same file and prints the ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "SrcHighlighterHtml.h"
#include "platform/CodePage.h"

namespace {

constexpr std::size_t kDocumentBytes = 50u * 1000u * 1000u;

// A page fragment with the usual mix: tags with attributes, quoted values
// spanning lines, comments, entities, numeric references, Russian text,
// tabs and indentation.
std::vector<std::string> Fragment(int n) {
  const std::string num = std::to_string(n);
  return {
      "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
      "<html>",
      "<head>",
      "  <meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">",
      "  <title>" + Ansi("Страница номер ") + num + " &mdash; " + Ansi("пример") + "</title>",
      "  <link rel=stylesheet href=\"style" + num + ".css\" type=\"text/css\">",
      "</head>",
      "<body bgcolor=\"#FFFFFF\" text=#000000 link='#0000FF' vlink=\"#800080\">",
      "<!-- " + Ansi("Заголовок страницы и меню") + " -->",
      "<table width=\"100%\" border=0 cellpadding=\"2\" cellspacing=\"0\">",
      "\t<tr>",
      "\t\t<td class=\"menu\"><a href=\"index.html\">" + Ansi("Главная") + "</a> &nbsp;|&nbsp; <a href=\"news" + num +
          ".html\">" + Ansi("Новости") + "</a></td>",
      "\t\t<td align=right><img src=\"img/logo.gif\" width=120 height=60 alt=\"" + Ansi("Логотип") + "\"></td>",
      "\t</tr>",
      "</table>",
      "<h1>" + Ansi("Чем заняться в выходные") + "</h1>",
      "<p>" + Ansi("Съешь же ещё этих мягких французских булок, да выпей чаю.") + " &laquo;" + Ansi("Цитата") +
          "&raquo; &copy; 2001&ndash;2004, &#169; &#xA9; AT&T R&D.</p>",
      "<p class=\"note\" title=\"" + Ansi("Длинное описание, которое"),
      "   " + Ansi("переходит на следующую строку") + "\">Text with <b>bold</b>, <i>italic</i> and <u>under</u>.</p>",
      "<!-- a comment that",
      "     spans three lines, with <tags> inside and -- dashes",
      "-->",
      "<form name=\"f" + num + "\" action=\"/cgi-bin/search.pl\" method=post>",
      "  <input type=\"text\" name=\"q\" value='" + Ansi("поиск") + "' size=40 maxlength=\"255\">",
      "  <select name=\"where\"><option value=1 selected>" + Ansi("везде") + "<option value=2>" + Ansi("в заголовках") +
          "</select>",
      "  <input type=submit value=\"OK\"> <input type=\"reset\">",
      "</form>",
      "<ul>",
      "  <li><a href=\"http://example.com/page?id=" + num + "&amp;lang=ru\">" + Ansi("Ссылка") + " " + num +
          "</a></li>",
      "  <li>x &lt; y &amp;&amp; y &gt; z; 5 &times; 3 &divide; 2 &ne; &infin;</li>",
      "</ul>",
      "<script language=\"JavaScript\">",
      "  if (a < b && c > d) { document.write(\"<p>\" + a + \"</p>\"); }",
      "</script>",
      "",
      "<p align=\"center\"><font face=\"Verdana, Arial\" size=\"-1\" color=\"#808080\">" + Ansi("Подвал страницы") +
          "</font></p>",
      "</body>",
      "</html>",
  };
}

const std::vector<std::string>& Document() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> out;
    std::size_t bytes = 0;
    for (int n = 0; bytes < kDocumentBytes; ++n) {
      for (std::string& line : Fragment(n)) {
        bytes += line.size() + 2;  // CR LF in the file
        out.push_back(std::move(line));
      }
    }
    return out;
  }();
  return lines;
}

// The bytes a scan reads: the lines without their breaks.
std::size_t DocumentBytes() {
  std::size_t bytes = 0;
  for (const std::string& line : Document()) bytes += line.size();
  return bytes;
}

using TClock = std::chrono::steady_clock;

// MB/s (10^6 scanned bytes) over the measured passes.
void SetCounters(benchmark::State& state, TClock::duration elapsed) {
  const double mb = static_cast<double>(DocumentBytes()) / 1e6 * static_cast<double>(state.iterations());
  const double seconds = std::chrono::duration<double>(elapsed).count();
  const double mbps = seconds > 0 ? mb / seconds : 0;
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(DocumentBytes()));
  state.counters["MBps"] = mbps;
  state.counters["lines"] = static_cast<double>(Document().size());
}

// Line i started as the control starts it: in the state stored for the
// line above (reset for the first line).
template <class THighlighter>
void StartStored(THighlighter& h, const std::vector<std::string>& lines, const std::vector<std::int32_t>& endStates,
                 std::size_t i) {
  if (i == 0)
    h.ResetScanState();
  else
    h.SetScanState(endStates[i - 1]);
  h.StartLineView(lines[i].c_str(), static_cast<int>(lines[i].size()), static_cast<int>(i));
}

// Every token's start, length, kind and attribute, without copying its text.
void BM_HtmlScanTokens(benchmark::State& state) {
  const std::vector<std::string>& lines = Document();
  TSrcHTMLHighlighter h(nullptr);
  std::vector<std::int32_t> endStates(lines.size());
  std::uint64_t tokens = 0;
  TClock::duration elapsed{};
  for (auto _ : state) {
    const TClock::time_point started = TClock::now();
    std::uint64_t check = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      StartStored(h, lines, endStates, i);
      while (!h.AtLineEnd()) {
        check += static_cast<std::uint64_t>(h.TokenStart()) + static_cast<std::uint64_t>(h.TokenLength()) +
                 static_cast<std::uint64_t>(h.TokenKind()) + reinterpret_cast<std::uintptr_t>(h.TokenAttribute());
        ++tokens;
        h.NextToken();
      }
      endStates[i] = static_cast<std::int32_t>(h.GetScanState());
    }
    benchmark::DoNotOptimize(check);
    benchmark::ClobberMemory();
    elapsed += TClock::now() - started;
  }
  SetCounters(state, elapsed);
  state.counters["tokens/line"] =
      static_cast<double>(tokens) / static_cast<double>(state.iterations()) / static_cast<double>(lines.size());
}
BENCHMARK(BM_HtmlScanTokens)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same with TokenText, a copy of every token's text, as the painter reads it.
void BM_HtmlScanTokenTexts(benchmark::State& state) {
  const std::vector<std::string>& lines = Document();
  TSrcHTMLHighlighter h(nullptr);
  std::vector<std::int32_t> endStates(lines.size());
  TClock::duration elapsed{};
  for (auto _ : state) {
    const TClock::time_point started = TClock::now();
    std::uint64_t check = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      StartStored(h, lines, endStates, i);
      while (!h.AtLineEnd()) {
        const std::string text = h.TokenText();
        check += static_cast<std::uint64_t>(h.TokenStart()) + text.size() + static_cast<std::uint64_t>(h.TokenKind()) +
                 reinterpret_cast<std::uintptr_t>(h.TokenAttribute());
        h.NextToken();
      }
      endStates[i] = static_cast<std::int32_t>(h.GetScanState());
    }
    benchmark::DoNotOptimize(check);
    benchmark::ClobberMemory();
    elapsed += TClock::now() - started;
  }
  SetCounters(state, elapsed);
}
BENCHMARK(BM_HtmlScanTokenTexts)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// Only the end state of every line (the rescan's ScanToLineEnd).
void BM_HtmlScanToLineEnd(benchmark::State& state) {
  const std::vector<std::string>& lines = Document();
  TSrcHTMLHighlighter h(nullptr);
  std::vector<std::int32_t> endStates(lines.size());
  TClock::duration elapsed{};
  for (auto _ : state) {
    const TClock::time_point started = TClock::now();
    h.ResetScanState();
    for (std::size_t i = 0; i < lines.size(); ++i) {
      h.StartLine(lines[i], static_cast<int>(i));
      h.ScanToLineEnd();
      endStates[i] = static_cast<std::int32_t>(h.GetScanState());
    }
    benchmark::DoNotOptimize(endStates.data());
    benchmark::ClobberMemory();
    elapsed += TClock::now() - started;
  }
  SetCounters(state, elapsed);
}
BENCHMARK(BM_HtmlScanToLineEnd)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The control's own path: the highlighter behind the base class, each line
// started from the state stored for the line above (the rescan reads only
// the end states; range(0) 1 also reads every token, as the painter does).
void BM_HtmlScanThroughBaseClass(benchmark::State& state) {
  const std::vector<std::string>& lines = Document();
  TSrcHTMLHighlighter html(nullptr);
  TSrcCustomHighlighter* h = &html;
  benchmark::DoNotOptimize(h);
  const bool tokens = state.range(0) != 0;
  std::vector<std::int32_t> endStates(lines.size());
  TClock::duration elapsed{};
  for (auto _ : state) {
    const TClock::time_point started = TClock::now();
    std::uint64_t check = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      StartStored(*h, lines, endStates, i);
      if (tokens) {
        while (!h->AtLineEnd()) {
          check += static_cast<std::uint64_t>(h->TokenStart()) + static_cast<std::uint64_t>(h->TokenLength()) +
                   reinterpret_cast<std::uintptr_t>(h->TokenAttribute());
          h->NextToken();
        }
      } else {
        h->ScanToLineEnd();
      }
      endStates[i] = static_cast<std::int32_t>(h->GetScanState());
    }
    benchmark::DoNotOptimize(check);
    benchmark::ClobberMemory();
    elapsed += TClock::now() - started;
  }
  SetCounters(state, elapsed);
}
BENCHMARK(BM_HtmlScanThroughBaseClass)->ArgName("tokens")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

// The page a file becomes: every token in a span of its attribute's
// colour (black without one), the markup escaped.
int ColourToHtml(const std::string& in, const std::string& out) {
  std::FILE* f = std::fopen(in.c_str(), "rb");
  if (f == nullptr) {
    std::perror(in.c_str());
    return 1;
  }
  std::string text;
  char buf[1 << 16];
  for (std::size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) text.append(buf, n);
  std::fclose(f);
  TSrcHTMLHighlighter html(nullptr);
  std::string page = "<html><body><pre><tt>";
  page.reserve(text.size() * 3);
  auto escaped = [&page](const char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) switch (p[i]) {
        case '<': page += "&lt;"; break;
        case '>': page += "&gt;"; break;
        case '&': page += "&amp;"; break;
        default: page += p[i];
      }
  };
  html.ResetScanState();
  std::size_t start = 0;
  int index = 0;
  std::string lineText;
  while (start <= text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    // The scanner reads a line up to its terminating NUL, as the control
    // hands it over.
    lineText.assign(text, start, end - start);
    const char* line = lineText.c_str();
    html.StartLineView(line, static_cast<int>(lineText.size()), index++);
    // Neighbouring tokens of one colour share a span.
    TColor open = clNone;
    while (!html.AtLineEnd()) {
      const char* token = line + html.TokenStart();
      const std::size_t length = static_cast<std::size_t>(html.TokenLength());
      const TSrcHighlighterAttributes* a = html.TokenAttribute();
      const TColor c = a == nullptr || a->Foreground() == clNone ? clBlack : a->Foreground();
      if (c != open) {
        if (open != clNone) page += "</font>";
        char colour[40];
        std::snprintf(colour, sizeof colour, "<font color=\"#%02x%02x%02x\">", static_cast<unsigned>(c & 0xFF),
                      static_cast<unsigned>((c >> 8) & 0xFF), static_cast<unsigned>((c >> 16) & 0xFF));
        page += colour;
        open = c;
      }
      escaped(token, length);
      html.NextToken();
    }
    if (open != clNone) page += "</font>";
    page += '\n';
    if (end == text.size()) break;
    start = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
  }
  page += "</tt></pre></body></html>\n";
  std::FILE* o = std::fopen(out.c_str(), "wb");
  if (o == nullptr || std::fwrite(page.data(), 1, page.size(), o) != page.size()) {
    std::perror(out.c_str());
    if (o) std::fclose(o);
    return 1;
  }
  std::fclose(o);
  return 0;
}

int main(int argc, char** argv) {
  const std::string colour = "--colour-to-html=";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.compare(0, colour.size(), colour) != 0) continue;
    const std::string files = arg.substr(colour.size());
    const std::size_t comma = files.find(',');
    if (comma == std::string::npos) return 2;
    return ColourToHtml(files.substr(0, comma), files.substr(comma + 1));
  }
  const std::string option = "--write-document=";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.compare(0, option.size(), option) != 0) continue;
    std::FILE* f = std::fopen(arg.c_str() + option.size(), "wb");
    if (f == nullptr) {
      std::perror(arg.c_str() + option.size());
      return 1;
    }
    for (const std::string& line : Document()) {
      std::fwrite(line.data(), 1, line.size(), f);
      std::fwrite("\r\n", 1, 2, f);
    }
    std::fclose(f);
    std::printf("%zu scanned bytes\n", DocumentBytes());
    return 0;
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
