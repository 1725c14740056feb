// One preview pass (compose the four files, encode, replace each atomically) against a plain
// baseline that replaces the same four files with bytes prepared beforehand.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "core/page_set.h"
#include "core/text_file.h"
#include "platform/local_file_system.h"

using namespace nubera;

namespace {

struct Folder {
  std::string path;
  Folder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nubera-bench-XXXXXX").string();
    path = ::mkdtemp(pattern.data());
  }
  ~Folder() { std::filesystem::remove_all(path); }
};

const SiteState kSite{.serverName = "example-server",
                      .serverFolderPath = "/srv/example-server",
                      .accountName = "user01",
                      .contentFolder = "movie"};
const PlayerSettings kPlayer{
    .width = "320", .height = "240", .autostart = "true", .alignment = "center"};

std::vector<PageFile> previewFiles(const FileSystem& fs, const std::string& folder) {
  const auto& rows = quickFragments();
  return pageSetFiles(fs, folder, rows, "abc", quickPreviewLine(rows, kSite, "abc", '/'), kPlayer);
}

void PreviewPass(benchmark::State& state) {
  Folder dir;
  LocalFileSystem fs(dir.path);
  for (auto _ : state) writePageFiles(fs, previewFiles(fs, dir.path));
}

void Baseline(benchmark::State& state) {
  Folder dir;
  LocalFileSystem fs(dir.path);
  std::vector<std::pair<std::string, std::string>> prepared;
  for (const auto& f : previewFiles(fs, dir.path)) {
    prepared.emplace_back(f.path, encodeLines(f.path, f.lines));
  }
  for (auto _ : state) {
    for (const auto& [path, bytes] : prepared) fs.replaceFile(path, bytes);
  }
}

// What the pass adds to the baseline: composing the lines and encoding them.
void ComposeAndEncode(benchmark::State& state) {
  LocalFileSystem fs("/srv");
  for (auto _ : state) {
    for (const auto& f : previewFiles(fs, "/srv/example-server/user01/movie")) {
      benchmark::DoNotOptimize(encodeLines(f.path, f.lines));
    }
  }
}

}  // namespace

BENCHMARK(ComposeAndEncode)->Unit(benchmark::kMicrosecond);
BENCHMARK(Baseline)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(PreviewPass)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK_MAIN();
