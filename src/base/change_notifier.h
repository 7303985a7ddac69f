// How a model tells its views that what they show has changed. The model calls Notify() after
// each change; a view subscribes and repaints (coalesced, see ui/view_refresh.h). Subscribers
// are called in the order they subscribed.
#pragma once

#include <functional>
#include <map>

namespace ventari {

class ChangeNotifier {
 public:
  using Subscription = int;

  ChangeNotifier() = default;
  ChangeNotifier(const ChangeNotifier&) = delete;
  ChangeNotifier& operator=(const ChangeNotifier&) = delete;

  Subscription Subscribe(std::function<void()> listener) {
    listeners_.emplace(next_, std::move(listener));
    return next_++;
  }
  void Unsubscribe(Subscription subscription) { listeners_.erase(subscription); }

  // Tells every subscriber. A subscriber may unsubscribe itself while it is told.
  void Notify() const {
    for (auto it = listeners_.begin(); it != listeners_.end();) {
      const auto current = it++;
      current->second();
    }
  }

 private:
  std::map<Subscription, std::function<void()>> listeners_;
  Subscription next_ = 1;
};

}  // namespace ventari
