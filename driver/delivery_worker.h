#pragma once
// The board's own thread in real-time mode: runs each scheduled job when its
// time has come, as a real board's interrupt completes a request.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace morva::sim {

class DeliveryWorker {
  public:
    using Clock = std::chrono::steady_clock;
    using Job = std::function<void()>;

    DeliveryWorker();
    ~DeliveryWorker();
    DeliveryWorker(const DeliveryWorker&) = delete;
    DeliveryWorker& operator=(const DeliveryWorker&) = delete;

    void schedule(Clock::time_point due, Job job);
    // Drops the jobs not yet run and ends the thread (waits for a running
    // job). Not to be called from a job.
    void stop();
    bool onWorkerThread() const { return std::this_thread::get_id() == thread_.get_id(); }

  private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::multimap<Clock::time_point, Job> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace morva::sim
