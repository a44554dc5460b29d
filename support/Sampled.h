// A figure one thread writes while another reads it as a sample (progress counters): atomic, with
// relaxed order since a stale value only delays a display, and copyable so that the records that
// hold it stay plain values. Any thread.
#pragma once

#include <atomic>

template <typename T>
class Sampled {
public:
    Sampled(T initial = T()) : value(initial) {}
    Sampled(const Sampled& other) : value(other.Load()) {}
    Sampled& operator=(const Sampled& other) {
        Store(other.Load());
        return *this;
    }
    Sampled& operator=(T next) {
        Store(next);
        return *this;
    }
    operator T() const { return Load(); }

    T Load() const { return value.load(std::memory_order_relaxed); }
    void Store(T next) { value.store(next, std::memory_order_relaxed); }
    // Adds `step` and returns the value before.
    T Add(T step) { return value.fetch_add(step, std::memory_order_relaxed); }

private:
    std::atomic<T> value;
};
