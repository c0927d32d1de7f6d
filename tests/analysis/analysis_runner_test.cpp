// The analysis beside a window: a newer job stops the former, and only the
// newest job's answers arrive, on the owner's thread.
#include "analysis/analysis_runner.h"

#include <gtest/gtest.h>

#include <chrono>
#include <deque>
#include <mutex>

namespace luch {
namespace {

// One row on the one cable type `cable`; no Блок.ini.
AnalysisSources Project(const char* cable) {
  AnalysisSources project;
  CableType type;
  type.name = cable;
  type.resistance = "90";
  project.cables.Add(type);
  project.table.SetCableName(1, cable);
  project.data_dir = "/nonexistent";
  return project;
}

TEST(AnalysisRunner, OnlyTheNewestJobsAnswersArrive) {
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
      [&](RayAnalysis answers) { delivered.push_back(answers.cables.at(0).name); });
  runner.Start(Project("older"));
  runner.Start(Project("newer"));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (runner.busy() && std::chrono::steady_clock::now() < deadline) {
    std::function<void()> task;
    {
      std::lock_guard lock(mutex);
      if (queue.empty()) continue;
      task = std::move(queue.front());
      queue.pop_front();
    }
    task();
  }
  EXPECT_EQ(delivered, std::vector<std::string>{"newer"});
  EXPECT_GT(progress_calls, 0);
}

}  // namespace
}  // namespace luch
