// Load and save of a large HTML document (about a million CR LF lines,
// 50 MB of Windows-1251; loaded also with LF, with CR and with mixed
// breaks, each load to be within 2x of the LF one; saved by renaming and,
// with a hard link, in place) and of one 10 MB line, against reading and writing
// the same bytes raw (a fresh string per read, and a plain read into a
// reused buffer); and the peak memory of loading the list, with the bytes a
// line costs (100 MB of empty lines shows the cost of a line alone, 20 MB of
// lines of up to ten bytes and 20 MB of short HTML lines that of short
// lines).
//
// Files go to $BQS_BENCH_DIR (default /tmp). Run: textbuffer_bench
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "SrcEditTextBuffer.h"
#include "platform/CodePage.h"

namespace {

std::string gDir;
std::string gHtmlLfFile, gHtmlCrFile, gHtmlMixedFile;
std::int64_t gHtmlLfSize = 0, gHtmlCrSize = 0, gHtmlMixedSize = 0;
std::string gHtmlFile, gLongLineFile, gEmptyLinesFile, gShortLinesFile, gShortHtmlFile, gOutFile;
std::int64_t gHtmlSize = 0, gLongSize = 0, gEmptyLinesSize = 0, gShortLinesSize = 0, gShortHtmlSize = 0;

std::string MakeHtml(std::size_t target) {
  std::mt19937 rng(2024);
  const std::string words[] = {Ansi("текст"), Ansi("страница"), "href",   Ansi("ссылка"), "class",     "<b>",
                               "</b>",        Ansi("Привет"),   "&nbsp;", "div",          Ansi("мир"), "2024"};
  std::string out;
  out.reserve(target + 256);
  out += "<html>\r\n<head><title>" + Ansi("Проверка") + "</title></head>\r\n<body>\r\n";
  while (out.size() < target) {
    int indent = static_cast<int>(rng() % 4);
    out.append(static_cast<std::size_t>(indent), '\t');
    out += "<p class=\"c" + std::to_string(rng() % 100) + "\">";
    int n = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < n; ++i) {
      out += words[rng() % std::size(words)];
      out += ' ';
    }
    out += "</p>\r\n";
  }
  out += "</body>\r\n</html>\r\n";
  return out;
}

void WriteAll(const std::string& name, const std::string& bytes) {
  std::ofstream f(name, std::ios::binary | std::ios::trunc);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The CR LF text with its breaks taken in turn from `breaks`.
std::string WithBreaks(const std::string& crlf, std::initializer_list<const char*> breaks) {
  std::string out;
  out.reserve(crlf.size());
  std::size_t k = 0, i = 0;
  for (std::size_t j; (j = crlf.find("\r\n", i)) != std::string::npos; i = j + 2) {
    out.append(crlf, i, j - i);
    out += breaks.begin()[k++ % breaks.size()];
  }
  out.append(crlf, i, std::string::npos);
  return out;
}

std::string ReadRaw(const std::string& name) {
  int fd = ::open(name.c_str(), O_RDONLY);
  std::string s;
  off_t size = ::lseek(fd, 0, SEEK_END);
  ::lseek(fd, 0, SEEK_SET);
  s.resize(static_cast<std::size_t>(size));
  std::size_t done = 0;
  while (done < s.size()) {
    ssize_t n = ::read(fd, &s[done], s.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  return s;
}

void WriteRaw(const std::string& name, const std::string& bytes, bool sync) {
  int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (sync) ::fsync(fd);
  ::close(fd);
}

// --- raw baselines ---------------------------------------------------------

void BM_RawRead(benchmark::State& state, const std::string* file, const std::int64_t* size) {
  for (auto _ : state) {
    std::string s = ReadRaw(*file);
    benchmark::DoNotOptimize(s.data());
  }
  state.SetBytesProcessed(state.iterations() * *size);
}

// A plain read: the same bytes into one buffer kept from iteration to
// iteration (no fresh allocation, no zero fill), the fastest a load can be.
void BM_PlainRead(benchmark::State& state, const std::string* file, const std::int64_t* size) {
  std::unique_ptr<char[]> buffer(new char[static_cast<std::size_t>(*size)]);
  for (auto _ : state) {
    int fd = ::open(file->c_str(), O_RDONLY);
    std::size_t done = 0;
    while (done < static_cast<std::size_t>(*size)) {
      ssize_t n = ::read(fd, buffer.get() + done, static_cast<std::size_t>(*size) - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    ::close(fd);
    benchmark::DoNotOptimize(buffer.get());
  }
  state.SetBytesProcessed(state.iterations() * *size);
}

void BM_RawWrite(benchmark::State& state, const std::string* file, bool sync) {
  std::string bytes = ReadRaw(*file);
  for (auto _ : state) WriteRaw(gOutFile, bytes, sync);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}

// --- the line list -----------------------------------------------------------

void BM_Load(benchmark::State& state, const std::string* file, const std::int64_t* size) {
  for (auto _ : state) {
    auto list = std::make_unique<TSrcEditStringList>();
    list->LoadFromFile(*file);
    benchmark::DoNotOptimize(list->Count());
    state.PauseTiming();
    list.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * *size);
}

void BM_Save(benchmark::State& state, const std::string* file, const std::int64_t* size) {
  TSrcEditStringList list;
  list.LoadFromFile(*file);
  for (auto _ : state) list.SaveToFile(gOutFile);
  state.SetBytesProcessed(state.iterations() * *size);
}

// A file with a second hard link is rewritten in place, behind a synced
// backup of its old bytes and a journal.
void BM_SaveInPlace(benchmark::State& state, const std::string* file, const std::int64_t* size) {
  TSrcEditStringList list;
  list.LoadFromFile(*file);
  list.SaveToFile(gOutFile);
  const std::string twin = gOutFile + ".twin";
  std::remove(twin.c_str());
  if (::link(gOutFile.c_str(), twin.c_str()) != 0) state.SkipWithError("no hard link");
  for (auto _ : state) list.SaveToFile(gOutFile);
  std::remove(twin.c_str());
  state.SetBytesProcessed(state.iterations() * *size);
}

void BM_SaveToStream(benchmark::State& state, const std::string* file, const std::int64_t* size) {
  TSrcEditStringList list;
  list.LoadFromFile(*file);
  for (auto _ : state) {
    TMemoryStream m;
    list.SaveToStream(&m);
    benchmark::DoNotOptimize(m.Memory());
  }
  state.SetBytesProcessed(state.iterations() * *size);
}

// --- memory --------------------------------------------------------------------

long StatusKb(const char* key) {
  std::ifstream f("/proc/self/status");
  std::string line;
  std::size_t n = std::strlen(key);
  while (std::getline(f, line))
    if (line.compare(0, n, key) == 0) return std::atol(line.c_str() + n + 1);
  return -1;
}

// Loads the file in a child process and reports the growth of its peak
// resident size and of the heap in use once loaded.
void ReportMemory(const char* what, const std::string& file, std::int64_t size) {
  int pipefd[2];
  if (::pipe(pipefd) != 0) return;
  pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipefd[0]);
    malloc_trim(0);
    long rss0 = StatusKb("VmRSS:");
    struct mallinfo2 m0 = mallinfo2();
    long lines = 0, resident = 0;
    std::size_t heap = 0, text = 0;
    {
      TSrcEditStringList list;
      list.LoadFromFile(file);
      lines = list.Count();
      for (int i = 0; i < list.Count(); ++i) text += static_cast<std::size_t>(list.LineLength(i));
      struct mallinfo2 m1 = mallinfo2();
      heap = (m1.uordblks + m1.hblkhd) - (m0.uordblks + m0.hblkhd);
      resident = StatusKb("VmRSS:");
    }
    long hwm = StatusKb("VmHWM:");
    char buf[256];
    int len = std::snprintf(buf, sizeof buf, "%ld %ld %zu %zu %ld %ld", lines, (hwm - rss0) * 1024, heap, text,
                            resident * 1024, hwm * 1024);
    if (::write(pipefd[1], buf, static_cast<std::size_t>(len)) < 0) _exit(1);
    _exit(0);
  }
  ::close(pipefd[1]);
  char buf[256] = {};
  ssize_t n = ::read(pipefd[0], buf, sizeof buf - 1);
  ::close(pipefd[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (n <= 0) return;
  long lines = 0, peak = 0, resident = 0, hwm = 0;
  std::size_t heap = 0, text = 0;
  std::sscanf(buf, "%ld %ld %zu %zu %ld %ld", &lines, &peak, &heap, &text, &resident, &hwm);
  const double perLine = lines > 0 ? static_cast<double>(heap) / static_cast<double>(lines) : 0.0;
  const double beyond =
      lines > 0 ? (static_cast<double>(heap) - static_cast<double>(text)) / static_cast<double>(lines) : 0.0;
  std::printf(
      "%-22s file %7.1f MB, %8ld lines: peak while loading %7.1f MB (%.2fx the file), heap once loaded %7.1f MB "
      "(%.2fx, %.1f bytes a line, %.1f beyond its text)\n",
      what, size / 1048576.0, lines, peak / 1048576.0, static_cast<double>(peak) / static_cast<double>(size),
      heap / 1048576.0, static_cast<double>(heap) / static_cast<double>(size), perLine, beyond);
  std::printf("%-22s whole program: resident once loaded %7.1f MB (%.2fx the file), peak %7.1f MB (%.2fx)\n", "",
              resident / 1048576.0, static_cast<double>(resident) / static_cast<double>(size), hwm / 1048576.0,
              static_cast<double>(hwm) / static_cast<double>(size));
}

// Keeps the measured times of every repetition (not the aggregate rows:
// mean, median, deviation) for the summary, which takes their median.
class TSummaryReporter : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, std::vector<double>> runs;
  void ReportRuns(const std::vector<Run>& report) override {
    for (const Run& r : report) {
      if (r.run_type != Run::RT_Iteration || r.error_occurred) continue;
      std::string name = r.run_name.function_name;
      runs[name].push_back(r.GetAdjustedRealTime());
    }
    ConsoleReporter::ReportRuns(report);
  }
  double Median(const std::string& name) const {
    auto it = runs.find(name);
    if (it == runs.end() || it->second.empty()) return 0;
    std::vector<double> v = it->second;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
  }
};

// True when the command line only lists the benchmarks (no input is made).
bool OnlyListing(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--benchmark_list_tests" || a == "--benchmark_list_tests=true" || a == "--benchmark_list_tests=1")
      return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const char* dir = std::getenv("BQS_BENCH_DIR");
  gDir = dir && *dir ? dir : "/tmp";
  gHtmlFile = gDir + "/bqs-bench-big.html";
  gHtmlLfFile = gDir + "/bqs-bench-big-lf.html";
  gHtmlCrFile = gDir + "/bqs-bench-big-cr.html";
  gHtmlMixedFile = gDir + "/bqs-bench-big-mixed.html";
  gLongLineFile = gDir + "/bqs-bench-longline.txt";
  gEmptyLinesFile = gDir + "/bqs-bench-empty-lines.txt";
  gShortLinesFile = gDir + "/bqs-bench-short-lines.txt";
  gShortHtmlFile = gDir + "/bqs-bench-short-html.html";
  gOutFile = gDir + "/bqs-bench-out.html";
  const bool listing = OnlyListing(argc, argv);
  if (!listing) {
    std::string html = MakeHtml(50u * 1024 * 1024);
    gHtmlSize = static_cast<std::int64_t>(html.size());
    WriteAll(gHtmlFile, html);
    const struct {
      std::string* file;
      std::int64_t* size;
      std::initializer_list<const char*> breaks;
    } styles[] = {{&gHtmlLfFile, &gHtmlLfSize, {"\n"}},
                  {&gHtmlCrFile, &gHtmlCrSize, {"\r"}},
                  {&gHtmlMixedFile, &gHtmlMixedSize, {"\r\n", "\n", "\r", "\r", "\n"}}};
    for (const auto& style : styles) {
      const std::string bytes = WithBreaks(html, style.breaks);
      *style.size = static_cast<std::int64_t>(bytes.size());
      WriteAll(*style.file, bytes);
    }
    std::string longLine(10u * 1024 * 1024, 'x');
    for (std::size_t i = 0; i < longLine.size(); i += 97) longLine[i] = '\t';
    gLongSize = static_cast<std::int64_t>(longLine.size());
    WriteAll(gLongLineFile, longLine);
    // The cost of a line itself: 100 MB of LF breaks, 100 million empty lines.
    std::string empty(100u * 1024 * 1024, '\n');
    gEmptyLinesSize = static_cast<std::int64_t>(empty.size());
    WriteAll(gEmptyLinesFile, empty);
    // Short lines: 0 to 10 bytes, LF breaks.
    std::string shortLines;
    const std::size_t shortSize = 20u * 1024 * 1024;
    shortLines.reserve(shortSize + 16);
    std::mt19937 rng(13);
    while (shortLines.size() < shortSize) {
      shortLines.append(rng() % 11, "<p>ab &</"[rng() % 9]);
      shortLines += '\n';
    }
    gShortLinesSize = static_cast<std::int64_t>(shortLines.size());
    WriteAll(gShortLinesFile, shortLines);
    // Short HTML lines as markup written one tag a line has them, CR LF.
    const char* const tags[] = {"<li>",   "</li>", "<p>",       "</p>",  "<br>",  "<tr>", "</tr>", "<td>1</td>",
                                "</div>", "<hr>",  "<b>ab</b>", "</ul>", "<div>", "",     "-->"};
    std::string shortHtml;
    shortHtml.reserve(shortSize + 32);
    while (shortHtml.size() < shortSize) {
      shortHtml.append(rng() % 3, '\t');
      shortHtml += tags[rng() % std::size(tags)];
      shortHtml += "\r\n";
    }
    gShortHtmlSize = static_cast<std::int64_t>(shortHtml.size());
    WriteAll(gShortHtmlFile, shortHtml);
  }
  malloc_trim(0);

  benchmark::RegisterBenchmark("PlainRead/html50MB", BM_PlainRead, &gHtmlFile, &gHtmlSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("RawRead/html50MB", BM_RawRead, &gHtmlFile, &gHtmlSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Load/html50MB", BM_Load, &gHtmlFile, &gHtmlSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Load/html50MB-lf", BM_Load, &gHtmlLfFile, &gHtmlLfSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Load/html50MB-cr", BM_Load, &gHtmlCrFile, &gHtmlCrSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Load/html50MB-mixed", BM_Load, &gHtmlMixedFile, &gHtmlMixedSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("RawWrite/html50MB", BM_RawWrite, &gHtmlFile, false)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("RawWriteSync/html50MB", BM_RawWrite, &gHtmlFile, true)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Save/html50MB", BM_Save, &gHtmlFile, &gHtmlSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("SaveInPlace/html50MB", BM_SaveInPlace, &gHtmlFile, &gHtmlSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("SaveToStream/html50MB", BM_SaveToStream, &gHtmlFile, &gHtmlSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("PlainRead/line10MB", BM_PlainRead, &gLongLineFile, &gLongSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("RawRead/line10MB", BM_RawRead, &gLongLineFile, &gLongSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Load/line10MB", BM_Load, &gLongLineFile, &gLongSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("RawWrite/line10MB", BM_RawWrite, &gLongLineFile, false)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("RawWriteSync/line10MB", BM_RawWrite, &gLongLineFile, true)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();
  benchmark::RegisterBenchmark("Save/line10MB", BM_Save, &gLongLineFile, &gLongSize)
      ->Unit(benchmark::kMillisecond)
      ->UseRealTime();

  benchmark::Initialize(&argc, argv);
  TSummaryReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (listing) {
    benchmark::Shutdown();
    return 0;
  }

  std::printf("\nMemory of a loaded list:\n");
  ReportMemory("html50MB", gHtmlFile, gHtmlSize);
  ReportMemory("line10MB", gLongLineFile, gLongSize);
  ReportMemory("emptyLines100MB", gEmptyLinesFile, gEmptyLinesSize);
  ReportMemory("shortLines20MB", gShortLinesFile, gShortLinesSize);
  ReportMemory("shortHtmlLines20MB", gShortHtmlFile, gShortHtmlSize);

  auto ratio = [&](const char* a, const char* b) {
    const double ta = reporter.Median(a), tb = reporter.Median(b);
    if (ta <= 0 || tb <= 0) return;
    std::printf("  %-22s / %-22s = %.2fx (medians)\n", a, b, ta / tb);
  };
  std::printf(
      "\nRatios to file access (RawRead: into a fresh zero-filled string each time; PlainRead: into a\n"
      "reused buffer, the bytes alone):\n");
  ratio("Load/html50MB", "PlainRead/html50MB");
  std::printf("Loads by break style, to the LF load:\n");
  ratio("Load/html50MB", "Load/html50MB-lf");
  ratio("Load/html50MB-cr", "Load/html50MB-lf");
  ratio("Load/html50MB-mixed", "Load/html50MB-lf");
  std::printf("\n");
  ratio("Load/html50MB", "RawRead/html50MB");
  ratio("Load/line10MB", "PlainRead/line10MB");
  ratio("Save/html50MB", "RawWriteSync/html50MB");
  ratio("Save/html50MB", "RawWrite/html50MB");
  ratio("SaveInPlace/html50MB", "Save/html50MB");
  ratio("Load/line10MB", "RawRead/line10MB");
  ratio("Save/line10MB", "RawWriteSync/line10MB");
  ratio("Save/line10MB", "RawWrite/line10MB");

  std::remove(gHtmlFile.c_str());
  std::remove(gHtmlLfFile.c_str());
  std::remove(gHtmlCrFile.c_str());
  std::remove(gHtmlMixedFile.c_str());
  std::remove(gLongLineFile.c_str());
  std::remove(gEmptyLinesFile.c_str());
  std::remove(gShortLinesFile.c_str());
  std::remove(gShortHtmlFile.c_str());
  std::remove(gOutFile.c_str());
  benchmark::Shutdown();
  return 0;
}
