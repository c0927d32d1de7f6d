#include "analysis/analysis_runner.h"

#include <algorithm>
#include <utility>

namespace luch {

AnalysisRunner::AnalysisRunner(Post post, OnProgress on_progress, OnDone on_done)
    : post_(std::move(post)), on_progress_(std::move(on_progress)), on_done_(std::move(on_done)) {}

AnalysisRunner::~AnalysisRunner() {
  Stop();
  for (const auto& job : jobs_) job->thread.join();
}

void AnalysisRunner::Start(AnalysisSources sources) {
  Reap();
  const uint64_t id = ++last_id_;
  current_ = id;  // the former job sees that it no longer counts and stops
  auto job = std::make_unique<Job>();
  Job* own = job.get();
  job->thread = std::thread([this, id, own, sources = std::move(sources)] {
    std::optional<RayAnalysis> answers = AnalyseRay(sources, [this, id](int done, int total) {
      if (current_.load() != id) return false;
      post_([this, id, done, total] {
        if (current_.load() == id) on_progress_(done, total);
      });
      return true;
    });
    if (answers) {
      post_([this, id, answers = std::move(*answers)]() mutable {
        if (current_.load() != id) return;
        current_ = 0;
        on_done_(std::move(answers));
      });
    }
    own->ended = true;
  });
  jobs_.push_back(std::move(job));
}

void AnalysisRunner::Reap() {
  std::erase_if(jobs_, [](const std::unique_ptr<Job>& job) {
    if (!job->ended.load()) return false;
    job->thread.join();
    return true;
  });
}

}  // namespace luch
