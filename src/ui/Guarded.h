#pragma once
// The one door by which the toolkit's signals reach our handlers: whatever a
// handler throws stops at RunGuarded and shows in the error box, so nothing
// crosses the event loop.
#include <QObject>
#include <utility>

#include "platform/Prompter.h"

namespace tessel {

// A handler behind the exception boundary. It takes exactly the arguments the
// handler takes, so that the toolkit passes the leading ones of a signal's.
template <class Handler>
struct GuardedHandler {
    Prompter* prompter;
    Handler handler;

    template <class... Args>
    auto operator()(Args&&... args) const -> decltype(handler(std::forward<Args>(args)...), void())
    {
        RunGuarded(*prompter, [&] { handler(std::forward<Args>(args)...); });
    }
};

// Connects signal of sender to handler for as long as context lives.
template <class Sender, class Signal, class Handler>
QMetaObject::Connection OnSignal(Prompter& prompter, Sender* sender, Signal signal, const QObject* context,
                                 Handler handler)
{
    return QObject::connect(sender, signal, context, GuardedHandler<Handler>{&prompter, std::move(handler)});
}

} // namespace tessel
