#include "driver/delivery_worker.h"

namespace morva::sim {

DeliveryWorker::DeliveryWorker() : thread_([this] { run(); }) {}

DeliveryWorker::~DeliveryWorker() {
    stop();
}

void DeliveryWorker::schedule(Clock::time_point due, Job job) {
    {
        std::lock_guard lock(mutex_);
        if (stopping_) return;
        jobs_.emplace(due, std::move(job));
    }
    wake_.notify_all();
}

void DeliveryWorker::stop() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable() && !onWorkerThread()) thread_.join();
}

void DeliveryWorker::run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        if (jobs_.empty()) {
            wake_.wait(lock);
            continue;
        }
        const auto due = jobs_.begin()->first;
        if (Clock::now() < due) {
            wake_.wait_until(lock, due);
            continue;
        }
        Job job = std::move(jobs_.begin()->second);
        jobs_.erase(jobs_.begin());
        lock.unlock();
        job();
        lock.lock();
    }
}

}  // namespace morva::sim
