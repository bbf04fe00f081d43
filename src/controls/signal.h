// A callback list whose listeners unregister themselves: Connect returns a
// Connection that removes its callback when it goes, so a window that
// listens to a logic object needs no clean-up in its destructor. Either side
// may go first. Portable.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <utility>

namespace controls {

class Connection {
public:
    Connection() = default;
    explicit Connection(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    Connection(Connection&& other) noexcept : disconnect_(std::exchange(other.disconnect_, nullptr)) {}
    Connection& operator=(Connection&& other) noexcept {
        if (this != &other) {
            Reset();
            disconnect_ = std::exchange(other.disconnect_, nullptr);
        }
        return *this;
    }
    ~Connection() { Reset(); }
    void Reset() {
        if (auto disconnect = std::exchange(disconnect_, nullptr)) disconnect();
    }

private:
    std::function<void()> disconnect_;
};

template <typename... Args>
class Signal {
public:
    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    [[nodiscard]] Connection Connect(std::function<void(Args...)> listener) {
        const int id = ++listeners_->lastId;
        listeners_->byId.emplace(id, std::move(listener));
        std::weak_ptr<Listeners> weak = listeners_;
        return Connection([weak, id] {
            if (auto listeners = weak.lock()) listeners->byId.erase(id);
        });
    }

    // Calls the listeners in the order they connected. One may disconnect
    // itself or another while this runs.
    void operator()(Args... args) const {
        std::shared_ptr<Listeners> keep = listeners_;
        int last = 0;
        for (auto next = keep->byId.upper_bound(last); next != keep->byId.end(); next = keep->byId.upper_bound(last)) {
            last = next->first;
            auto listener = next->second;
            listener(args...);
        }
    }

private:
    struct Listeners {
        int lastId = 0;
        std::map<int, std::function<void(Args...)>> byId;
    };
    std::shared_ptr<Listeners> listeners_ = std::make_shared<Listeners>();
};

// A logic object's property setter: stores the value, then tells the window.
template <typename T>
void StoreAndSignal(T& property, const T& value, const Signal<>& changed) {
    property = value;
    changed();
}

}  // namespace controls
