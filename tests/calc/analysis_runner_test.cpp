// The analysis beside a window: a newer job stops the former, and only the
// newest job's answers arrive, on the owner's thread.
#include "calc/analysis_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <mutex>

#include "common/file_io.h"
#include "project/project_file.h"
#include "support/temp_dir.h"

namespace luch {
namespace {

const std::filesystem::path kExamples =
    std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "examples";

// What the answers say, in one line.
std::string Summary(const RayAnalysis& a) {
  std::string text = std::to_string(a.last_segment_m.value_or(-1)) + " " +
                     std::to_string(a.scale_percent.value_or(-1)) + " " +
                     std::to_string(a.extra_blocks.value_or(-1));
  for (const CableAnswer& c : a.cables) text += " " + c.name + ":" + c.min_voltage.value_or("—");
  return text;
}

TEST(AnalysisRunner, OnlyTheNewestJobsAnswersArrive) {
  testing::TempDir dir;
  for (const char* name : {"Кабель.ini", "Блок.ini", "Дом 5.луч"}) {
    std::filesystem::copy(kExamples / Utf8Path(name), dir / name);
  }
  AnalysisSources older;
  older.cables.LoadCables(dir.path());
  older.data_dir = dir.path();
  ASSERT_TRUE(LoadProjectFile(dir / "Дом 5.луч", older.table, older.params));
  AnalysisSources newer = older;
  newer.params.EditU = "24.0";

  // The owner's thread: tasks wait in a queue until the test runs them.
  std::mutex mutex;
  std::deque<std::function<void()>> queue;
  std::vector<std::string> delivered;
  int progress_calls = 0;
  AnalysisRunner runner(
      [&](std::function<void()> task) {
        std::lock_guard lock(mutex);
        queue.push_back(std::move(task));
      },
      [&](int, int) { ++progress_calls; },
      [&](RayAnalysis answers) { delivered.push_back(Summary(answers)); });
  runner.Start(older);
  runner.Start(newer);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (runner.busy() && std::chrono::steady_clock::now() < deadline) {
    std::function<void()> task;
    {
      std::lock_guard lock(mutex);
      if (!queue.empty()) {
        task = std::move(queue.front());
        queue.pop_front();
      }
    }
    if (task) task();
  }
  ASSERT_EQ(delivered.size(), 1u);
  EXPECT_EQ(delivered.front(), Summary(*AnalyseRay(newer)));
  EXPECT_NE(delivered.front(), Summary(*AnalyseRay(older)));
  EXPECT_GT(progress_calls, 0);
}

}  // namespace
}  // namespace luch
