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

template <typename Signal>
struct SignalArguments;
template <typename Class, typename... Args>
struct SignalArguments<void (Class::*)(Args...)> {
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
