// Repeated timing of one piece of work: the median and the minimum over runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <vector>

namespace bench {

struct Figures {
    double medianUs = 0;
    double minUs = 0;
};

inline Figures Summarise(std::vector<double> us) {
    Figures f;
    if (us.empty())
        return f;
    std::sort(us.begin(), us.end());
    const size_t n = us.size();
    f.medianUs = n % 2 ? us[n / 2] : (us[n / 2 - 1] + us[n / 2]) / 2;
    f.minUs = us.front();
    return f;
}

// Runs work once to warm caches, then `runs` times `batch` calls; each run's
// time is divided by batch, so work far below the clock's grain still shows.
template <typename Work> Figures Measure(int runs, int batch, Work&& work) {
    using Clock = std::chrono::steady_clock;
    work();
    std::vector<double> us;
    us.reserve(static_cast<size_t>(runs));
    for (int r = 0; r < runs; ++r) {
        const auto start = Clock::now();
        for (int i = 0; i < batch; ++i)
            work();
        const std::chrono::duration<double, std::micro> took = Clock::now() - start;
        us.push_back(took.count() / batch);
    }
    return Summarise(std::move(us));
}

} // namespace bench
