#pragma once
// The engine's one result type for work that can fail: a value, or the failure that stopped the work,
// carried as the notice to show (its text names the file and the reason). Problems that did not stop the
// work, such as a bad line that was skipped, travel beside a value as Notices (WithNotices).
//
//     Result<std::string> bytes = readFileBytes(path);
//     if (!bytes) return Failure{bytes.failure()};
//     use(*bytes);

#include <optional>
#include <string>
#include <utility>
#include <variant>

#include "store/notice.h"

namespace qelvar {

// Why the work stopped.
struct Failure {
    Notice notice;
};

inline Failure fail(std::string text, MessageIcon icon = MessageIcon::None, std::string title = {}) {
    return Failure{Notice(std::move(text), icon, std::move(title))};
}

template <class T = void>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}            // NOLINT: a value is a success
    Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}  // NOLINT

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }

    // Only when !ok().
    const Notice& failure() const { return std::get<1>(state_).notice; }
    const std::string& error() const { return failure().text; }

private:
    std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failure_(std::move(failure)) {}  // NOLINT

    bool ok() const { return !failure_.has_value(); }
    explicit operator bool() const { return ok(); }

    // Only when !ok().
    const Notice& failure() const { return failure_->notice; }
    const std::string& error() const { return failure().text; }

private:
    std::optional<Failure> failure_;
};

}  // namespace qelvar
