// The one boundary between Qt's event loop and the logic: every handler a window runs (a signal's
// slot, an event it overrides) goes through it, so no exception leaves a handler for Qt's event
// loop: the error is shown in the standard error box and the application goes on.
// scripts/check_guarded (run with the tests) fails on a handler connected any other way.
#pragma once

#include <QObject>
#include <QWidget>
#include <functional>
#include <type_traits>
#include <utility>

namespace ventari {

// A UserError is shown with its message (unless the user was already told of it); anything else
// as "Unexpected error", with the detail in the log.
void RunGuarded(QWidget* parent, const std::function<void()>& handler);

namespace guarded_detail {

// A slot that runs `handler` through the guard, taking the signal's arguments `Args`.
template <typename... Args>
struct GuardedSlot {
  template <typename Handler>
  static auto Wrap(QObject* context, Handler handler) {
    return [context, handler = std::move(handler)](Args... args) {
      RunGuarded(qobject_cast<QWidget*>(context), [&] {
        // A handler may take the signal's arguments or none of them.
        if constexpr (std::is_invocable_v<Handler&, Args...>) {
          handler(args...);
        } else {
          handler();
        }
      });
    };
  }
};

// The tag a private signal (QTimer::timeout) ends with, which no slot receives.
template <typename T, typename = void>
inline constexpr bool kIsPrivateSignalTag = false;
template <typename T>
inline constexpr bool
    kIsPrivateSignalTag<T, std::enable_if_t<std::is_class_v<class T::QPrivateSignal>>> = true;

// The slot for the arguments `Rest` after `Taken`, without a private signal's tag.
template <typename Taken, typename... Rest>
struct SlotFor;
template <typename... Taken>
struct SlotFor<GuardedSlot<Taken...>> {
  using Type = GuardedSlot<Taken...>;
};
template <typename... Taken, typename Last>
struct SlotFor<GuardedSlot<Taken...>, Last> {
  using Type = std::conditional_t<kIsPrivateSignalTag<Last>, GuardedSlot<Taken...>,
                                  GuardedSlot<Taken..., Last>>;
};
template <typename... Taken, typename Next, typename Second, typename... Rest>
struct SlotFor<GuardedSlot<Taken...>, Next, Second, Rest...>
    : SlotFor<GuardedSlot<Taken..., Next>, Second, Rest...> {};

template <typename Signal>
struct SignalArguments;
template <typename Class, typename... Args>
struct SignalArguments<void (Class::*)(Args...)> : SlotFor<GuardedSlot<>, Args...>::Type {};

}  // namespace guarded_detail

// Connects `signal` of `sender` to `handler` through the guard; the connection ends with
// `context`, and errors are shown over it when it is a widget.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection OnSignal(const Sender* sender, Signal signal, QObject* context,
                                 Handler handler) {
  return QObject::connect(
      sender, signal, context,
      guarded_detail::SignalArguments<Signal>::Wrap(context, std::move(handler)));
}

// Runs `handler` through the guard on the next turn of the event loop, while `context` lives.
void RunLater(QObject* context, std::function<void()> handler);

}  // namespace ventari
