// Runs the ray analysis on threads of its own, for a window that must stay
// responsive: one job is current at a time, a newer one stops the former, and
// only the current job's progress and answers reach the owner.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "analysis/ray_analysis.h"

namespace luch {

class AnalysisRunner {
 public:
  // Hands a task to the owner's thread, to be run there later (a queued
  // call). Tasks handed over must be dropped once the runner is gone.
  using Post = std::function<void(std::function<void()>)>;
  using OnProgress = std::function<void(int done, int total)>;
  using OnDone = std::function<void(RayAnalysis answers)>;

  // `on_progress` and `on_done` run on the owner's thread, through `post`.
  AnalysisRunner(Post post, OnProgress on_progress, OnDone on_done);
  // Stops the work and waits for every thread.
  ~AnalysisRunner();
  AnalysisRunner(const AnalysisRunner&) = delete;
  AnalysisRunner& operator=(const AnalysisRunner&) = delete;

  // Starts the analysis of `sources`; a job still running is stopped and its
  // progress and answers are never delivered.
  void Start(AnalysisSources sources);
  // Stops the current job; nothing of it is delivered.
  void Stop() { current_ = 0; }
  // A job was started and neither delivered its answers nor was stopped.
  bool busy() const { return current_.load() != 0; }

 private:
  struct Job {
    std::thread thread;
    std::atomic<bool> ended = false;
  };
  // Joins the threads that have ended.
  void Reap();

  Post post_;
  OnProgress on_progress_;
  OnDone on_done_;
  std::atomic<uint64_t> current_ = 0;  // the job that counts; 0: none
  uint64_t last_id_ = 0;
  std::vector<std::unique_ptr<Job>> jobs_;
};

}  // namespace luch
