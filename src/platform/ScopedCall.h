#pragma once
// One call at the start of a scope and its partner at the end, however the
// scope is left (an exception included): busy cursors, suspended repainting,
// undo groups.
namespace tessel {

template <typename T, void (T::*Begin)(), void (T::*End)()>
class ScopedCall {
public:
    explicit ScopedCall(T& object) : object_(object) { (object_.*Begin)(); }
    ~ScopedCall() { (object_.*End)(); }
    ScopedCall(const ScopedCall&) = delete;
    ScopedCall& operator=(const ScopedCall&) = delete;

private:
    T& object_;
};

} // namespace tessel
