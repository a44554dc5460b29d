// Intrusive reference counting for the framework's shared objects (windows, skins, layouts,
// resource providers). An object starts with one reference, owned by whoever made it; Release of
// the last reference calls OnFinalRelease, which deletes the object. SAutoRefPtr holds one
// reference. Counting is atomic, so providers may be shared with worker threads; everything else
// stays on the UI thread.
#pragma once

#include <atomic>
#include <utility>

class SRefObject {
public:
    SRefObject() = default;
    SRefObject(const SRefObject&) = delete;
    SRefObject& operator=(const SRefObject&) = delete;

    long AddRef() { return refCount.fetch_add(1, std::memory_order_relaxed) + 1; }
    long Release() {
        const long left = refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (left == 0) OnFinalRelease();
        return left;
    }

protected:
    virtual ~SRefObject() = default;
    virtual void OnFinalRelease() { delete this; }

private:
    std::atomic<long> refCount{1};
};

// Holds one reference. Constructing from a raw pointer adds a reference; Adopt takes over the
// creator's initial reference instead.
template <class T>
class SAutoRefPtr {
public:
    SAutoRefPtr() = default;
    SAutoRefPtr(std::nullptr_t) {}
    explicit SAutoRefPtr(T* p) : ptr(p) {
        if (ptr) ptr->AddRef();
    }
    SAutoRefPtr(const SAutoRefPtr& other) : SAutoRefPtr(other.ptr) {}
    SAutoRefPtr(SAutoRefPtr&& other) noexcept : ptr(std::exchange(other.ptr, nullptr)) {}
    template <class U>
    SAutoRefPtr(SAutoRefPtr<U> other) : ptr(other.Detach()) {}
    ~SAutoRefPtr() { Reset(); }

    SAutoRefPtr& operator=(SAutoRefPtr other) noexcept {
        std::swap(ptr, other.ptr);
        return *this;
    }

    static SAutoRefPtr Adopt(T* p) {
        SAutoRefPtr r;
        r.ptr = p;
        return r;
    }
    T* Detach() { return std::exchange(ptr, nullptr); }
    void Reset() {
        if (T* p = std::exchange(ptr, nullptr)) p->Release();
    }

    T* get() const { return ptr; }
    T* operator->() const { return ptr; }
    T& operator*() const { return *ptr; }
    explicit operator bool() const { return ptr != nullptr; }
    bool operator==(const SAutoRefPtr& other) const { return ptr == other.ptr; }

private:
    T* ptr = nullptr;
};

// new T(args...) held by its initial reference.
template <class T, class... Args>
SAutoRefPtr<T> MakeRef(Args&&... args) {
    return SAutoRefPtr<T>::Adopt(new T(std::forward<Args>(args)...));
}
